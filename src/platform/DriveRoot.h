#pragma once
// Maps the fixed file names the program writes on drive "c:" ("c:\report.html",
// "c:\aaa.bmp", the argument "c:") to the user's home directory.

#include <QString>

namespace tav {

// "c:" and "c:\" give the home directory; "c:\report.html" gives <home>/report.html.
// Paths without the drive letter are returned with backslashes turned into slashes.
QString mapDrivePath(const QString &path);

} // namespace tav
