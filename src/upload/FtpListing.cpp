#include "FtpListing.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace tav::upload
{

namespace
{
constexpr int kNameColumn = 5;  // 0-based index of column 6
constexpr int kSizeColumn = 24; // 0-based index of column 25
constexpr int kPadding = 75;

bool acceptName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/'));
}

// perms, links, owner [group], size, date, name
const QRegularExpression &unixLine()
{
    static const QRegularExpression re(
        QStringLiteral(R"(^([-dlbcps])([-rwxsStT]{9})\S*\s+\d+\s+(?:\S+\s+){1,2}?(\d+)\s+)"
                       R"([A-Za-z]{3}\s+\d{1,2}\s+(?:\d{1,2}:\d{2}|\d{4})\s(.+)$)"));
    return re;
}

// date, time, <DIR> or size, name
const QRegularExpression &dosLine()
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\d{1,2}-\d{1,2}-\d{2,4}\s+\d{1,2}:\d{2}\s*(?:[AaPp][Mm])?\s+(<DIR>|\d+)\s+(.+)$)"));
    return re;
}
} // namespace

QString attributeCode(int attributes)
{
    switch (attributes) {
    case AttrReadOnly:
        return QStringLiteral("R");
    case AttrHidden:
        return QStringLiteral("H");
    case AttrSystem:
        return QStringLiteral("S");
    case AttrDirectory:
        return QStringLiteral("D");
    case AttrArchive:
        return QStringLiteral("A");
    case AttrNormal:
        return QStringLiteral("N");
    case AttrTemporary:
        return QStringLiteral("T");
    case AttrCompressed:
        return QStringLiteral("C");
    default:
        return QString::number(attributes);
    }
}

QString listingLine(const RemoteEntry &entry)
{
    QString line = attributeCode(entry.attributes) + QString(kPadding, QLatin1Char(' '));
    line.insert(kNameColumn, entry.name);
    const int sizeAt = qMax(kSizeColumn, kNameColumn + int(entry.name.size()) + 1);
    line.insert(sizeAt, QString::number(entry.size));
    return line;
}

QString customToFileName(const QString &line)
{
    const QString rest = line.mid(kNameColumn);
    const int blank = rest.indexOf(QLatin1Char(' '));
    return blank < 0 ? QString() : rest.left(blank);
}

bool isDirectoryLine(const QString &line)
{
    const QString code = line.section(QLatin1Char(' '), 0, 0);
    bool numeric = false;
    const int value = code.toInt(&numeric);
    return code == QLatin1String("D") || (numeric && (value & AttrDirectory));
}

QString parentDirectory(const QString &dir)
{
    QString last;
    const QStringList parts = dir.split(QLatin1Char('/'));
    for (auto it = parts.crbegin(); it != parts.crend(); ++it)
        if (!it->isEmpty()) {
            last = *it;
            break;
        }
    return dir.left(qMax(0, int(dir.size() - last.size() - 1)));
}

bool parseListLine(const QString &line, RemoteEntry *entry)
{
    RemoteEntry e;
    if (const auto m = unixLine().match(line); m.hasMatch()) {
        const QChar type = m.captured(1).at(0);
        const bool ownerWrites = m.captured(2).at(1) == QLatin1Char('w');
        e.size = m.captured(3).toLongLong();
        e.name = m.captured(4);
        if (type == QLatin1Char('l')) {
            const int arrow = e.name.indexOf(QLatin1String(" -> "));
            if (arrow >= 0)
                e.name.truncate(arrow);
        }
        const int kind = type == QLatin1Char('d') ? AttrDirectory : AttrNormal;
        e.attributes = ownerWrites
                           ? kind
                           : (kind == AttrDirectory ? AttrDirectory | AttrReadOnly : AttrReadOnly);
    } else if (const auto d = dosLine().match(line); d.hasMatch()) {
        const bool dir = d.captured(1) == QLatin1String("<DIR>");
        e.attributes = dir ? AttrDirectory : AttrNormal;
        e.size = dir ? 0 : d.captured(1).toLongLong();
        e.name = d.captured(2);
    } else {
        return false;
    }
    if (!acceptName(e.name))
        return false;
    *entry = e;
    return true;
}

QList<RemoteEntry> parseListing(const QByteArray &listing)
{
    QList<RemoteEntry> out;
    const QStringList lines = decodeText(listing).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        RemoteEntry e;
        if (parseListLine(line, &e))
            out.append(e);
    }
    return out;
}

QString decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace tav::upload
