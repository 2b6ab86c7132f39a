// File > Database Information: the current database's name, folder, record count, size and
// file times. Pending changes are settled with the unsaved-changes prompt first; the window
// then shows record 1, as after a reopen, without closing the tables.

#include "DatabaseInfo.h"
#include "FDFin.h"
#include "InfoDialog.h"

#include <QAction>

namespace tav
{

void TFDFin::wireDatabaseInfo()
{
    if (auto *info = findChild<QAction *>(QStringLiteral("MMViewInfo")))
        connect(info, &QAction::triggered, this, &TFDFin::MMViewInfoClick);
}

void TFDFin::MMViewInfoClick()
{
    const QString name = currentDatabase();
    if (name.isEmpty() || !recordsBound() || !settlePendingChanges())
        return;
    int count = 0;
    try {
        count = m_table1->recordCount();
        m_table1->first();
    } catch (const store::StoreError &) {
        // An unreadable table shows 0 records; the file facts still come from the disk.
    }
    TFInfo dialog(store::info::readDatabaseInfo(dataDirectory(), name, count), this);
    dialog.exec();
}

} // namespace tav
