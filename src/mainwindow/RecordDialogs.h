#pragma once
// The dialogs of the Records menu's Insert (FIns: how many empty records) and Delete
// (FDelRec: the current record or a range). Both validate with the rules of RecordInput.h:
// a refused number shows its message and the dialog stays open.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tav
{

class RadioGroup;

// Left edge at the main window's left plus the left of its "No." label (Label3), top at the
// main window's top plus a quarter of its width.
void placeBesideNumberLabel(QWidget *dialog, const QWidget *mainWindow);

class TFIns : public QDialog
{
    Q_OBJECT
public:
    explicit TFIns(QWidget *mainWindow);
    // The number of records accepted by OK.
    int count() const { return m_count; }

public slots:
    void Button1Click();

private:
    QLineEdit *m_from;
    int m_count = 0;
};

class TFDelRec : public QDialog
{
    Q_OBJECT
public:
    // `current` is the Count of the current record, `recordCount` the records table's count.
    TFDelRec(int current, int recordCount, QWidget *mainWindow);
    // The range accepted by OK: the current record twice, or the numbers typed.
    int from() const { return m_from; }
    int to() const { return m_to; }

public slots:
    void RadioGroup1Click(int item);
    void bOKClick();

private:
    RadioGroup *m_select;
    QLineEdit *m_fromBox;
    QLineEdit *m_toBox;
    int m_current;
    int m_recordCount;
    int m_from = 0;
    int m_to = 0;
};

} // namespace tav
