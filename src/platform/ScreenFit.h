#pragma once
// Window sizes that fit the screen: at a large screen scale a window's design size may be
// larger than the screen itself.

#include <QSize>

class QWidget;

namespace tav
{

// The wanted size of a window, made no larger than the free area of its screen (or the
// primary one), leaving room for the frame the window manager adds.
QSize fitOnScreen(const QWidget *window, QSize wanted);

} // namespace tav
