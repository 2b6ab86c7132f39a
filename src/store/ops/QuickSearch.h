#pragma once
// Quick search on the Database page: nine search items, each a record field, and the
// criteria the window keeps between searches. The finds themselves are the records table's
// findFirst / findNext / findPrior with the filter built here; the table is never filtered.
//
//   0 the record number (its position  1..7 ID, FirstName, LastName, Phone, Fax, Email,
//     in the table, not the stored        URLWebsite: the criterion occurs in the field,
//     Count)                              compared in lower case (the user's locale)
//   8 Comments
// An empty criterion matches no record; positions start at 1, so the number 0 matches none.

#include "Dataset.h"

#include <QString>
#include <array>

namespace tav::store::ops {

class QuickSearch
{
public:
    static constexpr int kItems = 9;
    static constexpr int kCountItem = 0;
    static constexpr int kCommentsItem = 8;

    // The record field searched by `item`.
    static QString field(int item);
    // The caption box whose text names the item ("LabelID", ...; "LabelComments" for 8),
    // empty for item 0.
    static QString captionBox(int item);
    // Caption of the search group box: "Search by No." for item 0, otherwise
    // "Search by " + the text of the item's caption box.
    static QString groupCaption(int item, const QString &captionText);

    // At the start of each search: items 0..7 take the search box's text as their criterion
    // only when it is not empty (an empty box searches for the previous criterion again);
    // item 0 converts it to a number. Item 8 always takes the text. Returns false, keeping
    // the previous criterion, when item 0's text is no whole number.
    bool takeCriterion(int item, const QString &boxText);

    qint64 number() const { return m_number; }
    QString text(int item) const;

    // Whether a record whose field of `item` holds `value` (item 0: whose position is
    // `value`) matches the current criterion.
    bool matches(int item, const QVariant &value) const;
    // The filter to install on the records table for `item`, holding the criterion as it is
    // now: install it after takeCriterion, before each find.
    RecordFilter filter(int item) const;

private:
    qint64 m_number = 0;
    std::array<QString, kItems> m_texts;
};

} // namespace tav::store::ops
