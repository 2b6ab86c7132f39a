#pragma once
// The icons of both programs for windows, task bars and about boxes, in every size the
// desktop installs, so they stay sharp at any screen scale.

#include <QIcon>

namespace tav
{

QIcon programIcon(); // Tavrionex 4
QIcon uploadIcon();  // Tavrionex FTP

} // namespace tav
