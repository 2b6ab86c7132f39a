#include "DialogPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tav
{

void fixAndCentre(QWidget *dialog)
{
    dialog->setFixedSize(dialog->sizeHint());
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect area = dialog->rect();
        area.moveCenter(screen->availableGeometry().center());
        dialog->move(area.topLeft());
    }
}

QSize fitOnScreen(const QWidget *window, QSize wanted)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return wanted;
    // Leave room for the window frame the window manager adds around the client area.
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    const QSize room = screen->availableGeometry().size() - frame.expandedTo(QSize(16, 40));
    return wanted.boundedTo(room);
}

void setUpFixedDialog(QWidget *dialog, const QString &objectName, const QString &caption)
{
    dialog->setObjectName(objectName);
    dialog->setWindowTitle(caption);
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
}

} // namespace tav
