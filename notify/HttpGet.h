#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

#include <atomic>

// Bounds of one HTTP GET: a request always ends, and an answer never grows
// without limit.
struct HttpLimits
{
    int connectMs = 10000;
    int totalMs = 20000;
    qsizetype maxBytes = 1024 * 1024;
};

// What one request brought back. ok is false for every failure (name
// resolution, connection, time-out, an HTTP error status, an answer over
// its limit, a cancelled request); error then says which.
struct HttpAnswer
{
    bool ok = false;
    QByteArray body;
    QString error;
};
Q_DECLARE_METATYPE(HttpAnswer)

// One blocking GET with its own libcurl handle, following redirects. cancel,
// when given, ends the transfer early once it turns true. Safe to run on any
// thread; it throws nothing.
HttpAnswer httpGet(const QString& url, const HttpLimits& limits,
    const std::atomic_bool* cancel = nullptr) noexcept;
