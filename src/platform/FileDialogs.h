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
    // Qt's form: "Text file (*.txt);;All files (*)". FileDialogs::filterFromPipes converts
    // the "description|pattern|..." lists the program's dialogs are written with.
    QString filter;
    // Which filter is selected when the dialog opens, counted from 1 (as the lists of
    // report formats count); outside the list the first is selected.
    int filterIndex = 1;
    // Added by the dialog to a typed name without a suffix ("txt"); empty adds nothing.
    QString defaultSuffix;
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
    // Any request, with the filter index and default suffix it carries.
    static QString choose(const FileDialogRequest &request);

    // "Text file (tab delimited)|*.txt|All files (*.*)|*.*" in Qt's form:
    // "Text file (tab delimited) (*.txt);;All files (*.*)". A description that already ends
    // with its pattern in brackets is kept as it is; several patterns are split at ';'.
    static QString filterFromPipes(const QString &pipes);

    static void setHandler(FileDialogHandler handler);
};

} // namespace tav
