#pragma once
// Local drive, folder and file lists shared by the upload window and the backup and restore
// dialogs: the drive box (file system roots and mounted volumes), the directory tree and the
// file list with its mask.

#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>

namespace tav
{

// The roots the drive box offers: "/" first, then every mounted volume that is ready.
QStringList driveRoots();
// The root in `roots` that holds `path` (the longest match); "/" when none does.
QString driveRootOf(const QStringList &roots, const QString &path);
// True when the file name matches one of the patterns of a mask like "*.txt;*.html;"
// (case-insensitive; "*.*" matches every name).
bool matchesMask(const QString &fileName, const QString &mask);

// The drive box: one root per item, its path as the item's data.
class DriveBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveBox(QWidget *parent = nullptr);
    QString drive() const { return currentData().toString(); }
    // Shows the drive holding `path` without announcing a change.
    void showDriveOf(const QString &path);
};

// The directory tree: the chain of folders from the root down to the current one, and
// the sub-folders of the current one. Double-click or Enter enters a folder.
class DirectoryTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit DirectoryTree(QWidget *parent = nullptr);
    QString directory() const { return m_directory; }
    void setDirectory(const QString &path);

signals:
    void directoryChanged(const QString &path);

private:
    QString m_directory;
};

// The local file list: the files of one folder that match the mask, multi-select.
class FileList : public QListWidget
{
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);
    QString directory() const { return m_directory; }
    void setDirectory(const QString &path);
    QString mask() const { return m_mask; }
    void setMask(const QString &mask);
    // Reads the folder again.
    void refresh();
    // The selected file names in list order.
    QStringList selectedFileNames() const;
    QString filePath(const QString &fileName) const;

private:
    QString m_directory;
    QString m_mask;
};

} // namespace tav
