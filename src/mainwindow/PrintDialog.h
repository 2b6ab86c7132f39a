#pragma once
// FPrintDialog "Print Options": the current record or the whole database, with or without
// notes and image. OK closes the dialog and hands the choice to `onPrint`.

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QRadioButton;

namespace tav
{

struct PrintChoice {
    bool wholeDatabase = false;
    bool printNotes = true;
    bool printImage = true;
};

class TFPrintDialog : public QDialog
{
    Q_OBJECT
public:
    // `recordCount` tells how many pages the whole database prints; `notesLocked` keeps
    // "Print Notes" off.
    TFPrintDialog(QWidget *parent, int recordCount, bool notesLocked,
                  std::function<void(const PrintChoice &)> onPrint);
    PrintChoice choice() const;

public slots:
    void Button1Click();

private:
    void showPageCount();

    QRadioButton *m_current;
    QRadioButton *m_database;
    QCheckBox *m_notes;
    QCheckBox *m_image;
    QLabel *m_pages;
    int m_recordCount;
    std::function<void(const PrintChoice &)> m_onPrint;
};

} // namespace tav
