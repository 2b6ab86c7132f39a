// The paged print form: PDF output walks every page, and the preview paints only the page
// it shows, however long the document.

#include "PagedPreview.h"
#include "Printing.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace tav;

namespace
{
PrintRequest pagedRequest(int pages, QList<int> *painted)
{
    PrintRequest request;
    request.title = QStringLiteral("Paged");
    request.pageLayout = QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
    request.pageCount = pages;
    request.renderPage = [painted](QPainter *painter, int page, const QRectF &area) {
        painted->append(page);
        painter->drawText(area, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("page %1").arg(page + 1));
    };
    return request;
}
} // namespace

class TestPagedPrint : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<test::TestEnvironment>(); }
    void cleanup()
    {
        m_env->verify();
        m_env.reset();
    }

    void pdfOutputHasEveryPageInOrder()
    {
        QList<int> painted;
        QVERIFY(Printing::print(pagedRequest(3, &painted)));
        QCOMPARE(painted, (QList<int>{0, 1, 2}));
        const QStringList pages = test::TestEnvironment::pdfText(m_env->printedFiles().at(0))
                                      .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY(pages[i].contains(QStringLiteral("page %1").arg(i + 1)));
    }

    void previewPaintsOnlyThePageShown()
    {
        QList<int> painted;
        PagedPreview preview(pagedRequest(10000, &painted));
        QCOMPARE(painted, QList<int>{0});
        QCOMPARE(preview.findChild<QLabel *>("PageCount")->text(), QStringLiteral("of 10000 pages"));
        preview.findChild<QToolButton *>("LastPage")->click();
        QCOMPARE(painted.last(), 9999);
        preview.findChild<QToolButton *>("NextPage")->click(); // stays on the last page
        preview.findChild<QSpinBox *>("PageNumber")->setValue(42);
        QCOMPARE(painted, (QList<int>{0, 9999, 41}));
        QCOMPARE(preview.currentPage(), 41);
    }

private:
    std::unique_ptr<test::TestEnvironment> m_env;
};

QTEST_MAIN(TestPagedPrint)
#include "tst_pagedprint.moc"
