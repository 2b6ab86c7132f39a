// Creating, copying ("Save As"), renaming and deleting databases from the main window. The
// dialogs take the name; the store's database operations change the files and the
// catalogue, each undoing its own work when it fails; the window then reads the catalogue
// into the database list again and opens the database that is current afterwards.

#include "DBControls.h"
#include "DatabaseList.h"
#include "DatabaseNameDialogs.h"
#include "DatabaseOps.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "MessageBoxes.h"
#include "WaitCursor.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

namespace tav
{

namespace cat = store::catalogue;
namespace files = store::files;
namespace ops = store::ops;
using store::StoreError;

void TFDFin::wireDatabaseSet()
{
    auto onTrigger = [this](const char *name, void (TFDFin::*handler)()) {
        if (auto *action = findChild<QAction *>(QString::fromLatin1(name)))
            connect(action, &QAction::triggered, this, handler);
    };
    onTrigger("MMNew", &TFDFin::SBNewClick);
    onTrigger("MMSaveAsRecord", &TFDFin::MMSaveAsRecordClick);
    onTrigger("MMRename", &TFDFin::MMRenameClick);
    onTrigger("MMDelete", &TFDFin::MMDeleteClick);
    if (auto *newButton = findChild<QToolButton *>(QStringLiteral("SBNew")))
        connect(newButton, &QToolButton::clicked, this, &TFDFin::SBNewClick);
}

bool TFDFin::settlePendingChanges()
{
    if (!HasUnsavedChanges())
        return true;
    const int answer = UnsavedChangesPrompt();
    if (answer == MsgCancel)
        return false;
    if (answer == MsgYes)
        return SaveRecord();
    discardChanges();
    return true;
}

void TFDFin::returnToDataDirectory()
{
    // File dialogs may have moved the working directory elsewhere.
    if (!QDir::setCurrent(dataDirectory()))
        MessageBoxes::showMessage(QStringLiteral("Error!"));
}

QStringList TFDFin::databaseListItems() const
{
    QStringList items;
    for (int i = 0; i < m_databaseList->count(); ++i)
        items << m_databaseList->itemText(i);
    return items;
}

void TFDFin::reloadDatabaseList(const QString &select)
{
    QStringList names;
    try {
        m_table3->close();
        m_table3->open();
        for (m_table3->first(); !m_table3->eof(); m_table3->next())
            names << m_table3->asString(QStringLiteral("Name"));
        m_table3->first();
    } catch (const StoreError &e) {
        MessageBoxes::showMessage(e.message());
        names = databaseListItems(); // the list as it was
    }
    if (m_databaseListSorted)
        std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        });
    m_databaseList->clear();
    m_databaseList->addItems(names);
    m_databaseList->setCurrentIndex(select.isNull() ? 0 : m_databaseList->findText(select));
}

void TFDFin::closeDatabaseTables()
{
    discardChanges();
    m_table1->close();
    m_table2->close();
}

void TFDFin::changeDatabaseFiles(const std::function<bool()> &change, const QString &newName,
                                 const QString &nameTaken)
{
    QString failure;
    {
        WaitCursor wait;
        closeDatabaseTables();
        try {
            if (!change())
                failure = nameTaken;
        } catch (const StoreError &e) {
            failure = e.message(); // the files are as they were before
        }
        if (failure.isEmpty()) {
            m_databaseListSorted = true;
            reloadDatabaseList(newName);
        }
        bindSelectedDatabase();
    }
    if (!failure.isEmpty())
        MessageBoxes::showMessage(failure);
}

// ---- New -----------------------------------------------------------------------------------

void TFDFin::SBNewClick()
{
    if (!settlePendingChanges())
        return;
    m_pageControl->setCurrentIndex(0);
    returnToDataDirectory();
    ShowNewDatabaseDialog();
    m_rememberedSortIndex = -1;
}

void TFDFin::ShowNewDatabaseDialog()
{
    TFNewDatabase1 dialog(this, dataDirectory());
    if (dialog.exec() == QDialog::Accepted)
        createNewDatabase(dialog.name());
}

void TFDFin::createNewDatabase(const QString &name)
{
    ops::NameResult result;
    try {
        result = ops::createDatabase(dataDirectory(), name);
    } catch (const StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return;
    }
    if (result == ops::NameResult::NameTaken) {
        MessageBoxes::showMessage(kNameInUse);
        return;
    }

    EnableDatabaseControls(true);
    m_pageControl->setCurrentIndex(0);
    {
        WaitCursor wait;
        reloadDatabaseList(name);
        bindSelectedDatabase();
    }
    applyNavigationEnabling({false, false, false, false});
    m_editImage->hide();

    // The user types the captions next, then the first record, dated today.
    if (DBEdit *id = m_controls.captionBoxes[cat::kFirstFixed]) {
        id->setFocus();
        useTooltipColour(id);
    }
    if (auto *saveLabels = qobject_cast<QWidget *>(named("BSaveLabels")))
        saveLabels->show();
    try {
        m_table1->edit();
        m_table1->setAsDate(cat::recordField(cat::kPosDate), QDate::currentDate());
    } catch (const StoreError &e) {
        MessageBoxes::showMessage(e.message());
    }
}

// ---- Rename --------------------------------------------------------------------------------

void TFDFin::MMRenameClick()
{
    returnToDataDirectory();
    const QString oldName = currentDatabase();
    if (oldName.isEmpty()) {
        MessageBoxes::ask(this, QStringLiteral("FIRST, select a database !"),
                          QStringLiteral("Warning ..."), MsgIcon::None, MsgOk);
        return;
    }
    if (oldName == files::kMaster) {
        MessageBoxes::showMessage(QStringLiteral("You can NOT rename the MASTER database!"));
        return;
    }
    if (!settlePendingChanges())
        return;
    TFRenameDatabase1 dialog(this, dataDirectory(), oldName, databaseListItems());
    if (dialog.exec() != QDialog::Accepted)
        return;

    const QString newName = dialog.name();
    changeDatabaseFiles(
        [&] {
            return ops::renameDatabase(dataDirectory(), oldName, newName) !=
                   ops::NameResult::NameTaken;
        },
        newName, kRenameNameTaken);
}

// ---- Save As -------------------------------------------------------------------------------

void TFDFin::MMSaveAsRecordClick()
{
    returnToDataDirectory();
    const QString oldName = currentDatabase();
    if (oldName.isEmpty() || !settlePendingChanges())
        return;
    TFSaveAs dialog(this, dataDirectory(), databaseListItems());
    if (dialog.exec() != QDialog::Accepted)
        return;

    const QString newName = dialog.name();
    changeDatabaseFiles(
        [&] {
            return ops::saveAsDatabase(dataDirectory(), oldName, newName) !=
                   ops::NameResult::NameTaken;
        },
        newName, kSaveAsNameTaken);
}

// ---- Delete --------------------------------------------------------------------------------

void TFDFin::MMDeleteClick()
{
    returnToDataDirectory();
    if (m_databaseList->count() == 1) {
        MessageBoxes::ask(this,
                          QStringLiteral("You have only one database that can NOT be deleted!"),
                          QStringLiteral("Warning"), MsgIcon::None, MsgOk);
        return;
    }
    const QString name = currentDatabase();
    if (name.isEmpty())
        return;
    if (name == files::kMaster) {
        MessageBoxes::ask(this, QStringLiteral("The MASTER database can not be deleted!"),
                          QStringLiteral("Warning"), MsgIcon::None, MsgOk);
        return;
    }
    if (MessageBoxes::ask(this,
                          QStringLiteral("The ") + name +
                              QStringLiteral(" will be deleted.\n\nAre you sure?"),
                          QStringLiteral("Message"), MsgIcon::None, MsgYes | MsgNo) != MsgYes)
        return;

    QString failure;
    {
        WaitCursor wait;
        closeDatabaseTables(); // pending changes go with the database
        try {
            ops::deleteDatabase(dataDirectory(), name);
        } catch (const StoreError &e) {
            failure = e.message(); // its catalogue row stays, so it can be deleted again
        }
        m_databaseListSorted = true;
        reloadDatabaseList(QString()); // the first database
        bindSelectedDatabase();
        m_rememberedSortIndex = -1;
    }
    if (!failure.isEmpty())
        MessageBoxes::showMessage(failure);
}

} // namespace tav
