// The Records menu's Insert, Delete, Empty Record, Copy Record and Paste Record. Insert and
// Delete are each one transaction over the records and the attachment rows (RecordOps.h):
// when the engine refuses, nothing has changed and its message is shown.

#include "DBControls.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "MessageBoxes.h"
#include "RecordCommands.h"
#include "RecordDialogs.h"
#include "RecordOps.h"
#include "WaitCursor.h"

#include <QAction>
#include <QDate>
#include <QWidget>

namespace tav
{

namespace cat = store::catalogue;
namespace ops = store::ops;
using store::StoreError;


void TFDFin::wireRecordCommands()
{
    m_emptiedRecord = new EmptiedRecordAttachments(m_table1, this);
    connect(m_emptiedRecord, &EmptiedRecordAttachments::settled, this, &TFDFin::Table1AfterOpen);
    connect(m_emptiedRecord, &EmptiedRecordAttachments::removalFailed, this,
            [](const QString &message) { MessageBoxes::showMessage(message); });
    const struct {
        const char *name;
        void (TFDFin::*handler)();
    } items[] = {{"SMInsert", &TFDFin::SMInsertClick},
                 {"SMDelete", &TFDFin::SMDeleteClick},
                 {"SMEmpty", &TFDFin::SMEmptyClick},
                 {"SMCopy", &TFDFin::SMCopyClick},
                 {"SMPaste", &TFDFin::SMPasteClick}};
    for (const auto &item : items)
        connect(findChild<QAction *>(QString::fromLatin1(item.name)), &QAction::triggered, this,
                item.handler);
}

int TFDFin::currentCount() const
{
    // A record being added has no number yet (0).
    return m_table1->isActive() ? m_table1->recordNumber() : 0;
}

void TFDFin::showRecordsChanged(int recordCount)
{
    m_rememberedRecordCount = recordCount;
    showRecordCount(recordCount);
}

void TFDFin::SMInsertClick()
{
    TFIns dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int count = dialog.count();
    // An empty table takes the new records at position 1.
    const int position = qMax(1, currentCount());
    m_rememberedRecordCount = m_table1->recordCount();
    if (!recordsBound()) {
        MessageBoxes::information(kSelectDatabaseFirst);
        return;
    }
    if (MessageBoxes::ask(this, insertQuestion(count, position), QStringLiteral("Warning"),
                          MsgIcon::Warning, MsgYes | MsgNo) != MsgYes)
        return;

    {
        WaitCursor wait;
        try {
            const ops::RecordsChanged changed =
                ops::insertEmptyRecords(*m_table1, ops::attachmentsPathFor(*m_table1), position,
                                        count, QDate::currentDate());
            showRecordsChanged(changed.recordCount);
        } catch (const StoreError &e) {
            MessageBoxes::showMessage(e.message());
            return;
        }
        if (auto *attachment = qobject_cast<QWidget *>(named("BViewAttachment")))
            attachment->hide();
        Table1AfterOpen(); // the attachments of the first new record
        m_editImage->hide();
    }
    if (QWidget *id = m_controls.recordEdits[cat::kFirstFixed])
        id->setFocus();
    // Records follow the new ones: Next and Last apply, from the keyboard too.
    setNamedEnabled({"SBNext", "SBLast", "SMNext", "SMLast"}, true);
}

void TFDFin::SMDeleteClick()
{
    if (m_table1->isActive() && m_table1->recordCount() == 0)
        return; // no record to delete
    TFDelRec dialog(currentCount(), m_table1->recordCount(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int from = dialog.from();
    const int to = dialog.to();
    m_rememberedRecordCount = m_table1->recordCount();
    // The template behind "no database" must keep its record.
    if (!recordsBound()) {
        MessageBoxes::information(kSelectDatabaseFirst);
        return;
    }
    if (MessageBoxes::ask(this, deleteQuestion(from, to), QStringLiteral("Warning"),
                          MsgIcon::Warning, MsgYes | MsgNo) != MsgYes)
        return;

    WaitCursor wait;
    int recordCount = 0;
    try {
        recordCount = ops::deleteRecords(*m_table1, ops::attachmentsPathFor(*m_table1), from, to,
                                         QDate::currentDate())
                          .recordCount;
    } catch (const StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return;
    }
    showRecordsChanged(recordCount);
    // The record shown is the one that followed the range, or the new last one; Next and
    // Last apply exactly when records follow it, First and Previous when records precede it
    // (and on the last record, as after Last).
    const int position = m_table1->recNo();
    const bool last = position == recordCount;
    setNamedEnabled({"SBNext", "SBLast", "SMNext", "SMLast"}, !last);
    if (last || position > 1)
        setNamedEnabled({"SMFirst", "SMPrevious", "SBFirst", "SBPrev"}, true);
    setNamedEnabled({"SBAdd", "SMNew", "SMInsert"}, true);
    ShowImageIfAny();
    Table1AfterOpen(); // the attachments of the record now shown
}

void TFDFin::SMEmptyClick()
{
    // With no record there is nothing to empty (editing would start a new record).
    if (!m_table1->isActive() || m_table1->recordCount() == 0)
        return;
    if (MessageBoxes::ask(this,
                          QStringLiteral("Are you sure you want to empty the current record ?"),
                          QStringLiteral("Warning"), MsgIcon::Warning, MsgYes | MsgNo) != MsgYes)
        return;
    WaitCursor wait;
    try {
        emptyRecord(*m_table1, m_extraFieldCount);
    } catch (const StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return;
    }
    // Its attachment rows go when the emptied record is saved, not before.
    m_emptiedRecord->recordEmptied(currentCount());
    if (auto *attachment = qobject_cast<QWidget *>(named("BViewAttachment")))
        attachment->hide();
    m_editImage->hide();
}

void TFDFin::SMCopyClick()
{
    if (!m_table1->isActive())
        return;
    setNamedEnabled({"SMPaste"}, true);
    m_recordClipboard = copyRecord(*m_table1);
    // Locked comments never leave their record.
    m_recordClipboardHasComments = !commentsLocked();
    if (!m_recordClipboardHasComments)
        m_recordClipboard[recordClipboardFields().indexOf(cat::recordField(cat::kPosComments))].clear();
}

void TFDFin::SMPasteClick()
{
    try {
        pasteRecord(*m_table1, m_recordClipboard, m_recordClipboardHasComments && !commentsLocked());
    } catch (const StoreError &e) {
        MessageBoxes::showMessage(e.message());
    }
}

} // namespace tav
