// The attachments of the current record: the window FAtach follows the record on every
// move, Add, Insert and Delete (through the records table's record changes), "Attach
// Documents" and "File Attachment" open it, and "File Attachment" shows exactly while the
// record has attachments.

#include "Atach.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "RecordOps.h"

#include <QAction>
#include <QPushButton>

namespace tav
{

namespace cat = store::catalogue;
using store::DataSetState;
using store::StoreError;

void TFDFin::wireAttachments()
{
    m_atach = new TFAtach([this] { return currentAttachmentRecord(); }, this);
    auto *button = findChild<QPushButton *>(QStringLiteral("BViewAttachment"));
    connect(m_atach, &TFAtach::attachmentsShown, button, &QWidget::setVisible);
    connect(button, &QPushButton::clicked, this, &TFDFin::BViewAttachmentClick);
    connect(findChild<QAction *>(QStringLiteral("MMAtach")), &QAction::triggered, this,
            &TFDFin::MMAtachClick);
    // Moves, opening, posts, insertion and deletion all change the current record.
    connect(m_table1, &store::Dataset::recordChanged, m_atach, &TFAtach::refresh);
    connect(m_table1, &store::Dataset::newRecord, m_atach, &TFAtach::clearList);
    connect(m_table1, &store::Dataset::afterClose, m_atach, &TFAtach::clearList);
}

AttachmentRecord TFDFin::currentAttachmentRecord() const
{
    AttachmentRecord record;
    record.database = currentDatabase();
    if (!recordsBound())
        return record;
    record.attachmentsPath = store::ops::attachmentsPathFor(*m_table1);
    if (m_table1->state() == DataSetState::Insert || m_table1->recordCount() == 0)
        return record;
    try {
        record.position = m_table1->recNo();
        record.number = store::ops::attachmentNumber(*m_table1, record.position);
        record.stored = true;
    } catch (const StoreError &) {
    }
    return record;
}

void TFDFin::MMAtachClick()
{
    Table1AfterOpen(); // makes the attachments table when it is missing
    m_atach->refresh();
    m_atach->show();
    m_atach->raise();
    m_atach->activateWindow();
}

void TFDFin::BViewAttachmentClick()
{
    m_atach->show();
    Table1AfterOpen();
    m_atach->refresh();
    m_atach->raise();
    m_atach->activateWindow();
}

} // namespace tav
