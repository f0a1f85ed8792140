#include "RequestPool.h"

#include "notify/InviaWebServerThread.h"

RequestPool::RequestPool(QObject* parent)
    : QObject(parent)
{
}

RequestPool::~RequestPool()
{
    cancelAll();
    const QSet<InviaWebServerThread*> running = std::exchange(m_running, {});
    for (InviaWebServerThread* thread : running)
        delete thread; // waits for its (cancelled) transfer
}

InviaWebServerThread* RequestPool::start(
    const QString& url, const HttpLimits& limits, Completion completion)
{
    auto* thread = new InviaWebServerThread(url, limits, this);
    if (completion) {
        connect(
            thread, &InviaWebServerThread::completed, this,
            [completion = std::move(completion)](const HttpAnswer& answer) { completion(answer); },
            Qt::QueuedConnection);
    }
    connect(thread, &QThread::finished, this, [this, thread] {
        m_running.remove(thread);
        thread->deleteLater();
    });
    m_running.insert(thread);
    thread->start();
    return thread;
}

void RequestPool::cancelAll()
{
    for (InviaWebServerThread* thread : std::as_const(m_running))
        thread->cancel();
}
