#pragma once
// The database list ComboBox1. It reports every key before the list handles it, and the end
// of a key or of the drop-down, so the window can put the selection back when the user
// chose nothing.

#include <QComboBox>

namespace tav
{

class DatabaseList : public QComboBox
{
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void hidePopup() override;

signals:
    void keyDown();
    // A key has been handled with the drop-down closed, or the drop-down has closed.
    void choiceEnded();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace tav
