#include "Form1.h"

#include "DriveRoot.h"
#include "FTPNames.h"
#include "LocalLists.h"
#include "MyFtp.h"
#include "RemoteList.h"
#include "ScreenFit.h"
#include "SiteHistory.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace tav::upload
{

namespace
{
constexpr int kButtonColumnWidth = 124;

QPushButton *button(const QString &name, const QString &caption, const QString &hint,
                    QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    return b;
}

QLabel *heading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}
} // namespace

Form1::Form1(const QString &startDirectory, QWidget *parent)
    : QMainWindow(parent), m_baseCaption(QStringLiteral("Tavrionex FTP"))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(m_baseCaption);
    m_folderBmp = style()->standardIcon(QStyle::SP_DirIcon).pixmap(16, 16);
    m_fileBmp = style()->standardIcon(QStyle::SP_FileIcon).pixmap(16, 16);

    // The history lives in the folder the program was started in.
    m_historyPath = QDir(QDir::currentPath()).filePath(QStringLiteral("hist.tvx"));
    ensureSiteHistory(m_historyPath);

    Ftp = new TMyFtp(this);
    Ftp->setObjectName(QStringLiteral("Ftp"));
    connect(Ftp, &TMyFtp::OnNewDir, this, &Form1::NewDirClick);
    connect(Ftp, &TMyFtp::report, this, &Form1::showReport);
    m_names = new TFTPNames(m_historyPath, this);

    buildControls();
    buildMenu();
    resize(fitOnScreen(this, QSize(860, 540)));
    openAt(startDirectory);
}

Form1::~Form1() = default;

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ListBox1DblClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::buildControls()
{
    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->addWidget(buildLocalPanel(), 3);
    layout->addWidget(buildButtonColumn(), 0);
    layout->addWidget(buildRemotePanel(), 4);
    setCentralWidget(central);

    connect(dcbbDrive, &QComboBox::activated, this, &Form1::dcbbDriveChange);
    connect(FilterComboBox1, &QComboBox::currentIndexChanged, this, &Form1::FilterComboBox1Change);
    connect(dlbDirectory, &DirectoryTree::directoryChanged, this, [this](const QString &path) {
        flbFileList->setDirectory(path);
        dcbbDrive->showDriveOf(path);
        m_localPath->setText(path);
    });
    connect(flbFileList, &QListWidget::itemSelectionChanged, this, &Form1::flbFileListClick);
    connect(flbFileList, &QListWidget::itemDoubleClicked, this, &Form1::flbFileListDblClick);
    connect(bbConnect, &QPushButton::clicked, this, &Form1::bbConnectClick);
    connect(bbDiconnect, &QPushButton::clicked, this, &Form1::bbDiconnectClick);
    connect(bShow, &QPushButton::clicked, this, &Form1::flbFileListDblClick);
    connect(BToSite, &QPushButton::clicked, this, &Form1::BToSiteClick);
    connect(BFromSite, &QPushButton::clicked, this, &Form1::BFromSiteClick);
    connect(spbBackOneDir, &QToolButton::clicked, this, &Form1::spbBackOneDirClick);
    // Double-click or Enter opens an entry; a single click only selects, whatever the
    // desktop's click setting.
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &Form1::ListBox1DblClick);
    ListBox1->installEventFilter(this);
}

QWidget *Form1::buildLocalPanel()
{
    auto *panel = new QWidget(this);
    auto *v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(heading(QStringLiteral("Local"), panel));
    m_localPath = new QLabel(panel);
    m_localPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_localPath->setMinimumWidth(80);
    v->addWidget(m_localPath);

    dcbbDrive = new DriveBox(panel);
    dcbbDrive->setObjectName(QStringLiteral("dcbbDrive"));
    dcbbDrive->setToolTip(QStringLiteral("Select drive"));
    v->addWidget(dcbbDrive);

    FilterComboBox1 = new QComboBox(panel);
    FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
    FilterComboBox1->addItem(QStringLiteral("Tavrionex files"),
                             QStringLiteral("*.txt;*.html;*.jpg;*.class;*.dat;"));
    FilterComboBox1->addItem(QStringLiteral("All files"), QStringLiteral("*.*"));
    v->addWidget(FilterComboBox1);

    dlbDirectory = new DirectoryTree(panel);
    dlbDirectory->setObjectName(QStringLiteral("dlbDirectory"));
    v->addWidget(dlbDirectory, 2);

    flbFileList = new FileList(panel);
    flbFileList->setObjectName(QStringLiteral("flbFileList"));
    flbFileList->setMask(FilterComboBox1->currentData().toString());
    v->addWidget(flbFileList, 3);
    return panel;
}

QWidget *Form1::buildButtonColumn()
{
    auto *column = new QWidget(this);
    column->setFixedWidth(kButtonColumnWidth);
    auto *v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    bbConnect = button(QStringLiteral("bbConnect"), QStringLiteral("Connect"), QString(), column);
    bbConnect->setIcon(style()->standardIcon(QStyle::SP_DriveNetIcon));
    bbDiconnect =
        button(QStringLiteral("bbDiconnect"), QStringLiteral("Disconnect"), QString(), column);
    bbDiconnect->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    v->addWidget(bbConnect);
    v->addWidget(bbDiconnect);

    // The preview lies over a fixed picture, between the connect and transfer buttons.
    auto *pictures = new QWidget(column);
    auto *stack = new QGridLayout(pictures);
    stack->setContentsMargins(0, 3, 0, 3);
    Image2 = new QLabel(pictures);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setFrameShape(QFrame::StyledPanel);
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(48, 48));
    Image1 = new PicturePreview(pictures);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->hide();
    stack->addWidget(Image2, 0, 0);
    stack->addWidget(Image1, 0, 0);
    v->addWidget(pictures, 1);

    bShow = button(QStringLiteral("bShow"), QStringLiteral("View"), QString(), column);
    BToSite = button(QStringLiteral("BToSite"), QStringLiteral("Upload >>"),
                     QStringLiteral("Upload selected files"), column);
    BFromSite = button(QStringLiteral("BFromSite"), QStringLiteral("<< Download"),
                       QStringLiteral("Download selected files"), column);
    for (QPushButton *b : {bShow, BToSite, BFromSite}) {
        b->setEnabled(false);
        v->addWidget(b);
    }
    return column;
}

QWidget *Form1::buildRemotePanel()
{
    auto *panel = new QWidget(this);
    auto *v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);
    auto *top = new QHBoxLayout;
    top->addWidget(heading(QStringLiteral("Remote site"), panel), 1);
    spbBackOneDir = new QToolButton(panel);
    spbBackOneDir->setObjectName(QStringLiteral("spbBackOneDir"));
    spbBackOneDir->setToolTip(QStringLiteral("Up One Level"));
    spbBackOneDir->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    spbBackOneDir->setEnabled(false);
    top->addWidget(spbBackOneDir);
    v->addLayout(top);
    m_remotePath = new QLabel(QStringLiteral("(not connected)"), panel);
    m_remotePath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    v->addWidget(m_remotePath);

    ListBox1 = new QListWidget(panel);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setSortingEnabled(true);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setItemDelegate(new RemoteListDelegate(m_folderBmp, m_fileBmp, ListBox1));
    v->addWidget(ListBox1, 1);
    return panel;
}

void Form1::buildMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction *connectItem =
        file->addAction(QStringLiteral("&Connect"), this, &Form1::bbConnectClick);
    connectItem->setObjectName(QStringLiteral("Connect1"));
    file->addSeparator();
    QAction *exitItem = file->addAction(QStringLiteral("E&xit"), this, &Form1::Exit1Click);
    exitItem->setObjectName(QStringLiteral("Exit1"));
    exitItem->setShortcuts(QKeySequence::Quit);
    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction *helpItem = help->addAction(QStringLiteral("Help"), this, &Form1::Help1Click);
    helpItem->setObjectName(QStringLiteral("Help1"));
    helpItem->setShortcut(QKeySequence::HelpContents);
}

void Form1::openAt(const QString &startDirectory)
{
    QString start = startDirectory.isEmpty() ? QDir::currentPath() : mapDrivePath(startDirectory);
    if (!QFileInfo(start).isDir())
        start = QDir::currentPath();
    dcbbDrive->showDriveOf(start);
    dlbDirectory->setDirectory(start);
    // Everything is selected, ready to be uploaded in one go.
    const QSignalBlocker quiet(flbFileList);
    flbFileList->selectAll();
}

} // namespace tav::upload
