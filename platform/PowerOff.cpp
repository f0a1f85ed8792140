#include "PowerOff.h"

#include <QDBusConnection>
#include <QDBusMessage>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

bool LogindPowerOff::requestPowerOff(int /*flags*/)
{
    // logind has no forced variant for an unprivileged caller: it asks the
    // session's inhibitors, as the desktop's own power-off does.
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
        QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
        QStringLiteral("PowerOff"));
    call << false; // not interactive
    const QDBusMessage reply = QDBusConnection::systemBus().call(call, QDBus::Block, 10000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool LoggingPowerOff::requestPowerOff(int flags)
{
    m_log(QStringLiteral("simulated power-off request, flags ") + QString::number(flags));
    // The PC is still running: a countdown that sees the request refused
    // lets the user leave it again.
    return false;
}

#ifdef Q_OS_WIN
bool WindowsPowerOff::requestPowerOff(int flags)
{
    // Without the shutdown privilege ExitWindowsEx refuses a power-off. The
    // adjustment's own result is not needed: the shutdown call reports.
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid))
            AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        CloseHandle(token);
    }
    return ExitWindowsEx(static_cast<UINT>(flags), 0) != 0;
}
#endif
