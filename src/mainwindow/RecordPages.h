#pragma once
// The printed page of a record, without a window: what one page holds, how it is laid out
// on Letter paper, and the pages of a whole database read through a query of their own
// (one record read per page painted, so a long database opens at once). The record number
// printed is the record's position in the table's order.

#include "Query.h"

#include <QImage>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <memory>

class QPainter;
class QRectF;

namespace tav::print
{

// One page: the captions and values of Date and the fixed fields 80..94, in page order.
struct RecordPage {
    QString database;
    QString number;
    QStringList captions;
    QStringList values;
    QString commentsCaption;
    QString comments; // empty when notes are not printed
    QImage image;     // null when the image is not printed or there is none
    bool printNotes = true;
    bool printImage = true;
};

// The record fields and the labels fields printed, in page order.
QStringList printedFields();
QStringList printedCaptionFields();

// Letter, portrait, 12.7 mm margins.
QPageLayout recordPageLayout();

// Fills captions from the current row of a labels set (missing captions stay empty).
void readCaptions(const store::Dataset &labels, RecordPage &page);
// Fills values, comments and image from the current record of `records` (its buffer while
// it is being edited); comments and image only when the page prints them.
void readRecord(const store::Dataset &records, RecordPage &page);

// Paints the page into `area` (painter coordinates, the paper inside its margins).
void paintRecordPage(QPainter &painter, const QRectF &area, const RecordPage &page);

// Every record of a records table, one page each, in the table's order.
class DatabasePages
{
public:
    // `prototype` gives the database name, captions and the notes and image choices.
    // StoreError when the table cannot be opened.
    DatabasePages(const QString &directory, const QString &recordsFile, RecordPage prototype);
    int pageCount() const;
    // Page `index` (0-based); a record removed meanwhile gives a page saying so.
    RecordPage page(int index);

private:
    std::unique_ptr<store::Query> m_records;
    RecordPage m_prototype;
};

} // namespace tav::print
