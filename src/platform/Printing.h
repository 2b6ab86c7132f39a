#pragma once
// The one seam for printing: the print preview and the print dialog. Tests replace it with
// output to a PDF file (TestEnvironment does so for every test).

#include <QPageLayout>
#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace tav {

enum class PrintKind {
    Preview, // the preview window, printing from there
    Dialog,  // the print dialog, then straight to the printer
};

struct PrintRequest {
    PrintKind kind = PrintKind::Preview;
    QWidget *owner = nullptr;
    QString title; // the preview's caption and the document's name
    // A modal preview returns when it is closed; a non-modal one stays open beside the
    // window and print() returns at once.
    bool modal = true;
    // The page the document is laid out for; an invalid layout keeps the printer's.
    QPageLayout pageLayout;
    // Paints every page onto the printer (QPrinter::newPage between pages). It may run
    // more than once: the preview repaints when the user changes its settings.
    std::function<void(QPrinter *)> render;
};

// Returns false when the user cancelled (or the output could not be written).
using PrintHandler = std::function<bool(const PrintRequest &)>;

class Printing
{
public:
    static bool print(const PrintRequest &request);
    // Renders the request into a PDF file at `path`; false when it cannot be written.
    static bool renderToPdf(const PrintRequest &request, const QString &path);

    // Replaces the preview and the print dialog (tests); an empty handler restores them.
    static void setHandler(PrintHandler handler);
};

} // namespace tav
