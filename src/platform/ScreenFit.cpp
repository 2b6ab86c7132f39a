#include "ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tav
{

QSize fitOnScreen(const QWidget *window, QSize wanted)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return wanted;
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    const QSize room = screen->availableGeometry().size() - frame.expandedTo(QSize(16, 40));
    return wanted.boundedTo(room);
}

} // namespace tav
