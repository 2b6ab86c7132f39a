// Creation of the main window's state (FormCreate), activation and window placement.

#include "DBControls.h"
#include "DatabaseList.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "MessageBoxes.h"
#include "ScreenFit.h"
#include "Settings.h"
#include "StartupSteps.h"
#include "TableFiles.h"
#include "Wizard.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPalette>

namespace tav
{

namespace cat = store::catalogue;
namespace files = store::files;

void TFDFin::FormCreate()
{
    if (m_created)
        return;
    m_created = true;

    // Data directory: the working directory at start-up. It must be writable and hold
    // the files supplied with the program; otherwise the window stays empty.
    const QString dataDir = QDir::current().absolutePath();
    try {
        prepareDataDirectory(dataDir);
    } catch (const store::StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return;
    }
    for (store::Table *table : {m_table1, m_table2, m_table3})
        table->setDirectory(dataDir);

    // Work-table templates: the print work table starts as a copy of the empty template.
    try {
        const QDir dir(dataDir);
        store::copyTable(dir.filePath(files::kRecordsTemplate), dir.filePath(files::kPrintWork));
    } catch (const store::StoreError &) {
    }

    m_previousDatabaseIndex = m_databaseList->currentIndex();

    m_shortDatePattern = Settings::shortDatePattern();
    store::setDisplayDatePattern(m_shortDatePattern);

    applyWindowPlacement();
    fillRecordControlTables();
    m_tempDir->setText(dataDir);

    m_filterOn->button(0)->setChecked(true);
    m_editImage->hide(); // no database is open yet

    // A catalogue safety copy left by an interrupted import wins over the catalogue.
    m_table3->close();
    restoreCatalogueBackup(dataDir);
    try {
        fillDatabaseList();
    } catch (const store::StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return;
    }

    fillReportControlTables();
    EnableDatabaseControls(false);
    m_repFormat->setCurrentIndex(0);

    const int showWizard = readShowWizardSetting();
    show();
    m_showWizard->setChecked(showWizard == 0);
    if (showWizard == 0)
        runStartupWizard();
}

void TFDFin::fillRecordControlTables()
{
    for (int pos = 0; pos <= cat::kLastFixed; ++pos) {
        m_controls.recordEdits[pos] = findChild<DBEdit *>(cat::editBoxName(pos));
        const QString caption = cat::captionBoxName(pos);
        m_controls.captionBoxes[pos] = caption.isEmpty() ? nullptr : findChild<DBEdit *>(caption);
    }
    // Caption boxes wear the colour of button faces.
    QList<DBEdit *> captions(m_controls.captionBoxes.begin(), m_controls.captionBoxes.end());
    captions << findChild<DBEdit *>(QStringLiteral("LabelComments"));
    for (DBEdit *box : captions)
        useButtonFaceColour(box);
    wireRecordEditing();
}

void TFDFin::fillReportControlTables()
{
    for (int pos = 0; pos <= cat::kLastFixed; ++pos) {
        m_controls.criteriaChecks[pos] = findChild<QCheckBox *>(cat::criteriaCheckName(pos));
        m_controls.outputChecks[pos] = findChild<QCheckBox *>(cat::outputCheckName(pos));
        m_controls.criteriaEdits[pos] = findChild<QLineEdit *>(cat::criteriaEditName(pos));
    }
    m_controls.outputChecks[cat::kPosComments] =
        findChild<QCheckBox *>(cat::outputCheckName(cat::kPosComments));
}

void TFDFin::fillDatabaseList()
{
    m_table3->open();
    m_table3->first();
    m_databaseList->clear();
    m_databaseList->setCurrentIndex(-1); // shows "Select"
    while (!m_table3->eof()) {
        m_databaseList->addItem(m_table3->asString(QStringLiteral("Name")));
        m_table3->next();
    }
    m_databaseList->setCurrentIndex(-1);
    m_table3->first();
}

void TFDFin::runStartupWizard()
{
    TFWizard wizard(this);
    wizard.exec();
}

void TFDFin::applyWindowPlacement()
{
    const WindowPlacement placement = readWindowPlacement();
    if (placement.maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    if (!placement.bounds)
        return;
    const QRect &bounds = *placement.bounds;
    // A place on a screen that is no longer attached would hide the window.
    if (QGuiApplication::screenAt(bounds.center()))
        move(bounds.topLeft());
    resize(fitOnScreen(this, bounds.size()));
}

bool TFDFin::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TFDFin::FormActivate()
{
    if (Settings::readInt(QStringLiteral("Maximized")) == 1 && !isMaximized())
        setWindowState(windowState() | Qt::WindowMaximized);
    if (DBEdit *first = m_controls.captionBoxes[cat::kFirstFixed])
        m_standardCaptionWidth = first->width();
}

} // namespace tav
