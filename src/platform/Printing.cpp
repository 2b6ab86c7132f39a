#include "Printing.h"

#include "PagedPreview.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

#include <memory>

namespace tav {

namespace {
PrintHandler &handler()
{
    static PrintHandler h;
    return h;
}

void prepare(QPrinter &printer, const PrintRequest &request)
{
    printer.setDocName(request.title);
    if (request.pageLayout.isValid())
        printer.setPageLayout(request.pageLayout);
}

// A modal preview returns whether it was accepted; a non-modal one deletes itself on close.
bool showPreview(QDialog *dialog, bool modal)
{
    if (modal) {
        const bool accepted = dialog->exec() == QDialog::Accepted;
        delete dialog;
        return accepted;
    }
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return true;
}

bool preview(const PrintRequest &request)
{
    if (request.paged()) {
        auto *dialog = new PagedPreview(request);
        return showPreview(dialog, request.modal);
    }
    auto *printer = new QPrinter(QPrinter::HighResolution);
    prepare(*printer, request);
    auto *dialog = new QPrintPreviewDialog(printer, request.owner);
    dialog->setWindowTitle(request.title);
    const auto render = request.render;
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                     [render](QPrinter *p) { render(p); });
    // The printer lives as long as its preview.
    QObject::connect(dialog, &QObject::destroyed, [printer] { delete printer; });
    return showPreview(dialog, request.modal);
}

bool printWithDialog(const PrintRequest &request)
{
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer, request);
    QPrintDialog dialog(&printer, request.owner);
    dialog.setWindowTitle(request.title);
    if (request.paged())
        dialog.setMinMax(1, request.pageCount);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (request.paged())
        return Printing::printPages(request, &printer, true);
    request.render(&printer);
    return true;
}
} // namespace

void Printing::setHandler(PrintHandler h) { handler() = std::move(h); }

bool Printing::print(const PrintRequest &request)
{
    if (!request.render && !request.paged())
        return false;
    if (handler())
        return handler()(request);
    return request.kind == PrintKind::Preview ? preview(request) : printWithDialog(request);
}

bool Printing::printPages(const PrintRequest &request, QPrinter *printer, bool showProgress)
{
    int from = 1;
    int to = request.pageCount;
    if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
        from = qMax(1, printer->fromPage());
        to = qMin(request.pageCount, printer->toPage() > 0 ? printer->toPage() : to);
    }
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    std::unique_ptr<QProgressDialog> progress;
    if (showProgress && to - from >= 20 && qobject_cast<QApplication *>(QCoreApplication::instance())) {
        progress = std::make_unique<QProgressDialog>(QStringLiteral("Printing..."),
                                                     QStringLiteral("Cancel"), from, to,
                                                     request.owner);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(300);
    }
    const QRectF area(QPointF(0, 0),
                      printer->pageLayout().paintRectPixels(printer->resolution()).size());
    for (int page = from; page <= to; ++page) {
        if (progress) {
            progress->setValue(page);
            if (progress->wasCanceled()) {
                printer->abort();
                return false;
            }
        }
        if (page > from)
            printer->newPage();
        request.renderPage(&painter, page - 1, area);
    }
    return painter.end();
}

bool Printing::renderToPdf(const PrintRequest &request, const QString &path)
{
    if (!request.render && !request.paged())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    prepare(printer, request);
    if (request.paged())
        printPages(request, &printer, false);
    else
        request.render(&printer);
    // QPrinter reports no write errors: an output that never appeared is the failure.
    return QFileInfo(path).size() > 0;
}

} // namespace tav
