// The main menu MainMenu1. Items carry the names the program's features look them up by:
//   File     MMNew, MMOpenDatabase, MMSaveRecord, MMSaveAsRecord, MMRename, MMDelete,
//            MMViewInfo, MMAtach, MMPrint, CloseDatabase1, MMExit
//   Edit     MMUndo, MMCopy, MMCut, MMPaste, MMSelectAll
//   Records  SMNew, SMSave, SMCancelEdit, SMInsert, SMDelete, SMEmpty, SMNext, SMPrevious,
//            SMFirst, SMLast, MMAddfields, MMRemoveFields, InsertField1, DeleteField1,
//            SMCopy, SMPaste
//   Report   MReport: SSMOutput (SSMSelectAll, SSMUnSelectAll), SSMSort (SSMAscending,
//            SSMDescending), SSMFormat (SSMScreenPreview, SSMNotePad, SSMWordPad,
//            SSMExcel, SSMHTML), MMGenOpen, MMGenSave
//   Image    MMImportImage, MMZoom, MMOpen
//   MPublish (acts itself)
//   Tools    MMBackup, MMRestore, MMImport, MMExport, MMChart, MMUpload, MMCalculator,
//            MMPhoneDialer, MMPaint, MMMortgageLoan, MMShowWiz
//   Help     MMHelp, MMAbout
// Top-level menus: MMFile, MMEdit, MMRecords, MReport, MMImage, MMTools, MMHelpMenu.
// PopupIDN (record edit boxes): NetscapeID, InternetExplorerID, idcopy, idcut, idpaste,
//            idall, InsertField2, DeleteField2.
// Items of features not built yet are listed in PendingFeatures.cpp and stay disabled.

#include "AboutBox.h"
#include "FDFin.h"
#include "Settings.h"
#include "ToolLaunches.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tav
{

namespace
{
QMenu *topMenu(QMenuBar *bar, const char *name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Action"));
    return menu;
}

QMenu *subMenu(QMenu *parent, const char *name, const QString &caption)
{
    QMenu *menu = parent->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction *item(QMenu *menu, const char *name, const QString &caption,
              const QKeySequence &shortcut = {})
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

QKeySequence ctrl(Qt::Key key)
{
    return QKeySequence(Qt::CTRL | key);
}

// The desktop's keys for a standard command; the common key where the desktop has none
// (only some desktops bind Save As).
QList<QKeySequence> standardKeys(QKeySequence::StandardKey command, const QKeySequence &common)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    if (!keys.contains(common))
        keys.append(common);
    return keys;
}
} // namespace

void TFDFin::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *file = topMenu(bar, "MMFile", QStringLiteral("&File"));
    item(file, "MMNew", QStringLiteral("&New Database"), ctrl(Qt::Key_N));
    connect(item(file, "MMOpenDatabase", QStringLiteral("&Open Database"), ctrl(Qt::Key_O)),
            &QAction::triggered, this, &TFDFin::SBOpenClick);
    QAction *save = item(file, "MMSaveRecord", QStringLiteral("&Save Database"), ctrl(Qt::Key_S));
    connect(save, &QAction::triggered, this, &TFDFin::SBSaveClick);
    QAction *saveAs = item(file, "MMSaveAsRecord", QStringLiteral("Save &As Database"));
    saveAs->setShortcuts(
        standardKeys(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
    file->addSeparator();
    QAction *rename = item(file, "MMRename", QStringLiteral("Rena&me Database"), ctrl(Qt::Key_M));
    QAction *remove = item(file, "MMDelete", QStringLiteral("&Delete Database"), ctrl(Qt::Key_D));
    QAction *info = item(file, "MMViewInfo", QStringLiteral("Database &Information"));
    QAction *attach = item(file, "MMAtach", QStringLiteral("Attac&h Documents"));
    file->addSeparator();
    QAction *print = item(file, "MMPrint", QStringLiteral("&Print"), ctrl(Qt::Key_P));
    QAction *closeDb = item(file, "CloseDatabase1", QStringLiteral("&Close Database"));
    closeDb->setShortcuts(standardKeys(QKeySequence::Close, ctrl(Qt::Key_W)));
    connect(closeDb, &QAction::triggered, this, &TFDFin::CloseDatabase1Click);
    file->addSeparator();
    QAction *exit = item(file, "MMExit", QStringLiteral("E&xit"), ctrl(Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &TFDFin::MMExitClick);

    QMenu *edit = topMenu(bar, "MMEdit", QStringLiteral("&Edit"));
    connect(item(edit, "MMUndo", QStringLiteral("&Undo"), ctrl(Qt::Key_Z)), &QAction::triggered,
            this, &TFDFin::MMUndoClick);
    edit->addSeparator();
    item(edit, "MMCopy", QStringLiteral("&Copy"), ctrl(Qt::Key_C));
    item(edit, "MMCut", QStringLiteral("Cu&t"), ctrl(Qt::Key_X));
    item(edit, "MMPaste", QStringLiteral("&Paste"), ctrl(Qt::Key_V));
    edit->addSeparator();
    item(edit, "MMSelectAll", QStringLiteral("Select &All"), ctrl(Qt::Key_A));

    QMenu *records = topMenu(bar, "MMRecords", QStringLiteral("Re&cords"));
    connect(item(records, "SMNew", QStringLiteral("&Add")), &QAction::triggered, this,
            &TFDFin::SBAddClick);
    connect(item(records, "SMSave", QStringLiteral("&Save")), &QAction::triggered, this,
            &TFDFin::SBSaveClick);
    connect(item(records, "SMCancelEdit", QStringLiteral("&Cancel Edit")), &QAction::triggered,
            this, &TFDFin::SBCancelClick);
    records->addSeparator();
    item(records, "SMInsert", QStringLiteral("&Insert"));
    item(records, "SMDelete", QStringLiteral("&Delete"));
    item(records, "SMEmpty", QStringLiteral("Empt&y Record"));
    records->addSeparator();
    // F1..F4 work exactly while these items are enabled.
    connect(item(records, "SMNext", QStringLiteral("&Next"), QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, &TFDFin::SBNextClick);
    connect(item(records, "SMPrevious", QStringLiteral("&Previous"), QKeySequence(Qt::Key_F2)),
            &QAction::triggered, this, &TFDFin::SBPrevClick);
    connect(item(records, "SMFirst", QStringLiteral("&First"), QKeySequence(Qt::Key_F3)),
            &QAction::triggered, this, &TFDFin::SBFirstClick);
    connect(item(records, "SMLast", QStringLiteral("&Last"), QKeySequence(Qt::Key_F4)),
            &QAction::triggered, this, &TFDFin::SBLastClick);
    records->addSeparator();
    item(records, "MMAddfields", QStringLiteral("Add Fi&elds"),
         QKeySequence(Qt::ALT | Qt::Key_Insert));
    item(records, "MMRemoveFields", QStringLiteral("Rem&ove Fields"),
         QKeySequence(Qt::ALT | Qt::Key_Delete));
    item(records, "InsertField1", QStringLiteral("Inse&rt Field"), ctrl(Qt::Key_Insert));
    item(records, "DeleteField1", QStringLiteral("Dele&te Field"), ctrl(Qt::Key_Delete));
    records->addSeparator();
    item(records, "SMCopy", QStringLiteral("Copy Record"));
    item(records, "SMPaste", QStringLiteral("Paste Record"))->setEnabled(false);

    QMenu *report = topMenu(bar, "MReport", QStringLiteral("&Report"));
    QMenu *output = subMenu(report, "SSMOutput", QStringLiteral("O&utput"));
    item(output, "SSMSelectAll", QStringLiteral("&Select All"));
    item(output, "SSMUnSelectAll", QStringLiteral("&UnSelect All"));
    QMenu *sort = subMenu(report, "SSMSort", QStringLiteral("Sor&t"));
    QAction *ascending = item(sort, "SSMAscending", QStringLiteral("&Ascending"));
    ascending->setCheckable(true);
    ascending->setChecked(true);
    item(sort, "SSMDescending", QStringLiteral("&Descending"))->setCheckable(true);
    QMenu *format = subMenu(report, "SSMFormat", QStringLiteral("&Format"));
    item(format, "SSMScreenPreview", QStringLiteral("Screen Preview"));
    item(format, "SSMNotePad", QStringLiteral("NotePad"));
    item(format, "SSMWordPad", QStringLiteral("WordPad (Row/Cols)"));
    item(format, "SSMExcel", QStringLiteral("Excel"));
    item(format, "SSMHTML", QStringLiteral("HTML"));
    report->addSeparator();
    item(report, "MMGenOpen", QStringLiteral("Generate and &Open"));
    item(report, "MMGenSave", QStringLiteral("Generate and &Save"));

    QMenu *image = topMenu(bar, "MMImage", QStringLiteral("&Image"));
    item(image, "MMImportImage", QStringLiteral("&Import"));
    item(image, "MMZoom", QStringLiteral("&Zoom"));
    item(image, "MMOpen", QStringLiteral("&Open"));

    QAction *publish = bar->addAction(QStringLiteral("&Publish to Web"));
    publish->setObjectName(QStringLiteral("MPublish"));
    connect(publish, &QAction::triggered, this, [this] { tools::publishToWeb(dataDirectory()); });

    QMenu *toolsMenu = topMenu(bar, "MMTools", QStringLiteral("&Tools"));
    item(toolsMenu, "MMBackup", QStringLiteral("&Backup"), ctrl(Qt::Key_B));
    item(toolsMenu, "MMRestore", QStringLiteral("Res&tore"), ctrl(Qt::Key_T));
    item(toolsMenu, "MMImport", QStringLiteral("&Import"), ctrl(Qt::Key_I));
    item(toolsMenu, "MMExport", QStringLiteral("&Export"), ctrl(Qt::Key_E));
    toolsMenu->addSeparator();
    QAction *chart = item(toolsMenu, "MMChart", QStringLiteral("Chart"));
    toolsMenu->addSeparator();
    connect(item(toolsMenu, "MMUpload", QStringLiteral("Upload Utility")), &QAction::triggered,
            this, [] { tools::startUploadUtility(); });
    connect(item(toolsMenu, "MMCalculator", QStringLiteral("Calculator")), &QAction::triggered,
            this, [] { tools::startCalculator(); });
    connect(item(toolsMenu, "MMPhoneDialer", QStringLiteral("Phone Dialer")), &QAction::triggered,
            this, [] { tools::startPhoneDialer(); });
    connect(item(toolsMenu, "MMPaint", QStringLiteral("Paint")), &QAction::triggered, this,
            [] { tools::startPaint(); });
    connect(item(toolsMenu, "MMMortgageLoan", QStringLiteral("Mortgage/Loan")),
            &QAction::triggered, this, &TFDFin::MMMortgageLoanClick);
    toolsMenu->addSeparator();
    m_showWizard = item(toolsMenu, "MMShowWiz", QStringLiteral("Show Wizard on Startup"));
    m_showWizard->setCheckable(true);
    connect(m_showWizard, &QAction::triggered, this, &TFDFin::MMShowWizClick);

    QMenu *help = topMenu(bar, "MMHelpMenu", QStringLiteral("&Help"));
    QAction *helpItem = item(help, "MMHelp", QStringLiteral("&Help"));
    helpItem->setStatusTip(QStringLiteral("Help Me"));
    helpItem->setToolTip(QStringLiteral("Help Me"));
    connect(helpItem, &QAction::triggered, this, [] { tools::openHelp(); });
    connect(item(help, "MMAbout", QStringLiteral("&About Tavrionex 4.0")), &QAction::triggered,
            this, &TFDFin::MMAboutClick);

    // Opening these menus brings the Database page to the front.
    for (QMenu *menu : {file, edit, records, image, toolsMenu})
        connect(menu, &QMenu::aboutToShow, this, &TFDFin::MMRecordsClick);

    // Enabled only while a database is open (EnableDatabaseControls).
    m_databaseControls << edit->menuAction() << records->menuAction() << report->menuAction()
                       << image->menuAction() << chart << save << saveAs << rename << remove << info
                       << print << closeDb << attach;
}

QMenu *TFDFin::buildFieldPopup()
{
    // The popup of record edit boxes once their text has been decorated.
    auto *popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("PopupIDN"));
    item(popup, "NetscapeID", QStringLiteral("Netscape"));
    item(popup, "InternetExplorerID", QStringLiteral("Internet Explorer"));
    popup->addSeparator();
    item(popup, "idcopy", QStringLiteral("Copy"));
    item(popup, "idcut", QStringLiteral("Cut"));
    item(popup, "idpaste", QStringLiteral("Paste"));
    item(popup, "idall", QStringLiteral("Select All"));
    popup->addSeparator();
    item(popup, "InsertField2", QStringLiteral("Insert Field"));
    item(popup, "DeleteField2", QStringLiteral("Delete Field"));
    return popup;
}

void TFDFin::MMExitClick()
{
    close();
}

void TFDFin::MMShowWizClick()
{
    // The menu has already toggled the check mark: it shows the new state.
    Settings::writeInt(QStringLiteral("displayw"), m_showWizard->isChecked() ? 0 : 1);
    Settings::sync();
}

void TFDFin::MMAboutClick()
{
    TFAbout about(this);
    about.exec();
}

} // namespace tav
