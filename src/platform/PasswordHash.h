#pragma once
// Passwords are kept as salted PBKDF2 hashes, never as the text typed.

#include <QString>

namespace tav::password {

// "pbkdf2-sha256$<iterations>$<salt>$<key>" (base64 salt and key); under 100 characters,
// so it fits a text field of 100. Each call takes a new random salt.
QString hash(const QString &password);

// Whether `typed` is the password `stored` was made from: exact and case-sensitive. A stored
// value that is no hash of ours is a password kept as plain text by an older file, and is
// compared as it stands.
bool matches(const QString &typed, const QString &stored);

} // namespace tav::password
