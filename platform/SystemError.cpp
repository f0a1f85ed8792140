#include "SystemError.h"

#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

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
#ifdef Q_OS_WIN
    // The system's own text for the code, in the system's language.
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    const QString text
        = length ? QString::fromWCharArray(buffer, static_cast<qsizetype>(length)) : QString();
    LocalFree(buffer);
    return trimmed(text);
#else
    return trimmed(QString::fromLocal8Bit(std::strerror(code)));
#endif
}

QString writeErrorText(int code, const QString& text)
{
    return QStringLiteral("WRITE ERROR: %1 (%2)")
        .arg(text, QString::number(static_cast<quint32>(code), 16).toUpper());
}

} // namespace SystemError
