#include "RecordPages.h"

#include "FieldCatalogue.h"
#include "ImageLoading.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextOption>

namespace tav::print
{

namespace cat = store::catalogue;

namespace
{
QList<int> printedPositions()
{
    QList<int> positions{cat::kPosDate};
    for (int pos = cat::kFirstFixed; pos <= cat::kLastFixed; ++pos)
        positions << pos;
    return positions;
}

QString textOf(const store::Dataset &set, const QString &field)
{
    try {
        return set.hasField(field) ? set.asString(field) : QString();
    } catch (const store::StoreError &) {
        return {};
    }
}

QFont font(qreal points, bool bold = false)
{
    QFont f(QStringLiteral("Sans Serif"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}
} // namespace

QStringList printedFields()
{
    QStringList fields;
    for (int pos : printedPositions())
        fields << cat::recordField(pos);
    return fields;
}

QStringList printedCaptionFields()
{
    QStringList fields;
    for (int pos : printedPositions())
        fields << cat::labelsField(pos);
    return fields;
}

QPageLayout recordPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                       QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
}

void readCaptions(const store::Dataset &labels, RecordPage &page)
{
    page.captions.clear();
    for (const QString &field : printedCaptionFields())
        page.captions << textOf(labels, field);
    page.commentsCaption = textOf(labels, cat::labelsField(cat::kPosComments));
}

void readRecord(const store::Dataset &records, RecordPage &page)
{
    page.values.clear();
    for (const QString &field : printedFields())
        page.values << textOf(records, field);
    page.comments = page.printNotes ? textOf(records, QStringLiteral("Comments")) : QString();
    page.image = QImage();
    if (page.printImage) {
        QByteArray bytes;
        try {
            bytes = records.asBytes(QStringLiteral("Image"));
        } catch (const store::StoreError &) {
        }
        page.image = QImage::fromData(bytes);
        if (page.image.isNull() && !bytes.isEmpty())
            page.image = decodePcx(bytes);
    }
}

void paintRecordPage(QPainter &painter, const QRectF &area, const RecordPage &page)
{
    const qreal dpi = painter.device()->logicalDpiY();
    const auto in = [dpi](qreal inches) { return inches * dpi; };
    painter.save();
    painter.translate(area.topLeft());
    painter.setPen(Qt::black);

    const qreal line = in(0.25);
    painter.setFont(font(12, true));
    painter.drawText(QRectF(0, 0, in(1.1), line), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("DATABASE:"));
    painter.drawText(QRectF(in(1.2), 0, in(4.5), line), Qt::AlignLeft | Qt::AlignVCenter,
                     page.database);
    painter.setFont(font(10));
    painter.drawText(QRectF(0, in(0.4), in(1.3), line), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Record Number :"));
    painter.drawText(QRectF(in(1.4), in(0.4), in(1.5), line), Qt::AlignLeft | Qt::AlignVCenter,
                     page.number);

    // The picture in the top right corner, 100 screen pixels wide.
    const qreal imageWidth = in(100.0 / 96.0);
    if (page.printImage && !page.image.isNull()) {
        QSizeF size = page.image.size();
        size.scale(imageWidth, in(1.5), Qt::KeepAspectRatio);
        painter.drawImage(QRectF(QPointF(area.width() - size.width(), 0), size), page.image);
    }

    const qreal top = in(0.9);
    const qreal valueLeft = in(1.9);
    const qreal valueWidth = area.width() - valueLeft - imageWidth - in(0.1);
    for (int i = 0; i < page.values.size(); ++i) {
        const qreal y = top + i * line;
        painter.setFont(font(10, true));
        painter.drawText(QRectF(0, y, in(1.8), line), Qt::AlignLeft | Qt::AlignVCenter,
                         page.captions.value(i));
        painter.setFont(font(10));
        const QString value = QFontMetricsF(painter.font(), painter.device())
                                  .elidedText(page.values.at(i), Qt::ElideRight, valueWidth);
        painter.drawText(QRectF(valueLeft, y, valueWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                         value);
    }

    if (page.printNotes) {
        const qreal y = top + page.values.size() * line + in(0.2);
        painter.setFont(font(10, true));
        painter.drawText(QRectF(0, y, in(4), line), Qt::AlignLeft | Qt::AlignVCenter,
                         page.commentsCaption);
        painter.setFont(font(10));
        // 650 screen pixels wide, at most the width of the paper.
        const QRectF text(0, y + line, qMin(in(650.0 / 96.0), area.width()),
                          area.height() - y - line);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        painter.save();
        painter.setClipRect(text);
        painter.drawText(text, page.comments, option);
        painter.restore();
    }
    painter.restore();
}

DatabasePages::DatabasePages(const QString &directory, const QString &recordsFile,
                             RecordPage prototype)
    : m_records(std::make_unique<store::Query>()), m_prototype(std::move(prototype))
{
    m_records->setDirectory(directory);
    m_records->setTableName(recordsFile);
    m_records->open(); // a records table keeps the order of Count, then the row key
}

int DatabasePages::pageCount() const
{
    return m_records->recordCount();
}

RecordPage DatabasePages::page(int index)
{
    RecordPage page = m_prototype;
    page.number = QString::number(index + 1);
    try {
        m_records->setRecNo(index + 1);
        readRecord(*m_records, page);
    } catch (const store::StoreError &) {
        page.values = QStringList(printedFields().size(), QString());
        page.values[0] = QStringLiteral("(this record no longer exists)");
    }
    return page;
}

} // namespace tav::print
