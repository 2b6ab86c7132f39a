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
} // namespace

void Settings::setFilePath(const QString &path) { overridePath() = path; }

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

void Settings::writeInt(const QString &name, int value) { store().setValue(key(name), value); }

void Settings::writeString(const QString &name, const QString &value)
{
    store().setValue(key(name), value);
}

bool Settings::sync()
{
    QSettings s = store();
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace tav
