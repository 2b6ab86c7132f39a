#pragma once
// Validation of the numbers typed into the Insert (FIns) and Delete (FDelRec) dialogs.
// A text that is no whole number gets the same message as a number out of range, never a
// raw conversion error.

#include <QString>

namespace tav::store::ops {

struct NumberInput {
    bool ok = false;
    int value = 0;
    QString message; // shown as an information message when !ok; the dialog stays open
};

struct RangeInput {
    bool ok = false;
    int from = 0;
    int to = 0;
    QString message;
};

// The conversion refusal of a typed whole number: "'" + text + "' is not a valid integer value.".
QString notAnIntegerMessage(const QString &text);

// FIns: how many records to insert, a whole number greater than 0; otherwise
// "'" + text + "' is not a valid integer value.".
NumberInput parseInsertCount(const QString &text);

// FDelRec with "From:" chosen, checked in this order:
//   from <= 0 (or no number)  "'<from>' is not a valid integer value."
//   to <= 0 (or no number)    "'<to>' is not a valid integer value."
//   to < from                 "'<from>' is not a valid value."
//   to > recordCount          "'<to>' is not a valid value."
RangeInput parseDeleteRange(const QString &fromText, const QString &toText, int recordCount);

} // namespace tav::store::ops
