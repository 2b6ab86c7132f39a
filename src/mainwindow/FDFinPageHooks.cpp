// The page hooks: calls into the Report, Chart, configuration and lock features, each of
// which sets its hook when it is wired. Unset hooks do nothing.

#include "FDFin.h"

namespace tav
{

void TFDFin::PresentDatabaseLock()
{
    if (m_pageHooks.presentDatabaseLock)
        m_pageHooks.presentDatabaseLock();
}

void TFDFin::PresentReportLock()
{
    if (m_pageHooks.presentReportLock)
        m_pageHooks.presentReportLock();
}

void TFDFin::RefreshConfigurationList()
{
    if (m_pageHooks.refreshConfigurationList)
        m_pageHooks.refreshConfigurationList();
}

void TFDFin::BuildChart()
{
    if (m_pageHooks.buildChart)
        m_pageHooks.buildChart();
}

bool TFDFin::commentsLocked() const
{
    return m_pageHooks.commentsLocked && m_pageHooks.commentsLocked();
}

bool TFDFin::saveConfigurationBeforeReport()
{
    return !m_pageHooks.saveConfigurationBeforeReport || m_pageHooks.saveConfigurationBeforeReport();
}

void TFDFin::databaseBecameCurrent()
{
    // Both pages follow the new database's lock at once: the Report page can also be
    // reached from the menu, which runs no page change.
    PresentDatabaseLock();
    PresentReportLock();
    emit currentDatabaseChanged();
}

} // namespace tav
