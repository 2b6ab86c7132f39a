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
        // File menu and toolbar: information, printing.
        "MMViewInfo",
        "MMPrint",
        "SBPrint",
        // Edit menu and toolbar: clipboard commands.
        "MMCopy",
        "MMCut",
        "MMPaste",
        "MMSelectAll",
        "SpeedButton6",
        "SpeedButton7",
        "SpeedButton8",
        // Popup of the record edit boxes: following links, clipboard commands.
        "NetscapeID",
        "InternetExplorerID",
        "idcopy",
        "idcut",
        "idpaste",
        "idall",
        // Tools: loan calculator.
        "MMMortgageLoan",
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
