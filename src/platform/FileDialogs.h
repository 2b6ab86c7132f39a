#pragma once
// The one seam for file and directory choosers. Tests hand over the next answer.

#include <QString>
#include <functional>

class QWidget;

namespace tav {

enum class FileDialogKind { Open, Save, Directory };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QWidget *owner = nullptr;
    QString caption;
    QString directory;
    QString filter;
};

// Returns the chosen path, or an empty text when the user cancelled.
using FileDialogHandler = std::function<QString(const FileDialogRequest &)>;

class FileDialogs
{
public:
    static QString openFileName(QWidget *owner, const QString &caption, const QString &dir = {},
                                const QString &filter = {});
    static QString saveFileName(QWidget *owner, const QString &caption, const QString &dir = {},
                                const QString &filter = {});
    static QString directory(QWidget *owner, const QString &caption, const QString &dir = {});

    static void setHandler(FileDialogHandler handler);

private:
    static QString run(const FileDialogRequest &request);
};

} // namespace tav
