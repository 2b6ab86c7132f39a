#include "FileSetSwap.h"

#include "StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>

namespace tav::exchange {

using store::StoreError;

namespace {

QString journalOf(const QString &path)
{
    return path + QStringLiteral("-journal");
}

bool renameFile(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) ==
           0;
}

// A file moved out of the way, with the journal SQLite may have left beside it.
struct Aside {
    QString original;
    QString moved;
    bool journal = false;
};

void putBack(const Aside &aside)
{
    renameFile(aside.moved, aside.original);
    if (aside.journal)
        renameFile(journalOf(aside.moved), journalOf(aside.original));
}

} // namespace

QString temporarySibling(const QString &path, const QString &suffix)
{
    const QFileInfo info(path);
    QString candidate;
    do {
        candidate = info.dir().filePath(QStringLiteral(".%1.%2%3")
                                            .arg(info.fileName())
                                            .arg(QRandomGenerator::global()->generate(), 0, 16)
                                            .arg(suffix));
    } while (QFileInfo::exists(candidate) || QFileInfo::exists(journalOf(candidate)));
    return candidate;
}

FileSetSwap::~FileSetSwap()
{
    if (m_installed)
        return;
    for (const Entry &entry : std::as_const(m_entries)) {
        if (!entry.temp.isEmpty()) {
            QFile::remove(entry.temp);
            QFile::remove(journalOf(entry.temp));
        }
    }
}

QString FileSetSwap::stage(const QString &destination)
{
    const QString temp = temporarySibling(destination, QStringLiteral(".new"));
    m_entries.append({temp, destination});
    return temp;
}

void FileSetSwap::stageAs(const QString &temp, const QString &destination)
{
    m_entries.append({temp, destination});
}

void FileSetSwap::removeOnInstall(const QString &destination)
{
    m_entries.append({QString(), destination});
}

void FileSetSwap::install()
{
    QVector<Aside> asides;
    QStringList installed;
    auto undo = [&] {
        for (const QString &path : std::as_const(installed))
            QFile::remove(path);
        for (auto it = asides.crbegin(); it != asides.crend(); ++it)
            putBack(*it);
    };

    // The old files (and a journal beside them, which must never meet a new file) go aside.
    for (const Entry &entry : std::as_const(m_entries)) {
        const QString &dest = entry.destination;
        if (!QFileInfo::exists(dest) && !QFileInfo::exists(journalOf(dest)))
            continue;
        Aside aside{dest, temporarySibling(dest, QStringLiteral(".old")), false};
        if (QFileInfo::exists(dest) && !renameFile(dest, aside.moved)) {
            undo();
            throw StoreError(QStringLiteral("Cannot replace %1").arg(dest));
        }
        if (QFileInfo::exists(journalOf(dest))) {
            aside.journal = renameFile(journalOf(dest), journalOf(aside.moved));
            if (!aside.journal) {
                putBack(aside);
                undo();
                throw StoreError(QStringLiteral("Cannot replace %1").arg(dest));
            }
        }
        asides.append(aside);
    }
    for (const Entry &entry : std::as_const(m_entries)) {
        if (entry.temp.isEmpty())
            continue;
        if (!renameFile(entry.temp, entry.destination)) {
            undo();
            throw StoreError(QStringLiteral("Cannot write %1").arg(entry.destination));
        }
        installed << entry.destination;
    }
    m_installed = true;
    for (const Aside &aside : std::as_const(asides)) {
        QFile::remove(aside.moved);
        if (aside.journal)
            QFile::remove(journalOf(aside.moved));
    }
}

} // namespace tav::exchange
