#pragma once
// Fixed dialogs of the main window open centred on the screen at their natural size.

class QWidget;

namespace tav
{

// Fixes the dialog's size to its size hint and centres it on the primary screen.
void fixAndCentre(QWidget *dialog);

} // namespace tav
