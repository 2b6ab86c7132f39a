// The record's picture on the Database page: Load Image (with a JPEG copy beside the file
// and the picture left on the clipboard), Zoom, Open in Paint, Copy, Paste and Delete Image,
// the image box's popup and the picture Image2 that opens an empty image box.

#include "DBControls.h"
#include "DriveRoot.h"
#include "FDFin.h"
#include "FileDialogs.h"
#include "ImageLoading.h"
#include "Launcher.h"
#include "MessageBoxes.h"
#include "PictureFiles.h"
#include "ToolbarIcons.h"
#include "ViewImage.h"
#include "WaitCursor.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace tav
{

using store::DataSetState;
using store::StoreError;

namespace
{
const QString kImageField = QStringLiteral("Image");
const QString kOpenImageFilter =
    QStringLiteral("All Formats (*.bmp, *.jpg, *.gif, *.pcx)|*.bmp; *.jpg; *.gif; *.pcx|GIF "
                   "(*.gif)|*.gif|JPEG (*.jpg)|*.jpg|PCX (*.pcx)|*.pcx|BMP (*.bmp)|*.bmp|All files "
                   "(*.*)|*.*");
// Where the picture is handed to the image editor.
const QString kPaintFile = QStringLiteral("c:\\aaa.bmp");

QIcon zoomIcon()
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 70), 2));
    p.setBrush(QColor(200, 225, 245));
    p.drawEllipse(QRectF(2.5, 2.5, 10, 10));
    p.setPen(QPen(QColor(143, 89, 2), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 12), QPointF(17.5, 17.5));
    p.setPen(QPen(QColor(60, 60, 70), 1.4));
    p.drawLine(QPointF(5, 7.5), QPointF(10, 7.5));
    p.drawLine(QPointF(7.5, 5), QPointF(7.5, 10));
    return QIcon(pixmap);
}

// The picture Image2 stands where the image box would be while the record has no picture.
QPixmap emptyPicture()
{
    QPixmap pixmap(48, 40);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 120, 130), 1.5, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1, 1, 46, 38), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(237, 212, 0));
    p.drawEllipse(QRectF(31, 8, 7, 7));
    p.setBrush(QColor(140, 170, 120));
    const QPointF hill[] = {{6, 33}, {18, 17}, {27, 28}, {33, 22}, {42, 33}};
    p.drawPolygon(hill, 5);
    return pixmap;
}

// Image2 follows the image box: shown exactly while the box is hidden.
class FollowImageBox : public QObject
{
public:
    FollowImageBox(QWidget *box, QWidget *stand, QObject *parent)
        : QObject(parent), m_box(box), m_stand(stand)
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box &&
            (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
            m_stand->setVisible(m_box->isHidden());
        return false;
    }

private:
    QWidget *m_box;
    QWidget *m_stand;
};

class ClickableLabel : public QLabel
{
public:
    using QLabel::QLabel;
    std::function<void()> clicked;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (clicked && rect().contains(event->position().toPoint()))
            clicked();
    }
};
} // namespace

void TFDFin::wireImages()
{
    // The picture buttons stand above the image box.
    auto *column = findChild<QWidget *>(QStringLiteral("RightColumn"));
    auto *frame = findChild<QWidget *>(QStringLiteral("ImageFrame"));
    auto *bar = new QWidget(column);
    bar->setObjectName(QStringLiteral("ImageBar"));
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    const struct {
        const char *name;
        QIcon icon;
        const char *hint;
        void (TFDFin::*handler)();
    } buttons[] = {
        {"SBLoadImage", toolIcon(ToolIcon::Import), "Load Image", &TFDFin::BOpenClick},
        {"SBZoomIn", zoomIcon(), "Zoom", &TFDFin::Zoom1Click},
        {"SBCopyImage", toolIcon(ToolIcon::Copy), "Copy Image", &TFDFin::SBCopyImageClick},
        {"SBPasteImage", toolIcon(ToolIcon::Paste), "Paste Image", &TFDFin::SBPasteImageClick},
        {"SBDeleteImage", toolIcon(ToolIcon::Cancel), "Delete Image", &TFDFin::SBDeleteImageClick},
    };
    for (const auto &b : buttons) {
        auto *button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setIcon(b.icon);
        button->setIconSize(QSize(20, 20));
        button->setAutoRaise(true);
        button->setToolTip(QString::fromLatin1(b.hint));
        connect(button, &QToolButton::clicked, this, b.handler);
        row->addWidget(button);
    }
    row->addStretch(1);
    if (auto *box = qobject_cast<QVBoxLayout *>(column->layout()))
        box->insertWidget(0, bar);

    auto *image2 = new ClickableLabel(frame);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setToolTip(QStringLiteral("Click here to open the image box"));
    image2->setPixmap(emptyPicture());
    image2->setAlignment(Qt::AlignCenter);
    image2->setCursor(Qt::PointingHandCursor);
    image2->clicked = [this] { Image2Click(); };
    frame->layout()->addWidget(image2);
    new FollowImageBox(m_editImage, image2, this);

    m_editImage->setToolTip(QStringLiteral("Right Click for options or Double Click to zoom"));
    auto *popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("PopupMenu3"));
    QAction *paint = popup->addAction(QStringLiteral("&Open in Paint"));
    paint->setObjectName(QStringLiteral("OpentoPaint1"));
    QAction *zoom = popup->addAction(QStringLiteral("&Zoom"));
    zoom->setObjectName(QStringLiteral("Zoom1"));
    connect(paint, &QAction::triggered, this, &TFDFin::OpentoPaint1Click);
    connect(zoom, &QAction::triggered, this, &TFDFin::Zoom1Click);
    m_editImage->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_editImage, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint &at) { popup->popup(m_editImage->mapToGlobal(at)); });
    connect(m_editImage, &DBImage::mouseDown, this, &TFDFin::EditImageMouseDown);
    connect(m_editImage, &DBImage::doubleClicked, this, &TFDFin::EditImageDblClick);

    const struct {
        const char *name;
        void (TFDFin::*handler)();
    } items[] = {{"MMImportImage", &TFDFin::BOpenClick},
                 {"MMZoom", &TFDFin::Zoom1Click},
                 {"MMOpen", &TFDFin::OpentoPaint1Click}};
    for (const auto &item : items)
        connect(findChild<QAction *>(QString::fromLatin1(item.name)), &QAction::triggered, this,
                item.handler);
}

void TFDFin::BOpenClick()
{
    const QString chosen = FileDialogs::openFileName(this, QStringLiteral("Open"), QString(),
                                                     dialogFilter(kOpenImageFilter));
    if (chosen.isEmpty())
        return;
    if (!recordsBound()) {
        MessageBoxes::information(kSelectDatabaseFirst);
        return;
    }
    PictureFile picture;
    {
        WaitCursor wait;
        picture = readPictureFile(chosen);
        if (!picture.isNull()) {
            // A JPEG copy beside the file, never over an existing file; a failed copy is no
            // reason to refuse the picture.
            const QString copy = jpegCopyName(chosen);
            if (!copy.isEmpty())
                saveAsJpeg(picture.image, copy, 80);
        }
    }
    if (picture.isNull()) {
        MessageBoxes::information(
            QStringLiteral("The file '%1' holds no picture that can be read.").arg(chosen));
        return;
    }
    m_editImage->show();
    if (!m_editImage->setUserPicture(picture.bytes, picture.image))
        return;
    QGuiApplication::clipboard()->setImage(picture.image);
    EditIDKeyUp(); // as after typing: no new record while this one has changes
}

bool TFDFin::postBeforePictureCommand()
{
    if (m_dataSource1->state() == DataSetState::Browse)
        return true;
    return SaveRecord();
}

void TFDFin::zoomPicture(const QString &missing)
{
    if (!postBeforePictureCommand())
        return;
    bool stored = false;
    try {
        stored = m_table1->isActive() && m_table1->hasField(kImageField) &&
                 !m_table1->isNull(kImageField);
    } catch (const StoreError &) {
    }
    QImage picture;
    if (stored) {
        WaitCursor wait;
        picture = m_editImage->picture();
    }
    if (picture.isNull()) {
        MessageBoxes::information(missing);
        return;
    }
    TFViewImage view(picture, this);
    view.exec();
}

void TFDFin::Zoom1Click()
{
    zoomPicture(QStringLiteral("You have to Import an image and save it in the database first!"));
}

void TFDFin::EditImageDblClick()
{
    zoomPicture(QStringLiteral("You have to insert an image AND save it in your database before "
                               "you can open it for editing."));
}

void TFDFin::OpentoPaint1Click()
{
    const QImage picture = m_editImage->hasPicture() ? m_editImage->picture() : QImage();
    if (picture.isNull()) {
        // Nothing to hand over: an older "aaa.bmp" must not be opened instead.
        MessageBoxes::information(QStringLiteral("Sorry, you don't have an image !"));
        return;
    }
    const QString file = mapDrivePath(kPaintFile);
    if (!picture.save(file, "BMP")) {
        MessageBoxes::showMessage(QStringLiteral("Cannot write the picture to ") + file);
        return;
    }
    if (!Launcher::startProgram(QStringLiteral("mspaint.exe"), {file}) &&
        !Launcher::startProgram(QStringLiteral("pbrush.exe"), {file}))
        MessageBoxes::information(QStringLiteral("You don't have MS Paint !"));
}

void TFDFin::SBCopyImageClick()
{
    if (m_editImage->hasPicture())
        QGuiApplication::clipboard()->setImage(m_editImage->picture());
}

void TFDFin::SBPasteImageClick()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasImage() || !recordsBound())
        return;
    const QImage picture = qvariant_cast<QImage>(data->imageData());
    if (picture.isNull())
        return;
    m_editImage->show();
    if (m_editImage->setUserPicture(pngBytes(picture), picture))
        EditIDKeyUp();
}

void TFDFin::SBDeleteImageClick()
{
    bool has = false;
    try {
        has = m_table1->isActive() && m_table1->hasField(kImageField) &&
              !m_table1->isNull(kImageField);
    } catch (const StoreError &) {
    }
    if (!has) {
        MessageBoxes::information(QStringLiteral("You have no image!"));
        return;
    }
    if (MessageBoxes::ask(this, QStringLiteral("Are you sure you want to delete this image?"),
                          QStringLiteral("Warning"), MsgIcon::Warning,
                          MsgYes | MsgNo | MsgCancel) != MsgYes)
        return;
    try {
        m_table1->edit();
        m_table1->setValue(kImageField, QVariant());
    } catch (const StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return;
    }
    m_editImage->hide();
    SaveRecord();
}

void TFDFin::Image2Click()
{
    m_editImage->show();
}

void TFDFin::EditImageMouseDown()
{
    EditIDEnter(m_editImage);
}

} // namespace tav
