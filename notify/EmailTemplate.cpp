#include "notify/EmailTemplate.h"

#include "readings/DerivedQuantities.h"

TlsMode tlsModeFor(int cmbSSLIndex)
{
    switch (cmbSSLIndex) {
    case 0:
        return TlsMode::Explicit;
    case 1:
        return TlsMode::Implicit;
    default:
        return TlsMode::None;
    }
}

AuthMode authModeFor(int cmbAuthIndex)
{
    return cmbAuthIndex == 1 ? AuthMode::Login : AuthMode::None;
}

namespace EmailTemplate {

QString fill(QString text, const Reading& reading, const QDateTime& now, const QLocale& locale)
{
    text.replace(
        QLatin1String("$temp$"), Derived::generalNumber(reading.temperature), Qt::CaseInsensitive);
    text.replace(
        QLatin1String("$RH$"), Derived::generalNumber(reading.humidity), Qt::CaseInsensitive);
    if (text.contains(QLatin1String("$data$"), Qt::CaseInsensitive)) {
        const QString when = locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ')
            + locale.toString(now.time(), QLocale::LongFormat);
        text.replace(QLatin1String("$data$"), when, Qt::CaseInsensitive);
    }
    return text;
}

bool parsePort(const QString& text, int* port, QString* error)
{
    bool ok = false;
    const int value = QLocale::c().toInt(text.trimmed(), &ok);
    if (!ok) {
        *error = QStringLiteral("'%1' is not a valid integer value").arg(text);
        return false;
    }
    // The port travels as a 16-bit number: a larger one would silently reach
    // another port.
    if (value < 1 || value > 65535) {
        *error = QStringLiteral("'%1' is not a valid port number (1 to 65535)").arg(text);
        return false;
    }
    *port = value;
    return true;
}

} // namespace EmailTemplate

PreparedEmail PrepareEmailMessage(const OutgoingEmail& previous, EmailPageTexts page,
    const Reading& reading, const QDateTime& now, const QLocale& locale)
{
    PreparedEmail prepared{previous, {}};
    OutgoingEmail& email = prepared.email;
    email.Recipients = std::move(page.LblDest);
    email.SmtpHost = std::move(page.LblSMTP);
    email.SmtpUser = std::move(page.Lblusername);
    email.SmtpPassword = std::move(page.Lblpassword);
    email.Sender = std::move(page.LblFrom);
    int port = 0;
    if (!EmailTemplate::parsePort(page.LblPorta, &port, &prepared.error))
        return prepared;
    email.SmtpPort = port;
    email.Subject = std::move(page.LblOggetto);
    email.Body = EmailTemplate::fill(std::move(page.TestoEmail), reading, now, locale);
    email.tls = tlsModeFor(page.cmbSSL);
    email.auth = authModeFor(page.cmbAuth);
    return prepared;
}
