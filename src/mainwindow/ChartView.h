#pragma once
// One chart of the Chart page over Qt Charts: a pie, vertical bars, horizontal bars or an
// area, each point in its own colour and named in the legend. Marks (label and value) and
// the depth of the 3D look are drawn here, so every type has them.

#include "ChartPage.h"

#include <QChartView>

class QAbstractSeries;
class QPainter;
class QPieSeries;

namespace tav
{

class ChartView : public QChartView
{
    Q_OBJECT
public:
    ChartView(int type, const QString &name, QWidget *parent = nullptr);

    int type() const { return m_type; }
    void setData(const QString &title, const QVector<ChartPoint> &points);
    // The series holding the points (Series1..Series4).
    QAbstractSeries *series() const { return m_series; }

    bool marksVisible() const { return m_marks; }
    void setMarksVisible(bool on);
    bool depth() const { return m_depth; }
    void setDepth(bool on);
    void setLegendAlignment(Qt::Alignment alignment);
    // Pie only: the angle the first slice starts at.
    int rotation() const { return m_rotation; }
    void setRotation(int degrees);
    // Pie only: back to the size the chart chooses.
    void useAutomaticPieSize();

    // Paints the chart scaled into `target`, laid out at the size it is shown in.
    void renderInto(QPainter *painter, const QRectF &target, const QSize &layoutSize);

protected:
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;

private:
    void buildPie();
    void buildBars();
    void buildArea();
    void placePie();
    void paintBars(QPainter *painter);
    void paintArea(QPainter *painter);
    void paintMark(QPainter *painter, const QPointF &anchor, const QString &text, bool beside);
    QRectF barRect(int index) const;

    int m_type;
    QString m_name;
    QVector<ChartPoint> m_points;
    QAbstractSeries *m_series = nullptr;
    bool m_marks = true;
    bool m_depth = true;
    int m_rotation = 0;
};

} // namespace tav
