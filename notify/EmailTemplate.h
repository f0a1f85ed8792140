#pragma once

#include "readings/Reading.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

// How the connection to the mail server is protected, as the e-mail page's
// "SSL/TLS" selector chooses it.
enum class TlsMode {
    None, // "Disabilitato", or no selection
    Implicit, // "Abilitato": encrypted from the first byte (smtps)
    Explicit, // "Default": STARTTLS when the server offers it
};

// How the client logs in, as the "Auth" selector chooses it.
enum class AuthMode {
    None, // "Nessuna", or no selection
    Login, // "Login": AUTH LOGIN with the user name and password
};

TlsMode tlsModeFor(int cmbSSLIndex);
AuthMode authModeFor(int cmbAuthIndex);

// The texts and selector indexes of the alarm window's e-mail page, taken by
// value when a message is prepared.
struct EmailPageTexts
{
    QString LblDest; // recipients, separated by commas
    QString LblSMTP; // server
    QString Lblusername; // user name
    QString Lblpassword; // password
    QString LblFrom; // sender, may be empty
    QString LblPorta; // port, a whole number
    QString LblOggetto; // subject
    QString TestoEmail; // body template, lines joined by CR LF
    int cmbSSL = -1;
    int cmbAuth = -1;
};

// The prepared message.
struct OutgoingEmail
{
    QString Recipients;
    QString SmtpHost;
    QString SmtpUser;
    QString SmtpPassword;
    QString Sender;
    QString Body;
    QString Subject;
    int SmtpPort = 0;
    TlsMode tls = TlsMode::None;
    AuthMode auth = AuthMode::None;
};

// What a preparation left: the message, and an error text when the port
// field was not a port number. On that error the recipients, host, user,
// password and sender are already taken over, while the port, subject,
// body and modes keep the values of the previous preparation.
struct PreparedEmail
{
    OutgoingEmail email;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

namespace EmailTemplate {

// "$temp$", "$RH$" and "$data$" replaced, every occurrence in any letter case,
// in that order: the temperature in the display unit and the humidity in
// the general number form, the date in the locale's short date format, a
// blank and the time in its long time format.
QString fill(QString text, const Reading& reading, const QDateTime& now, const QLocale& locale);

// The port field read as a whole number within 1..65535; the error text
// otherwise.
bool parsePort(const QString& text, int* port, QString* error);

} // namespace EmailTemplate

// Fills the message from the page's fields; the date and time of "$data$"
// are those of now.
PreparedEmail PrepareEmailMessage(const OutgoingEmail& previous, EmailPageTexts page,
    const Reading& reading, const QDateTime& now, const QLocale& locale = QLocale::system());
