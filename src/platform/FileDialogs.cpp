#include "FileDialogs.h"

#include <QFileDialog>

namespace tav {

namespace {
FileDialogHandler &handler()
{
    static FileDialogHandler h;
    return h;
}

QString runDialog(const FileDialogRequest &r)
{
    QFileDialog dialog(r.owner, r.caption, r.directory);
    switch (r.kind) {
    case FileDialogKind::Open:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileDialogKind::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        break;
    case FileDialogKind::Directory:
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        break;
    }
    if (r.kind != FileDialogKind::Directory && !r.filter.isEmpty()) {
        const QStringList filters = r.filter.split(QStringLiteral(";;"));
        dialog.setNameFilters(filters);
        const int index = (r.filterIndex >= 1 && r.filterIndex <= filters.size()) ? r.filterIndex : 1;
        dialog.selectNameFilter(filters.at(index - 1));
    }
    if (!r.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(r.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
FileDialogRequest request(FileDialogKind kind, QWidget *owner, const QString &caption,
                          const QString &dir, const QString &filter)
{
    FileDialogRequest r;
    r.kind = kind;
    r.owner = owner;
    r.caption = caption;
    r.directory = dir;
    r.filter = filter;
    return r;
}
} // namespace

void FileDialogs::setHandler(FileDialogHandler h) { handler() = std::move(h); }

QString FileDialogs::openFileName(QWidget *owner, const QString &caption, const QString &dir,
                                  const QString &filter)
{
    return choose(request(FileDialogKind::Open, owner, caption, dir, filter));
}

QString FileDialogs::saveFileName(QWidget *owner, const QString &caption, const QString &dir,
                                  const QString &filter)
{
    return choose(request(FileDialogKind::Save, owner, caption, dir, filter));
}

QString FileDialogs::directory(QWidget *owner, const QString &caption, const QString &dir)
{
    return choose(request(FileDialogKind::Directory, owner, caption, dir, {}));
}

QString FileDialogs::choose(const FileDialogRequest &request)
{
    if (handler())
        return handler()(request);
    return runDialog(request);
}

QString FileDialogs::filterFromPipes(const QString &pipes)
{
    const QStringList parts = pipes.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        if (description.endsWith(QLatin1Char(')')) &&
            description.contains(QLatin1Char('(') + patterns + QLatin1Char(')')))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace tav
