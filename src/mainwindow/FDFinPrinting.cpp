// File > Print and the toolbar's SBPrint: FPrintDialog, then a preview of one page per
// record. The current record is printed from the window (its number is its position); the
// whole database through a query of its own, so the window's record and any pending edit
// stay as they are. Locked comments never reach the paper.

#include "FDFin.h"
#include "FileNames.h"
#include "MessageBoxes.h"
#include "PrintDialog.h"
#include "Printing.h"
#include "RecordPages.h"

#include <QAction>
#include <QDir>
#include <QPainter>
#include <QToolButton>

#include <memory>

namespace tav
{

void TFDFin::wireRecordPrinting()
{
    if (auto *print = findChild<QAction *>(QStringLiteral("MMPrint")))
        connect(print, &QAction::triggered, this, &TFDFin::MMPrintClick);
    if (auto *print = findChild<QToolButton *>(QStringLiteral("SBPrint")))
        connect(print, &QToolButton::clicked, this, &TFDFin::SBPrintClick);
}

void TFDFin::MMPrintClick()
{
    if (!recordsBound())
        return;
    TFPrintDialog dialog(this, m_table1->recordCount(), commentsLocked(),
                         [this](const PrintChoice &c) {
                             printRecords(c.wholeDatabase, c.printNotes, c.printImage);
                         });
    dialog.exec();
}

void TFDFin::SBPrintClick()
{
    if (!recordsBound())
        return;
    // Not modal: every click opens a dialog of its own and the window stays usable.
    auto *dialog = new TFPrintDialog(this, m_table1->recordCount(), commentsLocked(),
                                     [this](const PrintChoice &c) {
                                         printRecords(c.wholeDatabase, c.printNotes,
                                                      c.printImage);
                                     });
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void TFDFin::printRecords(bool wholeDatabase, bool printNotes, bool printImage)
{
    if (!recordsBound())
        return;
    print::RecordPage prototype;
    prototype.database = currentDatabase();
    // The lock may have come on while the dialog was open.
    prototype.printNotes = printNotes && !commentsLocked();
    prototype.printImage = printImage;
    if (labelsBound())
        print::readCaptions(*m_table2, prototype);
    else
        prototype.captions = QStringList(print::printedCaptionFields().size(), QString());

    PrintRequest request;
    request.owner = this;
    request.title = QStringLiteral("Print");
    request.pageLayout = print::recordPageLayout();
    if (wholeDatabase) {
        std::shared_ptr<print::DatabasePages> pages;
        try {
            pages = std::make_shared<print::DatabasePages>(
                dataDirectory(), store::files::recordsTable(prototype.database), prototype);
        } catch (const store::StoreError &error) {
            MessageBoxes::showMessage(error.message());
            return;
        }
        request.pageCount = pages->pageCount();
        if (request.pageCount == 0)
            return; // an empty table prints nothing
        request.renderPage = [pages](QPainter *painter, int page, const QRectF &area) {
            print::paintRecordPage(*painter, area, pages->page(page));
        };
    } else {
        if (m_table1->recordCount() == 0 && m_table1->state() == store::DataSetState::Browse)
            return;
        print::RecordPage page = prototype;
        page.number = QString::number(m_table1->recNo());
        print::readRecord(*m_table1, page);
        request.pageCount = 1;
        request.renderPage = [page](QPainter *painter, int, const QRectF &area) {
            print::paintRecordPage(*painter, area, page);
        };
    }
    Printing::print(request);
}

} // namespace tav
