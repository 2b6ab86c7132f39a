// The file-dialog and printing seams: the filter lists dialogs are written with, and the
// print requests tests turn into PDF files.

#include "FileDialogs.h"
#include "Printing.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QFileDialog>
#include <QPainter>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tav;

class TestSeams : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<test::TestEnvironment>(); }
    void cleanup()
    {
        m_env->verify();
        m_env.reset();
    }

    void filterFromPipes_data()
    {
        QTest::addColumn<QString>("pipes");
        QTest::addColumn<QString>("qt");
        QTest::newRow("one") << "Text file (tab delimited)|*.txt" << "Text file (tab delimited) (*.txt)";
        QTest::newRow("pattern in description") << "All files (*.*)|*.*" << "All files (*.*)";
        QTest::newRow("several patterns") << "Pictures|*.bmp;*.jpg|All|*"
                                          << "Pictures (*.bmp *.jpg);;All (*)";
        QTest::newRow("empty") << "" << "";
    }
    void filterFromPipes()
    {
        QFETCH(QString, pipes);
        QFETCH(QString, qt);
        QCOMPARE(FileDialogs::filterFromPipes(pipes), qt);
    }

    void requestCarriesFilterIndexAndSuffix()
    {
        m_env->answerFileDialog(QStringLiteral("/tmp/out.doc"));
        FileDialogRequest request;
        request.kind = FileDialogKind::Save;
        request.filter = QStringLiteral("A (*.txt);;B (*.doc)");
        request.filterIndex = 2;
        request.defaultSuffix = QStringLiteral("doc");
        QCOMPARE(FileDialogs::choose(request), QStringLiteral("/tmp/out.doc"));
        QCOMPARE(m_env->fileRequests().size(), 1);
        QCOMPARE(m_env->fileRequests().at(0).filterIndex, 2);
        QCOMPARE(m_env->fileRequests().at(0).defaultSuffix, QStringLiteral("doc"));
    }

    // The real dialog opens on the requested filter and adds the default suffix.
    void realDialogSelectsFilterAndAddsSuffix()
    {
        FileDialogs::setHandler({});
        const QString dir = m_env->dataDir();
        QString selectedFilter;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            selectedFilter = dialog->selectedNameFilter();
            dialog->selectFile(QStringLiteral("report"));
            static_cast<QDialog *>(dialog)->accept();
        });
        FileDialogRequest request;
        request.kind = FileDialogKind::Save;
        request.directory = dir;
        request.filter = QStringLiteral("Text (*.txt);;Word (*.doc)");
        request.filterIndex = 2;
        request.defaultSuffix = QStringLiteral("doc");
        const QString chosen = FileDialogs::choose(request);
        QCOMPARE(selectedFilter, QStringLiteral("Word (*.doc)"));
        QCOMPARE(chosen, dir + QStringLiteral("/report.doc"));
    }

    void printRequestBecomesPdfPages()
    {
        PrintRequest request;
        request.title = QStringLiteral("Seam");
        request.pageLayout = QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
        request.render = [](QPrinter *printer) {
            QPainter painter(printer);
            painter.drawText(100, 100, QStringLiteral("first page"));
            printer->newPage();
            painter.drawText(100, 100, QStringLiteral("second page"));
        };
        QVERIFY(Printing::print(request));
        QCOMPARE(m_env->printedFiles().size(), 1);
        const QString text = test::TestEnvironment::pdfText(m_env->printedFiles().at(0));
        QCOMPARE(text.split(QLatin1Char('\f'), Qt::SkipEmptyParts).size(), 2);
        QVERIFY(text.contains(QStringLiteral("second page")));
        QCOMPARE(m_env->printRequests().at(0).title, QStringLiteral("Seam"));
    }

    void printWithoutRendererFails()
    {
        QVERIFY(!Printing::print(PrintRequest{}));
        QVERIFY(m_env->printedFiles().isEmpty());
    }

private:
    std::unique_ptr<test::TestEnvironment> m_env;
};

QTEST_MAIN(TestSeams)
#include "tst_seams.moc"
