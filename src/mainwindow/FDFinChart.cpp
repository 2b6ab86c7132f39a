// The Chart page: how many records fill each field of the current database, drawn as a
// pie, bars or an area. The counts come from one read-only query of their own, so building
// the chart never moves the records table or touches an edit in progress.

#include "ChartPage.h"
#include "DBControls.h"
#include "FDFin.h"
#include "FieldFillCounts.h"
#include "MessageBoxes.h"
#include "StoreError.h"
#include "WaitCursor.h"

#include <QAction>
#include <QDateTime>
#include <QRandomGenerator>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tav
{

namespace
{
constexpr int kChartPage = 2;
const QString kTitlePrefix = QStringLiteral("Data Distribution for ");
} // namespace

void TFDFin::wireChart()
{
    QWidget *sheet = m_pageControl->widget(kChartPage);
    auto *box = new QVBoxLayout(sheet);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(new ChartPage(sheet));
    if (auto *menuItem = findChild<QAction *>(QStringLiteral("MMChart")))
        connect(menuItem, &QAction::triggered, this, &TFDFin::MMChartClick);
    m_pageHooks.buildChart = [this] { MMChartClick(); };
}

void TFDFin::MMChartClick()
{
    auto *page = findChild<ChartPage *>(QStringLiteral("ScrollBox6"));
    if (!page)
        return;
    {
        // Straight to the page: what arriving by its tab does is not wanted here.
        const QSignalBlocker quiet(m_pageControl);
        m_pageControl->setCurrentIndex(kChartPage);
    }
    WaitCursor wait;
    const int nradd = m_extraFieldCount;
    store::ops::FieldFillCounts counts;
    if (m_table1->isActive()) {
        try {
            counts = store::ops::countFilledFields(m_table1->filePath(), nradd);
        } catch (const store::StoreError &error) {
            MessageBoxes::showMessage(error.message());
        }
    }
    QVector<ChartPoint> points;
    QRandomGenerator random(quint32(QDateTime::currentMSecsSinceEpoch()));
    for (int pos : store::ops::chartedPositions(nradd)) {
        if (counts.filled[pos] == 0)
            continue;
        const DBEdit *caption = m_controls.captionBoxes[pos];
        const QColor colour = QColor::fromRgb(random.bounded(0xFFFFFF));
        points.append({caption ? caption->text() : QString(), counts.filled[pos], colour});
    }
    page->showData(kTitlePrefix + currentDatabase(), points);
}

} // namespace tav
