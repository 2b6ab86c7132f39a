// Quick search on the Database page: the search field chosen in FilterOnRadioGroup, the
// caption of GroupBox1, and Find First, Find Next and Find Prev. The criteria and the match
// rules are QuickSearch's; the finds are the records table's, with its record filter, so
// the table itself is never filtered and browsing always shows every record.

#include "FDFin.h"
#include "MessageBoxes.h"
#include "RecordInput.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tav
{

using store::DataSetState;
using store::StoreError;
using store::ops::QuickSearch;

namespace
{
const QString kNoRecord = QStringLiteral("NO RECORD !!!");
const QString kNoRecordFound = QStringLiteral("NO RECORD FOUND !!!");
} // namespace

void TFDFin::wireQuickSearch()
{
    // Also runs when the program selects an item (item 0 at start-up).
    connect(m_filterOn, &QButtonGroup::idToggled, this, [this](int item, bool checked) {
        if (checked)
            FilterOnRadioGroupClick(item);
    });
    const struct {
        const char *name;
        void (TFDFin::*handler)();
    } buttons[] = {{"FindBtn", &TFDFin::FindBtnClick},
                   {"NextBtn", &TFDFin::NextBtnClick},
                   {"PriorBtn", &TFDFin::PriorBtnClick}};
    for (const auto &b : buttons)
        connect(findChild<QPushButton *>(QString::fromLatin1(b.name)), &QPushButton::clicked, this,
                b.handler);
}

void TFDFin::FilterOnRadioGroupClick(int item)
{
    if (QAbstractButton *button = m_filterOn->button(item))
        findChild<QLabel *>(QStringLiteral("FilterOnLabel"))->setText(button->text());
    QString caption;
    if (item != QuickSearch::kCountItem)
        if (auto *box = findChild<QLineEdit *>(QuickSearch::captionBox(item)))
            caption = box->text();
    findChild<QGroupBox *>(QStringLiteral("GroupBox1"))
        ->setTitle(QuickSearch::groupCaption(item, caption));
    m_filterCriteria->setFocus();
}

void TFDFin::FindBtnClick()
{
    runSearch(SearchMove::First);
}

void TFDFin::NextBtnClick()
{
    runSearch(SearchMove::Next);
}

void TFDFin::PriorBtnClick()
{
    runSearch(SearchMove::Prior);
}

void TFDFin::runSearch(SearchMove move)
{
    // A search may land anywhere: navigation opens, on the buttons and their menu items
    // alike, unless a record being added stays (its pending post was refused).
    struct OpenNavigation {
        TFDFin *w;
        ~OpenNavigation()
        {
            if (w->m_dataSource1->state() != DataSetState::Insert)
                w->applyNavigationEnabling(NavigationEnabling());
        }
    } openNavigation{this};
    const int item = m_filterOn->checkedId();
    if (item < 0 || !m_table1->isActive())
        return;
    const bool comments = item == QuickSearch::kCommentsItem;
    // The comments search walks the records and stops past the end it ran into; pressed
    // again there, it has nowhere to go.
    if (comments && ((move == SearchMove::Next && m_table1->eof()) ||
                     (move == SearchMove::Prior && m_table1->bof())))
        return;

    bool found = false;
    try {
        if (!m_search.takeCriterion(item, m_filterCriteria->text())) {
            MessageBoxes::showMessage(store::ops::notAnIntegerMessage(m_filterCriteria->text()));
            return;
        }
        m_table1->setRecordFilter(m_search.filter(item));
        switch (move) {
        case SearchMove::First:
            found = m_table1->findFirst();
            break;
        case SearchMove::Next:
            found = m_table1->findNext();
            break;
        case SearchMove::Prior:
            found = m_table1->findPrior();
            break;
        }
        if (!found && comments) {
            // Where the walk over the comments ended: past the last record, or before the
            // first one going back.
            if (move == SearchMove::Prior) {
                m_table1->first();
                m_table1->prior();
            } else {
                m_table1->last();
                m_table1->next();
            }
        }
    } catch (const StoreError &e) {
        // A pending edit the search had to post first was refused; it stays pending.
        MessageBoxes::showMessage(e.message());
        return;
    }
    if (found) {
        ShowImageIfAny();
        return;
    }
    MessageBoxes::information(move == SearchMove::First && !comments ? kNoRecord : kNoRecordFound);
}

} // namespace tav
