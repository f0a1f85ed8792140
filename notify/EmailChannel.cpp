#include "notify/EmailChannel.h"

#include "log/EventLog.h"
#include "notify/InviaEmailThread.h"
#include "platform/Clock.h"
#include "platform/ErrorBoundary.h"

QColor shapeColour(EmailShape shape)
{
    switch (shape) {
    case EmailShape::Green:
        return QColor(0, 255, 0);
    case EmailShape::Red:
        return QColor(255, 0, 0);
    case EmailShape::Grey:
        break;
    }
    return QColor(128, 128, 128);
}

EmailChannel::EmailChannel(EventLog& log, const Clock* clock, QObject* parent)
    : QObject(parent)
    , m_log(log)
    , m_clock(clock)
{
}

EmailChannel::~EmailChannel()
{
    if (!m_queue.empty())
        m_log.logEvent(
            QStringLiteral("Email not sent, the program ends: %1 queued").arg(m_queue.size()));
    if (m_thread) {
        // The program ends: the send in progress is cut short rather than
        // left running on a thread nobody waits for.
        m_thread->disconnect(this);
        delete m_thread;
        m_thread = nullptr;
    }
}

void EmailChannel::setTimeouts(int connectSeconds, int sendSeconds)
{
    m_connectTimeout = connectSeconds;
    m_sendTimeout = sendSeconds;
}

QDateTime EmailChannel::now() const
{
    return m_clock ? m_clock->now() : QDateTime::currentDateTime();
}

void EmailChannel::PrepareEmailMessage(const EmailPageTexts& page, const Reading& reading)
{
    PreparedEmail prepared = ::PrepareEmailMessage(m_outgoing, page, reading, now());
    m_outgoing = std::move(prepared.email);
    if (!prepared.ok())
        throw HandlerError(prepared.error);
}

void EmailChannel::SendAlarmEmail(const EmailPageTexts& page, const Reading& reading)
{
    PrepareEmailMessage(page, reading);
    // Logged after the preparation, so the line names the message that
    // really goes out.
    m_log.logEvent(QStringLiteral("Sending email to %1 [%2:%3] t=%4 r=%5")
                       .arg(m_outgoing.Recipients, m_outgoing.SmtpHost)
                       .arg(m_outgoing.SmtpPort)
                       .arg(reading.temperatureText, reading.humidityText));
    m_queue.push_back({m_outgoing, now()});
    if (m_thread) {
        m_log.logEvent(QStringLiteral("Email queued behind the send in progress"));
        return;
    }
    startNext();
    Q_EMIT busyChanged(true);
}

EmailChannel::TestVerdict EmailChannel::InviaEmailClick(
    const EmailPageTexts& page, const Reading& reading)
{
    m_log.logEvent(QStringLiteral("TestEmail"));
    setShape(EmailShape::Grey);
    PrepareEmailMessage(page, reading);
    if (!m_outgoing.Recipients.contains(QLatin1Char('@')))
        return TestVerdict::NoValidEmail;
    if (m_outgoing.SmtpHost.isEmpty())
        return TestVerdict::NoValidServer;
    if (EmailBusy())
        return TestVerdict::Busy;
    SendAlarmEmail(page, reading);
    return TestVerdict::Started;
}

void EmailChannel::startNext()
{
    if (m_queue.empty())
        return;
    Pending next = std::move(m_queue.front());
    m_queue.pop_front();
    SmtpRequest request;
    request.email = std::move(next.email);
    request.date = next.date;
    request.caFile = m_caFile;
    request.connectTimeoutSeconds = m_connectTimeout;
    request.sendTimeoutSeconds = m_sendTimeout;

    m_statusLines.clear();
    Q_EMIT statusCleared();
    m_thread = new InviaEmailThread(std::move(request), &m_log);
    connect(m_thread, &InviaEmailThread::statusLine, this, &EmailChannel::onStatusLine,
        Qt::QueuedConnection);
    connect(m_thread, &InviaEmailThread::sendResult, this, &EmailChannel::onResult,
        Qt::QueuedConnection);
    m_thread->start();
}

void EmailChannel::onStatusLine(const QString& line)
{
    m_statusLines.append(line);
    Q_EMIT statusLineAdded(line);
}

void EmailChannel::onResult(bool ok, const QString& error)
{
    if (ok) {
        setShape(EmailShape::Green);
    } else {
        onStatusLine(QString());
        onStatusLine(m_errorPrefix + error);
        setShape(EmailShape::Red);
    }
    // The result is the thread's last signal: it has ended or is ending.
    InviaEmailThread* finished = m_thread;
    m_thread = nullptr;
    finished->wait();
    delete finished;
    if (m_queue.empty())
        Q_EMIT busyChanged(false);
    else
        startNext();
}

void EmailChannel::setShape(EmailShape shape)
{
    m_shape = shape;
    Q_EMIT shapeChanged(shape);
}
