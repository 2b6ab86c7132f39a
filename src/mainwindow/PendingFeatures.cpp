#include "PendingFeatures.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QSet>
#include <QWidget>

namespace tav
{

namespace
{
const QSet<QString> &pendingNames()
{
    static const QSet<QString> names = {
        // Every feature of the window is built: controls of a feature still to come are
        // listed here and stay disabled until it exists.
    };
    return names;
}
} // namespace

bool isPendingFeature(const QString &objectName)
{
    return pendingNames().contains(objectName);
}

void setEnabledUnlessPending(QObject *control, bool on)
{
    if (!control)
        return;
    const bool enabled = on && !isPendingFeature(control->objectName());
    if (auto *action = qobject_cast<QAction *>(control))
        action->setEnabled(enabled);
    else if (auto *widget = qobject_cast<QWidget *>(control))
        widget->setEnabled(enabled);
    else if (auto *group = qobject_cast<QButtonGroup *>(control))
        for (QAbstractButton *button : group->buttons())
            button->setEnabled(enabled);
}

void disablePendingFeatures(QObject *root)
{
    for (const QString &name : pendingNames())
        for (QObject *control : root->findChildren<QObject *>(name))
            setEnabledUnlessPending(control, false);
}

} // namespace tav
