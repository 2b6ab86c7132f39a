#include "LocalLists.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QStyle>

namespace tav
{

QStringList driveRoots()
{
    QStringList roots{QStringLiteral("/")};
    QStringList mounted;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            mounted << volume.rootPath();
    const QString home = QStorageInfo(QDir::homePath()).rootPath();
    if (!home.isEmpty() && !roots.contains(home) && !mounted.contains(home))
        mounted << home;
    mounted.sort();
    mounted.removeDuplicates();
    return roots + mounted;
}

QString driveRootOf(const QStringList &roots, const QString &path)
{
    QString best = QStringLiteral("/");
    for (const QString &root : roots) {
        const bool holds = path == root || root == QLatin1String("/") ||
                           path.startsWith(root.endsWith('/') ? root : root + '/');
        if (holds && root.size() > best.size())
            best = root;
    }
    return best;
}

bool matchesMask(const QString &fileName, const QString &mask)
{
    for (const QString &pattern : mask.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*"))
            return true;
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                    QRegularExpression::CaseInsensitiveOption);
        if (re.match(fileName).hasMatch())
            return true;
    }
    return false;
}

DriveBox::DriveBox(QWidget *parent) : QComboBox(parent)
{
    const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const QString &root : driveRoots())
        addItem(icon, root, root);
}

void DriveBox::showDriveOf(const QString &path)
{
    QStringList roots;
    for (int i = 0; i < count(); ++i)
        roots << itemData(i).toString();
    const QSignalBlocker quiet(this);
    setCurrentIndex(findData(driveRootOf(roots, path)));
}

DirectoryTree::DirectoryTree(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(12);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        setDirectory(item->data(0, Qt::UserRole).toString());
    });
}

void DirectoryTree::setDirectory(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isDir())
        return;
    m_directory = info.canonicalFilePath();
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The chain from the root down to the current folder, each one open.
    QStringList chain;
    for (QDir dir(m_directory);;) {
        chain.prepend(dir.absolutePath());
        if (!dir.cdUp())
            break;
    }
    QTreeWidgetItem *parentItem = nullptr;
    for (const QString &folder : chain) {
        const QString name = folder == QLatin1String("/") ? folder : QFileInfo(folder).fileName();
        auto *item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(this);
        item->setText(0, name);
        item->setIcon(0, open);
        item->setData(0, Qt::UserRole, folder);
        item->setExpanded(true);
        parentItem = item;
    }
    const QStringList children =
        QDir(m_directory)
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &child : children) {
        auto *item = new QTreeWidgetItem(parentItem);
        item->setText(0, child);
        item->setIcon(0, closed);
        item->setData(0, Qt::UserRole, QDir(m_directory).filePath(child));
    }
    expandAll();
    setCurrentItem(parentItem);
    emit directoryChanged(m_directory);
}

FileList::FileList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void FileList::setDirectory(const QString &path)
{
    m_directory = path;
    refresh();
}

void FileList::setMask(const QString &mask)
{
    m_mask = mask;
    refresh();
}

void FileList::refresh()
{
    const QSignalBlocker quiet(this);
    clear();
    if (m_directory.isEmpty())
        return;
    const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
    const QStringList files =
        QDir(m_directory).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &file : files)
        if (matchesMask(file, m_mask))
            addItem(new QListWidgetItem(icon, file));
}

QStringList FileList::selectedFileNames() const
{
    QStringList names;
    for (int row = 0; row < count(); ++row)
        if (item(row)->isSelected())
            names << item(row)->text();
    return names;
}

QString FileList::filePath(const QString &fileName) const
{
    return QDir(m_directory).filePath(fileName);
}

} // namespace tav
