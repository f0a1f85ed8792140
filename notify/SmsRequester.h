#pragma once

#include "notify/HttpGet.h"

#include <QObject>
#include <QPointer>

class InviaWebServerThread;
class RequestPool;

// One SMS gateway request at a time in the background, whether the alarm
// window is shown or not. A new request replaces one still running: the
// older one is cancelled and its answer never shown.
class SmsRequester : public QObject
{
    Q_OBJECT
public:
    explicit SmsRequester(QObject* parent = nullptr);
    ~SmsRequester() override;

    void request(const QString& url);
    bool busy() const { return !m_current.isNull(); }
    void setHttpLimits(const HttpLimits& limits) { m_limits = limits; }

    // The text to show for an answer: its body, or the error of a failed
    // request (with the body the gateway sent with an error status).
    static QString answerText(const HttpAnswer& answer);

Q_SIGNALS:
    void answered(const QString& text);

private:
    HttpLimits m_limits;
    RequestPool* m_pool = nullptr;
    QPointer<InviaWebServerThread> m_current;
    quint64 m_generation = 0;
};
