#pragma once
// The zoom window FViewImage: the record's picture in a window of the picture's size, at
// most 640 x 480, the picture stretched over the window as it is resized or maximised.

#include <QDialog>
#include <QImage>

namespace tav
{

class TFViewImage : public QDialog
{
    Q_OBJECT
public:
    explicit TFViewImage(const QImage &picture, QWidget *parent = nullptr);
    static constexpr int kMaxWidth = 640;
    static constexpr int kMaxHeight = 480;
};

} // namespace tav
