#include "ChartView.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QHorizontalBarSeries>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPainterPath>
#include <QPieSeries>
#include <QPieSlice>
#include <QResizeEvent>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace tav
{

namespace
{
const QString kFirstTitle = QStringLiteral("My Chart");
constexpr qreal kBarWidth = 0.9;
// The pie's thickness as a share of its radius; it is lifted by half of it to stay centred.
constexpr qreal kPieThickness = 0.14;
constexpr qreal kAutomaticPieSize = 0.7;
const QColor kMarkFill(255, 255, 225);
const QColor kSilver(192, 192, 192);
const QColor kAreaColour(Qt::red);

QString markText(const ChartPoint &point)
{
    return point.label + QLatin1Char(' ') + QString::number(point.value);
}

int largestValue(const QVector<ChartPoint> &points)
{
    int largest = 0;
    for (const ChartPoint &p : points)
        largest = std::max(largest, p.value);
    return largest;
}

// Whole numbers from 0 with room above the largest value for its mark and depth.
QValueAxis *valueAxis(int largest)
{
    auto *axis = new QValueAxis;
    const int top = std::max(1, int(std::ceil(largest * 1.15)));
    axis->setRange(0, top);
    if (top <= 10)
        axis->setTickCount(top + 1);
    else
        axis->applyNiceNumbers();
    axis->setLabelFormat(QStringLiteral("%.0f"));
    return axis;
}

void hideLegendMarkers(QChart *chart, QAbstractSeries *series)
{
    for (QLegendMarker *marker : chart->legend()->markers(series))
        marker->setVisible(false);
}
} // namespace

ChartView::ChartView(int type, const QString &name, QWidget *parent)
    : QChartView(parent), m_type(type), m_name(name), m_marks(type != ChartPage::Area)
{
    setObjectName(name);
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(300, 240);
    auto *chart = new QChart;
    chart->setTitle(kFirstTitle);
    QFont titleFont = chart->titleFont();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setBackgroundRoundness(0);
    if (type == ChartPage::Pie) {
        // The pie's side is painted on the view's background, under the slices.
        chart->setBackgroundVisible(false);
        setBackgroundBrush(Qt::white);
        chart->legend()->setBackgroundVisible(true);
        chart->legend()->setBrush(kSilver);
        chart->legend()->setPen(QPen(kSilver.darker(130)));
    }
    setChart(chart);
    setData(kFirstTitle, {});
}

void ChartView::setData(const QString &title, const QVector<ChartPoint> &points)
{
    m_points = points;
    QChart *c = chart();
    c->setTitle(title);
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    m_series = nullptr;
    switch (m_type) {
    case ChartPage::Pie:
        buildPie();
        break;
    case ChartPage::Bars:
    case ChartPage::HorizontalBars:
        buildBars();
        break;
    default:
        buildArea();
        break;
    }
    viewport()->update();
}

void ChartView::buildPie()
{
    QChart *c = chart();
    auto *pie = new QPieSeries;
    pie->setName(QStringLiteral("Series1"));
    for (const ChartPoint &p : std::as_const(m_points)) {
        QPieSlice *slice = pie->append(markText(p), p.value);
        slice->setBrush(p.colour);
        slice->setPen(QPen(Qt::white, 0.5));
        slice->setLabelVisible(m_marks);
        slice->setLabelArmLengthFactor(0.12);
    }
    c->addSeries(pie);
    // The legend names the fields; the marks also give the values.
    const QList<QLegendMarker *> markers = c->legend()->markers(pie);
    for (int i = 0; i < markers.size() && i < m_points.size(); ++i)
        markers[i]->setLabel(m_points[i].label);
    m_series = pie;
    placePie();
}

void ChartView::placePie()
{
    auto *pie = static_cast<QPieSeries *>(m_series);
    pie->setPieStartAngle(m_rotation);
    pie->setPieEndAngle(m_rotation + 360);
    pie->setPieSize(kAutomaticPieSize);
    // Lifted by half the side's height (a share of the radius, which is half the size).
    pie->setVerticalPosition(m_depth ? 0.5 - kAutomaticPieSize * kPieThickness / 4 : 0.5);
    viewport()->update();
}

void ChartView::drawBackground(QPainter *painter, const QRectF &rect)
{
    QChartView::drawBackground(painter, rect);
    if (m_type != ChartPage::Pie || !m_depth || !m_series)
        return;
    // The pie as Qt Charts places it: centred at its relative position in the plot area,
    // its diameter the pie size times the shorter side.
    auto *pie = static_cast<QPieSeries *>(m_series);
    const QRectF plot = chart()->plotArea();
    const qreal radius = std::min(plot.width(), plot.height()) * pie->pieSize() / 2;
    const QPointF centre(plot.left() + plot.width() * pie->horizontalPosition(),
                         plot.top() + plot.height() * pie->verticalPosition());
    const qreal height = radius * kPieThickness;
    const auto rim = [&](qreal degrees, qreal drop) {
        const qreal a = qDegreesToRadians(degrees);
        return QPointF(centre.x() + radius * std::sin(a), centre.y() - radius * std::cos(a) + drop);
    };
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QList<QPieSlice *> slices = pie->slices();
    for (int i = 0; i < slices.size() && i < m_points.size(); ++i) {
        // The band between the slice's rim and the same rim lowered; what lies under the
        // top of the pie is covered by it.
        const qreal from = slices[i]->startAngle();
        const qreal span = slices[i]->angleSpan();
        const int steps = std::max(2, int(std::ceil(span / 4)));
        QPolygonF band;
        for (int s = 0; s <= steps; ++s)
            band << rim(from + span * s / steps, 0);
        for (int s = steps; s >= 0; --s)
            band << rim(from + span * s / steps, height);
        const QColor side = m_points[i].colour.darker(160);
        painter->setPen(QPen(side.darker(130), 0.6));
        painter->setBrush(side);
        painter->drawPolygon(band);
    }
    painter->restore();
}

void ChartView::buildBars()
{
    QChart *c = chart();
    const bool vertical = m_type == ChartPage::Bars;
    QAbstractBarSeries *bars = vertical ? static_cast<QAbstractBarSeries *>(new QBarSeries)
                                        : new QHorizontalBarSeries;
    bars->setName(vertical ? QStringLiteral("Series2") : QStringLiteral("Series3"));
    bars->setBarWidth(kBarWidth);
    for (const ChartPoint &p : std::as_const(m_points)) {
        auto *set = new QBarSet(p.label);
        set->append(p.value);
        set->setColor(p.colour);
        set->setBorderColor(Qt::white);
        bars->append(set);
    }
    c->addSeries(bars);
    auto *categories = new QBarCategoryAxis;
    categories->append(QStringLiteral(" "));
    categories->setLabelsVisible(false);
    categories->setGridLineVisible(false);
    QValueAxis *values = valueAxis(largestValue(m_points));
    c->addAxis(categories, vertical ? Qt::AlignBottom : Qt::AlignLeft);
    c->addAxis(values, vertical ? Qt::AlignLeft : Qt::AlignBottom);
    bars->attachAxis(categories);
    bars->attachAxis(values);
    m_series = bars;
}

void ChartView::buildArea()
{
    QChart *c = chart();
    auto *line = new QLineSeries;
    for (int i = 0; i < m_points.size(); ++i)
        line->append(i, m_points[i].value);
    auto *area = new QAreaSeries(line);
    area->setName(QStringLiteral("Series4"));
    area->setBrush(kAreaColour);
    area->setPen(QPen(kAreaColour.darker(150), 1.5));
    c->addSeries(area);
    hideLegendMarkers(c, area);

    auto *across = new QValueAxis;
    across->setRange(-0.5, std::max<qsizetype>(1, m_points.size()) - 0.5);
    across->setLabelsVisible(false);
    across->setGridLineVisible(false);
    across->setTickCount(2);
    QValueAxis *values = valueAxis(largestValue(m_points));
    c->addAxis(across, Qt::AlignBottom);
    c->addAxis(values, Qt::AlignLeft);
    area->attachAxis(across);
    area->attachAxis(values);
    // One dot per field in its colour, which also names the field in the legend.
    for (int i = 0; i < m_points.size(); ++i) {
        auto *dot = new QScatterSeries;
        dot->setName(m_points[i].label);
        dot->setColor(m_points[i].colour);
        dot->setBorderColor(Qt::black);
        dot->setMarkerSize(9);
        dot->append(i, m_points[i].value);
        c->addSeries(dot);
        dot->attachAxis(across);
        dot->attachAxis(values);
    }
    m_series = area;
}

void ChartView::setMarksVisible(bool on)
{
    m_marks = on;
    if (m_type == ChartPage::Pie)
        for (QPieSlice *slice : static_cast<QPieSeries *>(m_series)->slices())
            slice->setLabelVisible(on);
    viewport()->update();
}

void ChartView::setDepth(bool on)
{
    if (m_depth == on)
        return;
    m_depth = on;
    if (m_type == ChartPage::Pie)
        placePie();
    viewport()->update();
}

void ChartView::setLegendAlignment(Qt::Alignment alignment)
{
    chart()->legend()->setAlignment(alignment);
}

void ChartView::setRotation(int degrees)
{
    m_rotation = degrees;
    if (m_type == ChartPage::Pie)
        placePie();
}

void ChartView::useAutomaticPieSize()
{
    if (m_type == ChartPage::Pie)
        placePie();
}

void ChartView::renderInto(QPainter *painter, const QRectF &target, const QSize &layoutSize)
{
    if (size() != layoutSize || !isVisible()) {
        // A hidden chart is laid out for the size of the one shown before it is painted.
        const QSize old = size();
        resize(layoutSize);
        QResizeEvent resized(layoutSize, old);
        QCoreApplication::sendEvent(this, &resized);
        if (QGraphicsLayout *layout = chart()->layout())
            layout->activate();
    }
    render(painter, target, QRect(QPoint(0, 0), layoutSize), Qt::KeepAspectRatio);
}

QRectF ChartView::barRect(int index) const
{
    // The bars stand side by side in one category centred on 0, set 0 first.
    const qreal width = kBarWidth / m_points.size();
    const qreal from = -kBarWidth / 2 + index * width;
    const qreal value = m_points[index].value;
    QPointF a, b;
    if (m_type == ChartPage::Bars) {
        a = chart()->mapToPosition(QPointF(from, value), m_series);
        b = chart()->mapToPosition(QPointF(from + width, 0), m_series);
    } else {
        a = chart()->mapToPosition(QPointF(0, from), m_series);
        b = chart()->mapToPosition(QPointF(value, from + width), m_series);
    }
    return QRectF(a, b).normalized();
}

void ChartView::drawForeground(QPainter *painter, const QRectF &rect)
{
    QChartView::drawForeground(painter, rect);
    if (m_points.isEmpty() || !m_series)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (m_type == ChartPage::Bars || m_type == ChartPage::HorizontalBars)
        paintBars(painter);
    else if (m_type == ChartPage::Area)
        paintArea(painter);
    painter->restore();
}

namespace
{
qreal depthFor(const QRectF &plot)
{
    return std::clamp(std::min(plot.width(), plot.height()) * 0.035, 4.0, 16.0);
}

// The top and the right side of a block seen from above and the right, then its front.
void paintBlock(QPainter *painter, const QRectF &front, qreal depth, const QColor &colour)
{
    const QPointF back(depth, -depth);
    const QPolygonF top{front.topLeft(), front.topLeft() + back, front.topRight() + back,
                        front.topRight()};
    const QPolygonF side{front.topRight(), front.topRight() + back, front.bottomRight() + back,
                         front.bottomRight()};
    painter->setPen(QPen(colour.darker(170), 0.6));
    painter->setBrush(colour.lighter(125));
    painter->drawPolygon(top);
    painter->setBrush(colour.darker(140));
    painter->drawPolygon(side);
    painter->setBrush(colour);
    painter->drawRect(front);
}
} // namespace

void ChartView::paintBars(QPainter *painter)
{
    const qreal depth = m_depth ? depthFor(chart()->plotArea()) : 0;
    const bool vertical = m_type == ChartPage::Bars;
    if (m_depth)
        for (int i = 0; i < m_points.size(); ++i)
            paintBlock(painter, barRect(i), depth, m_points[i].colour);
    if (!m_marks)
        return;
    for (int i = 0; i < m_points.size(); ++i) {
        const QRectF bar = barRect(i);
        const QPointF anchor = vertical ? QPointF(bar.center().x() + depth / 2, bar.top() - depth)
                                        : QPointF(bar.right() + depth, bar.center().y() - depth / 2);
        paintMark(painter, anchor, markText(m_points[i]), !vertical);
    }
}

void ChartView::paintArea(QPainter *painter)
{
    QVector<QPointF> tops, bases;
    for (int i = 0; i < m_points.size(); ++i) {
        tops.append(chart()->mapToPosition(QPointF(i, m_points[i].value), m_series));
        bases.append(chart()->mapToPosition(QPointF(i, 0), m_series));
    }
    const qreal depth = m_depth ? depthFor(chart()->plotArea()) : 0;
    if (m_depth) {
        const QPointF back(depth, -depth);
        painter->setPen(QPen(kAreaColour.darker(170), 0.6));
        painter->setBrush(kAreaColour.lighter(140));
        for (int i = 0; i + 1 < tops.size(); ++i)
            painter->drawPolygon(QPolygonF{tops[i], tops[i] + back, tops[i + 1] + back, tops[i + 1]});
        if (tops.size() == 1) // a single field: a band standing up at its place
            painter->drawPolygon(QPolygonF{tops[0], tops[0] + back, bases[0] + back, bases[0]});
        painter->setBrush(kAreaColour.darker(140));
        const QPointF last = tops.last(), lastBase = bases.last();
        painter->drawPolygon(QPolygonF{last, last + back, lastBase + back, lastBase});
        for (int i = 0; i < tops.size(); ++i) {
            painter->setPen(Qt::black);
            painter->setBrush(m_points[i].colour);
            painter->drawEllipse(tops[i], 4.5, 4.5);
        }
    }
    if (!m_marks)
        return;
    for (int i = 0; i < tops.size(); ++i)
        paintMark(painter, tops[i] + QPointF(depth / 2, -depth / 2 - 6), markText(m_points[i]), false);
}

void ChartView::paintMark(QPainter *painter, const QPointF &anchor, const QString &text, bool beside)
{
    // Sized in pixels of the scene, so a printer's resolution does not enlarge it again.
    QFont markFont = font();
    markFont.setPixelSize(QFontInfo(font()).pixelSize());
    const QFontMetricsF metrics(markFont);
    const QSizeF size(metrics.horizontalAdvance(text) + 6, metrics.height() + 2);
    // Above the point, or to its right for horizontal bars.
    const QPointF topLeft = beside ? QPointF(anchor.x() + 3, anchor.y() - size.height() / 2)
                                   : QPointF(anchor.x() - size.width() / 2, anchor.y() - size.height() - 2);
    const QRectF box(topLeft, size);
    painter->setFont(markFont);
    painter->setPen(QPen(Qt::gray, 0.8));
    painter->setBrush(kMarkFill);
    painter->drawRect(box);
    painter->setPen(Qt::black);
    painter->drawText(box, Qt::AlignCenter, text);
}

} // namespace tav
