#pragma once

#include "notify/EmailTemplate.h"

#include <QDateTime>
#include <QString>

#include <atomic>
#include <functional>

// Everything one send needs, copied in when the send is started.
struct SmtpRequest
{
    OutgoingEmail email;
    QDateTime date;
    // Certificate authorities trusted besides the system's own, one PEM
    // file; empty for the system's only.
    QString caFile;
    int connectTimeoutSeconds = 30;
    int sendTimeoutSeconds = 120;
};

struct SmtpResult
{
    bool ok = false;
    QString error;
};

// One SMTP conversation over libcurl: connect (TLS 1.2 or newer, the
// server's certificate and host name verified), log in, send, disconnect.
// Blocking; runs on the sending thread. The status texts name the stages:
// "Resolving hostname %s.", "Connecting to %s.", "Connected.",
// "Disconnecting.", "Disconnected.".
class SmtpSender
{
public:
    using Status = std::function<void(const QString&)>;

    // cancel, when set from another thread, ends the send at its next
    // progress point as a failure.
    static SmtpResult send(const SmtpRequest& request, const Status& status,
        const std::atomic<bool>* cancel = nullptr);

    // The address libcurl is given, e.g. "smtps://mail.example.com:465".
    static QString url(const OutgoingEmail& email);
};
