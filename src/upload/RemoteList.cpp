#include "RemoteList.h"

#include "FtpListing.h"

#include <QFontDatabase>
#include <QPainter>

namespace tav::upload
{

RemoteListDelegate::RemoteListDelegate(const QPixmap &folderBmp, const QPixmap &fileBmp,
                                       QObject *parent)
    : QStyledItemDelegate(parent), m_folderBmp(folderBmp), m_fileBmp(fileBmp)
{
}

void RemoteListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const QString line = index.data(Qt::DisplayRole).toString();
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &pal = option.palette;
    painter->save();
    painter->fillRect(option.rect, selected ? pal.highlight() : pal.base());
    painter->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    painter->setPen(selected ? pal.highlightedText().color() : pal.text().color());
    painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, line);
    const QPixmap &bmp = isDirectoryLine(line) ? m_folderBmp : m_fileBmp;
    const int top = option.rect.top() + (option.rect.height() - 16) / 2;
    // The bitmap covers the attribute code, so it sits on a plain background.
    painter->fillRect(QRect(option.rect.left(), top, 20, 16),
                      selected ? pal.highlight() : pal.base());
    painter->drawPixmap(QRect(option.rect.left() + 2, top, 16, 16), bmp);
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(QPen(pal.text().color(), 1, Qt::DotLine));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QSize RemoteListDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const QFontMetrics metrics(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QString line = index.data(Qt::DisplayRole).toString().trimmed();
    return {metrics.horizontalAdvance(line) + 8, ItemHeight};
}

PicturePreview::PicturePreview(QWidget *parent) : QWidget(parent) {}

void PicturePreview::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void PicturePreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (m_image.isNull())
        return;
    const QSize size = m_image.size().scaled(rect().size() - QSize(4, 4), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), size);
    target.moveCenter(rect().center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_image);
}

} // namespace tav::upload
