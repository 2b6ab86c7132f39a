#include "ViewImage.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace tav
{

namespace
{
// Image1: the picture stretched over the whole control.
class StretchedPicture : public QWidget
{
public:
    StretchedPicture(const QImage &picture, QWidget *parent) : QWidget(parent), m_picture(picture)
    {
        setObjectName(QStringLiteral("Image1"));
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_picture);
    }

private:
    QImage m_picture;
};
} // namespace

TFViewImage::TFViewImage(const QImage &picture, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FViewImage"));
    setWindowTitle(QStringLiteral("View Image"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new StretchedPicture(picture, this));

    const QSize size(qMin(qMax(picture.width(), 1), kMaxWidth),
                     qMin(qMax(picture.height(), 1), kMaxHeight));
    resize(size);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size);
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace tav
