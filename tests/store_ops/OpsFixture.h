#pragma once
// Small tables for the operation tests, built in a temporary data directory: a records table
// whose every field holds a value naming the field and the record ("Phone 3"), a labels row
// whose every caption names its field ("cap Phone"), and attachment rows.

#include "Table.h"

#include <QDate>
#include <QPair>
#include <QTemporaryDir>
#include <QVector>

namespace tav::test {

using AttachmentRows = QVector<QPair<int, QString>>; // (Number, FileName)

class OpsFixture
{
public:
    OpsFixture(); // QVERIFY-style checks are left to the caller: see isValid()
    bool isValid() const { return m_dir.isValid(); }
    QString dataDir() const { return m_dir.path(); }
    QString path(const QString &fileName) const;

    // The value the fixture writes into `field` of record `number`.
    static QString valueOf(const QString &field, int number);
    static QByteArray pictureOf(int number);
    static QString captionOf(const QString &labelsField)
    {
        return QStringLiteral("cap ") + labelsField;
    }
    static QDate dateOf(int number) { return QDate(2020, 1, number); }

    // Writes the records table `fileName` with `count` records, every field filled.
    void writeRecords(const QString &fileName, int count) const;
    // Writes the labels table with one row: every caption filled, Nradd = nradd.
    void writeLabels(const QString &fileName, int nradd) const;
    void writeAttachments(const QString &fileName, const AttachmentRows &rows) const;

    // Attachment rows in Number order (then as written).
    AttachmentRows readAttachments(const QString &fileName) const;
    // Every field of every record as text (Image and Res17 as their bytes), in table order.
    QVector<QVariantList> readAll(const QString &fileName) const;
    // The single labels row.
    QVariantList readLabels(const QString &fileName) const;
    // Runs SQL on a table file through the engine (e.g. to install a failing trigger).
    void execute(const QString &fileName, const QString &sql) const;

private:
    QTemporaryDir m_dir;
};

} // namespace tav::test
