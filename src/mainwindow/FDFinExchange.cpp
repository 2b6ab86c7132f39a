// Export, import, backup and restore from the main window. The dialogs read their controls;
// the handlers here settle pending changes, close and reopen the window's tables around the
// file work of src/exchange and show the outcome.

#include "BackupSets.h"
#include "Catalogue.h"
#include "DatabaseList.h"
#include "DatabaseNameDialogs.h"
#include "ExchangeDialogs.h"
#include "ExportText.h"
#include "FDFin.h"
#include "FileDialogs.h"
#include "FileNames.h"
#include "ImportText.h"
#include "MessageBoxes.h"
#include "TableFiles.h"
#include "WaitCursor.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

namespace tav
{

namespace files = store::files;
using store::StoreError;

namespace
{

// Moves a bar to done/total on a scale of its own, so files beyond 2 GB fit, and lets it
// repaint while the run goes on.
exchange::Progress followedBy(QProgressBar *bar)
{
    return [bar](qint64 done, qint64 total) {
        bar->setRange(0, 1000);
        bar->setValue(total > 0 ? int(done * 1000 / total) : 1000);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

} // namespace

void TFDFin::wireExchange()
{
    auto onTrigger = [this](const char *menuItem, const char *speedButton,
                            void (TFDFin::*handler)()) {
        if (auto *action = findChild<QAction *>(QString::fromLatin1(menuItem)))
            connect(action, &QAction::triggered, this, handler);
        if (auto *button = findChild<QToolButton *>(QString::fromLatin1(speedButton)))
            connect(button, &QToolButton::clicked, this, handler);
    };
    onTrigger("MMExport", "SBExport", &TFDFin::MMExportClick);
    onTrigger("MMImport", "SBImport", &TFDFin::MMImportClick);
    onTrigger("MMBackup", "SBBackup", &TFDFin::MMBackupClick);
    onTrigger("MMRestore", "SBRestore", &TFDFin::MMRestoreClick);
}

// ---- Export --------------------------------------------------------------------------------

void TFDFin::MMExportClick()
{
    TFExport dialog(this);
    dialog.run = [this](QChar separator) {
        if (m_pageControl->isHidden()) {
            MessageBoxes::showMessage(QStringLiteral("First you have to open a database !"));
            return;
        }
        // The export reads the stored records: No and Cancel export them without the edit,
        // which stays pending, with the user on the same record.
        if (HasUnsavedChanges() && UnsavedChangesPrompt() == MsgYes)
            SaveRecord();

        FileDialogRequest request;
        request.kind = FileDialogKind::Save;
        request.owner = this;
        request.caption = QStringLiteral("Export");
        request.filter = FileDialogs::filterFromPipes(QStringLiteral("Text file (tab delimited)|*.txt"));
        request.defaultSuffix = QStringLiteral("txt");
        const QString fileName = FileDialogs::choose(request);
        returnToDataDirectory();
        if (fileName.isEmpty())
            return;

        exchange::ExportResult result;
        QString failure;
        {
            WaitCursor wait;
            m_pageControl->hide();
            auto *bar = new QProgressBar(statusBar());
            bar->setObjectName(QStringLiteral("ProgressBarExport"));
            statusBar()->addPermanentWidget(bar, 1);
            bar->show();
            try {
                result = exchange::exportRecords(m_table1->filePath(), readNradd(), separator,
                                                 fileName, followedBy(bar));
            } catch (const StoreError &e) {
                failure = e.message();
            }
            delete bar;
            m_pageControl->show();
        }
        if (!failure.isEmpty())
            MessageBoxes::showMessage(failure);
        else if (result.status == exchange::ExportStatus::CannotOpenOutput)
            MessageBoxes::showMessage(QStringLiteral("Error.\n\nCan NOT open the output file!"));
        else if (result.status == exchange::ExportStatus::WriteFailed)
            MessageBoxes::showMessage(QStringLiteral("Error.\n\nCan NOT write the output file!\n\n") +
                                      result.error);
        else
            MessageBoxes::showMessage(QStringLiteral("Export Successfull"));
    };
    dialog.exec();
}

// ---- Import --------------------------------------------------------------------------------

void TFDFin::MMImportClick()
{
    // The catalogue's safety copy lives as long as the dialog; start-up puts it back when
    // the program ended before.
    const QDir dir(dataDirectory());
    const QString safetyCopy = dir.filePath(files::kCatalogueBackup);
    m_table3->close();
    try {
        store::copyTableFile(dir.filePath(files::kCatalogue), safetyCopy);
    } catch (const StoreError &) {
        QFile::remove(safetyCopy); // never a half copy
    }
    try {
        m_table3->open();
    } catch (const StoreError &) {
    }

    if (!m_pageControl->isHidden() && HasUnsavedChanges()) {
        const int answer = UnsavedChangesPrompt();
        if (answer == MsgCancel) {
            QFile::remove(safetyCopy);
            return;
        }
        if (answer == MsgYes)
            SaveRecord();
    }

    TFImport1 dialog(this, currentDatabase());
    dialog.returnToDataDirectory = [this] { returnToDataDirectory(); };
    dialog.databaseList = [this] { return databaseListItems(); };
    dialog.run = [this, &dialog](const QString &name, QChar separator) {
        exchange::ImportRequest request;
        request.dataDir = dataDirectory();
        request.textFile = dialog.fileName();
        request.target = name;
        request.separator = separator;
        const bool templateLabels =
            MessageBoxes::ask(this, QStringLiteral("Do you want to delete the existing labels?"),
                              QStringLiteral("Warning"), MsgIcon::Warning,
                              MsgYes | MsgNo) == MsgYes;
        // No: the captions (and the lock) of the database shown.
        request.labelsSource = templateLabels || m_table2->tableName().isEmpty()
                                   ? QDir(dataDirectory()).filePath(files::kLabelsTemplate)
                                   : m_table2->filePath();
        request.keepAttachments =
            MessageBoxes::ask(this,
                              QStringLiteral("Do you want to keep the existing list for attached files?"),
                              QStringLiteral("Warning"), MsgIcon::Warning,
                              MsgYes | MsgNo) == MsgYes;

        exchange::ImportResult result;
        QString failure;
        {
            WaitCursor wait;
            closeDatabaseTables();
            m_table3->close();
            try {
                result = exchange::importText(request, followedBy(dialog.progressBar()));
            } catch (const StoreError &e) {
                failure = e.message();
            }
            try {
                m_table3->open();
            } catch (const StoreError &) {
            }
        }
        if (!failure.isEmpty() || result.status != exchange::ImportStatus::Done) {
            bindSelectedDatabase(); // the database shown before, unchanged
            if (result.status == exchange::ImportStatus::CannotOpenFile)
                MessageBoxes::showMessage(QStringLiteral("Cannot open the file"));
            else if (result.status == exchange::ImportStatus::NameTaken)
                MessageBoxes::showMessage(kNameInUse);
            else
                MessageBoxes::showMessage(
                    QStringLiteral("The import did not finish; the database is as it was.\n\n") +
                    failure);
            return false;
        }

        dialog.progressBar()->setValue(dialog.progressBar()->maximum());
        dialog.showRecordCount(result.records);
        if (result.newDatabase)
            reloadDatabaseList(name);
        else
            m_databaseList->setCurrentIndex(m_databaseList->findText(name));
        QFile::remove(QDir(dataDirectory()).filePath(files::kCatalogueBackup));
        MessageBoxes::showMessage(QStringLiteral("Database imported successfully"));
        QStringList notes;
        if (result.valuesCut > 0)
            notes << QStringLiteral("%1 values were longer than their field and were cut to its "
                                    "width.")
                         .arg(result.valuesCut);
        if (result.linesCut > 0)
            notes << QStringLiteral("%1 lines had more than %2 columns; their first %2 columns "
                                    "were imported.")
                         .arg(result.linesCut)
                         .arg(exchange::kImportColumns);
        if (!notes.isEmpty())
            MessageBoxes::showMessage(notes.join(QLatin1Char('\n')));

        if (m_pageControl->isHidden()) {
            m_pageControl->show();
            EnableDatabaseControls(true);
            m_pageControl->setCurrentIndex(0);
        }
        ComboBox1Change(); // the imported database becomes the current one
        return true;
    };
    dialog.exec();

    // Closed without an import that finished: the tables come back as they were.
    if (!m_table1->isActive() && !currentDatabase().isEmpty())
        bindSelectedDatabase();
    QFile::remove(safetyCopy);
}

// ---- Backup and restore --------------------------------------------------------------------

namespace
{
// Backup and Restore open their dialog after the unsaved-changes prompt: Yes saves first,
// No keeps the edit pending; false after Cancel.
bool askBeforeBackupOrRestore(TFDFin *window)
{
    if (!window->HasUnsavedChanges())
        return true;
    const int answer = window->UnsavedChangesPrompt();
    if (answer == MsgYes)
        window->SaveRecord();
    return answer != MsgCancel;
}
} // namespace

void TFDFin::MMBackupClick()
{
    if (!m_pageControl->isHidden() && !askBeforeBackupOrRestore(this))
        return;
    QStringList databases;
    try {
        databases = store::ops::catalogue::names(dataDirectory());
    } catch (const StoreError &) {
        databases = databaseListItems();
    }
    TFBackup dialog(this, dataDirectory(), databases);
    dialog.exec();
    returnToDataDirectory();
}

void TFDFin::MMRestoreClick()
{
    if (!m_pageControl->isHidden() && !askBeforeBackupOrRestore(this))
        return;
    TFRestore dialog(this, dataDirectory());
    dialog.closeTables = [this] { closeDatabaseTables(); };
    bool added = false;
    dialog.databaseAdded = [&added](const QString &) { added = true; };
    dialog.exec();
    returnToDataDirectory();

    // The first database of the list is opened again.
    WaitCursor wait;
    closeDatabaseTables();
    if (added)
        m_databaseListSorted = true;
    reloadDatabaseList(QString());
    bindSelectedDatabase();
}

} // namespace tav
