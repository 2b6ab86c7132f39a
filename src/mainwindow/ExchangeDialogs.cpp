#include "ExchangeDialogs.h"

#include "BackupSets.h"
#include "DatabaseNames.h"
#include "DialogPlacement.h"
#include "DriveRoot.h"
#include "FileDialogs.h"
#include "LocalLists.h"
#include "MessageBoxes.h"
#include "RadioGroup.h"
#include "StoreError.h"
#include "WaitCursor.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

namespace tav
{

namespace backup = exchange::backup;
namespace names = store::ops::names;
using store::StoreError;

const QString kEnterOtherCharacter = QStringLiteral("You have to enter a character in Other box.");

namespace
{

// The characters that cannot stand in a database name become "_" as they are typed.
class ImportNameFilter : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = names::filterRenameName(input);
        return Acceptable;
    }
};

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QListWidget *transferList(QWidget *parent, const char *name, const QString &hint)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setToolTip(hint);
    list->setSortingEnabled(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setMinimumSize(150, 160);
    return list;
}

} // namespace

// ---- FExport -------------------------------------------------------------------------------

TFExport::TFExport(QWidget *parent) : QDialog(parent)
{
    setUpFixedDialog(this, QStringLiteral("FExport"), QStringLiteral("Export"));
    m_sep = new RadioGroup(QStringLiteral("rgSep"), QStringLiteral(" Choose a separator: "),
                           {QStringLiteral("Tab"), QStringLiteral("Other")}, this);
    m_sep->setItemIndex(0);
    m_other = new QLineEdit(this);
    m_other->setObjectName(QStringLiteral("Edit1"));
    m_other->setMaxLength(1);
    m_other->setFixedWidth(32);
    auto *ok = button(this, "BOk", QStringLiteral("OK"));
    ok->setDefault(true);
    auto *close = button(this, "BClose", QStringLiteral("Close"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_sep, 0, 0, 2, 1);
    grid->addWidget(m_other, 1, 1, Qt::AlignBottom);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(close);
    grid->addLayout(row, 2, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, &TFExport::BOkClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_sep, &RadioGroup::itemClicked, this, [this](int item) {
        if (item == 1)
            m_other->setFocus();
    });
    fixAndCentre(this);
}

void TFExport::BOkClick()
{
    QChar separator = QLatin1Char('\t');
    if (m_sep->itemIndex() == 1) {
        if (m_other->text().isEmpty()) {
            MessageBoxes::showMessage(kEnterOtherCharacter);
            m_other->setFocus();
            return;
        }
        separator = m_other->text().at(0);
    }
    if (run)
        run(separator);
    accept();
}

// ---- FImport1 ------------------------------------------------------------------------------

TFImport1::TFImport1(QWidget *parent, const QString &currentDatabase) : QDialog(parent)
{
    setUpFixedDialog(this, QStringLiteral("FImport1"), QStringLiteral("Import"));
    auto *open = button(this, "BOpen", QStringLiteral("Select file"));
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("LPath"));
    m_path->setReadOnly(true);
    m_path->setMaxLength(255);
    m_path->setMinimumWidth(320);
    m_label4 = new QLabel(QStringLiteral("Choose a new name if you import into a new database"),
                          this);
    m_label4->setObjectName(QStringLiteral("Label4"));
    m_name = new QLineEdit(currentDatabase, this);
    m_name->setObjectName(QStringLiteral("Edit1"));
    m_name->setMaxLength(names::kMaxNameLength);
    m_name->setValidator(new ImportNameFilter(m_name));
    m_separator = new RadioGroup(QStringLiteral("RGSeparator"), QStringLiteral(" Select a separator "),
                                 {QStringLiteral("Tab"), QStringLiteral("Comma"),
                                  QStringLiteral("Other"), QStringLiteral("Semicolon"),
                                  QStringLiteral("Space")},
                                 this);
    m_separator->setItemIndex(0);
    m_other = new QLineEdit(this);
    m_other->setObjectName(QStringLiteral("EOther"));
    m_other->setMaxLength(1);
    m_other->setFixedWidth(32);
    m_ok = button(this, "BOk", QStringLiteral("OK"));
    m_ok->setDefault(true);
    m_ok->setEnabled(false);
    auto *close = button(this, "BClose", QStringLiteral("Close"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_label7 = new QLabel(this);
    m_label7->setObjectName(QStringLiteral("Label7"));
    m_label7->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(open);
    fileRow->addWidget(m_path, 1);
    layout->addLayout(fileRow);
    layout->addWidget(m_label4);
    layout->addWidget(m_name);
    auto *sepRow = new QHBoxLayout;
    sepRow->addWidget(m_separator);
    sepRow->addWidget(m_other, 0, Qt::AlignVCenter);
    sepRow->addStretch(1);
    layout->addLayout(sepRow);
    layout->addWidget(m_progress);
    layout->addWidget(m_label7);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(close);
    layout->addLayout(buttons);


    connect(open, &QPushButton::clicked, this, &TFImport1::BOpenClick);
    connect(m_ok, &QPushButton::clicked, this, &TFImport1::BOkClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_separator, &RadioGroup::itemClicked, this, [this](int item) {
        if (item == 2)
            m_other->setFocus();
    });
    // Sized with every control in place, so the ones that appear with a file have room.
    m_label7->setText(QStringLiteral("0 records"));
    fixAndCentre(this);
    for (QWidget *w : {static_cast<QWidget *>(m_path), static_cast<QWidget *>(m_label4),
                       static_cast<QWidget *>(m_name), static_cast<QWidget *>(m_separator),
                       static_cast<QWidget *>(m_other), static_cast<QWidget *>(m_label7)})
        w->setVisible(false);
}

QString TFImport1::fileName() const
{
    return m_path->text();
}

void TFImport1::showRecordCount(int records)
{
    m_label7->setText(QString::number(records) + QStringLiteral(" records"));
    m_label7->show();
}

void TFImport1::BOpenClick()
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.owner = this;
    request.caption = QStringLiteral("Open txt files for IMPORT");
    request.filter = FileDialogs::filterFromPipes(QStringLiteral("txt files|*.txt"));
    const QString file = FileDialogs::choose(request);
    if (!file.isEmpty()) {
        m_path->setText(file);
        for (QWidget *w : {static_cast<QWidget *>(m_name), static_cast<QWidget *>(m_path),
                           static_cast<QWidget *>(m_label4), static_cast<QWidget *>(m_separator),
                           static_cast<QWidget *>(m_other)})
            w->show();
        m_ok->setEnabled(true);
    }
    if (returnToDataDirectory)
        returnToDataDirectory();
}

void TFImport1::BOkClick()
{
    m_name->setText(names::normalised(m_name->text()));
    const QString name = m_name->text();
    static const QString separators = QStringLiteral("\t,?; ");
    const int item = qMax(0, m_separator->itemIndex());
    QChar separator = separators.at(item);
    if (item == 2) {
        if (m_other->text().isEmpty()) {
            MessageBoxes::showMessage(kEnterOtherCharacter);
            m_other->setFocus();
            return;
        }
        separator = m_other->text().at(0);
    }
    if (databaseList && databaseList().contains(name) &&
        MessageBoxes::ask(this,
                          QStringLiteral("Do you want to replace the existing database ") + name +
                              QStringLiteral(" ?"),
                          QStringLiteral("Warning"), MsgIcon::Warning, MsgYes | MsgNo) != MsgYes)
        return;
    if (run && run(name, separator))
        accept();
}

// ---- Lists shared by FBackup and FRestore --------------------------------------------------

TransferDialog::TransferDialog(QWidget *parent, const QString &objectName, const QString &caption)
    : QDialog(parent)
{
    setUpFixedDialog(this, objectName, caption);
    m_add = new QToolButton(this);
    m_add->setObjectName(QStringLiteral("SBAdd"));
    m_add->setText(QStringLiteral("Add  ->>"));
    m_add->setEnabled(false);
    m_remove = new QToolButton(this);
    m_remove->setObjectName(QStringLiteral("SBDelete"));
    m_remove->setText(QStringLiteral("<<- Remove"));
    m_remove->setEnabled(false);
    m_exit = button(this, "BExit", QStringLiteral("E&xit"));
    m_drive = new DriveBox(this);
    m_drive->setObjectName(QStringLiteral("DriveComboBox1"));
    m_directory = new DirectoryTree(this);
    m_directory->setObjectName(QStringLiteral("DirectoryListBox1"));
    m_directory->setMinimumSize(220, 160);
    m_label4 = new QLabel(this);
    m_label4->setObjectName(QStringLiteral("Label4"));
    m_label4->hide();
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setTextVisible(false);
    m_progress->setValue(0);

    connect(m_drive, &QComboBox::activated, this,
            [this] { m_directory->setDirectory(m_drive->drive()); });
    connect(m_directory, &DirectoryTree::directoryChanged, this, [this](const QString &path) {
        m_label4->setText(path);
        m_drive->showDriveOf(path);
    });
    connect(m_exit, &QPushButton::clicked, this, &QDialog::reject);
}

void TransferDialog::setLeftItems(const QStringList &items)
{
    m_left = transferList(this, "ListBox1", QString());
    m_right = transferList(this, "ListBox2", QString());
    m_left->addItems(items);
    connect(m_left, &QListWidget::itemClicked, this, [this] {
        m_add->setEnabled(true);
        m_remove->setEnabled(false);
    });
    connect(m_right, &QListWidget::itemClicked, this, [this] {
        m_remove->setEnabled(true);
        m_add->setEnabled(false);
        m_run->setEnabled(true);
    });
    connect(m_add, &QToolButton::clicked, this, [this] { moveSelected(m_left, m_right); });
    connect(m_left, &QListWidget::itemDoubleClicked, this, [this] { moveSelected(m_left, m_right); });
    connect(m_remove, &QToolButton::clicked, this, [this] { moveSelected(m_right, m_left); });
    connect(m_right, &QListWidget::itemDoubleClicked, this,
            [this] { moveSelected(m_right, m_left); });
}

void TransferDialog::moveSelected(QListWidget *from, QListWidget *to)
{
    for (int row = from->count() - 1; row >= 0; --row) {
        if (from->item(row)->isSelected())
            to->addItem(from->takeItem(row));
    }
    m_run->setEnabled(true);
}

QStringList TransferDialog::chosen() const
{
    QStringList items;
    for (int row = 0; row < m_right->count(); ++row)
        items << m_right->item(row)->text();
    return items;
}

QString TransferDialog::directory() const
{
    return m_directory->directory();
}

// ---- FBackup -------------------------------------------------------------------------------

TFBackup::TFBackup(QWidget *parent, const QString &dataDir, const QStringList &databases)
    : TransferDialog(parent, QStringLiteral("FBackup"), QStringLiteral("Backup Databases")),
      m_dataDir(dataDir)
{
    setLeftItems(databases);
    m_left->setToolTip(QStringLiteral("Click to highlight the database(s) to backup!"));
    m_right->setToolTip(QStringLiteral("Databases to backup"));
    m_add->setToolTip(QStringLiteral("Click to add database(s) to backup!"));
    m_remove->setToolTip(QStringLiteral("Click to remove database(s) from the backup tray!"));
    m_drive->setToolTip(QStringLiteral("Select your drive!"));
    m_directory->setToolTip(QStringLiteral("Select your destination!"));
    m_run = button(this, "BBackup", QStringLiteral("&Backup"));
    m_run->setToolTip(QStringLiteral("Start backup"));
    m_run->setEnabled(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Databases:"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Databases to Backup:"), this), 0, 2);
    grid->addWidget(m_left, 1, 0);
    auto *middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(m_add);
    middle->addWidget(m_remove);
    middle->addStretch(1);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(m_right, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Destination for Backup:"), this), 2, 0, 1, 3);
    grid->addWidget(m_drive, 3, 0, 1, 3);
    grid->addWidget(m_directory, 4, 0, 1, 3);
    grid->addWidget(m_progress, 5, 0, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_run);
    buttons->addWidget(m_exit);
    grid->addLayout(buttons, 6, 0, 1, 3);
    connect(m_run, &QPushButton::clicked, this, &TFBackup::BBackupClick);

    // The dialog opens at drive "c:", the home folder here.
    m_directory->setDirectory(mapDrivePath(QStringLiteral("c:")));
    fixAndCentre(this);
}

void TFBackup::BBackupClick()
{
    const QString destination = directory();
    if (destination.isEmpty() || backup::sameDirectory(destination, m_dataDir)) {
        MessageBoxes::showMessage(QStringLiteral("You MUST change the backup destination directory"));
        return;
    }
    const QStringList databases = chosen();
    m_progress->setRange(0, int(databases.size()));
    bool lastDone = false;
    for (int i = 0; i < databases.size(); ++i) {
        m_progress->setValue(i + 1);
        bool done = true;
        {
            WaitCursor wait;
            try {
                backup::backupDatabase(m_dataDir, databases.at(i), destination);
            } catch (const StoreError &) {
                done = false; // the older set, if any, is as it was
            }
        }
        if (!done)
            MessageBoxes::showMessage(
                QStringLiteral("Back-up was NOT successfull\n\nDestination error"));
        lastDone = done;
    }
    if (lastDone)
        MessageBoxes::showMessage(QStringLiteral("Backup Finished"));
}

// ---- FRestore ------------------------------------------------------------------------------

TFRestore::TFRestore(QWidget *parent, const QString &dataDir)
    : TransferDialog(parent, QStringLiteral("FRestore"), QStringLiteral("Restore")),
      m_dataDir(dataDir)
{
    setLeftItems({});
    m_left->setToolTip(QStringLiteral("Databases "));
    m_right->setToolTip(QStringLiteral("Database(s) to restore"));
    m_add->setToolTip(QStringLiteral("Click to add"));
    m_remove->setToolTip(QStringLiteral("Click to remove"));
    m_drive->setToolTip(QStringLiteral("Select drive "));
    m_directory->setToolTip(QStringLiteral("Select database(s) source"));
    m_files = new FileList(this);
    m_files->setObjectName(QStringLiteral("FileListBox1"));
    m_files->setMask(backup::kSetPattern);
    m_files->hide();
    m_run = button(this, "BRestore", QStringLiteral("&Restore"));
    m_run->setToolTip(QStringLiteral("Start restoring!"));
    m_run->setEnabled(false);

    auto *layout = new QHBoxLayout(this);
    auto *source = new QGroupBox(QStringLiteral("Source"), this);
    auto *sourceLayout = new QVBoxLayout(source);
    sourceLayout->addWidget(m_drive);
    sourceLayout->addWidget(m_directory);
    layout->addWidget(source);
    auto *available = new QGroupBox(QStringLiteral("Available Databases"), this);
    (new QVBoxLayout(available))->addWidget(m_left);
    auto *toRestore = new QGroupBox(QStringLiteral("To Restore"), this);
    (new QVBoxLayout(toRestore))->addWidget(m_right);
    auto *middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(m_add);
    middle->addWidget(m_remove);
    middle->addStretch(1);
    auto *right = new QVBoxLayout;
    auto *lists = new QHBoxLayout;
    lists->addWidget(available);
    lists->addLayout(middle);
    lists->addWidget(toRestore);
    right->addLayout(lists, 1);
    right->addWidget(m_progress);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_run);
    buttons->addWidget(m_exit);
    right->addLayout(buttons);
    layout->addLayout(right, 1);

    connect(m_run, &QPushButton::clicked, this, &TFRestore::BRestoreClick);
    connect(m_directory, &DirectoryTree::directoryChanged, this,
            &TFRestore::DirectoryListBox1Change);
    m_directory->setDirectory(QDir::currentPath());
    fixAndCentre(this);
}

void TFRestore::DirectoryListBox1Change(const QString &path)
{
    m_files->setDirectory(path);
    m_left->clear();
    const backup::FoundSets found = backup::findSets(path);
    m_left->addItems(found.names);
    if (!found.invalidFiles.isEmpty())
        MessageBoxes::showMessage(
            QStringLiteral("These backup files do not name a valid database and are skipped:\n") +
            found.invalidFiles.join(QLatin1Char('\n')));
}

void TFRestore::BRestoreClick()
{
    const QString source = directory();
    if (source.isEmpty() || backup::sameDirectory(source, m_dataDir)) {
        MessageBoxes::showMessage(QStringLiteral("You MUST change the Database source directory"));
        return;
    }
    const QStringList sets = chosen();
    m_progress->setRange(0, int(sets.size()));
    bool lastDone = false;
    for (int i = 0; i < sets.size(); ++i) {
        m_progress->setValue(i + 1);
        bool done = true;
        {
            WaitCursor wait;
            if (closeTables)
                closeTables();
            try {
                if (backup::restoreDatabase(source, sets.at(i), m_dataDir) && databaseAdded)
                    databaseAdded(names::normalised(sets.at(i)));
            } catch (const StoreError &) {
                done = false; // the database's files are as they were
            }
        }
        if (!done)
            MessageBoxes::showMessage(QStringLiteral("RESTORE NOT SUCCESSFULL"));
        lastDone = done;
    }
    m_progress->setValue(0);
    if (lastDone)
        MessageBoxes::showMessage(QStringLiteral("RESTORE COMPLETED"));
}

} // namespace tav
