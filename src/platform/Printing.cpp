#include "Printing.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

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

bool preview(const PrintRequest &request)
{
    auto *printer = new QPrinter(QPrinter::HighResolution);
    prepare(*printer, request);
    auto *dialog = new QPrintPreviewDialog(printer, request.owner);
    dialog->setWindowTitle(request.title);
    const auto render = request.render;
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                     [render](QPrinter *p) { render(p); });
    // The printer lives as long as its preview.
    QObject::connect(dialog, &QObject::destroyed, [printer] { delete printer; });
    if (request.modal) {
        const bool accepted = dialog->exec() == QDialog::Accepted;
        delete dialog;
        return accepted;
    }
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return true;
}

bool printWithDialog(const PrintRequest &request)
{
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer, request);
    QPrintDialog dialog(&printer, request.owner);
    dialog.setWindowTitle(request.title);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    request.render(&printer);
    return true;
}
} // namespace

void Printing::setHandler(PrintHandler h) { handler() = std::move(h); }

bool Printing::print(const PrintRequest &request)
{
    if (!request.render)
        return false;
    if (handler())
        return handler()(request);
    return request.kind == PrintKind::Preview ? preview(request) : printWithDialog(request);
}

bool Printing::renderToPdf(const PrintRequest &request, const QString &path)
{
    if (!request.render)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    prepare(printer, request);
    request.render(&printer);
    // QPrinter reports no write errors: an output that never appeared is the failure.
    return QFileInfo(path).size() > 0;
}

} // namespace tav
