#include "RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tav
{

RadioGroup::RadioGroup(const QString &objectName, const QString &caption, const QStringList &items,
                       QWidget *parent)
    : QGroupBox(caption, parent), m_group(new QButtonGroup(this))
{
    setObjectName(objectName);
    auto *layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), this);
        button->setObjectName(objectName + QStringLiteral("Item") + QString::number(i));
        m_group->addButton(button, i);
        layout->addWidget(button);
    }
    connect(m_group, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *b = m_group->button(index))
        b->setChecked(true);
}

int RadioGroup::count() const
{
    return m_group->buttons().size();
}

QRadioButton *RadioGroup::button(int index) const
{
    return qobject_cast<QRadioButton *>(m_group->button(index));
}

} // namespace tav
