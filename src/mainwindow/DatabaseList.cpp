#include "DatabaseList.h"

#include <QAbstractItemView>

namespace tav
{

void DatabaseList::hidePopup()
{
    QComboBox::hidePopup();
    emit choiceEnded();
}

void DatabaseList::keyPressEvent(QKeyEvent *event)
{
    emit keyDown();
    QComboBox::keyPressEvent(event);
    if (!view()->isVisible())
        emit choiceEnded();
}

} // namespace tav
