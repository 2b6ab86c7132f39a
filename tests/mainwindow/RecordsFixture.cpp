#include "RecordsFixture.h"

#include "FileNames.h"
#include "MainWindowFixture.h"
#include "SuppliedFiles.h"
#include "Table.h"
#include "TableFormat.h"
#include "AttachedTable.h"
#include "RecordOps.h"

#include <QAbstractButton>
#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <limits>
#include <memory>

namespace tav::test
{

namespace files = store::files;

void fillMaster(const QString &dataDir, int count,
                const std::function<void(store::Table &, int)> &fill, int nradd)
{
    store::ensureSuppliedFiles(dataDir);
    store::Table records;
    records.setDirectory(dataDir);
    records.setTableName(files::recordsTable(files::kMaster));
    records.open();
    records.emptyTable();
    records.transaction([&] {
        for (int n = 1; n <= count; ++n) {
            records.append();
            records.setAsDate(QStringLiteral("Date"), QDate(2001, 3, 1));
            records.setValue(QStringLiteral("FirstName"), QStringLiteral("F%1").arg(n));
            records.setValue(QStringLiteral("LastName"), QStringLiteral("L%1").arg(n));
            if (fill)
                fill(records, n);
            records.post();
        }
    });
    setNradd(dataDir, files::kMaster, nradd);
}

namespace
{
// MASTER's records with its attachments table attached as "att".
struct MasterWithAttachments {
    explicit MasterWithAttachments(const QString &dataDir)
    {
        const QDir dir(dataDir);
        const QString path = dir.filePath(files::attachmentsTable(files::kMaster));
        if (!QFileInfo::exists(path))
            QFile::copy(dir.filePath(files::kAttachmentsTemplate), path);
        records.setDirectory(dataDir);
        records.setTableName(files::recordsTable(files::kMaster));
        records.open();
        attached = std::make_unique<store::ops::AttachedTable>(records, QStringLiteral("att"), path);
    }
    store::Table records;
    std::unique_ptr<store::ops::AttachedTable> attached;
};
} // namespace

void addAttachments(const QString &dataDir, const QList<QPair<int, QString>> &rows)
{
    MasterWithAttachments master(dataDir);
    master.records.transaction([&] {
        for (const auto &row : rows)
            master.records.execute(
                QStringLiteral("INSERT INTO att.data(Number, FileName) VALUES (?, ?)"),
                {store::ops::attachmentNumber(master.records, row.first), row.second});
    });
}

QString attachmentRows(const QString &dataDir)
{
    MasterWithAttachments master(dataDir);
    const QString owner =
        master.records.fileVersion() >= store::format::kRowKeyAttachmentsVersion
            ? QStringLiteral("(SELECT n FROM (SELECT _rk, ROW_NUMBER() OVER (ORDER BY Count, _rk) "
                             "AS n FROM main.data) WHERE _rk = a.Number)")
            : QStringLiteral("(SELECT a.Number WHERE a.Number BETWEEN 1 AND "
                             "(SELECT COUNT(*) FROM main.data))");
    return master.records
        .selectValue(QStringLiteral("SELECT group_concat(r, ',') FROM (SELECT COALESCE(p, "
                                    "'?' || Number) || ':' || FileName AS r FROM (SELECT %1 AS p, "
                                    "a.Number, a.FileName FROM att.data AS a) "
                                    "ORDER BY p IS NULL, p, FileName)")
                         .arg(owner))
        .toString();
}

QString storedColumn(const QString &dataDir, const QString &field)
{
    store::Table records;
    records.setDirectory(dataDir);
    records.setTableName(files::recordsTable(files::kMaster));
    records.open();
    QStringList values;
    qint64 previous = std::numeric_limits<qint64>::min();
    for (records.first(); !records.eof(); records.next()) {
        // Two records sharing an order key would be ordered by chance.
        const qint64 key = records.value(QStringLiteral("Count")).toLongLong();
        if (records.isNull(QStringLiteral("Count")) || key <= previous)
            return QStringLiteral("Count %1 at position %2").arg(key).arg(records.recNo());
        previous = key;
        values << records.asString(field);
    }
    return values.join(QLatin1Char(','));
}

QWidget *control(TFDFin *w, const char *name)
{
    return w->findChild<QWidget *>(QString::fromLatin1(name));
}

QString text(TFDFin *w, const char *name)
{
    QWidget *widget = control(w, name);
    if (auto *memo = qobject_cast<QPlainTextEdit *>(widget))
        return memo->toPlainText();
    return qobject_cast<QLineEdit *>(widget)->text();
}

void trigger(TFDFin *w, const char *menuItem)
{
    QAction *action = w->findChild<QAction *>(QString::fromLatin1(menuItem));
    QVERIFY2(action && action->isEnabled(), menuItem);
    action->trigger();
}

void click(TFDFin *w, const char *button)
{
    auto *b = w->findChild<QAbstractButton *>(QString::fromLatin1(button));
    QVERIFY2(b && b->isEnabled(), button);
    b->click();
}

void showRecord(TFDFin *w, int number)
{
    w->table1()->setRecNo(number);
}

} // namespace tav::test
