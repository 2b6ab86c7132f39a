// Closing the main window: the unsaved-changes prompt, the settings written at close and
// the removal of the renumbering work table.

#include "DBControls.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "MessageBoxes.h"
#include "Settings.h"
#include "StartupSteps.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>

namespace tav
{

namespace cat = store::catalogue;
namespace files = store::files;
using store::DataSetState;
using store::StoreError;

namespace
{
// Posts a pending edit and closes the table.
void postAndClose(store::Table *table)
{
    if (!table->isActive())
        return;
    if (table->state() != DataSetState::Browse)
        table->post();
    table->close();
}

void dropChanges(store::Table *table)
{
    if (table->isActive() && table->state() != DataSetState::Browse)
        table->cancel();
}
} // namespace

void TFDFin::closeEvent(QCloseEvent *event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TFDFin::FormCloseQuery()
{
    const int answer = HasUnsavedChanges() ? UnsavedChangesPrompt() : int(MsgNo);
    if (answer == MsgCancel)
        return false;
    if (answer == MsgYes) {
        // A typed date that is no date would be lost by the post: the user corrects it.
        DBEdit *date = m_controls.recordEdits[cat::kPosDate];
        if (date && date->hasPendingDate() && !store::parseDisplayDate(date->text()).isValid()) {
            MessageBoxes::information(invalidDateMessage(date->text()));
            return false;
        }
        try {
            postAndClose(m_table1);
            postAndClose(m_table2);
            m_table3->close();
        } catch (const StoreError &e) {
            // Nothing is lost: the window stays open with the changes still pending.
            MessageBoxes::showMessage(e.message());
            return false;
        }
    } else {
        dropChanges(m_table1);
        dropChanges(m_table2);
    }

    saveSettingsAtClose();
    const QString dataDir = dataDirectory();
    if (!dataDir.isEmpty())
        QFile::remove(QDir(dataDir).filePath(files::kRenumberWork));
    return true;
}

void TFDFin::saveSettingsAtClose()
{
    // Bounds are the frame's position and the client size, as they are restored.
    const bool maximized = isMaximized();
    const QRect bounds = maximized ? normalGeometry() : QRect(pos(), size());
    writeWindowPlacement(bounds, maximized);
    const QString current = currentDatabase();
    Settings::writeString(QStringLiteral("LastData"), current.isEmpty() ? files::kMaster : current);
    Settings::sync(); // a settings store that cannot be written does not keep the program open
}

} // namespace tav
