#include "PowerOff.h"

#include <QDBusConnection>
#include <QDBusMessage>

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
    return true;
}
