#pragma once
// Fixed dialogs of the main window: a title bar with only a close button, opening at their
// natural size, most of them centred on the screen.

class QString;
class QWidget;

namespace tav
{

// Fixes the dialog's size to its size hint and centres it on the primary screen.
void fixAndCentre(QWidget *dialog);

// Names the dialog, sets its caption and gives it the frame of a fixed dialog.
void setUpFixedDialog(QWidget *dialog, const QString &objectName, const QString &caption);

} // namespace tav
