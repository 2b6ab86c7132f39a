// Printing a whole database of many records: how long until the preview can show its first
// page (the pages are painted one at a time, as the preview shows them), next to painting
// every page up front into a PDF, as a preview that lays out the whole document would.
//
//   cd /tmp && QT_QPA_PLATFORM=offscreen /path/to/build/bin/bench_print          # 10,000 records
//   cd /tmp && QT_QPA_PLATFORM=offscreen /path/to/build/bin/bench_print 2000

#include "BenchCommon.h"
#include "FileNames.h"
#include "PagedPreview.h"
#include "Printing.h"
#include "RecordPages.h"
#include "SuppliedFiles.h"

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>

using namespace tav;
using namespace tav::bench;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int records = argc > 1 ? QByteArray(argv[1]).toInt() : 10000;
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench_print_XXXXXX"));
    store::ensureSuppliedFiles(dir.path());
    const QString file = store::files::recordsTable(store::files::kMaster);
    {
        store::Table table;
        table.setDirectory(dir.path());
        table.setTableName(file);
        table.open();
        table.emptyTable(); // the supplied MASTER may hold a record of its own
        QElapsedTimer fill;
        fill.start();
        table.transaction([&] {
            for (int i = 1; i <= records; ++i)
                appendFullRecord(table, i, QStringLiteral("Notes of the record "));
        });
        out() << "filled " << records << " records in " << ms(fill) << " ms\n";
    }

    print::RecordPage prototype;
    prototype.database = store::files::kMaster;
    prototype.captions = QStringList(print::printedCaptionFields().size(), QStringLiteral("Caption"));
    prototype.commentsCaption = QStringLiteral("Comments");

    QElapsedTimer first;
    first.start();
    auto pages = std::make_shared<print::DatabasePages>(dir.path(), file, prototype);
    PrintRequest request;
    request.pageLayout = print::recordPageLayout();
    request.pageCount = pages->pageCount();
    request.renderPage = [pages](QPainter *painter, int page, const QRectF &area) {
        print::paintRecordPage(*painter, area, pages->page(page));
    };
    const QImage image = PagedPreview::pageImage(request, 0, 96);
    out() << "preview: first of " << request.pageCount << " pages shown after " << ms(first)
          << " ms (target < 1000 ms)\n";

    QElapsedTimer middle;
    middle.start();
    for (int i = 0; i < 20; ++i)
        PagedPreview::pageImage(request, request.pageCount / 2 + i, 96);
    out() << "preview: one more page " << ms(middle) / 20 << " ms\n";

    QElapsedTimer all;
    all.start();
    Printing::renderToPdf(request, dir.filePath(QStringLiteral("all.pdf")));
    out() << "every page up front into a PDF: " << ms(all) << " ms ("
          << QFileInfo(dir.filePath(QStringLiteral("all.pdf"))).size() / 1024 << " KB)\n";
    out().flush();
    return image.isNull() ? 1 : 0;
}
