#pragma once
// What a link typed into a record field may hand to a program: a web address that is
// really one (http, https or "www."), never a text a program could take for an option; a
// mail address percent-encoded into a "mailto:" link with any query part (subject, attach,
// ...) dropped.

#include <QString>

namespace tav::accessories {

// The text holds a web marker ("www.", "http://" or "https://", case as typed).
bool hasWebMarker(const QString &text);
// The text holds an "@".
bool hasMailMarker(const QString &text);

// "http://..." or "https://..." as typed, or "http://" + a text beginning with "www.";
// empty when the text is no such address (one beginning with "-", with blanks, ...).
QString webLinkUrl(const QString &text);
// "mailto:" + the address, percent-encoded; a "mailto:" typed in front is accepted and
// anything from "?" on dropped. Empty when no address with a name and a host remains.
QString mailLinkUrl(const QString &text);

} // namespace tav::accessories
