#pragma once

#include "notify/SmtpSender.h"

#include <QThread>

#include <atomic>

class EventLog;

// One send on its own thread. Everything it needs is copied in when it is
// created; it touches no widget. Its status lines (each also written to the
// diagnostic log) and its result leave it through signals, by value, for
// the user-interface thread to show.
class InviaEmailThread : public QThread
{
    Q_OBJECT
public:
    InviaEmailThread(SmtpRequest request, EventLog* log, QObject* parent = nullptr);
    ~InviaEmailThread() override;

    // Ends a running send at its next progress point, as a failure.
    void cancel() { m_cancel = true; }

Q_SIGNALS:
    void statusLine(const QString& text);
    void sendResult(bool ok, const QString& error);

protected:
    // The send: connect, log in, transmit, disconnect.
    void run() override;

private:
    const SmtpRequest m_request;
    EventLog* m_log;
    std::atomic<bool> m_cancel{false};
};
