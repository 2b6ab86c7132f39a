#pragma once
// The comments lock of a database, kept in its labels row: Res85 "1" means locked, Res86
// holds a salted hash of the password. Headless: works on the labels dataset.

#include "Dataset.h"

#include <QString>

namespace tav::lock
{

// Res85 is exactly "1"; false when the labels table is closed or has no such field.
bool isLocked(const store::Dataset &labels);

// Locks with `password` (empty allowed): Res86 takes its hash, Res85 "1", then posts.
// StoreError when the post is refused; the labels then stay in Edit with the values.
void lock(store::Dataset &labels, const QString &password);

// Unlocks when `typed` is the password (exact, case-sensitive): Res85 "0", posted; Res86
// is kept. False, with nothing changed, when the password does not match.
bool unlock(store::Dataset &labels, const QString &typed);

} // namespace tav::lock
