#pragma once
// Rules for database names: the characters replaced while the user types, the length limit,
// upper-casing and the "name taken" test. Names are kept and compared in upper case.

#include <QString>
#include <QStringList>

namespace tav::store::ops::names {

// The name edit boxes of the new-database and rename dialogs hold at most this many
// characters; the operations refuse longer names.
constexpr int kMaxNameLength = 20;

// New-database dialog: space " ' * , - . / : ; < > ? \ ` | ~ become "_" (17 characters).
QString filterNewName(const QString &typed);
// Rename and save-as dialogs: the same without hyphen, semicolon and tilde (14 characters).
QString filterRenameName(const QString &typed);

// The name as it is stored: upper case.
QString normalised(const QString &name);

// True when `name` (compared in upper case) is "MASTER" or one of `existing`.
bool isTaken(const QString &name, const QStringList &existing);

// A name the file set can be built from: not empty, at most kMaxNameLength characters,
// none of the characters every dialog replaces and no control characters. The operations
// refuse other names, so no file outside the data directory can be reached through a name.
bool isValid(const QString &name);

} // namespace tav::store::ops::names
