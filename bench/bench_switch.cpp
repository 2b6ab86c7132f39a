// The main window on a large database, run offscreen: switching to a database of 100,000
// full records from the database list until its first record shows, moving with Next and
// Previous, and saving one changed record.
//
//   QT_QPA_PLATFORM=offscreen bench_switch [records] [extra fields in use]
//
// The extra fields in use (Nradd of the big database, default 78: every field shown) decide
// how many edit boxes each move fills.
//
// The data directory is a temporary folder under the current directory (about 180 MB,
// removed afterwards); TAV_BENCH_DIR=<folder> keeps it there and reuses the big database on
// later runs. Settings go to a file inside the data directory.

#include "BenchCommon.h"
#include "BigDatabase.h"
#include "DBControls.h"
#include "DatabaseOps.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "MessageBoxes.h"
#include "Settings.h"
#include "SuppliedFiles.h"
#include "Table.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <memory>

using namespace tav;
using bench::Figures;
using bench::kBig;
using bench::ms;
using bench::out;
namespace cat = store::catalogue;

namespace
{

// The user's choice in the database list, then the events that show it.
void choose(TFDFin &window, const QString &name)
{
    auto *list = window.findChild<QComboBox *>(QStringLiteral("ComboBox1"));
    const int index = list->findText(name);
    list->setCurrentIndex(index);
    emit list->activated(index);
    QCoreApplication::processEvents();
}

// A key typed into a record edit box, as the user types it.
void typeKey(QWidget *box, QChar character)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(character));
    QCoreApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(character));
    QCoreApplication::sendEvent(box, &release);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const int extraFields = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : cat::kExtraFields;

    std::unique_ptr<QTemporaryDir> temporary;
    QString dataDir = qEnvironmentVariable("TAV_BENCH_DIR");
    if (dataDir.isEmpty()) {
        temporary = std::make_unique<QTemporaryDir>(QDir::current().filePath(
            QStringLiteral("bench_switch-XXXXXX")));
        dataDir = temporary->path();
    }
    QDir().mkpath(dataDir);
    dataDir = QDir(dataDir).absolutePath();
    QDir::setCurrent(dataDir);
    Settings::setFilePath(QDir(dataDir).filePath(QStringLiteral("bench.ini")));
    Settings::writeInt(QStringLiteral("displayw"), 1); // no start-up wizard
    Settings::sync();
    MessageBoxes::setHandler([](const MessageRequest &request) {
        out() << "unexpected message: " << request.text << "\n";
        return int(MsgCancel);
    });

    store::ensureSuppliedFiles(dataDir);
    if (!QFile::exists(QDir(dataDir).filePath(store::files::recordsTable(kBig))))
        bench::createBigDatabase(dataDir, records);
    {
        store::Table labels;
        labels.setDirectory(dataDir);
        labels.setTableName(store::files::labelsTable(kBig));
        labels.open();
        labels.edit();
        labels.setAsInteger(QStringLiteral("Nradd"), extraFields);
        labels.post();
    }

    TFDFin window;
    window.FormCreate();
    window.show();
    QCoreApplication::processEvents();

    // Switching: MASTER first, then BIG from the list, and back.
    Figures toBig, toMaster;
    for (int run = 0; run < 10; ++run) {
        QElapsedTimer timer;
        timer.start();
        choose(window, store::files::kMaster);
        toMaster.add(ms(timer));
        timer.restart();
        choose(window, kBig);
        toBig.add(ms(timer));
    }
    out() << QStringLiteral("records in %1: %2, extra fields in use: %3\n")
                 .arg(kBig)
                 .arg(window.table1()->recordCount())
                 .arg(window.extraFieldCount());
    out() << "switch MASTER -> BIG until its first record shows: " << toBig.text() << "\n";
    out() << "switch BIG -> MASTER: " << toMaster.text() << "\n";

    // Moving: the handlers, and the handlers with the repaint that follows.
    const auto timeMoves = [&](const char *name, void (TFDFin::*handler)(), bool paint) {
        Figures figures;
        for (int i = 0; i < 1000; ++i) {
            QElapsedTimer timer;
            timer.start();
            (window.*handler)();
            if (paint)
                QCoreApplication::processEvents();
            figures.add(ms(timer));
        }
        out() << name << (paint ? " with repaint: " : ": ") << figures.text() << "\n";
    };
    window.SBFirstClick();
    timeMoves("Next x1000", &TFDFin::SBNextClick, false);
    timeMoves("Previous x1000", &TFDFin::SBPrevClick, false);
    timeMoves("Next x1000", &TFDFin::SBNextClick, true);
    timeMoves("Previous x1000", &TFDFin::SBPrevClick, true);

    // Saving one changed record, changed through its edit box.
    auto *box = window.findChild<DBEdit *>(QStringLiteral("EditFirstName"));
    Figures saves;
    for (int run = 0; run < 50; ++run) {
        window.SBNextClick();
        box->end(false);
        typeKey(box, QChar(u'a' + run % 26));
        if (window.dataSource1()->state() != store::DataSetState::Edit) {
            out() << "typing did not start editing\n";
            return 1;
        }
        QElapsedTimer timer;
        timer.start();
        window.SBSaveClick();
        saves.add(ms(timer));
        if (window.dataSource1()->state() != store::DataSetState::Browse) {
            out() << "the record was not saved\n";
            return 1;
        }
    }
    out() << "Save of one changed record: " << saves.text() << "\n";
    out().flush();
    return 0;
}
