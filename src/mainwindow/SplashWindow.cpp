#include "SplashWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace tav
{

TForm2::TForm2(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_image(new QLabel(this)), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Closing the splash must never end the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    // On a screen scaled to more than 100 % the picture drawn at twice the size stays sharp.
    QPixmap picture(QStringLiteral(":/tavrionex/splash.png"));
    if (devicePixelRatioF() > 1.0) {
        QPixmap sharp(QStringLiteral(":/tavrionex/splash@2x.png"));
        sharp.setDevicePixelRatio(2.0);
        if (!sharp.isNull())
            picture = sharp;
    }
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setPixmap(picture);
    m_image->setScaledContents(true);
    m_image->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_image);
    // The client area takes the natural size of the picture.
    setFixedSize(picture.isNull() ? QSize(385, 244) : picture.deviceIndependentSize().toSize());

    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect area = rect();
        area.moveCenter(screen->geometry().center());
        move(area.topLeft());
    }

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(2000);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &QWidget::close);
    m_timer->start();
}

} // namespace tav
