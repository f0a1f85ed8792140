#include "SystemError.h"

#include <cstring>

namespace SystemError {

QString trimmed(QString text)
{
    while (!text.isEmpty()) {
        const QChar last = text.back();
        if (last.isSpace() || last == QLatin1Char('.'))
            text.chop(1);
        else
            break;
    }
    return text.left(256);
}

QString messageText(int code)
{
    return trimmed(QString::fromLocal8Bit(std::strerror(code)));
}

QString writeErrorText(int code, const QString& text)
{
    return QStringLiteral("WRITE ERROR: %1 (%2)")
        .arg(text, QString::number(static_cast<quint32>(code), 16).toUpper());
}

} // namespace SystemError
