#pragma once

#include <QString>

namespace SystemError {

// The system's message text for an error code, with trailing blanks, line
// ends and full stops removed, at most 256 characters.
QString messageText(int code);
// Trims a system message as messageText does.
QString trimmed(QString text);
// "WRITE ERROR: <text> (<code in upper-case hex>)"
QString writeErrorText(int code, const QString& text);

} // namespace SystemError
