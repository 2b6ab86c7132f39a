// Record navigation and editing on the Database page: First, Previous, Next and Last with
// the unsaved-changes prompt, Add, Save, Cancel and Undo, the typing rule and the current
// field position.

#include "DBControls.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "MessageBoxes.h"
#include "PendingFeatures.h"
#include "WaitCursor.h"

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QTabWidget>

namespace tav
{

namespace cat = store::catalogue;
namespace files = store::files;
using store::DataSetState;
using store::StoreError;


void TFDFin::SBFirstClick()
{
    navigate(NavMove::First);
}

void TFDFin::SBPrevClick()
{
    navigate(NavMove::Prior);
}

void TFDFin::SBNextClick()
{
    navigate(NavMove::Next);
}

void TFDFin::SBLastClick()
{
    navigate(NavMove::Last);
}

void TFDFin::navigate(NavMove move)
{
    switch (moveGuard(m_dataSource1->state())) {
    case MoveGuard::Stay:
        return;
    case MoveGuard::AskFirst: {
        const int answer = UnsavedChangesPrompt();
        if (answer == MsgCancel)
            return;
        if (answer == MsgYes) {
            if (!SaveRecord())
                return; // the record stays, with its changes, where it was
            break;
        }
        m_table1->cancel();
        setNamedEnabled({"SBAdd", "SMNew", "SBNew"}, true);
        break;
    }
    case MoveGuard::Move:
        setNamedEnabled({"SBAdd", "SMNew", "SBNew"}, true);
        break;
    }

    try {
        switch (move) {
        case NavMove::First:
            m_table1->first();
            break;
        case NavMove::Prior:
            m_table1->prior();
            break;
        case NavMove::Next:
            m_table1->next();
            break;
        case NavMove::Last:
            m_table1->last();
            break;
        }
    } catch (const StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return;
    }
    const int recordCount = m_table1->recordCount();
    if (move == NavMove::Next)
        m_rememberedRecordCount = recordCount;
    // EditCount shows the record's number, its position in the table.
    const int count = m_controls.recordEdits[cat::kPosCount]->text().toInt();
    applyNavigationEnabling(navigationAfterMove(move, count, recordCount));
    ShowImageIfAny();
}

void TFDFin::applyNavigationEnabling(const NavigationEnabling &on)
{
    setNamedEnabled({"SBFirst", "SMFirst"}, on.first);
    setNamedEnabled({"SBPrev", "SMPrevious"}, on.prior);
    setNamedEnabled({"SBNext", "SMNext"}, on.next);
    setNamedEnabled({"SBLast", "SMLast"}, on.last);
}

NavigationEnabling TFDFin::navigationEnabling()
{
    auto on = [this](const char *name) {
        auto *button = qobject_cast<QWidget *>(named(name));
        return button && button->isEnabled();
    };
    NavigationEnabling enabling;
    enabling.first = on("SBFirst");
    enabling.prior = on("SBPrev");
    enabling.next = on("SBNext");
    enabling.last = on("SBLast");
    return enabling;
}

void TFDFin::enableRecordCommands()
{
    setNamedEnabled({"SBNew", "SBAdd", "SMNew", "SMDelete", "SMEmpty", "SMInsert"}, true);
    applyNavigationEnabling(NavigationEnabling());
}

bool TFDFin::recordsBound() const
{
    return m_table1->isActive() && m_table1->tableName() != files::kRecordsTemplate;
}

bool TFDFin::labelsBound() const
{
    return m_table2->isActive() && m_table2->tableName() != files::kLabelsTemplate;
}

bool TFDFin::checkDateText()
{
    const QString text = m_controls.recordEdits[cat::kPosDate]->text();
    const bool recordShown = m_table1->isActive() && (m_table1->state() != DataSetState::Browse ||
                                                      m_table1->recordCount() > 0);
    if (dateTextAccepted(text, recordShown))
        return true;
    MessageBoxes::information(invalidDateMessage(text));
    return false;
}

void TFDFin::SBAddClick()
{
    if (!checkDateText())
        return;
    if (!recordsBound()) {
        MessageBoxes::information(kSelectDatabaseFirst);
        return;
    }
    {
        WaitCursor wait;
        try {
            m_table1->append();
            if (auto *attachment = qobject_cast<QWidget *>(named("BViewAttachment")))
                attachment->hide();
            showRecordCount(m_table1->recordCount() + 1);
            m_table1->setAsDate(cat::recordField(cat::kPosDate), QDate::currentDate());
        } catch (const StoreError &e) {
            // A pending edit that could not be posted keeps the record as it was.
            MessageBoxes::showMessage(e.message());
            return;
        }
        setNamedEnabled({"SBAdd", "SMNew", "SBFirst", "SBPrev", "SBNext", "SBLast", "SMFirst",
                         "SMPrevious", "SMNext", "SMLast", "SMDelete", "SMEmpty", "SMInsert"},
                        false);
        m_editImage->hide();
    }
    if (QLineEdit *id = m_controls.recordEdits[cat::kFirstFixed])
        id->setFocus();
}

void TFDFin::SBSaveClick()
{
    SaveRecord();
}

bool TFDFin::SaveRecord()
{
    if (!checkDateText())
        return false;

    if (!recordsBound()) {
        MessageBoxes::information(kSaveRecordsNoDatabase);
    } else if (m_dataSource1->state() != DataSetState::Browse) {
        try {
            WaitCursor wait;
            m_table1->edit();
            m_table1->post();
            m_table1->flush();
            if (m_table2->isActive())
                m_table2->flush();
        } catch (const StoreError &e) {
            // The engine keeps the record in its state with every typed value.
            MessageBoxes::showMessage(e.message());
            return false;
        }
        m_rememberedRecordCount = m_table1->recordCount();
        enableRecordCommands();
    }

    if (!labelsBound()) {
        MessageBoxes::information(kSelectDatabaseFirst);
        return false;
    }
    try {
        m_table2->edit();
        m_table2->post();
        m_table2->flush();
        if (m_table1->isActive())
            m_table1->flush();
    } catch (const StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return false;
    }
    if (auto *saveLabels = qobject_cast<QWidget *>(named("BSaveLabels")))
        saveLabels->hide();
    for (int pos = cat::kFirstFixed; pos <= cat::kLastFixed; ++pos)
        useButtonFaceColour(m_controls.captionBoxes[pos]);
    for (int pos = 0, n = readNradd(); pos < n; ++pos)
        useButtonFaceColour(m_controls.captionBoxes[pos]);
    return true;
}

void TFDFin::SBCancelClick()
{
    m_table1->cancel();
    enableRecordCommands();
    if (m_table1->isActive()) {
        showRecordCount(m_table1->recordCount());
        ShowImageIfAny(); // hidden while a record was added
    }
}

void TFDFin::MMUndoClick()
{
    // Dropping a record being added brings back the record, count and enabling of before
    // (DataSource1StateChange).
    m_table1->cancel();
}

void TFDFin::DataSource1StateChange(DataSetState state)
{
    const DataSetState before = m_recordsState;
    m_recordsState = state;
    if (state == DataSetState::Inactive)
        return; // EnableDatabaseControls decides while no table is open
    // A new record starts only from a record without changes; Insert, Delete and Empty Record
    // act on stored records, never on one being added.
    setNamedEnabled({"SBAdd", "SMNew"}, state == DataSetState::Browse);
    setNamedEnabled({"SMDelete", "SMEmpty", "SMInsert"}, state != DataSetState::Insert);
    if (state == DataSetState::Insert && before != DataSetState::Insert) {
        // Typing into an empty table starts a record as Add does: a move would drop it.
        m_navigationBeforeAdding = navigationEnabling();
        m_recordCountBeforeAdding = m_table1->recordCount();
        applyNavigationEnabling({false, false, false, false});
        showRecordCount(m_recordCountBeforeAdding + 1);
    } else if (before == DataSetState::Insert && state != DataSetState::Insert) {
        // Dropped, the record shown before returns with its navigation; saved, the new
        // record is shown with navigation open, as after Save.
        const bool dropped = m_table1->recordCount() == m_recordCountBeforeAdding;
        applyNavigationEnabling(dropped ? m_navigationBeforeAdding : NavigationEnabling());
        showRecordCount(m_table1->recordCount());
        ShowImageIfAny();
    }
}

void TFDFin::discardChanges()
{
    m_table1->cancel();
    m_table2->cancel();
}

void TFDFin::EditIDKeyUp()
{
    // No new record is started while the record shown has changes.
    if (m_dataSource1->state() != DataSetState::Browse)
        setNamedEnabled({"SBAdd", "SMNew"}, false);
}

int TFDFin::recordPositionOf(const QWidget *control) const
{
    for (int pos = 0; pos <= cat::kLastFixed; ++pos)
        if (m_controls.recordEdits[pos] == control)
            return pos;
    return -1;
}

void TFDFin::EditIDEnter(QWidget *control)
{
    m_currentFieldPosition = currentFieldPositionFor(recordPositionOf(control));
    setNamedEnabled({"InsertField1", "DeleteField1"}, fieldItemsEnabled(m_currentFieldPosition));
}

void TFDFin::MMRecordsClick()
{
    m_pageControl->setCurrentIndex(0);
}

void TFDFin::useButtonFaceColour(QWidget *box)
{
    if (!box)
        return;
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
}

} // namespace tav
