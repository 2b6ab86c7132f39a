#pragma once
// Where the features of the Report and Chart pages, the saved configurations and the
// comments lock plug into the main window. Each feature sets its functions in its own
// wire<Feature>() (FDFin<Feature>.cpp); a hook nobody has set does nothing, and
// commentsLocked answers false, so the window works before a feature exists.

#include <functional>

namespace tav
{

struct PageHooks {
    // Shows or hides the comments box and the Secure / UnSecure buttons of the Database
    // page as the current database's lock says.
    std::function<void()> presentDatabaseLock;
    // Shows or hides the comments output box of the Report page and its "LOCKED" label,
    // and unchecks the comments output.
    std::function<void()> presentReportLock;
    // Reads the saved report configurations of the Report page again.
    std::function<void()> refreshConfigurationList;
    // Builds the chart of the Chart page from the current database.
    std::function<void()> buildChart;
    // The current database's comments are locked.
    std::function<bool()> commentsLocked;
    // The report's OK first stores the configuration when the configuration group says
    // so; false stops the report (the reason has been shown).
    std::function<bool()> saveConfigurationBeforeReport;
};

} // namespace tav
