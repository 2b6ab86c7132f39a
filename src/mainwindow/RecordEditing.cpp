#include "RecordEditing.h"

#include "FieldCatalogue.h"

namespace tav
{

namespace cat = store::catalogue;

const QString kSaveRecordsNoDatabase = QStringLiteral("Sorry,you must select a database first!");
const QString kSelectDatabaseFirst = QStringLiteral("Sorry, you must select a database first!");

NavigationEnabling navigationAfterMove(NavMove move, int count, int recordCount)
{
    NavigationEnabling on; // all four
    switch (move) {
    case NavMove::First:
        on.first = on.prior = false;
        break;
    case NavMove::Last:
        on.next = on.last = false;
        break;
    case NavMove::Prior:
        if (count == 1)
            on.first = on.prior = false;
        break;
    case NavMove::Next:
        if (count == recordCount)
            on.next = on.last = false;
        break;
    }
    return on;
}

MoveGuard moveGuard(store::DataSetState recordsState)
{
    switch (recordsState) {
    case store::DataSetState::Edit:
        return MoveGuard::AskFirst;
    case store::DataSetState::Insert:
    case store::DataSetState::Inactive:
        return MoveGuard::Stay;
    case store::DataSetState::Browse:
        break;
    }
    return MoveGuard::Move;
}

int currentFieldPositionFor(int position)
{
    const bool inChain = (position >= 0 && position < cat::kExtraFields) ||
                         (position >= cat::kFirstFixed && position <= cat::kLastFixed);
    return inChain ? position : cat::kPosDate;
}

bool fieldItemsEnabled(int currentFieldPosition)
{
    return currentFieldPosition != cat::kPosDate;
}

LinkKind linkKind(const QString &text)
{
    if (text.contains(QLatin1Char('@')))
        return LinkKind::Email;
    if (text.contains(QLatin1String("www.")) || text.contains(QLatin1String("http://")))
        return LinkKind::Web;
    return LinkKind::None;
}

QColor linkColour(LinkKind kind)
{
    switch (kind) {
    case LinkKind::Email:
        return QColor(0, 128, 0);
    case LinkKind::Web:
        return QColor(255, 0, 0);
    case LinkKind::None:
        break;
    }
    return QColor(0, 0, 0);
}

QString linkHint(LinkKind kind, const QString &text)
{
    switch (kind) {
    case LinkKind::Email:
        return QStringLiteral("Double Click to e-mail ") + text;
    case LinkKind::Web:
        return QStringLiteral("Double Click to browse ") + text;
    case LinkKind::None:
        break;
    }
    return QStringLiteral("Click to enter your text");
}

LinkCursor linkCursor(LinkKind kind, bool extraField)
{
    if (kind == LinkKind::None)
        return LinkCursor::Normal;
    if (extraField)
        return LinkCursor::Forbidden;
    return kind == LinkKind::Email ? LinkCursor::Mail : LinkCursor::Web;
}

bool isLinkDecorated(int position, int extraFieldCount)
{
    if (position >= cat::kFirstFixed && position <= cat::kLastFixed)
        return true;
    return position >= 0 && position < cat::kExtraFields && position < extraFieldCount;
}

QString invalidDateMessage(const QString &text)
{
    return QStringLiteral("%1 '%2' is not a valid date!").arg(QStringLiteral("Created:"), text);
}

bool dateTextAccepted(const QString &text, bool recordShown)
{
    if (!recordShown)
        return true;
    return store::parseDisplayDate(text).isValid();
}

} // namespace tav
