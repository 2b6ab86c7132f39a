#include "ExportText.h"

#include "Dataset.h"
#include "FieldCatalogue.h"
#include "Sqlite.h"
#include "TableFormat.h"

#include <QSaveFile>

#include <sqlite3.h>

namespace tav::exchange {

namespace cat = store::catalogue;
using store::StoreError;

namespace {

constexpr qint64 kFlushSize = 1 << 20;

// Positions 78..94, then the extra fields in use.
QVector<int> exportedPositions(int nradd)
{
    QVector<int> positions;
    for (int pos = cat::kPosDate; pos <= cat::kLastFixed; ++pos)
        positions << pos;
    for (int pos = 0; pos < qBound(0, nradd, cat::kExtraFields); ++pos)
        positions << pos;
    return positions;
}

QString selectText(const store::TableSchema &schema, const QVector<int> &positions)
{
    QStringList columns;
    for (int pos : positions) {
        const QString field = cat::recordField(pos);
        bool present = false;
        for (const store::FieldDef &def : schema)
            present = present || def.name.compare(field, Qt::CaseInsensitive) == 0;
        if (pos == cat::kPosCount)
            columns << QStringLiteral("NULL"); // the position, counted while walking
        else
            columns << (present ? store::sql::quoted(field) : QStringLiteral("''"));
    }
    return QStringLiteral("SELECT %1 FROM main.data ORDER BY Count, _rk")
        .arg(columns.join(QLatin1Char(',')));
}

struct RawStatement {
    RawStatement(store::sql::Connection &db, const QString &sqlText)
    {
        if (sqlite3_prepare_v2(db.handle(), sqlText.toUtf8().constData(), -1, &stmt, nullptr) !=
            SQLITE_OK)
            db.fail(QStringLiteral("Cannot read %1").arg(db.path()));
    }
    ~RawStatement() { sqlite3_finalize(stmt); }
    RawStatement(const RawStatement &) = delete;
    RawStatement &operator=(const RawStatement &) = delete;
    sqlite3_stmt *stmt = nullptr;
};

} // namespace

ExportResult exportRecords(const QString &recordsPath, int nradd, QChar separator,
                           const QString &outputPath, const Progress &progress)
{
    store::TableSchema schema;
    const auto db = store::format::openTable(recordsPath, true, schema);
    const QVector<int> positions = exportedPositions(nradd);
    qint64 recordCount = 0;
    {
        store::sql::Stmt count = db->prepare(QStringLiteral("SELECT COUNT(*) FROM main.data"));
        if (count.step())
            recordCount = count.int64(0);
    }
    // Read with the C API, so column bytes go to the file without conversions.
    RawStatement select(*db, selectText(schema, positions));
    sqlite3_stmt *stmt = select.stmt;

    ExportResult result;
    if (outputPath.isEmpty()) {
        result.status = ExportStatus::CannotOpenOutput;
        return result;
    }
    QSaveFile out(outputPath);
    if (!out.open(QIODevice::WriteOnly)) {
        result.status = ExportStatus::CannotOpenOutput;
        result.error = out.errorString();
        return result;
    }

    const QByteArray sep = QString(separator).toUtf8();
    const int columns = int(positions.size());
    QByteArray buffer;
    buffer.reserve(kFlushSize + 64 * 1024);
    QByteArray lastIso;
    QByteArray lastDate;
    ProgressThrottle throttle(progress, recordCount);
    throttle.report(0);
    auto fail = [&](ExportResult &r) {
        r.status = ExportStatus::WriteFailed;
        r.error = out.errorString();
        out.cancelWriting();
        return r;
    };
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            if (c == 1) {
                buffer += QByteArray::number(result.records + 1);
            } else {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
                const int size = sqlite3_column_bytes(stmt, c);
                if (!text || size == 0) {
                    buffer += ' ';
                } else if (c == 0) {
                    const QByteArray iso(text, size);
                    if (iso != lastIso) {
                        lastIso = iso;
                        const QDate date = QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
                        lastDate = date.isValid() ? store::formatDisplayDate(date).toUtf8() : iso;
                    }
                    buffer += lastDate;
                } else {
                    buffer.append(text, size);
                }
            }
            buffer += sep;
        }
        buffer += '\n';
        ++result.records;
        if (buffer.size() >= kFlushSize) {
            if (out.write(buffer) != buffer.size())
                return fail(result);
            buffer.clear();
        }
        throttle.report(result.records);
    }
    if (rc != SQLITE_DONE)
        db->fail(QStringLiteral("Cannot read %1").arg(recordsPath));
    if (out.write(buffer) != buffer.size())
        return fail(result);
    if (!out.commit()) {
        result.status = ExportStatus::WriteFailed;
        result.error = out.errorString();
    }
    return result;
}

} // namespace tav::exchange
