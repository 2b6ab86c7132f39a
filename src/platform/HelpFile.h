#pragma once
// Where the HTML help shipped with both programs lives.

#include <QString>

namespace tav {

// The help's index page: beside the program (bin/help), in its share folder, or in the
// source tree for a program run straight from a build; empty when none is there.
QString helpFilePath();

} // namespace tav
