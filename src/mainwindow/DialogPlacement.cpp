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

void setUpFixedDialog(QWidget *dialog, const QString &objectName, const QString &caption)
{
    dialog->setObjectName(objectName);
    dialog->setWindowTitle(caption);
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
}

} // namespace tav
