#pragma once
// The page control of the main window. It tells page changes the user makes (a tab clicked,
// the tab keys, the wheel over the tabs) apart from the program's own setCurrentIndex, which
// shows a page without running the page-change handlers.

#include <QTabBar>
#include <QTabWidget>

namespace tav
{

class PageControl : public QTabWidget
{
    Q_OBJECT
public:
    explicit PageControl(QWidget *parent = nullptr);

    // Runs `change` as a change made by the user.
    template <typename F> void byUser(F change)
    {
        ++m_userDepth;
        change();
        --m_userDepth;
    }

signals:
    // The user moved from page `from` to the page now current. Not sent again for a change
    // made while the handlers of this one run.
    void userChangedPage(int from);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void pageChanged(int index);

    int m_shown = 0;
    int m_userDepth = 0;
    bool m_announcing = false;
};

} // namespace tav
