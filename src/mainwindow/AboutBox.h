#pragma once
// The about box of Tavrionex 4.

#include <QDialog>

namespace tav
{

class TFAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TFAbout(QWidget *parent = nullptr);
};

} // namespace tav
