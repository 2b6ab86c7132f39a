#pragma once
// The attachments window FAtach: the files attached to the current record of the main
// window, with Add, View, Remove and Close. It is created once with the main window and only
// hidden when closed; the main window refreshes it whenever its current record changes.
// The rows are read again on every refresh, through a reader that notices a replaced file
// (store/ops/Attachments.h).

#include "Attachments.h"

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QListWidget;
class QPushButton;

namespace tav
{

// The record the window works on, as the main window gives it at each refresh.
struct AttachmentRecord {
    QString database;        // the database's name as the database list shows it
    int position = 0;        // the record number the user sees
    qint64 number = 0;       // the key of the record's attachment rows (ops::attachmentNumber)
    QString attachmentsPath; // empty when no database is open
    bool stored = false;     // false while a new record is being added (nothing to attach to)
};

// The name of the bitmap drawn before an attachment's path ("Html", "Word", "Excel", "Note",
// "Audio", "Picture"), tested in this order on case-sensitive substrings, a later match
// winning; empty when none matches.
QString attachmentBitmap(const QString &path);
// The 16 x 16 bitmap of that name (null for an unknown name).
QPixmap attachmentPixmap(const QString &bitmap);
// A file the desktop opener could run instead of showing: an executable file or a desktop
// entry. Such files are only opened after the user agrees.
bool opensAsProgram(const QString &path);

class TFAtach : public QWidget
{
    Q_OBJECT
public:
    using RecordProvider = std::function<AttachmentRecord()>;
    explicit TFAtach(RecordProvider current, QWidget *parent = nullptr);

    // The after-open step: caption, then the list re-read for the current record.
    void refresh();
    // Empties the list (a new record is started, the records table closed).
    void clearList();
    QStringList files() const;

signals:
    // After every change of the list: whether the record has attachments.
    void attachmentsShown(bool any);

public slots:
    void FormActivate();
    void BAddClick();
    void BViewClick();
    void ListBox1Click();
    void BRemoveClick();
    void BCloseClick();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void caption(const AttachmentRecord &record);
    void fill(const QStringList &names);
    QStringList selectedFiles() const;

    RecordProvider m_current;
    store::ops::AttachmentReader m_reader;
    QListWidget *m_list;
    QPushButton *m_view;
    QPushButton *m_remove;
    bool m_placed = false;
};

} // namespace tav
