#include "ChartPage.h"

#include "ChartView.h"
#include "Printing.h"
#include "RadioGroup.h"
#include "WaitCursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QVBoxLayout>

namespace tav
{

namespace
{
// About as often as a screen shows a new picture.
constexpr int kTickMs = 16;
constexpr int kDegreesPerTick = 5;
const Qt::Alignment kLegendPlaces[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignTop,
                                       Qt::AlignBottom};
} // namespace

ChartPage::ChartPage(QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("ScrollBox6"));
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("ChartContent"));
    auto *row = new QHBoxLayout(content);
    row->setContentsMargins(2, 2, 2, 2);
    row->addWidget(buildPanel(content));

    const QString names[ChartTypes] = {QStringLiteral("Chart1"), QStringLiteral("Chart2"),
                                       QStringLiteral("Chart3"), QStringLiteral("Chart4")};
    for (int type = 0; type < ChartTypes; ++type) {
        m_views[type] = new ChartView(type, names[type], content);
        row->addWidget(m_views[type], 1);
    }
    setWidget(content);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &ChartPage::Timer1Timer);
    showChart(Pie);
}

QWidget *ChartPage::buildPanel(QWidget *parent)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setFixedWidth(95);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 4, 0, 4);

    m_animate = new QCheckBox(QStringLiteral("Animate !!!"), panel);
    m_animate->setObjectName(QStringLiteral("ckbAnimate"));
    column->addWidget(m_animate);

    m_efects = new QGroupBox(QStringLiteral("Efects"), panel);
    m_efects->setObjectName(QStringLiteral("rgEfects"));
    auto *efects = new QVBoxLayout(m_efects);
    m_3d = new QCheckBox(QStringLiteral("3D"), m_efects);
    m_3d->setObjectName(QStringLiteral("ckb3D"));
    m_3d->setChecked(true);
    m_marks = new QCheckBox(QStringLiteral("Marks"), m_efects);
    m_marks->setObjectName(QStringLiteral("ckbMarks"));
    m_marks->setChecked(true);
    efects->addWidget(m_3d);
    efects->addWidget(m_marks);
    column->addWidget(m_efects);

    m_legend = new RadioGroup(QStringLiteral("rgLegend"), QStringLiteral("Legend"),
                              {QStringLiteral("Left"), QStringLiteral("Right"),
                               QStringLiteral("Top"), QStringLiteral("Bottom")},
                              panel);
    m_legend->setItemIndex(1);
    column->addWidget(m_legend);

    m_chartType = new QComboBox(panel);
    m_chartType->setObjectName(QStringLiteral("cbbChartType"));
    m_chartType->addItems({QStringLiteral("Pie chart"), QStringLiteral("Bar chart"),
                           QStringLiteral("Horiz. Bar"), QStringLiteral("Area chart")});
    column->addWidget(m_chartType);

    m_print = new QPushButton(QStringLiteral("Print"), panel);
    m_print->setObjectName(QStringLiteral("bbPrintChart"));
    column->addWidget(m_print);
    column->addStretch(1);

    connect(m_animate, &QCheckBox::clicked, this, &ChartPage::ckbAnimateClick);
    connect(m_3d, &QCheckBox::clicked, this, &ChartPage::ckb3DClick);
    connect(m_marks, &QCheckBox::clicked, this, [this] { ckbMarksClick(m_marks); });
    connect(m_legend, &RadioGroup::itemClicked, this, [this] { ckbMarksClick(m_legend); });
    // activated, not an index change: choosing the type the list already reads still
    // shows that chart.
    connect(m_chartType, &QComboBox::activated, this, [this] { ckbMarksClick(m_chartType); });
    connect(m_print, &QPushButton::clicked, this, [this] { ckbMarksClick(m_print); });
    return panel;
}

void ChartPage::showData(const QString &title, const QVector<ChartPoint> &points)
{
    m_points = points;
    for (ChartView *view : m_views)
        view->setData(title, points);
    m_chartType->setCurrentIndex(Pie);
}

QString ChartPage::title() const
{
    return m_views[Pie]->chart()->title();
}

int ChartPage::pieRotation() const
{
    return m_views[Pie]->rotation();
}

void ChartPage::showChart(int type)
{
    m_shown = type;
    for (int t = 0; t < ChartTypes; ++t)
        m_views[t]->setVisible(t == type);
    if (type == Pie) {
        m_animate->setEnabled(true);
    } else {
        m_animate->setChecked(false);
        m_animate->setEnabled(false);
        stopAnimation();
    }
}

void ChartPage::ckbAnimateClick()
{
    if (m_animate->isChecked()) {
        m_timer->start();
        return;
    }
    stopAnimation();
}

void ChartPage::stopAnimation()
{
    if (!m_timer->isActive())
        return;
    m_timer->stop();
    m_views[Pie]->useAutomaticPieSize();
}

void ChartPage::Timer1Timer()
{
    ChartView *pie = m_views[Pie];
    pie->setRotation((pie->rotation() + kDegreesPerTick) % 360);
    // Seeded by the whole second: every tick of one second draws alike, so the legend
    // moves now and then for a moment rather than jittering.
    QRandomGenerator random(quint32(QDateTime::currentSecsSinceEpoch()));
    if (random.generate() % 100 < 4) {
        m_legend->setItemIndex(int(random.generate() % quint32(m_legend->count())));
        placeLegends();
    }
}

void ChartPage::ckb3DClick()
{
    for (ChartView *view : m_views)
        view->setDepth(m_3d->isChecked());
}

void ChartPage::ckbMarksClick(QObject *sender)
{
    if (sender == m_print) { // the print dialog wants the normal cursor
        printChart(std::max(0, m_chartType->currentIndex()));
        return;
    }
    WaitCursor wait;
    if (sender == m_marks) {
        for (ChartView *view : m_views)
            view->setMarksVisible(m_marks->isChecked());
    } else if (sender == m_legend) {
        placeLegends();
    } else if (sender == m_chartType) {
        if (m_chartType->currentIndex() >= 0)
            showChart(m_chartType->currentIndex());
    }
}

void ChartPage::placeLegends()
{
    const int item = m_legend->itemIndex();
    if (item >= 0 && item < int(std::size(kLegendPlaces)))
        for (ChartView *view : m_views)
            view->setLegendAlignment(kLegendPlaces[item]);
}

void ChartPage::printChart(int type)
{
    ChartView *view = m_views[type];
    const QSize layoutSize = m_views[m_shown]->size();
    PrintRequest request;
    request.kind = PrintKind::Dialog;
    request.owner = window();
    request.title = view->chart()->title();
    request.pageLayout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    request.render = [view, layoutSize](QPrinter *printer) {
        QPainter painter(printer);
        view->renderInto(&painter, QRectF(QPointF(0, 0), QSizeF(painter.viewport().size())),
                         layoutSize);
    };
    Printing::print(request);
}

} // namespace tav
