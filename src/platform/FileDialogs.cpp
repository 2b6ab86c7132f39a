#include "FileDialogs.h"

#include <QFileDialog>

namespace tav {

namespace {
FileDialogHandler &handler()
{
    static FileDialogHandler h;
    return h;
}
} // namespace

void FileDialogs::setHandler(FileDialogHandler h) { handler() = std::move(h); }

QString FileDialogs::openFileName(QWidget *owner, const QString &caption, const QString &dir,
                                  const QString &filter)
{
    return run({FileDialogKind::Open, owner, caption, dir, filter});
}

QString FileDialogs::saveFileName(QWidget *owner, const QString &caption, const QString &dir,
                                  const QString &filter)
{
    return run({FileDialogKind::Save, owner, caption, dir, filter});
}

QString FileDialogs::directory(QWidget *owner, const QString &caption, const QString &dir)
{
    return run({FileDialogKind::Directory, owner, caption, dir, {}});
}

QString FileDialogs::run(const FileDialogRequest &r)
{
    if (handler())
        return handler()(r);
    switch (r.kind) {
    case FileDialogKind::Open: return QFileDialog::getOpenFileName(r.owner, r.caption, r.directory, r.filter);
    case FileDialogKind::Save: return QFileDialog::getSaveFileName(r.owner, r.caption, r.directory, r.filter);
    case FileDialogKind::Directory: return QFileDialog::getExistingDirectory(r.owner, r.caption, r.directory);
    }
    return {};
}

} // namespace tav
