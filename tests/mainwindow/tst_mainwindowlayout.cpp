// The main window as the user sees it: field rows aligned in one column of captions and
// one of edit boxes, no control covering another, every caption readable in full. With
// TAV_SCREENSHOT=<file.png> the window with a filled database is saved as a picture.

#include "DBControls.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "MainWindowFixture.h"
#include "SuppliedFiles.h"
#include "Table.h"
#include "TestEnvironment.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QTabWidget>
#include <QTest>
#include <memory>

using namespace tav;
using namespace tav::test;
namespace cat = tav::store::catalogue;
namespace files = tav::store::files;

namespace
{
QByteArray samplePicture()
{
    QImage picture(240, 180, QImage::Format_RGB32);
    QPainter p(&picture);
    QLinearGradient sky(0, 0, 0, 180);
    sky.setColorAt(0, QColor(120, 170, 225));
    sky.setColorAt(1, QColor(220, 235, 250));
    p.fillRect(picture.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 140, 70));
    p.drawEllipse(QRectF(-60, 120, 380, 140));
    p.setBrush(QColor(250, 220, 90));
    p.drawEllipse(QRectF(170, 22, 36, 36));
    p.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return png;
}

// MASTER as a small address book with six extra fields in use.
void fillSampleDatabase(const QString &dataDir)
{
    store::ensureSuppliedFiles(dataDir);
    store::Table labels;
    labels.setDirectory(dataDir);
    labels.setTableName(files::labelsTable(files::kMaster));
    labels.open();
    labels.edit();
    labels.setAsInteger(QStringLiteral("Nradd"), 6);
    const QStringList extra = {"Birthday", "Company", "Position", "Mobile", "Partner", "Notes"};
    for (int p = 0; p < extra.size(); ++p)
        labels.setValue(cat::labelsField(p), extra.at(p));
    labels.post();

    store::Table records;
    records.setDirectory(dataDir);
    records.setTableName(files::recordsTable(files::kMaster));
    records.open();
    records.first();
    const QList<QStringList> people = {
        {"C-1001",
         "Joanne",
         "Miller",
         "+1 555 0134",
         "+1 555 0135",
         "joanne.miller@example.org",
         "www.example.org/miller",
         "14 Harbour Road",
         "Portsmouth",
         "United Kingdom",
         "Customer",
         "Newsletter",
         "",
         "",
         "",
         "12 March",
         "Miller & Sons",
         "Buyer",
         "+44 7700 900123",
         "David",
         "Prefers e-mail"},
        {"C-1002",    "Anna",
         "Berg",      "+46 8 555 01",
         "",          "anna.berg@example.net",
         "",          "Sveavagen 5",
         "Stockholm", "Sweden",
         "Supplier",  "",
         "",          "",
         "",          "2 July",
         "Berg AB",   "Owner",
         "",          "",
         ""},
        {"C-1003",
         "Peter",
         "Smith",
         "+1 555 0199",
         "",
         "p.smith@example.com",
         "",
         "77 Elm Street",
         "Springfield",
         "USA",
         "",
         "",
         "",
         "",
         "",
         "",
         "",
         "",
         "",
         "",
         ""},
    };
    for (int r = 0; r < people.size(); ++r) {
        if (r == 0)
            records.edit();
        else
            records.append();
        records.setValue(QStringLiteral("Date"), QDate(2024, 3 + r, 11 + r));
        int column = 0;
        for (int pos = cat::kFirstFixed; pos <= cat::kLastFixed; ++pos)
            records.setValue(cat::recordField(pos), people[r].at(column++));
        for (int pos = 0; pos < 6; ++pos)
            records.setValue(cat::recordField(pos), people[r].at(column++));
        if (r == 0) {
            records.setValue(
                QStringLiteral("Comments"),
                QStringLiteral("Met at the spring trade fair.\nWants the new catalogue "
                               "in April; call back after the holidays."));
            records.setValue(QStringLiteral("Image"), samplePicture());
        }
        records.post();
    }
}

QList<QWidget *> shownChildren(QWidget *parent)
{
    QList<QWidget *> shown;
    for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && !child->isWindow())
            shown << child;
    return shown;
}

bool isQtPart(const QWidget *w)
{
    return w->objectName().startsWith(QLatin1String("qt_"));
}

// Siblings placed by the window's layouts never cover each other.
void checkNoOverlap(QWidget *parent)
{
    const QList<QWidget *> children = shownChildren(parent);
    for (int i = 0; i < children.size(); ++i) {
        for (int j = i + 1; j < children.size(); ++j) {
            QWidget *a = children[i], *b = children[j];
            if (isQtPart(a) || isQtPart(b))
                continue;
            QVERIFY2(!a->geometry().intersects(b->geometry()),
                     qPrintable(QStringLiteral("%1 overlaps %2 in %3")
                                    .arg(a->objectName(), b->objectName(), parent->objectName())));
        }
        checkNoOverlap(children[i]);
        if (QTest::currentTestFailed())
            return;
    }
}

// Captions of labels, buttons and caption boxes are shown in full.
void checkTextFits(QWidget *root)
{
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (!w->isVisible())
            continue;
        const QString name = w->objectName().isEmpty()
                                 ? QString::fromLatin1(w->metaObject()->className())
                                 : w->objectName();
        if (auto *label = qobject_cast<QLabel *>(w);
            label && !label->wordWrap() && !label->text().isEmpty())
            QVERIFY2(label->width() >= label->minimumSizeHint().width(),
                     qPrintable(name + ": " + label->text()));
        if (auto *button = qobject_cast<QAbstractButton *>(w); button && !button->text().isEmpty())
            QVERIFY2(button->width() >= button->sizeHint().width(),
                     qPrintable(name + ": " + button->text()));
        if (auto *box = qobject_cast<DBEdit *>(w); box && !box->text().isEmpty())
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) + 8 <= box->width(),
                     qPrintable(name + ": " + box->text()));
    }
}

int leftIn(QWidget *window, QWidget *w)
{
    return w->mapTo(window, QPoint(0, 0)).x();
}
int rightIn(QWidget *window, QWidget *w)
{
    return w->mapTo(window, QPoint(w->width(), 0)).x();
}
} // namespace

class TestMainWindowLayout : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void databasePageRowsAlign()
    {
        fillSampleDatabase(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));

        // Caption column and edit column line up above and inside the scroll box.
        const ControlTables &t = w->controls();
        QList<int> rows;
        for (int p = cat::kFirstFixed; p <= cat::kLastFixed; ++p)
            rows << p;
        for (int p = 0; p < w->extraFieldCount(); ++p)
            rows << p;
        QWidget *window = w.get();
        auto *created = w->findChild<QWidget *>(QStringLiteral("Label2"));
        QCOMPARE(leftIn(window, created), leftIn(window, t.captionBoxes[cat::kFirstFixed]));
        for (int p : rows) {
            const QString at = QStringLiteral(" (position %1)").arg(p);
            QCOMPARE(QString::number(leftIn(window, t.captionBoxes[p])) + at,
                     QString::number(leftIn(window, t.captionBoxes[cat::kFirstFixed])) + at);
            QCOMPARE(QString::number(t.captionBoxes[p]->width()) + at,
                     QString::number(t.captionBoxes[cat::kFirstFixed]->width()) + at);
            QCOMPARE(QString::number(leftIn(window, t.recordEdits[p])) + at,
                     QString::number(leftIn(window, t.recordEdits[cat::kFirstFixed])) + at);
            QCOMPARE(QString::number(rightIn(window, t.recordEdits[p])) + at,
                     QString::number(rightIn(window, t.recordEdits[cat::kFirstFixed])) + at);
        }
        QCOMPARE(leftIn(window, t.recordEdits[cat::kPosDate]),
                 leftIn(window, t.recordEdits[cat::kFirstFixed]));

        // The scroll box ends about a row after the last shown extra field: hidden rows
        // take no room, so it cannot be scrolled into empty space.
        QWidget *lastShown = t.recordEdits[w->extraFieldCount() - 1];
        auto *contents = w->findChild<QWidget *>(QStringLiteral("ScrollBox3Contents"));
        const int end = lastShown->geometry().bottom() + 2 * lastShown->height();
        QVERIFY2(contents->minimumSizeHint().height() <= end,
                 qPrintable(QStringLiteral("%1 > %2").arg(contents->minimumSizeHint().height())
                                .arg(end)));

        if (const QString shot = qEnvironmentVariable("TAV_SCREENSHOT"); !shot.isEmpty()) {
            QCoreApplication::processEvents(); // the picture box is laid out once shown
            w->findChild<DBImage *>(QStringLiteral("EditImage"))->settlePicture();
            QVERIFY(w->grab().save(shot));
        }
    }

    void pagesHaveNoOverlapAndReadableCaptions_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("Database") << 0;
        QTest::newRow("Report") << 1;
    }

    void pagesHaveNoOverlapAndReadableCaptions()
    {
        QFETCH(int, page);
        fillSampleDatabase(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto *pages = w->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
        pages->setCurrentIndex(page);
        QTRY_VERIFY(pages->currentWidget()->isVisible());

        checkNoOverlap(pages->currentWidget());
        checkNoOverlap(w->findChild<QWidget *>(QStringLiteral("Panel1")));
        checkTextFits(pages->currentWidget());
        checkTextFits(w->findChild<QWidget *>(QStringLiteral("Panel1")));

        if (const QString shot = qEnvironmentVariable("TAV_SCREENSHOT");
            !shot.isEmpty() && page > 0)
            QVERIFY(w->grab().save(QString(shot).replace(QLatin1String(".png"),
                                                         QStringLiteral("-page%1.png").arg(page))));
    }
};

QTEST_MAIN(TestMainWindowLayout)
#include "tst_mainwindowlayout.moc"
