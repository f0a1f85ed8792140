#include "SmsRequester.h"

#include "notify/InviaWebServerThread.h"
#include "notify/RequestPool.h"

SmsRequester::SmsRequester(QObject* parent)
    : QObject(parent)
    , m_pool(new RequestPool(this))
{
}

SmsRequester::~SmsRequester() = default;

void SmsRequester::request(const QString& url)
{
    if (m_current)
        m_current->cancel();
    const quint64 generation = ++m_generation;
    m_current = m_pool->start(url, m_limits, [this, generation](const HttpAnswer& answer) {
        if (generation != m_generation)
            return;
        m_current = nullptr;
        Q_EMIT answered(answerText(answer));
    });
}

QString SmsRequester::answerText(const HttpAnswer& answer)
{
    const QString body = QString::fromUtf8(answer.body);
    if (answer.ok)
        return body;
    return body.isEmpty() ? answer.error : answer.error + QStringLiteral("\n\n") + body;
}
