#include "Settings.h"

#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>

namespace tav {

namespace {
const char kInternational[] = "International";
const char kSettingsKey[] = "Win4";

QString &overridePath()
{
    static QString p;
    return p;
}

QSettings store()
{
    return QSettings(Settings::filePath(), QSettings::IniFormat);
}

QString key(const QString &name) { return QString::fromLatin1(kSettingsKey) + '/' + name; }

// Set when a write could not reach the disk; sync() reports it once.
bool &writeFailed()
{
    static bool failed = false;
    return failed;
}

void write(const QString &name, const QVariant &value)
{
    QSettings s = store();
    s.setValue(key(name), value);
    s.sync();
    if (s.status() != QSettings::NoError)
        writeFailed() = true;
}
} // namespace

void Settings::setFilePath(const QString &path)
{
    overridePath() = path;
    writeFailed() = false;
}

QString Settings::filePath()
{
    if (!overridePath().isEmpty())
        return overridePath();
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(dir).filePath(QStringLiteral("Tavrionex/Tavrionex.ini"));
}

QString Settings::shortDatePattern()
{
    const QString stored =
        store().value(QString::fromLatin1(kInternational) + QStringLiteral("/sShortDate")).toString();
    if (!stored.isEmpty())
        return stored;
    return QLocale::system().dateFormat(QLocale::ShortFormat);
}

std::optional<int> Settings::readInt(const QString &name)
{
    const QVariant v = store().value(key(name));
    bool ok = false;
    const int i = v.toInt(&ok);
    if (!v.isValid() || !ok)
        return std::nullopt;
    return i;
}

std::optional<QString> Settings::readString(const QString &name)
{
    const QVariant v = store().value(key(name));
    if (!v.isValid())
        return std::nullopt;
    return v.toString();
}

void Settings::writeInt(const QString &name, int value) { write(name, value); }

void Settings::writeString(const QString &name, const QString &value) { write(name, value); }

bool Settings::sync()
{
    QSettings s = store();
    s.sync();
    const bool ok = !writeFailed() && s.status() == QSettings::NoError;
    writeFailed() = false;
    return ok;
}

} // namespace tav
