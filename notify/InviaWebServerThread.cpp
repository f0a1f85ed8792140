#include "InviaWebServerThread.h"

InviaWebServerThread::InviaWebServerThread(QString url, HttpLimits limits, QObject* parent)
    : QThread(parent)
    , m_url(std::move(url))
    , m_limits(limits)
{
    qRegisterMetaType<HttpAnswer>();
}

InviaWebServerThread::~InviaWebServerThread()
{
    // A thread object is only ever destroyed with its work ended; this makes
    // sure of it when its owner goes first.
    cancel();
    wait();
}

void InviaWebServerThread::run()
{
    Q_EMIT completed(httpGet(m_url, m_limits, &m_cancel));
}
