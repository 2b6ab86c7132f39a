#pragma once
// The Chart page's contents: the panel of controls (Panel2) and the four charts of the same
// points (Chart1 pie, Chart2 vertical bars, Chart3 horizontal bars, Chart4 area), one shown
// at a time. It draws what it is given; counting the records is the caller's.

#include <QColor>
#include <QScrollArea>
#include <QString>
#include <QVector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QTimer;

namespace tav
{

class ChartView;
class RadioGroup;

struct ChartPoint {
    QString label;
    int value = 0;
    QColor colour;
};

class ChartPage : public QScrollArea
{
    Q_OBJECT
public:
    enum ChartType { Pie, Bars, HorizontalBars, Area, ChartTypes };

    explicit ChartPage(QWidget *parent = nullptr);

    // Gives all four charts the title and the points. The type list then reads "Pie chart"
    // while the chart shown stays as it was; choosing a type from the list shows it.
    void showData(const QString &title, const QVector<ChartPoint> &points);

    ChartView *chartView(int type) const { return m_views[type]; }
    // The chart shown now.
    int shownType() const { return m_shown; }
    QString title() const;
    const QVector<ChartPoint> &points() const { return m_points; }
    // The pie's rotation in degrees (0..355).
    int pieRotation() const;

    // Handlers of the page's controls, named after them.
    void ckbAnimateClick();
    void Timer1Timer();
    void ckb3DClick();
    // Marks, legend position, chart type and Print: which of them depends on `sender`.
    void ckbMarksClick(QObject *sender);

private:
    QWidget *buildPanel(QWidget *parent);
    void showChart(int type);
    void stopAnimation();
    // The legends of all four charts where rgLegend says.
    void placeLegends();
    void printChart(int type);

    QCheckBox *m_animate = nullptr;
    QGroupBox *m_efects = nullptr;
    QCheckBox *m_3d = nullptr;
    QCheckBox *m_marks = nullptr;
    RadioGroup *m_legend = nullptr;
    QComboBox *m_chartType = nullptr;
    QPushButton *m_print = nullptr;
    QTimer *m_timer = nullptr;
    ChartView *m_views[ChartTypes] = {};
    QVector<ChartPoint> m_points;
    int m_shown = Pie;
};

} // namespace tav
