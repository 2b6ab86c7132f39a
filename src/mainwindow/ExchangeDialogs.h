#pragma once
// The dialogs of export, import, backup and restore. They read their controls and hand the
// work to the main window (callbacks set by its handlers, FDFinExchange.cpp), which runs the
// headless code of src/exchange; their progress bars follow that code's progress.

#include <QDialog>
#include <QStringList>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace tav
{

class DirectoryTree;
class DriveBox;
class FileList;
class RadioGroup;

// "You have to enter a character in Other box."
extern const QString kEnterOtherCharacter;

// FExport: the separator of an export.
class TFExport : public QDialog
{
    Q_OBJECT
public:
    explicit TFExport(QWidget *parent = nullptr);
    // Runs the export with the separator chosen; the dialog closes afterwards.
    std::function<void(QChar separator)> run;

public slots:
    void BOkClick();

private:
    RadioGroup *m_sep;
    QLineEdit *m_other;
};

// FImport1: the text file, the target name and the separator of an import.
class TFImport1 : public QDialog
{
    Q_OBJECT
public:
    TFImport1(QWidget *parent, const QString &currentDatabase);
    QString fileName() const;
    QProgressBar *progressBar() const { return m_progress; }
    // "N records", centred.
    void showRecordCount(int records);

    // Runs the import into `name` (upper case); true when it is done and the dialog closes.
    std::function<bool(const QString &name, QChar separator)> run;
    // Makes the data directory the working directory again.
    std::function<void()> returnToDataDirectory;
    // The names of the main window's database list.
    std::function<QStringList()> databaseList;

public slots:
    void BOpenClick();
    void BOkClick();

private:
    QLineEdit *m_path;
    QLabel *m_label4;
    QLineEdit *m_name;
    RadioGroup *m_separator;
    QLineEdit *m_other;
    QPushButton *m_ok;
    QProgressBar *m_progress;
    QLabel *m_label7;
};

// The two lists, Add, Remove and the run button that FBackup and FRestore share.
class TransferDialog : public QDialog
{
    Q_OBJECT
public:
    QStringList chosen() const; // ListBox2, in list order
    QProgressBar *progressBar() const { return m_progress; }
    QString directory() const; // of DirectoryListBox1

protected:
    TransferDialog(QWidget *parent, const QString &objectName, const QString &caption);
    void setLeftItems(const QStringList &items);
    void moveSelected(QListWidget *from, QListWidget *to);

    QListWidget *m_left;
    QListWidget *m_right;
    QToolButton *m_add;
    QToolButton *m_remove;
    QPushButton *m_run;
    QPushButton *m_exit;
    DriveBox *m_drive;
    DirectoryTree *m_directory;
    QLabel *m_label4;
    QProgressBar *m_progress;
};

// FBackup: databases of the catalogue copied into a directory.
class TFBackup : public TransferDialog
{
    Q_OBJECT
public:
    TFBackup(QWidget *parent, const QString &dataDir, const QStringList &databases);

public slots:
    void BBackupClick();

private:
    QString m_dataDir;
};

// FRestore: backup sets of a directory copied into the data directory.
class TFRestore : public TransferDialog
{
    Q_OBJECT
public:
    TFRestore(QWidget *parent, const QString &dataDir);
    // Closes the main window's tables before the first file is copied.
    std::function<void()> closeTables;
    // A restored database that was not in the catalogue.
    std::function<void(const QString &name)> databaseAdded;

public slots:
    void BRestoreClick();
    void DirectoryListBox1Change(const QString &path);

private:
    QString m_dataDir;
    FileList *m_files;
};

} // namespace tav
