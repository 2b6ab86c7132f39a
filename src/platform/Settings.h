#pragma once
// The settings store standing in for the two registry keys the program uses:
// "Control Panel\International" (group "International") and the settings key
// "SOFTWARE\Microsoft\Win4" (group "Win4"). Value names are kept as they were.
// An INI file in the XDG config folder; tests point it at a file of their own.

#include <QString>
#include <optional>

namespace tav {

class Settings
{
public:
    // Location of the INI file; empty restores the default (XDG config dir).
    static void setFilePath(const QString &path);
    static QString filePath();

    // The user's short date format: the stored "sShortDate" if the store holds one,
    // otherwise the short date pattern of the user's locale.
    static QString shortDatePattern();

    // Values of the settings key ("Maximized", "Left", "displayw", "LastData", ...).
    // An absent or unreadable value is std::nullopt.
    static std::optional<int> readInt(const QString &name);
    static std::optional<QString> readString(const QString &name);
    static void writeInt(const QString &name, int value);
    static void writeString(const QString &name, const QString &value);
    // Writes pending changes to disk; false when the store cannot be written.
    static bool sync();
};

} // namespace tav
