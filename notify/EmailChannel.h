#pragma once

#include "notify/EmailTemplate.h"

#include <QColor>
#include <QObject>
#include <QStringList>

#include <deque>

class Clock;
class EventLog;
class InviaEmailThread;

// The colour of the e-mail page's status shape.
enum class EmailShape { Grey, Green, Red };
QColor shapeColour(EmailShape shape);

// The program's one e-mail channel: the prepared message, one send at a
// time, and the state the e-mail page shows (status lines, shape). A send
// asked for while one runs waits in the queue and goes next; none is ever
// dropped. Lives on the user-interface thread; all its signals are emitted
// there.
class EmailChannel : public QObject
{
    Q_OBJECT
public:
    enum class TestVerdict { Started, NoValidEmail, NoValidServer, Busy };

    EmailChannel(EventLog& log, const Clock* clock = nullptr, QObject* parent = nullptr);
    ~EmailChannel() override;

    // Certificate authorities trusted besides the system's (a PEM file).
    void setCaFile(const QString& path) { m_caFile = path; }
    void setTimeouts(int connectSeconds, int sendSeconds);
    // strsErrore of the language in effect.
    void setErrorPrefix(const QString& prefix) { m_errorPrefix = prefix; }

    // Fills the message from the page. A port field that is not a port
    // number raises a HandlerError (the recipients, host, user, password and
    // sender are already taken over then).
    void PrepareEmailMessage(const EmailPageTexts& page, const Reading& reading);
    // Prepares the message and starts its send, or queues it behind the send
    // in progress; returns at once. Raises as PrepareEmailMessage does, and
    // then sends nothing.
    void SendAlarmEmail(const EmailPageTexts& page, const Reading& reading);
    // The test button: the checks of the page, then one send unless one is
    // already running. The window shows the message of a refusal.
    TestVerdict InviaEmailClick(const EmailPageTexts& page, const Reading& reading);

    const OutgoingEmail& outgoing() const { return m_outgoing; }
    bool EmailBusy() const { return m_thread != nullptr; }
    int queued() const { return static_cast<int>(m_queue.size()); }
    QStringList statusLines() const { return m_statusLines; }
    EmailShape shape() const { return m_shape; }

Q_SIGNALS:
    void statusCleared();
    void statusLineAdded(const QString& line);
    void shapeChanged(EmailShape shape);
    void busyChanged(bool busy);

private:
    struct Pending
    {
        OutgoingEmail email;
        QDateTime date;
    };
    void startNext();
    void onStatusLine(const QString& line);
    void onResult(bool ok, const QString& error);
    void setShape(EmailShape shape);
    QDateTime now() const;

    EventLog& m_log;
    const Clock* m_clock;
    QString m_caFile;
    int m_connectTimeout = 30;
    int m_sendTimeout = 120;
    QString m_errorPrefix = QStringLiteral("ERRORE: ");
    OutgoingEmail m_outgoing;
    std::deque<Pending> m_queue;
    InviaEmailThread* m_thread = nullptr;
    QStringList m_statusLines;
    EmailShape m_shape = EmailShape::Grey;
};
