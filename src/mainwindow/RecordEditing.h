#pragma once
// Rules of record navigation and editing on the Database page that need no window: which
// navigation controls a move leaves enabled, when a move asks about pending changes, how a
// field's text is decorated as a link, when the field items apply, and the date check of
// Add and Save with its message. The handlers in FDFinNavigation.cpp and FDFinLinks.cpp read
// their controls, call these and apply the result.

#include "Dataset.h"

#include <QColor>
#include <QString>

namespace tav
{

// ---- Navigation ----------------------------------------------------------------------------

enum class NavMove { First, Prior, Next, Last };

// Enabled state of First, Previous, Next and Last; each applies to the button and to the
// menu item alike.
struct NavigationEnabling {
    bool first = true;
    bool prior = true;
    bool next = true;
    bool last = true;
    bool operator==(const NavigationEnabling &o) const
    {
        return first == o.first && prior == o.prior && next == o.next && last == o.last;
    }
};

// After `move`, with `count` the number (position) of the record now current and
// `recordCount` the records table's record count.
NavigationEnabling navigationAfterMove(NavMove move, int count, int recordCount);

// What a navigation command does first in a given state of the records: an existing record
// with changes asks the unsaved-changes prompt; a record being added is never moved away
// from (its controls are disabled, and a move would drop it); browsing moves at once.
enum class MoveGuard { Move, AskFirst, Stay };
MoveGuard moveGuard(store::DataSetState recordsState);

// ---- Current field -------------------------------------------------------------------------

// The current field position a record edit box makes when it receives the focus: its
// catalogue position when the field belongs to the field chain (0..77, 80..94), otherwise
// 78, which stands for "no field" (the creation date, the record number, other controls:
// pass -1).
int currentFieldPositionFor(int position);
// "Inse&rt Field" and "Dele&te Field" apply while a field of the chain is current.
bool fieldItemsEnabled(int currentFieldPosition);

// ---- Link decoration -----------------------------------------------------------------------

enum class LinkKind { None, Email, Web };
enum class LinkCursor { Normal, Mail, Web, Forbidden };

// "@" anywhere makes an e-mail address; otherwise "www." or "http://" a web address.
// Case-sensitive.
LinkKind linkKind(const QString &text);
QColor linkColour(LinkKind kind);
QString linkHint(LinkKind kind, const QString &text);
// Fixed fields show the mail and web cursors; extra fields show the not-allowed cursor for
// either kind of link.
LinkCursor linkCursor(LinkKind kind, bool extraField);
// Decorated are the fixed fields (positions 80..94) and the extra fields in use (0..n-1).
bool isLinkDecorated(int position, int extraFieldCount);

// ---- Dates ---------------------------------------------------------------------------------

// "Created: '<text>' is not a valid date!"
QString invalidDateMessage(const QString &text);
// The date text of the record shown must be a date in the user's short date format. With no
// record shown (no database, or an empty records table) there is no date to check.
bool dateTextAccepted(const QString &text, bool recordShown);

// Messages when no database is selected: Add and the captions of Save say
// kSelectDatabaseFirst; the records of Save say it without the blank after the comma.
extern const QString kSelectDatabaseFirst;
extern const QString kSaveRecordsNoDatabase;

} // namespace tav
