#include "FDFin.h"

#include "DBControls.h"
#include "DatabaseList.h"
#include "FileNames.h"
#include "PageControl.h"
#include "PendingFeatures.h"
#include "ProgramIcons.h"
#include "ScreenFit.h"
#include "ToolbarIcons.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tav
{

namespace
{
// Large enough for the Database page's two columns without squeezing the field rows.
const QSize kDefaultClientSize(1010, 720);

QToolButton *speedButton(QWidget *parent, const char *name, ToolIcon icon, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(toolIcon(icon));
    button->setIconSize(QSize(20, 20));
    button->setAutoRaise(true);
    button->setToolTip(hint);
    return button;
}

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
} // namespace

TFDFin::TFDFin(QWidget *parent)
    : QMainWindow(parent), m_table1(new store::Table(this)), m_table2(new store::Table(this)),
      m_table3(new store::Table(this)), m_dataSource1(new store::DataSource(this)),
      m_dataSource2(new store::DataSource(this))
{
    setObjectName(QStringLiteral("FDFin"));
    setWindowTitle(QStringLiteral("Tavrionex 4"));
    setWindowIcon(programIcon());
    m_table1->setObjectName(QStringLiteral("Table1"));
    m_table2->setObjectName(QStringLiteral("Table2"));
    m_table3->setObjectName(QStringLiteral("Table3"));
    m_dataSource1->setObjectName(QStringLiteral("DataSource1"));
    m_dataSource2->setObjectName(QStringLiteral("DataSource2"));
    m_dataSource1->setDataSet(m_table1);
    m_dataSource2->setDataSet(m_table2);
    m_table3->setTableName(store::files::kCatalogue);

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("ClientArea"));
    m_client->setAutoFillBackground(true);
    setCentralWidget(m_client);
    auto *column = new QVBoxLayout(m_client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildToolbar());

    m_pageControl = new PageControl(m_client);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    m_pageControl->setDocumentMode(false);
    const struct {
        const char *name;
        const char *caption;
    } pages[] = {{"Database", "Database"}, {"Report", "Report"}, {"Chart", "Chart"}};
    for (const auto &p : pages) {
        auto *sheet = new QWidget(m_pageControl);
        sheet->setObjectName(QString::fromLatin1(p.name));
        m_pageControl->addTab(sheet, QString::fromLatin1(p.caption));
    }
    auto *pageBox = new QVBoxLayout;
    pageBox->setContentsMargins(4, 4, 4, 4);
    pageBox->addWidget(m_pageControl);
    column->addLayout(pageBox, 1);
    column->addStretch(0); // keeps the toolbar at the top while the pages are hidden

    buildStatusBar();
    buildMenu();
    buildDatabasePage(m_pageControl->widget(0));
    buildReportPage(m_pageControl->widget(1));
    m_popupIDN = buildFieldPopup();
    loadCursors();

    connect(m_table1, &store::Dataset::afterOpen, this, &TFDFin::Table1AfterOpen);
    wireQuickSearch();
    wireRecordCommands();
    wireFieldLayout();
    wireDatabaseSet();
    wireRecordPrinting();
    wireComments();
    wireDatabaseInfo();
    wireLock();
    wireConfigurations();
    wireImages();
    wireAttachments();
    wireReport();
    wirePageSwitching();
    wireChart();
    wireExchange();
    // The record boxes, the picture, the comments and the search box make their field the
    // current one when they receive the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && (recordPositionOf(now) >= 0 || now == m_editImage ||
                    now == m_memoComments || now == m_filterCriteria))
            EditIDEnter(now);
    });
    disablePendingFeatures(this);
    resize(fitOnScreen(this, kDefaultClientSize));
}

TFDFin::~TFDFin() = default;

QWidget *TFDFin::buildToolbar()
{
    auto *panel = new QFrame(m_client);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    // The toolbar keeps the colour of button faces when the client area turns grey.
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    panel->setPalette(colours);
    panel->setAutoFillBackground(true);
    panel->setFixedHeight(36);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 2, 8, 2);
    row->setSpacing(1);

    row->addWidget(speedButton(panel, "SBNew", ToolIcon::New, QStringLiteral("New")));
    auto *open = speedButton(panel, "SBOpen", ToolIcon::Open, QStringLiteral("Open"));
    connect(open, &QToolButton::clicked, this, &TFDFin::SBOpenClick);
    row->addWidget(open);
    auto *save = speedButton(panel, "SBSave1", ToolIcon::Save, QStringLiteral("Save"));
    connect(save, &QToolButton::clicked, this, &TFDFin::SBSaveClick);
    row->addWidget(save);
    row->addWidget(separator(panel));
    auto *undo = speedButton(panel, "SpeedButton4", ToolIcon::Undo, QStringLiteral("Undo"));
    connect(undo, &QToolButton::clicked, this, &TFDFin::SBCancelClick);
    row->addWidget(undo);
    row->addWidget(speedButton(panel, "SpeedButton6", ToolIcon::Copy, QStringLiteral("Copy")));
    row->addWidget(speedButton(panel, "SpeedButton7", ToolIcon::Cut, QStringLiteral("Cut")));
    row->addWidget(speedButton(panel, "SpeedButton8", ToolIcon::Paste, QStringLiteral("Paste")));
    row->addWidget(separator(panel));
    auto *print = speedButton(panel, "SBPrint", ToolIcon::Print, QStringLiteral("Print"));
    row->addWidget(print);
    row->addWidget(separator(panel));
    auto *exportButton = speedButton(panel, "SBExport", ToolIcon::Export, QStringLiteral("Export"));
    row->addWidget(exportButton);
    row->addWidget(speedButton(panel, "SBImport", ToolIcon::Import, QStringLiteral("Import")));
    row->addWidget(separator(panel));
    row->addWidget(speedButton(panel, "SBBackup", ToolIcon::Backup, QStringLiteral("Backup")));
    row->addWidget(speedButton(panel, "SBRestore", ToolIcon::Restore, QStringLiteral("Restore")));
    row->addSpacing(24);

    auto *label = new QLabel(QStringLiteral("Databases :"), panel);
    row->addWidget(label);
    row->addSpacing(4);
    m_databaseList = new DatabaseList(panel);
    m_databaseList->setObjectName(QStringLiteral("ComboBox1"));
    m_databaseList->setToolTip(QStringLiteral("Database List"));
    m_databaseList->setPlaceholderText(QStringLiteral("Select"));
    m_databaseList->setMinimumWidth(200);
    row->addWidget(m_databaseList);
    row->addStretch(1);
    connect(m_databaseList, &QComboBox::activated, this, &TFDFin::ComboBox1Change);
    connect(m_databaseList, &DatabaseList::keyDown, this, &TFDFin::ComboBox1KeyDown);
    // Queued: a choice from the drop-down is made just after it closes.
    connect(m_databaseList, &DatabaseList::choiceEnded, this, &TFDFin::keepDatabaseSelected,
            Qt::QueuedConnection);

    m_databaseControls << print << exportButton;
    return panel;
}

void TFDFin::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    const int widths[] = {250, 125};
    for (int i = 0; i < 2; ++i) {
        m_statusPanels[i] = new QLabel(bar);
        m_statusPanels[i]->setObjectName(QStringLiteral("StatusPanel") + QString::number(i));
        m_statusPanels[i]->setFixedWidth(widths[i]);
        m_statusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_statusPanels[i]->setContentsMargins(2, 0, 2, 0);
        bar->addWidget(m_statusPanels[i]);
    }
    auto *rest = new QLabel(bar);
    rest->setObjectName(QStringLiteral("StatusPanel2"));
    bar->addWidget(rest, 1);
}

void TFDFin::loadCursors()
{
    // The cursor files replace the hand-point and size-all cursors when they can be read.
    m_mailCursor = QCursor(Qt::PointingHandCursor);
    m_netCursor = QCursor(Qt::SizeAllCursor);
    const QPixmap mail(QDir::current().filePath(store::files::kMailCursor));
    if (!mail.isNull())
        m_mailCursor = QCursor(mail);
    const QPixmap net(QDir::current().filePath(store::files::kNetCursor));
    if (!net.isNull())
        m_netCursor = QCursor(net);
}

QString TFDFin::dataDirectory() const
{
    return m_tempDir->text();
}

QString TFDFin::currentDatabase() const
{
    return m_databaseList->currentIndex() < 0 ? QString() : m_databaseList->currentText();
}

QString TFDFin::statusPanelText(int panel) const
{
    return (panel == 0 || panel == 1) ? m_statusPanels[panel]->text() : QString();
}

void TFDFin::setStatusPanelText(int panel, const QString &text)
{
    if (panel == 0 || panel == 1)
        m_statusPanels[panel]->setText(text);
}

void TFDFin::showRecordCount(int count)
{
    setStatusPanelText(1, QString::number(count) + QStringLiteral(" records"));
}

} // namespace tav
