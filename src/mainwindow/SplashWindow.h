#pragma once
// The splash window Form2: the product picture, borderless and on top, centred on the
// screen; it closes itself when Timer1 fires 2000 ms after the event loop starts.

#include <QWidget>

class QLabel;
class QTimer;

namespace tav
{

class TForm2 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);
    QTimer *timer() const { return m_timer; }

private:
    QLabel *m_image;
    QTimer *m_timer;
};

} // namespace tav
