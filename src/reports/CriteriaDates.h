#pragma once
// Dates typed as report criteria, read in the user's short date pattern but leniently.

#include <QDate>
#include <QString>

namespace tav::reports {

// Reads a date typed by the user. The order of day, month and year comes from the short
// date pattern (e.g. "dd-MMM-yy", "M/d/yy", "yy/MM/dd"); the fields may be separated by any
// non-alphanumeric characters; the month may be a number or a name ("Jan", "January"); the
// year may have two digits (00..49 mean 2000..2049, 50..99 mean 1950..1999) or four. A text
// starting with a four-digit year is read year, month, day whatever the pattern says.
// Null QDate when the text is empty or no date.
QDate readCriteriaDate(const QString &text, const QString &pattern);

// The text the end-date box of the "Created" row starts with: today in the short date
// pattern, with a two-digit year widened to four digits (00..49 -> 20.., else 19..) and a
// month abbreviation "Jan".."Dec" replaced by the month's number. "12-Jan-99" with
// "dd-MMM-yy" gives "12-1-1999".
QString defaultEndDateText(const QDate &today, const QString &pattern);

} // namespace tav::reports
