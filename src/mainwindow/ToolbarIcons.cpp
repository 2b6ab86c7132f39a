#include "ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace tav
{

namespace
{
constexpr int kSize = 20;

const QColor kInk(60, 60, 70);
const QColor kPaper(252, 252, 248);
const QColor kBlue(52, 101, 164);
const QColor kGreen(78, 154, 6);
const QColor kRed(204, 0, 0);
const QColor kYellow(237, 212, 0);
const QColor kBrown(143, 89, 2);

void page(QPainter &p, const QRectF &r)
{
    QPainterPath path;
    const qreal fold = 4;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void textLines(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(150, 150, 160), 1));
    for (qreal y = r.top() + 6; y < r.bottom() - 2; y += 3)
        p.drawLine(QPointF(r.left() + 2.5, y), QPointF(r.right() - 2.5, y));
}

void arrow(QPainter &p, QPointF from, QPointF to, const QColor &colour)
{
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d * 4 + n * 3.5);
    p.drawLine(to, to - d * 4 - n * 3.5);
}

void cylinder(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(186, 189, 182));
    p.drawRect(QRectF(r.left(), r.top() + 2, r.width(), r.height() - 4));
    p.drawEllipse(QRectF(r.left(), r.bottom() - 4, r.width(), 4));
    p.setBrush(QColor(211, 215, 207));
    p.drawEllipse(QRectF(r.left(), r.top(), r.width(), 4));
}

void triangle(QPainter &p, bool pointsLeft, qreal x, const QColor &colour)
{
    QPainterPath path;
    if (pointsLeft) {
        path.moveTo(x, 10);
        path.lineTo(x + 7, 4);
        path.lineTo(x + 7, 16);
    } else {
        path.moveTo(x + 7, 10);
        path.lineTo(x, 4);
        path.lineTo(x, 16);
    }
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

void draw(QPainter &p, ToolIcon kind)
{
    switch (kind) {
    case ToolIcon::New:
        page(p, QRectF(4.5, 2.5, 11, 15));
        p.setPen(QPen(kYellow.darker(120), 1.5));
        p.drawLine(QPointF(14, 12), QPointF(19, 17));
        p.drawLine(QPointF(19, 12), QPointF(14, 17));
        p.drawLine(QPointF(16.5, 11), QPointF(16.5, 18));
        break;
    case ToolIcon::Open: {
        p.setPen(QPen(kBrown, 1));
        p.setBrush(kYellow.lighter(120));
        p.drawRect(QRectF(2.5, 5.5, 14, 11));
        QPainterPath flap;
        flap.moveTo(2.5, 16.5);
        flap.lineTo(6, 9.5);
        flap.lineTo(19, 9.5);
        flap.lineTo(16.5, 16.5);
        flap.closeSubpath();
        p.setBrush(kYellow);
        p.drawPath(flap);
        break;
    }
    case ToolIcon::Save:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(3.5, 3.5, 13, 13), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(6, 3.5, 8, 5));
        p.setBrush(QColor(211, 215, 207));
        p.drawRect(QRectF(6.5, 11.5, 7, 5));
        break;
    case ToolIcon::Undo: {
        p.setPen(QPen(kBlue, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5, 5, 11, 10), 90 * 16, -200 * 16);
        p.drawLine(QPointF(10.5, 5), QPointF(7, 2.5));
        p.drawLine(QPointF(10.5, 5), QPointF(7.5, 8.5));
        break;
    }
    case ToolIcon::Copy:
        page(p, QRectF(2.5, 2.5, 10, 12));
        page(p, QRectF(7.5, 6.5, 10, 12));
        textLines(p, QRectF(7.5, 6.5, 10, 12));
        break;
    case ToolIcon::Cut:
        p.setPen(QPen(kInk, 1.4));
        p.drawLine(QPointF(6, 2), QPointF(13, 13));
        p.drawLine(QPointF(14, 2), QPointF(7, 13));
        p.setPen(QPen(kRed, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(3, 12.5, 5, 5));
        p.drawEllipse(QRectF(12, 12.5, 5, 5));
        break;
    case ToolIcon::Paste:
        p.setPen(QPen(kBrown.darker(120), 1));
        p.setBrush(kBrown.lighter(150));
        p.drawRoundedRect(QRectF(3.5, 3.5, 12, 14), 1.5, 1.5);
        p.setBrush(QColor(186, 189, 182));
        p.drawRect(QRectF(7, 2, 5, 3));
        page(p, QRectF(9.5, 8.5, 8, 10));
        break;
    case ToolIcon::Print:
        page(p, QRectF(5.5, 2.5, 9, 7));
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(136, 138, 133));
        p.drawRoundedRect(QRectF(2.5, 8.5, 15, 7), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(5.5, 13.5, 9, 4.5));
        p.setPen(kGreen);
        p.drawPoint(QPointF(15, 10.5));
        break;
    case ToolIcon::Export:
        page(p, QRectF(2.5, 2.5, 10, 15));
        textLines(p, QRectF(2.5, 2.5, 10, 15));
        arrow(p, QPointF(9, 12), QPointF(18.5, 12), kGreen);
        break;
    case ToolIcon::Import:
        page(p, QRectF(7.5, 2.5, 10, 15));
        textLines(p, QRectF(7.5, 2.5, 10, 15));
        arrow(p, QPointF(1.5, 12), QPointF(11, 12), kBlue);
        break;
    case ToolIcon::Backup:
        cylinder(p, QRectF(2.5, 8, 11, 10));
        arrow(p, QPointF(15.5, 1.5), QPointF(15.5, 11), kGreen);
        break;
    case ToolIcon::Restore:
        cylinder(p, QRectF(2.5, 8, 11, 10));
        arrow(p, QPointF(15.5, 11), QPointF(15.5, 1.5), kBlue);
        break;
    case ToolIcon::First:
        p.fillRect(QRectF(4, 4, 2, 12), kBlue);
        triangle(p, true, 7, kBlue);
        break;
    case ToolIcon::Prior:
        triangle(p, true, 6, kBlue);
        break;
    case ToolIcon::Next:
        triangle(p, false, 7, kBlue);
        break;
    case ToolIcon::Last:
        triangle(p, false, 6, kBlue);
        p.fillRect(QRectF(14, 4, 2, 12), kBlue);
        break;
    case ToolIcon::Add:
        p.fillRect(QRectF(9, 3, 2.5, 14), kGreen);
        p.fillRect(QRectF(3, 9, 14, 2.5), kGreen);
        break;
    case ToolIcon::Post:
        p.setPen(QPen(kGreen, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(4, 10.5), QPointF(8.5, 15), QPointF(16, 5)}));
        break;
    case ToolIcon::Cancel:
        p.setPen(QPen(kRed, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 5), QPointF(15, 15));
        p.drawLine(QPointF(15, 5), QPointF(5, 15));
        break;
    }
}

QPixmap render(ToolIcon kind, qreal scale)
{
    QPixmap pixmap(qRound(kSize * scale), qRound(kSize * scale));
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, kind);
    return pixmap;
}
} // namespace

QIcon toolIcon(ToolIcon kind)
{
    QIcon icon;
    icon.addPixmap(render(kind, 1.0));
    icon.addPixmap(render(kind, 2.0));
    return icon;
}

} // namespace tav
