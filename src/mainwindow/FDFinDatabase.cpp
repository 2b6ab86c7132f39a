// The current database on the main window: binding its tables, the wizard's "Open your
// last database", extra fields, picture, status bar, the enabling of database controls,
// the busy indicator and the unsaved-changes prompt.

#include "Attachments.h"
#include "DBControls.h"
#include "DatabaseList.h"
#include "FDFin.h"
#include "FileVersion.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "MessageBoxes.h"
#include "PendingFeatures.h"
#include "TableFiles.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <optional>

namespace tav
{

namespace cat = store::catalogue;
namespace files = store::files;
using store::DataSetState;
using store::StoreError;

namespace
{
const QString kTitle = QStringLiteral("Tavrionex 4");
}

void TFDFin::EnableDatabaseControls(bool on)
{
    // Hiding or showing the pages redoes the window's layout by itself.
    m_pageControl->setVisible(on);
    for (QObject *control : m_databaseControls)
        setEnabledUnlessPending(control, on);
    m_comboBoxSort->setCurrentIndex(-1); // shows "Select"
    setClientColour(on);
}

void TFDFin::setClientColour(bool databaseOpen)
{
    QPalette palette = m_client->palette();
    palette.setColor(QPalette::Window, databaseOpen
                                           ? QApplication::palette().color(QPalette::Button)
                                           : QColor(128, 128, 128));
    m_client->setPalette(palette);
}

void TFDFin::ShowBusy()
{
    m_screenPreview->setText(QStringLiteral("Please wait"));
    m_screenPreview->setCursor(Qt::WaitCursor);
    setWindowTitle(kTitle + QStringLiteral("  -  PLEASE WAIT ..."));
    if (!m_busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_busy = true;
    }
    m_screenPreview->repaint();
}

void TFDFin::ShowReady()
{
    m_screenPreview->setText(QStringLiteral("OK"));
    m_screenPreview->unsetCursor();
    setWindowTitle(kTitle);
    if (m_busy) {
        QApplication::restoreOverrideCursor();
        m_busy = false;
    }
}

void TFDFin::BindDatabase(const QString &name)
{
    m_table1->close();
    m_table2->close();
    m_table1->setTableName(files::recordsTable(name));
    m_table2->setTableName(files::labelsTable(name));
    std::optional<StoreError> failure;
    try {
        m_table1->open();
    } catch (const StoreError &e) {
        failure = e;
    }
    try {
        m_table2->open();
    } catch (const StoreError &e) {
        if (!failure)
            failure = e;
    }
    if (!failure)
        return;
    // A file from a newer version is refused with a reason; showing no record without one
    // would look like lost data.
    if (store::writtenByNewerVersion(m_table1->filePath()) ||
        store::writtenByNewerVersion(m_table2->filePath()))
        MessageBoxes::showMessage(failure->message());
    throw *failure;
}

void TFDFin::Table1AfterOpen()
{
    const QString dataDir = dataDirectory();
    if (dataDir.isEmpty())
        return;
    // File dialogs may have moved the working directory elsewhere.
    QDir::setCurrent(dataDir);
    // Every records table has its attachments table once it has been opened.
    const QDir dir(dataDir);
    const QString attachments = dir.filePath(files::attachmentsTableFor(m_table1->tableName()));
    try {
        store::ops::ensureAttachmentsTable(attachments);
    } catch (const StoreError &) {
        // The attachments are then simply not available for this database.
    }
}

void TFDFin::OpenLastDatabase(const QString &name)
{
    EnableDatabaseControls(true);
    int index = m_databaseList->findText(name);
    if (index >= 0)
        m_databaseList->setCurrentIndex(index);

    // A database no longer in the catalogue falls back to MASTER.
    const QString database = (name == files::kMaster || index < 0) ? files::kMaster : name;
    try {
        BindDatabase(database);
    } catch (const StoreError &) {
        // The page shows the database as far as it opened.
    }
    index = m_databaseList->findText(database);
    m_databaseList->setCurrentIndex(index);
    m_previousDatabaseIndex = index;

    ShowImageIfAny();
    m_filterCriteria->clear();
    WriteStatusBar();

    ShowFieldButtons();
    m_extraFieldCount = readNradd();
    m_rememberedRecordCount = m_table1->isActive() ? m_table1->recordCount() : 0;
    if (!ShowExtraFields(m_extraFieldCount))
        MessageBoxes::showMessage(QStringLiteral("Error 1002"));
    if (m_table1->isActive())
        databaseBecameCurrent();
}

bool TFDFin::ShowExtraFields(int count)
{
    for (int pos = 0; pos < cat::kExtraFields; ++pos) {
        DBEdit *edit = m_controls.recordEdits[pos];
        DBEdit *caption = m_controls.captionBoxes[pos];
        if (!edit || !caption)
            return false;
        edit->setVisible(pos < count);
        caption->setVisible(pos < count);
    }
    // A hidden field cannot stay current: Insert and Delete Field would act on a field the
    // user no longer sees (focus leaves a hidden box without entering another field).
    if (m_currentFieldPosition < cat::kExtraFields && m_currentFieldPosition >= count)
        EditIDEnter(nullptr);
    return true;
}

int TFDFin::readNradd() const
{
    const QString field = QStringLiteral("Nradd");
    if (!m_table2->isActive() || !m_table2->hasField(field))
        return 0;
    try {
        return qBound(0, m_table2->asInteger(field), int(cat::kExtraFields));
    } catch (const StoreError &) {
        return 0;
    }
}

void TFDFin::ShowImageIfAny()
{
    const QString field = QStringLiteral("Image");
    bool hasPicture = false;
    if (m_table1->isActive() && m_table1->hasField(field)) {
        try {
            hasPicture = !m_table1->isNull(field);
        } catch (const StoreError &) {
        }
    }
    m_editImage->setVisible(hasPicture);
}

void TFDFin::WriteStatusBar()
{
    setStatusPanelText(0, QStringLiteral("Database ") + currentDatabase());
    if (m_table1->isActive())
        showRecordCount(m_table1->recordCount());
    else
        setStatusPanelText(1, QString());
}

bool TFDFin::HasUnsavedChanges() const
{
    // Also when only one of the tables opened: its changes are as much the user's.
    auto pending = [](const store::DataSource *source) {
        const DataSetState state = source->state();
        return state == DataSetState::Edit || state == DataSetState::Insert;
    };
    return pending(m_dataSource1) || pending(m_dataSource2);
}

int TFDFin::UnsavedChangesPrompt()
{
    return MessageBoxes::ask(
        this, QStringLiteral("You have made changes in your database. Save now?"),
        QStringLiteral("Warning"), MsgIcon::Warning, MsgYes | MsgNo | MsgCancel);
}

} // namespace tav
