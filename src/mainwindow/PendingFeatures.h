#pragma once
// Controls of the main window whose feature is not built yet. They are present, so the
// window shows its full menu and layout, but stay disabled whatever the window's state
// says. The change that builds a feature deletes its names from the list in
// PendingFeatures.cpp and wires the handlers; nothing else needs to change.

#include <QString>

class QObject;

namespace tav
{

bool isPendingFeature(const QString &objectName);
// Enables a QAction, QWidget or QButtonGroup (all its buttons) exactly when `on` is true
// and its feature is built.
void setEnabledUnlessPending(QObject *control, bool on);
// Disables every pending control found under `root` (by objectName).
void disablePendingFeatures(QObject *root);

} // namespace tav
