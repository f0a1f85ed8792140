#include "fixture/ProgramFixture.h"
#include "fixture/SmtpTestServer.h"

#include "log/EventLog.h"
#include "notify/EmailChannel.h"
#include "notify/EmailTemplate.h"
#include "notify/MimeMessage.h"
#include "notify/RegularEmail.h"
#include "notify/SmtpSender.h"
#include "platform/ErrorBoundary.h"
#include "platform/testing/TestClock.h"
#include "readings/DerivedQuantities.h"
#include "sensor/Acquisition.h"

#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <QTimer>

namespace {

// The default text of the e-mail page, lines joined by CR LF.
QString defaultTemplate()
{
    return QStringList{QStringLiteral("Allarme Temperatura/Umidità"), QString(),
        QStringLiteral(
            "La temperatura e/o l'umidità rilevate dal sensore sono oltre la soglia impostata."),
        QString(), QString(), QStringLiteral("Temperatura rilevata:    $temp$ °C"),
        QStringLiteral("Umidità rilevata:        $RH$ %"), QString(),
        QStringLiteral("Data e Ora: $data$")}
        .join(QStringLiteral("\r\n"));
}

Reading readingOf(double celsius, double humidity, TempUnit unit = TempUnit::Celsius)
{
    Reading reading;
    Derived::compute(reading, celsius, static_cast<quint16>(qRound(humidity * 100)), unit);
    return reading;
}

const QDateTime kWhen(QDate(2025, 12, 9), QTime(14, 3, 7));

QString lf(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

class TestEmail : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    // Filling the template and preparing the message.
    void fillTemplate_data();
    void fillTemplate();
    void dateInRegionalFormats();
    void selectorModes_data();
    void selectorModes();
    void portField_data();
    void portField();
    void portErrorKeepsEarlierFields();

    // The message on the wire.
    void recipients_data();
    void recipients();
    void quotedPrintable_data();
    void quotedPrintable();
    void quotedPrintableLinesStayShort();
    void headerWords_data();
    void headerWords();
    void headersCannotBeInjected();
    void messageHeaders();
    void url_data();
    void url();

    // Regular-operation timing.
    void regularIntervals_data();
    void regularIntervals();
    void regularTick_data();
    void regularTick();
    void regularHourErrors_data();
    void regularHourErrors();
    void hourItems();
    void regularScheduleZeroNeverTicks();
    void regularScheduleCapsOnce();
    void regularScheduleTickLogsNext();
    void regularScheduleErrorKeepsTimer();

    // Against the real SMTP server.
    void delivers_data();
    void delivers();
    void statusLinesOfOneSend();
    void sendingLogLine();
    void failures_data();
    void failures();
    void wrongPasswordThenNextSendWorks();
    void hostTextsThatChangeTheAddress_data();
    void hostTextsThatChangeTheAddress();
    void queuedSendsNeverRunAtOnce();
    void testButtonPressedTwice();
    void testButtonRefusals_data();
    void testButtonRefusals();
    void readingOfTheSimulatedSensor();

private:
    EmailPageTexts page(int port, int ssl = 2, int auth = 1) const;
    QStringList logMessages() const;

    TestCertificates m_certs;
    std::unique_ptr<QTemporaryDir> m_logDir;
    std::unique_ptr<EventLog> m_log;
    TestClock m_clock;
};

void TestEmail::initTestCase()
{
    QVERIFY2(m_certs.make(), qPrintable(m_certs.error()));
}

void TestEmail::init()
{
    m_logDir = std::make_unique<QTemporaryDir>();
    m_log = std::make_unique<EventLog>();
    m_log->init(m_logDir->path(), m_logDir->path(), QTime(12, 0));
    m_clock.current = kWhen;
}

void TestEmail::cleanup()
{
    m_log.reset();
    m_logDir.reset();
}

EmailPageTexts TestEmail::page(int port, int ssl, int auth) const
{
    EmailPageTexts texts;
    texts.LblDest = QStringLiteral("alarm@example.com");
    texts.LblSMTP = QStringLiteral("127.0.0.1");
    texts.Lblusername = QStringLiteral("quelmo");
    texts.Lblpassword = QStringLiteral("secret");
    texts.LblFrom = QStringLiteral("monitor@example.com");
    texts.LblPorta = QString::number(port);
    texts.LblOggetto = QStringLiteral("Allarme Temperatura/Umidità °");
    texts.TestoEmail = defaultTemplate();
    texts.cmbSSL = ssl;
    texts.cmbAuth = auth;
    return texts;
}

QStringList TestEmail::logMessages() const
{
    QFile file(m_log->logFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList messages;
    for (const QString& line :
        QString::fromLocal8Bit(file.readAll()).split(QStringLiteral("\r\n"))) {
        const qsizetype tagEnd = line.indexOf(QStringLiteral("] "));
        if (!line.isEmpty())
            messages.append(tagEnd < 0 ? line : line.mid(tagEnd + 2));
    }
    return messages;
}

// --- Filling the template -------------------------------------------------

void TestEmail::fillTemplate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("celsius");
    QTest::addColumn<double>("humidity");
    QTest::addColumn<bool>("fahrenheit");
    QTest::addColumn<bool>("beforeFirstReading");
    QTest::addColumn<QString>("expected");

    QTest::newRow("default lines") << QStringLiteral("T: $temp$ °C\r\nRH: $RH$ %") << 23.75 << 45.5
                                   << false << false << QStringLiteral("T: 23.75 °C\r\nRH: 45.5 %");
    QTest::newRow("whole number") << QStringLiteral("$temp$") << 24.0 << 50.0 << false << false
                                  << QStringLiteral("24");
    QTest::newRow("mixed case") << QStringLiteral("$Temp$ $TEMP$ $rh$ $Rh$") << 23.75 << 45.5
                                << false << false << QStringLiteral("23.75 23.75 45.5 45.5");
    QTest::newRow("every occurrence") << QStringLiteral("$temp$,$temp$,$temp$") << 20.5 << 40.0
                                      << false << false << QStringLiteral("20.5,20.5,20.5");
    QTest::newRow("fahrenheit, template still says C") << QStringLiteral(
        "$temp$ °C") << 23.75 << 45.5 << true << false << QStringLiteral("74.75 °C");
    QTest::newRow("before the first reading") << QStringLiteral("$temp$ / $RH$") << 0.0 << 0.0
                                              << false << true << QStringLiteral("0 / 0");
    QTest::newRow("no placeholder") << QStringLiteral("à ° $tem p$") << 23.75 << 45.5 << false
                                    << false << QStringLiteral("à ° $tem p$");
    QTest::newRow("negative") << QStringLiteral("$temp$") << -5.25 << 10.0 << false << false
                              << QStringLiteral("-5.25");
}

void TestEmail::fillTemplate()
{
    QFETCH(QString, text);
    QFETCH(double, celsius);
    QFETCH(double, humidity);
    QFETCH(bool, fahrenheit);
    QFETCH(bool, beforeFirstReading);
    QFETCH(QString, expected);
    const Reading reading = beforeFirstReading
        ? Reading{}
        : readingOf(celsius, humidity, fahrenheit ? TempUnit::Fahrenheit : TempUnit::Celsius);
    QCOMPARE(EmailTemplate::fill(text, reading, kWhen, QLocale::c()), expected);
}

void TestEmail::dateInRegionalFormats()
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const QString filled = EmailTemplate::fill(
        QStringLiteral("Data e Ora: $data$ $DATA$"), Reading{}, kWhen, italian);
    const QString when = italian.toString(kWhen.date(), QLocale::ShortFormat) + QLatin1Char(' ')
        + italian.toString(kWhen.time(), QLocale::LongFormat);
    QCOMPARE(filled, QStringLiteral("Data e Ora: ") + when + QLatin1Char(' ') + when);
    QVERIFY2(when.startsWith(QStringLiteral("09/12/25 14:03:07")), qPrintable(when));
}

void TestEmail::selectorModes_data()
{
    QTest::addColumn<int>("ssl");
    QTest::addColumn<int>("auth");
    QTest::addColumn<TlsMode>("tls");
    QTest::addColumn<AuthMode>("login");
    QTest::newRow("Default, Nessuna") << 0 << 0 << TlsMode::Explicit << AuthMode::None;
    QTest::newRow("Abilitato, Login") << 1 << 1 << TlsMode::Implicit << AuthMode::Login;
    QTest::newRow("Disabilitato, Login") << 2 << 1 << TlsMode::None << AuthMode::Login;
    QTest::newRow("no selection") << -1 << -1 << TlsMode::None << AuthMode::None;
}

void TestEmail::selectorModes()
{
    QFETCH(int, ssl);
    QFETCH(int, auth);
    QFETCH(TlsMode, tls);
    QFETCH(AuthMode, login);
    const PreparedEmail prepared = PrepareEmailMessage({}, page(25, ssl, auth), Reading{}, kWhen);
    QVERIFY(prepared.ok());
    QCOMPARE(prepared.email.tls, tls);
    QCOMPARE(prepared.email.auth, login);
}

void TestEmail::portField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("port");
    QTest::newRow("25") << QStringLiteral("25") << 25;
    QTest::newRow("blanks around") << QStringLiteral(" 587 ") << 587;
    QTest::newRow("65535") << QStringLiteral("65535") << 65535;
    QTest::newRow("letters") << QStringLiteral("abc") << -1;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("decimal") << QStringLiteral("25.5") << -1;
    QTest::newRow("0") << QStringLiteral("0") << -1;
    QTest::newRow("beyond 16 bits") << QStringLiteral("65561") << -1;
    QTest::newRow("negative") << QStringLiteral("-25") << -1;
}

void TestEmail::portField()
{
    QFETCH(QString, text);
    QFETCH(int, port);
    EmailPageTexts texts = page(25);
    texts.LblPorta = text;
    const PreparedEmail prepared = PrepareEmailMessage({}, texts, Reading{}, kWhen);
    QCOMPARE(prepared.ok(), port > 0);
    if (port > 0)
        QCOMPARE(prepared.email.SmtpPort, port);
    else
        QVERIFY(prepared.error.contains(QLatin1Char('\'') + text + QLatin1Char('\'')));
}

void TestEmail::portErrorKeepsEarlierFields()
{
    OutgoingEmail previous;
    previous.SmtpPort = 25;
    previous.Subject = QStringLiteral("old subject");
    previous.Body = QStringLiteral("old body");
    EmailPageTexts texts = page(25);
    texts.LblPorta = QStringLiteral("x");
    const PreparedEmail prepared = PrepareEmailMessage(previous, texts, Reading{}, kWhen);
    QVERIFY(!prepared.ok());
    QCOMPARE(prepared.email.Recipients, texts.LblDest);
    QCOMPARE(prepared.email.Sender, texts.LblFrom);
    QCOMPARE(prepared.email.SmtpPort, 25);
    QCOMPARE(prepared.email.Subject, QStringLiteral("old subject"));
    QCOMPARE(prepared.email.Body, QStringLiteral("old body"));

    // Through the channel the error ends the handling and sends nothing.
    EmailChannel channel(*m_log, &m_clock);
    QVERIFY_THROWS_EXCEPTION(HandlerError, channel.SendAlarmEmail(texts, Reading{}));
    QVERIFY(!channel.EmailBusy());
    QVERIFY(!logMessages().join(QLatin1Char('\n')).contains(QStringLiteral("Sending email")));
}

// --- The message on the wire ----------------------------------------------

void TestEmail::recipients_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QStringList>("envelope");
    QTest::newRow("one") << QStringLiteral("a@x.it") << QStringList{"a@x.it"}
                         << QStringList{"a@x.it"};
    QTest::newRow("two with blanks")
        << QStringLiteral(" a@x.it , b@y.com ") << QStringList{"a@x.it", "b@y.com"}
        << QStringList{"a@x.it", "b@y.com"};
    QTest::newRow("empty parts dropped")
        << QStringLiteral(",a@x.it,,") << QStringList{"a@x.it"} << QStringList{"a@x.it"};
    QTest::newRow("display name") << QStringLiteral("Mario <m@x.it>")
                                  << QStringList{"Mario <m@x.it>"} << QStringList{"m@x.it"};
    QTest::newRow("line break removed")
        << QStringLiteral("a@x.it\r\n") << QStringList{"a@x.it"} << QStringList{"a@x.it"};
}

void TestEmail::recipients()
{
    QFETCH(QString, text);
    QFETCH(QStringList, list);
    QFETCH(QStringList, envelope);
    const QStringList split = MimeMessage::splitRecipients(text);
    QCOMPARE(split, list);
    QStringList addresses;
    for (const QString& one : split)
        addresses.append(MimeMessage::envelopeAddress(one));
    QCOMPARE(addresses, envelope);
}

void TestEmail::quotedPrintable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("ascii") << QStringLiteral("abc def") << QByteArray("abc def");
    QTest::newRow("a grave, degree") << QStringLiteral("à °C") << QByteArray("=C3=A0 =C2=B0C");
    QTest::newRow("equals sign") << QStringLiteral("a=b") << QByteArray("a=3Db");
    QTest::newRow("trailing blank")
        << QStringLiteral("end \r\nnext") << QByteArray("end=20\r\nnext");
    QTest::newRow("bare line feeds") << QStringLiteral("a\nb\rc") << QByteArray("a\r\nb\r\nc");
    QTest::newRow("leading dot") << QStringLiteral(".\r\n.x") << QByteArray("=2E\r\n=2Ex");
}

void TestEmail::quotedPrintable()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, encoded);
    QCOMPARE(MimeMessage::quotedPrintable(text.toUtf8()), encoded);
}

void TestEmail::quotedPrintableLinesStayShort()
{
    const QString line = QString(100, QChar(0xE0)) + QString(200, QLatin1Char('x'));
    const QByteArray encoded = MimeMessage::quotedPrintable(line.toUtf8());
    for (const QByteArray& one : encoded.split('\n')) {
        QVERIFY2(one.size() <= 77, one.constData()); // 76 and the CR
        for (char c : one)
            QVERIFY(static_cast<unsigned char>(c) < 128);
    }
    // Soft breaks never split an escape.
    QVERIFY(!QRegularExpression(QStringLiteral("=[0-9A-F]?=\r\n"))
                 .match(QString::fromLatin1(encoded))
                 .hasMatch());
}

void TestEmail::headerWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("encoded");
    QTest::newRow("ascii stays") << QStringLiteral("Alarm T/RH") << false;
    QTest::newRow("a grave") << QStringLiteral("Umidità") << true;
    QTest::newRow("long non-ascii") << QString(80, QChar(0xE0)) + QStringLiteral(" ° ")
            + QString::fromUcs4(U"\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600"
                                U"\U0001F600\U0001F600\U0001F600\U0001F600")
                                    << true;
}

void TestEmail::headerWords()
{
    QFETCH(QString, text);
    QFETCH(bool, encoded);
    const QByteArray header = MimeMessage::encodeHeaderWord(text);
    if (!encoded) {
        QCOMPARE(header, text.toLatin1());
        return;
    }
    QString decoded;
    for (const QByteArray& word : header.split(' ')) {
        const QByteArray trimmed = word.trimmed();
        QVERIFY(trimmed.startsWith("=?UTF-8?B?") && trimmed.endsWith("?="));
        QVERIFY(trimmed.size() <= 75);
        decoded += QString::fromUtf8(QByteArray::fromBase64(trimmed.mid(10, trimmed.size() - 12)));
    }
    QCOMPARE(decoded, text);
}

void TestEmail::headersCannotBeInjected()
{
    MimeMessage::Content content;
    content.from = QStringLiteral("a@x.it\r\nBcc: evil@y.com");
    content.recipients = QStringLiteral("b@x.it");
    content.subject = QStringLiteral("hello\r\nBcc: evil@y.com");
    content.body = QStringLiteral("text");
    content.date = kWhen;
    const QByteArray message = MimeMessage::build(content);
    QVERIFY(!message.contains("\r\nBcc:"));
}

void TestEmail::messageHeaders()
{
    MimeMessage::Content content;
    content.from = QStringLiteral("monitor@example.com");
    content.recipients = QStringLiteral("a@x.it,b@y.com");
    content.subject = QStringLiteral("Allarme");
    content.body = QStringLiteral("à");
    content.date = QDateTime(QDate(2025, 12, 9), QTime(14, 3, 7), QTimeZone(3600));
    content.messageIdHost = QStringLiteral("example.com");
    const QByteArray message = MimeMessage::build(content);
    QVERIFY(message.contains("\r\nDate: Tue, 9 Dec 2025 14:03:07 +0100\r\n")
        || message.startsWith("Date: Tue, 9 Dec 2025 14:03:07 +0100\r\n"));
    QVERIFY(message.contains("\r\nFrom: monitor@example.com\r\n"));
    QVERIFY(message.contains("\r\nTo: a@x.it, b@y.com\r\n"));
    QVERIFY(message.contains("\r\nContent-Type: text/plain; charset=UTF-8\r\n"));
    QVERIFY(message.contains("\r\nContent-Transfer-Encoding: quoted-printable\r\n"));
    QVERIFY(QRegularExpression(QStringLiteral("\r\nMessage-ID: <[0-9a-f-]{36}@example\\.com>\r\n"))
                .match(QString::fromLatin1(message))
                .hasMatch());
    QVERIFY(message.endsWith("\r\n\r\n=C3=A0\r\n"));
}

void TestEmail::url_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("ssl");
    QTest::addColumn<QString>("url");
    QTest::newRow("Default") << QStringLiteral("mail.example.com") << 0
                             << QStringLiteral("smtp://mail.example.com:25");
    QTest::newRow("Abilitato") << QStringLiteral("mail.example.com") << 1
                               << QStringLiteral("smtps://mail.example.com:25");
    QTest::newRow("Disabilitato") << QStringLiteral("mail.example.com") << 2
                                  << QStringLiteral("smtp://mail.example.com:25");
    QTest::newRow("IPv6 address") << QStringLiteral("::1") << 2
                                  << QStringLiteral("smtp://[::1]:25");
}

void TestEmail::url()
{
    QFETCH(QString, host);
    QFETCH(int, ssl);
    QFETCH(QString, url);
    EmailPageTexts texts = page(25, ssl);
    texts.LblSMTP = host;
    QCOMPARE(SmtpSender::url(PrepareEmailMessage({}, texts, Reading{}, kWhen).email), url);
}

// --- Regular-operation timing ---------------------------------------------

void TestEmail::regularIntervals_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("hour");
    QTest::addColumn<QTime>("now");
    QTest::addColumn<int>("interval");
    QTest::newRow("every 6 hours") << 0 << QStringLiteral("6") << QTime(10, 0) << 21600000;
    QTest::newRow("every 24 hours") << 0 << QStringLiteral("24") << QTime(10, 0) << 86400000;
    QTest::newRow("every 0 hours") << 0 << QStringLiteral("0") << QTime(10, 0) << 0;
    QTest::newRow("at 7:00 from 06:59:30.500")
        << 1 << QStringLiteral("7:00") << QTime(6, 59, 30, 500) << 29000;
    QTest::newRow("at 7:00 from 07:00:00.000")
        << 1 << QStringLiteral("7:00") << QTime(7, 0) << 86400000;
    QTest::newRow("at 7:00 from 07:00:00.300")
        << 1 << QStringLiteral("7:00") << QTime(7, 0, 0, 300) << 86399000;
    QTest::newRow("at 0:00 from 23:59:59.999")
        << 1 << QStringLiteral("0:00") << QTime(23, 59, 59, 999) << 0;
    QTest::newRow("no mode chosen, a time")
        << -1 << QStringLiteral("23:00") << QTime(22, 0) << 3600000;
}

void TestEmail::regularIntervals()
{
    QFETCH(int, mode);
    QFETCH(QString, hour);
    QFETCH(QTime, now);
    QFETCH(int, interval);
    const RegularEmail::Evaluation evaluation = RegularEmail::evaluateHourField(mode, hour, now);
    QVERIFY2(evaluation.ok, qPrintable(evaluation.error));
    QCOMPARE(evaluation.interval, interval);
    QVERIFY(!evaluation.capped);
}

void TestEmail::regularTick_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<int>("interval");
    QTest::newRow("06:59:59.600") << QTime(6, 59, 59, 600) << 86399000;
    QTest::newRow("07:00:00.300") << QTime(7, 0, 0, 300) << 86400000;
    QTest::newRow("07:00:00.000") << QTime(7, 0) << 86400000;
}

void TestEmail::regularTick()
{
    QFETCH(QTime, now);
    QFETCH(int, interval);
    QCOMPARE(RegularEmail::intervalAfterTick(QTime(7, 0), now), interval);
}

void TestEmail::regularHourErrors_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("hour");
    QTest::newRow("ogni, empty") << 0 << QString();
    QTest::newRow("ogni, a time") << 0 << QStringLiteral("7:00");
    QTest::newRow("alle, 24") << 1 << QStringLiteral("24");
    QTest::newRow("no mode, design text 24") << -1 << QStringLiteral("24");
    QTest::newRow("alle, 25:00") << 1 << QStringLiteral("25:00");
}

void TestEmail::regularHourErrors()
{
    QFETCH(int, mode);
    QFETCH(QString, hour);
    const RegularEmail::Evaluation evaluation
        = RegularEmail::evaluateHourField(mode, hour, QTime(10, 0));
    QVERIFY(!evaluation.ok);
    QVERIFY(!evaluation.error.isEmpty());
}

void TestEmail::hourItems()
{
    const QStringList every = RegularEmail::hourItems(0);
    const QStringList at = RegularEmail::hourItems(1);
    QCOMPARE(every.size(), 24);
    QCOMPARE(at.size(), 24);
    QCOMPARE(every.first(), QStringLiteral("1"));
    QCOMPARE(every.at(23), QStringLiteral("24"));
    QCOMPARE(at.first(), QStringLiteral("0:00"));
    QCOMPARE(at.at(23), QStringLiteral("23:00"));
}

void TestEmail::regularScheduleZeroNeverTicks()
{
    QTimer timer;
    RegularEmailSchedule schedule(timer, *m_log);
    schedule.chkEmailFunzionamRegolareClick(true, 0, QStringLiteral("0"), QTime(10, 0));
    QVERIFY(!timer.isActive());
    schedule.AdvOfSel_h_emailokChange(0, QStringLiteral("6"), QTime(10, 0));
    QVERIFY(timer.isActive());
    QCOMPARE(timer.interval(), 21600000);
    schedule.chkEmailFunzionamRegolareClick(false, 0, QStringLiteral("6"), QTime(10, 0));
    QVERIFY(!timer.isActive());
    const QStringList log = logMessages();
    QVERIFY(log.contains(QStringLiteral("EmailFunzionamRegolare -1 Tipo=0 Timer=0")));
    QVERIFY(log.contains(QStringLiteral("EmailFunzionamRegolare Timer=6")));
    QVERIFY(log.contains(QStringLiteral("EmailFunzionamRegolare 0 Tipo=0 Timer=6")));
}

void TestEmail::regularScheduleCapsOnce()
{
    QTimer timer;
    RegularEmailSchedule schedule(timer, *m_log);
    schedule.chkEmailFunzionamRegolareClick(true, 0, QStringLiteral("1000"), QTime(10, 0));
    QVERIFY(timer.isActive());
    QCOMPARE(timer.interval(), 2147483647);
    const QStringList log = logMessages();
    QCOMPARE(log.filter(QStringLiteral("capped")).size(), 1);
    QVERIFY(log.contains(
        QStringLiteral("EmailFunzionamRegolare Timer capped at 2147483647 ms (1000 hours asked)")));
    // 596 hours still fit.
    const RegularEmail::Evaluation fits
        = RegularEmail::evaluateHourField(0, QStringLiteral("596"), QTime(10, 0));
    QVERIFY(!fits.capped);
    QCOMPARE(fits.interval, 596 * 3600000);
}

void TestEmail::regularScheduleTickLogsNext()
{
    QTimer timer;
    RegularEmailSchedule schedule(timer, *m_log);
    schedule.chkEmailFunzionamRegolareClick(true, 1, QStringLiteral("7:00"), QTime(6, 59, 30, 500));
    QCOMPARE(timer.interval(), 29000);
    QCOMPARE(schedule.RegularEmailTime, QTime(7, 0));
    int sends = 0;
    Reading reading = readingOf(23.75, 45.5);
    schedule.TimerEmailFunzionamRegolareTimer(1, reading, QTime(6, 59, 59, 600), [&] { ++sends; });
    QCOMPARE(timer.interval(), 86399000);
    schedule.TimerEmailFunzionamRegolareTimer(1, reading, QTime(7, 0, 0, 300), [&] { ++sends; });
    QCOMPARE(timer.interval(), 86400000);
    QCOMPARE(sends, 2);
    const QStringList log = logMessages();
    QVERIFY(log.contains(QStringLiteral("Email funz regolare 23.8")));
    QVERIFY(log.contains(QStringLiteral("Email funz regolare next=86399000")));
    QVERIFY(log.contains(QStringLiteral("Email funz regolare next=86400000")));

    // "ogni" keeps its interval; a failed preparation still logs the next.
    schedule.chkEmailFunzionamRegolareClick(true, 0, QStringLiteral("6"), QTime(10, 0));
    QVERIFY_THROWS_EXCEPTION(HandlerError,
        schedule.TimerEmailFunzionamRegolareTimer(
            0, reading, QTime(16, 0), [] { throw HandlerError(QStringLiteral("bad port")); }));
    QCOMPARE(timer.interval(), 21600000);
    QVERIFY(timer.isActive());
    QVERIFY(logMessages().contains(QStringLiteral("Email funz regolare next=21600000")));
}

void TestEmail::regularScheduleErrorKeepsTimer()
{
    QTimer timer;
    RegularEmailSchedule schedule(timer, *m_log);
    schedule.chkEmailFunzionamRegolareClick(true, 0, QStringLiteral("6"), QTime(10, 0));
    QVERIFY_THROWS_EXCEPTION(
        HandlerError, schedule.AdvOfSel_h_emailokChange(1, QStringLiteral("24"), QTime(10, 0)));
    QVERIFY(timer.isActive());
    QCOMPARE(timer.interval(), 21600000);

    QTimer stopped;
    RegularEmailSchedule off(stopped, *m_log);
    QVERIFY_THROWS_EXCEPTION(HandlerError,
        off.chkEmailFunzionamRegolareClick(true, -1, QStringLiteral("24"), QTime(10, 0)));
    QVERIFY(!stopped.isActive());
    QVERIFY(!off.enabled());
}

// --- Against the real SMTP server -----------------------------------------

void TestEmail::delivers_data()
{
    QTest::addColumn<SmtpTestServer::Mode>("mode");
    QTest::addColumn<int>("ssl");
    QTest::addColumn<int>("auth");
    QTest::addColumn<QString>("recipients");
    QTest::addColumn<bool>("fahrenheit");
    QTest::addColumn<bool>("tls");

    const QString one = QStringLiteral("alarm@example.com");
    const QString two = QStringLiteral("alarm@example.com, second@example.org");
    QTest::newRow("plain, login, one recipient")
        << SmtpTestServer::Mode::Plain << 2 << 1 << one << false << false;
    QTest::newRow("plain, login, two recipients")
        << SmtpTestServer::Mode::Plain << 2 << 1 << two << false << false;
    QTest::newRow("plain, no login")
        << SmtpTestServer::Mode::Plain << 2 << 0 << one << false << false;
    QTest::newRow("Default without STARTTLS goes plain")
        << SmtpTestServer::Mode::Plain << 0 << 1 << one << false << false;
    QTest::newRow("STARTTLS, login")
        << SmtpTestServer::Mode::StartTls << 0 << 1 << two << false << true;
    QTest::newRow("implicit TLS, login, Fahrenheit")
        << SmtpTestServer::Mode::Implicit << 1 << 1 << one << true << true;
}

void TestEmail::delivers()
{
    QFETCH(SmtpTestServer::Mode, mode);
    QFETCH(int, ssl);
    QFETCH(int, auth);
    QFETCH(QString, recipients);
    QFETCH(bool, fahrenheit);
    QFETCH(bool, tls);

    SmtpTestServer server;
    QVERIFY2(
        server.start(mode, m_certs.serverCert(), m_certs.serverKey()), qPrintable(server.error()));
    EmailChannel channel(*m_log, &m_clock);
    channel.setCaFile(m_certs.caFile());
    EmailPageTexts texts = page(server.port(), ssl, auth);
    texts.LblDest = recipients;
    texts.TestoEmail += QStringLiteral("\r\n$Temp$ $rh$");
    const Reading reading
        = readingOf(23.75, 45.5, fahrenheit ? TempUnit::Fahrenheit : TempUnit::Celsius);
    channel.SendAlarmEmail(texts, reading);
    QVERIFY(channel.EmailBusy());
    QTRY_VERIFY_WITH_TIMEOUT(!channel.EmailBusy(), 60000);
    QVERIFY2(channel.shape() == EmailShape::Green, qPrintable(channel.statusLines().join('\n')));

    const QList<QJsonObject> messages = server.messages();
    QCOMPARE(messages.size(), 1);
    const QJsonObject message = messages.first();
    QStringList rcpt;
    for (const QJsonValue& value : message.value("rcpt_tos").toArray())
        rcpt.append(value.toString());
    QCOMPARE(rcpt, MimeMessage::splitRecipients(recipients));
    QCOMPARE(message.value("mail_from").toString(), QStringLiteral("monitor@example.com"));
    QCOMPARE(message.value("tls").toBool(), tls);
    QCOMPARE(message.value("login").toString(), auth == 1 ? QStringLiteral("quelmo") : QString());
    QCOMPARE(message.value("charset").toString(), QStringLiteral("utf-8"));
    QCOMPARE(message.value("transfer_encoding").toString(), QStringLiteral("quoted-printable"));
    const QJsonObject headers = message.value("headers").toObject();
    QCOMPARE(headers.value("Subject").toString(), texts.LblOggetto);
    QCOMPARE(headers.value("From").toString(), texts.LblFrom);
    QVERIFY(!headers.value("Date").toString().isEmpty());
    QVERIFY(headers.value("Message-ID").toString().endsWith(QStringLiteral("@example.com>")));
    // Every byte on the wire is 7-bit.
    QVERIFY(!message.value("raw").toString().contains(QChar(0xFFFD)));

    const QString temperature = fahrenheit ? QStringLiteral("74.75") : QStringLiteral("23.75");
    const QString body = lf(message.value("body").toString());
    const QString expected
        = lf(EmailTemplate::fill(texts.TestoEmail, reading, kWhen, QLocale::system()));
    QCOMPARE(body.trimmed(), expected.trimmed());
    QVERIFY(body.contains(
        QStringLiteral("Temperatura rilevata:    ") + temperature + QStringLiteral(" °C")));
    QVERIFY(body.contains(QStringLiteral("Umidità rilevata:        45.5 %")));
    QVERIFY(body.contains(QStringLiteral("\n") + temperature + QStringLiteral(" 45.5")));
}

void TestEmail::statusLinesOfOneSend()
{
    SmtpTestServer server;
    QVERIFY2(
        server.start(SmtpTestServer::Mode::StartTls, m_certs.serverCert(), m_certs.serverKey()),
        qPrintable(server.error()));
    EmailChannel channel(*m_log, &m_clock);
    channel.setCaFile(m_certs.caFile());
    QStringList shown;
    int cleared = 0;
    connect(&channel, &EmailChannel::statusLineAdded, this,
        [&](const QString& line) { shown << line; });
    connect(&channel, &EmailChannel::statusCleared, this, [&] { ++cleared; });
    channel.SendAlarmEmail(page(server.port(), 0, 1), readingOf(23.75, 45.5));
    QTRY_VERIFY_WITH_TIMEOUT(!channel.EmailBusy(), 60000);
    const QStringList expected{QStringLiteral("Resolving hostname 127.0.0.1."),
        QStringLiteral("Connecting to 127.0.0.1."), QStringLiteral("Connected."),
        QStringLiteral("Disconnecting."), QStringLiteral("Disconnected.")};
    QCOMPARE(channel.statusLines(), expected);
    QCOMPARE(shown, expected);
    QCOMPARE(cleared, 1);
    QCOMPARE(channel.shape(), EmailShape::Green);
    QCOMPARE(shapeColour(channel.shape()), QColor(0, 255, 0));
    // The same lines are in the diagnostic log, in their order.
    const QStringList log = logMessages();
    qsizetype at = 0;
    for (const QString& line : expected) {
        at = log.indexOf(line, at);
        QVERIFY2(at >= 0, qPrintable(line));
    }
}

void TestEmail::sendingLogLine()
{
    SmtpTestServer server;
    QVERIFY2(server.start(SmtpTestServer::Mode::Plain), qPrintable(server.error()));
    EmailChannel channel(*m_log, &m_clock);
    channel.SendAlarmEmail(page(server.port()), readingOf(23.75, 45.5));
    QTRY_VERIFY_WITH_TIMEOUT(!channel.EmailBusy(), 60000);
    channel.SendAlarmEmail(page(server.port()), Reading{});
    QTRY_VERIFY_WITH_TIMEOUT(!channel.EmailBusy(), 60000);
    const QStringList log = logMessages();
    const QString prefix
        = QStringLiteral("Sending email to alarm@example.com [127.0.0.1:%1]").arg(server.port());
    QVERIFY(log.contains(prefix + QStringLiteral(" t=23.8 r=45.5")));
    // Before the first reading the texts are empty.
    QVERIFY(log.contains(prefix + QStringLiteral(" t= r=")));
    QCOMPARE(server.messages().size(), 2);
    QVERIFY(server.messages().at(1).value("body").toString().contains(
        QStringLiteral("Temperatura rilevata:    0 °C")));
}

void TestEmail::failures_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("wrong password") << 0 << QStringLiteral("Login denied");
    QTest::newRow("connection refused") << 1 << QStringLiteral("connect");
    QTest::newRow("certificate for another host, STARTTLS") << 2 << QStringLiteral("SSL");
    QTest::newRow("certificate nobody trusts, implicit TLS") << 3 << QStringLiteral("SSL");
    QTest::newRow("STARTTLS with no CA given") << 4 << QStringLiteral("SSL");
    QTest::newRow("server that never answers") << 5 << QStringLiteral("Timeout");
}

void TestEmail::failures()
{
    QFETCH(int, kind);
    QFETCH(QString, reason);
    SmtpTestServer server;
    QTcpServer silent;
    EmailPageTexts texts;
    bool trustCa = true;
    switch (kind) {
    case 0:
        QVERIFY(server.start(SmtpTestServer::Mode::Plain));
        texts = page(server.port());
        texts.Lblpassword = QStringLiteral("wrong");
        break;
    case 1:
        texts = page(SmtpTestServer::freePort());
        break;
    case 2:
        QVERIFY(server.start(
            SmtpTestServer::Mode::StartTls, m_certs.otherHostCert(), m_certs.otherHostKey()));
        texts = page(server.port(), 0, 1);
        break;
    case 3:
        QVERIFY(server.start(
            SmtpTestServer::Mode::Implicit, m_certs.selfSignedCert(), m_certs.selfSignedKey()));
        texts = page(server.port(), 1, 1);
        break;
    case 4:
        QVERIFY(server.start(
            SmtpTestServer::Mode::StartTls, m_certs.serverCert(), m_certs.serverKey()));
        texts = page(server.port(), 0, 1);
        trustCa = false;
        break;
    case 5:
        // Accepts the connection and never greets.
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        texts = page(silent.serverPort());
        break;
    }
    EmailChannel channel(*m_log, &m_clock);
    channel.setTimeouts(2, 4);
    if (trustCa)
        channel.setCaFile(m_certs.caFile());
    channel.SendAlarmEmail(texts, readingOf(23.75, 45.5));
    QTRY_VERIFY_WITH_TIMEOUT(!channel.EmailBusy(), 90000);
    QCOMPARE(channel.shape(), EmailShape::Red);
    const QStringList lines = channel.statusLines();
    QVERIFY(lines.size() >= 4);
    QCOMPARE(lines.first(), QStringLiteral("Resolving hostname 127.0.0.1."));
    QCOMPARE(lines.at(1), QStringLiteral("Connecting to 127.0.0.1."));
    QCOMPARE(lines.at(lines.size() - 2), QString());
    QVERIFY2(lines.last().startsWith(QStringLiteral("ERRORE: ")), qPrintable(lines.last()));
    QVERIFY2(lines.last().contains(reason, Qt::CaseInsensitive), qPrintable(lines.last()));
    QCOMPARE(server.messages().size(), 0);
    // The error line is the page's, not the log's.
    QVERIFY(!logMessages().contains(lines.last()));
}

void TestEmail::wrongPasswordThenNextSendWorks()
{
    SmtpTestServer server;
    QVERIFY(server.start(SmtpTestServer::Mode::Plain));
    EmailChannel channel(*m_log, &m_clock);
    channel.setErrorPrefix(QStringLiteral("ERROR: "));
    EmailPageTexts texts = page(server.port());
    texts.Lblpassword = QStringLiteral("wrong");
    QCOMPARE(
        channel.InviaEmailClick(texts, readingOf(23.75, 45.5)), EmailChannel::TestVerdict::Started);
    QTRY_VERIFY_WITH_TIMEOUT(!channel.EmailBusy(), 60000);
    QCOMPARE(channel.shape(), EmailShape::Red);
    QVERIFY(channel.statusLines().last().startsWith(QStringLiteral("ERROR: ")));

    QList<EmailShape> shapes;
    connect(
        &channel, &EmailChannel::shapeChanged, this, [&](EmailShape shape) { shapes << shape; });
    QCOMPARE(channel.InviaEmailClick(page(server.port()), readingOf(23.75, 45.5)),
        EmailChannel::TestVerdict::Started);
    QCOMPARE(shapes.value(0), EmailShape::Grey);
    QTRY_VERIFY_WITH_TIMEOUT(!channel.EmailBusy(), 60000);
    QCOMPARE(channel.shape(), EmailShape::Green);
    QCOMPARE(server.messages().size(), 1);
    QVERIFY(!channel.statusLines().join('\n').contains(QStringLiteral("ERROR")));
}

void TestEmail::hostTextsThatChangeTheAddress_data()
{
    QTest::addColumn<QString>("host");
    QTest::newRow("path") << QStringLiteral("127.0.0.1/x");
    QTest::newRow("user part") << QStringLiteral("user@127.0.0.1");
    QTest::newRow("blank") << QStringLiteral("127.0.0.1 x");
    QTest::newRow("query") << QStringLiteral("127.0.0.1?x");
}

void TestEmail::hostTextsThatChangeTheAddress()
{
    QFETCH(QString, host);
    EmailChannel channel(*m_log, &m_clock);
    EmailPageTexts texts = page(25);
    texts.LblSMTP = host;
    channel.SendAlarmEmail(texts, Reading{});
    QTRY_VERIFY_WITH_TIMEOUT(!channel.EmailBusy(), 60000);
    QCOMPARE(channel.shape(), EmailShape::Red);
    QVERIFY(
        channel.statusLines().last().startsWith(QStringLiteral("ERRORE: Invalid SMTP host name")));
    QVERIFY(!channel.statusLines().contains(QStringLiteral("Connected.")));
}

void TestEmail::queuedSendsNeverRunAtOnce()
{
    SmtpTestServer server;
    QVERIFY(server.start(SmtpTestServer::Mode::Plain));
    EmailChannel channel(*m_log, &m_clock);
    QList<bool> busy;
    connect(&channel, &EmailChannel::busyChanged, this, [&](bool value) { busy << value; });
    EmailPageTexts first = page(server.port());
    first.LblOggetto = QStringLiteral("first");
    EmailPageTexts second = page(server.port());
    second.LblOggetto = QStringLiteral("second");
    channel.SendAlarmEmail(first, readingOf(23.75, 45.5));
    channel.SendAlarmEmail(second, readingOf(30.0, 60.0));
    QCOMPARE(channel.queued(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(!channel.EmailBusy(), 60000);
    QCOMPARE(busy, (QList<bool>{true, false}));
    const QList<QJsonObject> messages = server.messages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0).value("headers").toObject().value("Subject").toString(),
        QStringLiteral("first"));
    QCOMPARE(messages.at(1).value("headers").toObject().value("Subject").toString(),
        QStringLiteral("second"));
    QVERIFY(messages.at(1).value("body").toString().contains(
        QStringLiteral("Temperatura rilevata:    30 °C")));
    QCOMPARE(server.mostConnections(), 1);
    // The second send started after the first had disconnected.
    const QStringList log = logMessages();
    QVERIFY(log.contains(QStringLiteral("Email queued behind the send in progress")));
    const qsizetype firstEnd = log.indexOf(QStringLiteral("Disconnected."));
    const qsizetype secondStart = log.lastIndexOf(QStringLiteral("Resolving hostname 127.0.0.1."));
    QVERIFY(firstEnd >= 0 && secondStart > firstEnd);
}

void TestEmail::testButtonPressedTwice()
{
    SmtpTestServer server;
    QVERIFY(server.start(SmtpTestServer::Mode::Plain));
    EmailChannel channel(*m_log, &m_clock);
    const Reading reading = readingOf(23.75, 45.5);
    QCOMPARE(
        channel.InviaEmailClick(page(server.port()), reading), EmailChannel::TestVerdict::Started);
    QCOMPARE(
        channel.InviaEmailClick(page(server.port()), reading), EmailChannel::TestVerdict::Busy);
    QCOMPARE(channel.queued(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!channel.EmailBusy(), 60000);
    QCOMPARE(server.messages().size(), 1);
    QCOMPARE(logMessages().filter(QStringLiteral("TestEmail")).size(), 2);
}

void TestEmail::testButtonRefusals_data()
{
    QTest::addColumn<QString>("recipients");
    QTest::addColumn<QString>("host");
    QTest::addColumn<EmailChannel::TestVerdict>("verdict");
    QTest::newRow("no @") << QStringLiteral("abc") << QStringLiteral("127.0.0.1")
                          << EmailChannel::TestVerdict::NoValidEmail;
    QTest::newRow("no @ comes before no host")
        << QStringLiteral("abc") << QString() << EmailChannel::TestVerdict::NoValidEmail;
    QTest::newRow("no host") << QStringLiteral("a@b.it") << QString()
                             << EmailChannel::TestVerdict::NoValidServer;
}

void TestEmail::testButtonRefusals()
{
    QFETCH(QString, recipients);
    QFETCH(QString, host);
    QFETCH(EmailChannel::TestVerdict, verdict);
    EmailChannel channel(*m_log, &m_clock);
    EmailPageTexts texts = page(25);
    texts.LblDest = recipients;
    texts.LblSMTP = host;
    QCOMPARE(channel.InviaEmailClick(texts, Reading{}), verdict);
    QVERIFY(!channel.EmailBusy());
    QCOMPARE(channel.outgoing().Recipients, recipients);
}

void TestEmail::readingOfTheSimulatedSensor()
{
    // A report of the simulated sensor travels through the main window into
    // the message the alarm path sends.
    SmtpTestServer server;
    QVERIFY2(
        server.start(SmtpTestServer::Mode::StartTls, m_certs.serverCert(), m_certs.serverKey()),
        qPrintable(server.error()));
    ProgramFixture program;
    const int sensor = program.plugSensor();
    program.start();
    QTRY_VERIFY_WITH_TIMEOUT(program.main().acquisition().CurrentDevice, 30000);
    program.push(sensor, ProgramFixture::report(23.75, 45.5));
    QTRY_COMPARE_WITH_TIMEOUT(
        program.main().reading.temperatureText, QStringLiteral("23.8"), 30000);

    EmailChannel channel(program.program->log(), &program.clock);
    channel.setCaFile(m_certs.caFile());
    channel.SendAlarmEmail(page(server.port(), 0, 1), program.main().reading);
    QTRY_VERIFY_WITH_TIMEOUT(!channel.EmailBusy(), 60000);
    QCOMPARE(channel.shape(), EmailShape::Green);
    QCOMPARE(server.messages().size(), 1);
    const QJsonObject message = server.messages().first();
    QVERIFY(message.value("tls").toBool());
    QCOMPARE(message.value("login").toString(), QStringLiteral("quelmo"));
    const QString body = lf(message.value("body").toString());
    QVERIFY(body.contains(QStringLiteral("Temperatura rilevata:    23.75 °C")));
    QVERIFY(body.contains(QStringLiteral("Umidità rilevata:        45.5 %")));
    QVERIFY(body.startsWith(QStringLiteral("Allarme Temperatura/Umidità\n")));
    QVERIFY(program.logMessages().contains(
        QStringLiteral("Sending email to alarm@example.com [127.0.0.1:%1] t=23.8 r=45.5")
            .arg(server.port())));
    QVERIFY(program.logMessages().contains(QStringLiteral("Connected.")));
}

QTEST_MAIN(TestEmail)
#include "test_email.moc"
