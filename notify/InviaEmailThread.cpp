#include "notify/InviaEmailThread.h"

#include "log/EventLog.h"

InviaEmailThread::InviaEmailThread(SmtpRequest request, EventLog* log, QObject* parent)
    : QThread(parent)
    , m_request(std::move(request))
    , m_log(log)
{
}

InviaEmailThread::~InviaEmailThread()
{
    cancel();
    wait();
}

void InviaEmailThread::run()
{
    const SmtpResult result = SmtpSender::send(
        m_request,
        [this](const QString& text) {
            if (m_log)
                m_log->logEvent(text);
            Q_EMIT statusLine(text);
        },
        &m_cancel);
    Q_EMIT sendResult(result.ok, result.error);
}
