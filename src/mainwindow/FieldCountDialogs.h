#pragma once
// The dialogs that ask how many extra fields to show more (FAddFields) or fewer
// (FDeleteFields). OK is enabled exactly while the number typed lies between 1 and the
// maximum shown as "Max n"; text that is no number counts as 0. They change nothing
// themselves: the main window applies the accepted count.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tav
{

class FieldCountDialog : public QDialog
{
    Q_OBJECT
public:
    // The number typed (0 when it is no number).
    int count() const;

protected:
    using Rule = bool (*)(const QString &text, int nradd);
    FieldCountDialog(QWidget *parent, const QString &objectName, const QString &caption,
                     const QString &maxLabelName, int max, Rule canApply, int nradd);

    QLineEdit *m_edit;
    QPushButton *m_ok;
};

// "Add Fields": up to 78 - Nradd; OK closes the dialog.
class TFAddFields : public FieldCountDialog
{
    Q_OBJECT
public:
    TFAddFields(QWidget *parent, int nradd);
};

// "Delete Fields": up to Nradd; OK asks first whether the data of those fields may go, and
// stays open unless the answer is Yes.
class TFDeleteFields : public FieldCountDialog
{
    Q_OBJECT
public:
    TFDeleteFields(QWidget *parent, int nradd);

public slots:
    void BOkClick();
};

} // namespace tav
