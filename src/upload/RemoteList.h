#pragma once
// Drawing of the remote list and the picture preview of the upload window.

#include <QImage>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QWidget>

namespace tav::upload
{

// Draws a listing line in a fixed-pitch font at the item's top left, with the folder or
// file bitmap over the start of the line, where the attribute code stands. Items are 20
// pixels high.
class RemoteListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    RemoteListDelegate(const QPixmap &folderBmp, const QPixmap &fileBmp, QObject *parent);
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static constexpr int ItemHeight = 20;

private:
    QPixmap m_folderBmp;
    QPixmap m_fileBmp;
};

// The preview box: the picture scaled to fit, keeping its proportions.
class PicturePreview : public QWidget
{
    Q_OBJECT
public:
    explicit PicturePreview(QWidget *parent = nullptr);
    void setImage(const QImage &image);
    QImage image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};

} // namespace tav::upload
