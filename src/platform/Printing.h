#pragma once
// The one seam for printing: the print preview and the print dialog. Tests replace it with
// output to a PDF file (TestEnvironment does so for every test).

#include <QPageLayout>
#include <QString>
#include <functional>

class QPainter;
class QPrinter;
class QRectF;
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

    // The paged form, for documents that may be long: `pageCount` pages, each painted on
    // its own into `area` (painter coordinates: the paper inside its margins). The preview
    // then paints only the page it shows, and printing walks the pages with a progress
    // window, so a document of thousands of pages never holds up the program. When it is
    // set, `render` may stay empty.
    int pageCount = 0;
    std::function<void(QPainter *, int page, const QRectF &area)> renderPage;
    bool paged() const { return pageCount > 0 && bool(renderPage); }
};

// Returns false when the user cancelled (or the output could not be written).
using PrintHandler = std::function<bool(const PrintRequest &)>;

class Printing
{
public:
    static bool print(const PrintRequest &request);
    // Renders the request into a PDF file at `path`; false when it cannot be written.
    static bool renderToPdf(const PrintRequest &request, const QString &path);

    // Prints the pages of a paged request (the printer's page range, if one is chosen),
    // with a cancellable progress window when asked; false when cancelled or failed.
    static bool printPages(const PrintRequest &request, QPrinter *printer, bool showProgress);

    // Replaces the preview and the print dialog (tests); an empty handler restores them.
    static void setHandler(PrintHandler handler);
};

} // namespace tav
