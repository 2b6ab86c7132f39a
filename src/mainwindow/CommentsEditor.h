#pragma once
// FComments: a large editor for the comments of the current record. It takes the text of
// the main window's comments box and hands it back when it closes.

#include <QDialog>

class QPlainTextEdit;

namespace tav
{

class TFComments : public QDialog
{
    Q_OBJECT
public:
    TFComments(QWidget *parent, const QString &caption, const QString &text);
    QString text() const;

private:
    QPlainTextEdit *m_memo;
};

} // namespace tav
