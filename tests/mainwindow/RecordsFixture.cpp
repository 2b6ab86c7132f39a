#include "RecordsFixture.h"

#include "FileNames.h"
#include "MainWindowFixture.h"
#include "SuppliedFiles.h"
#include "Table.h"

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
store::Table *openAttachments(const QString &dataDir, store::Table &table)
{
    const QDir dir(dataDir);
    const QString path = dir.filePath(files::attachmentsTable(files::kMaster));
    if (!QFileInfo::exists(path))
        QFile::copy(dir.filePath(files::kAttachmentsTemplate), path);
    table.setTableName(path);
    table.open();
    return &table;
}
} // namespace

void addAttachments(const QString &dataDir, const QList<QPair<int, QString>> &rows)
{
    store::Table table;
    openAttachments(dataDir, table)->transaction([&] {
        for (const auto &row : rows) {
            table.append();
            table.setValue(QStringLiteral("Number"), row.first);
            table.setValue(QStringLiteral("FileName"), row.second);
            table.post();
        }
    });
}

QString attachmentRows(const QString &dataDir)
{
    store::Table table;
    return openAttachments(dataDir, table)
        ->selectValue(QStringLiteral("SELECT group_concat(r, ',') FROM (SELECT Number || ':' || "
                                     "FileName AS r FROM data ORDER BY Number, FileName)"))
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
