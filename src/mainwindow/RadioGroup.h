#pragma once
// A captioned group of radio buttons addressed by item index, as the windows of this
// program use them (RGOpen, rgConfig, ...). Buttons are named <group>Item<index>.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace tav
{

class RadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    RadioGroup(const QString &objectName, const QString &caption, const QStringList &items,
               QWidget *parent = nullptr);
    int itemIndex() const; // -1 when none is selected
    void setItemIndex(int index);
    int count() const;
    QRadioButton *button(int index) const;

signals:
    void itemClicked(int index); // the user chose an item

private:
    QButtonGroup *m_group;
};

} // namespace tav
