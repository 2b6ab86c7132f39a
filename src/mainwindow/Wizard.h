#pragma once
// The start-up wizard FWizard: open the last database, create a new one or open another.

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace tav
{

class RadioGroup;
class TFDFin;

class TFWizard : public QDialog
{
    Q_OBJECT
public:
    explicit TFWizard(TFDFin *main);

public slots:
    void BOkClick();
    void CBDisplayClick();

private:
    TFDFin *m_main;
    RadioGroup *m_open;
    QCheckBox *m_display;
};

} // namespace tav
