#pragma once

#include "notify/HttpGet.h"

#include <QThread>

#include <atomic>

// One request to the monitoring web service (or the SMS gateway) on its own
// thread with its own HTTP client. The URL and the limits are copied in when
// it is made; the answer goes out by value through completed, which its
// receiver takes on the user-interface thread. It never touches a widget.
class InviaWebServerThread : public QThread
{
    Q_OBJECT
public:
    InviaWebServerThread(QString url, HttpLimits limits, QObject* parent = nullptr);
    ~InviaWebServerThread() override;

    const QString& url() const { return m_url; }
    // Ends the transfer soon; completed still comes, as a failure.
    void cancel() { m_cancel = true; }

Q_SIGNALS:
    void completed(const HttpAnswer& answer);

protected:
    void run() override;

private:
    const QString m_url;
    const HttpLimits m_limits;
    std::atomic_bool m_cancel{false};
};
