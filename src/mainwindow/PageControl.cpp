#include "PageControl.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace tav
{

namespace
{
class PageBar : public QTabBar
{
public:
    PageBar(PageControl *owner) : QTabBar(owner), m_owner(owner) {}

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        m_owner->byUser([&] { QTabBar::mousePressEvent(event); });
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        m_owner->byUser([&] { QTabBar::keyPressEvent(event); });
    }
#if QT_CONFIG(wheelevent)
    void wheelEvent(QWheelEvent *event) override
    {
        m_owner->byUser([&] { QTabBar::wheelEvent(event); });
    }
#endif

private:
    PageControl *m_owner;
};
} // namespace

PageControl::PageControl(QWidget *parent) : QTabWidget(parent)
{
    setTabBar(new PageBar(this));
    connect(this, &QTabWidget::currentChanged, this, &PageControl::pageChanged);
}

void PageControl::keyPressEvent(QKeyEvent *event)
{
    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageUp/PageDown.
    byUser([&] { QTabWidget::keyPressEvent(event); });
}

void PageControl::pageChanged(int index)
{
    const int from = m_shown;
    m_shown = index;
    if (m_userDepth == 0 || m_announcing || index < 0)
        return;
    m_announcing = true;
    emit userChangedPage(from);
    m_announcing = false;
}

} // namespace tav
