#include "fixture/TestHttpServer.h"

#include "log/EventLog.h"
#include "notify/PlaceholderFill.h"
#include "notify/SmsGateway.h"
#include "notify/SmsPage.h"
#include "notify/SmsRequester.h"
#include "platform/testing/TestDialogs.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using SmsGateway::Message;
using SmsGateway::Step;

Q_DECLARE_METATYPE(SmsGateway::Step)

namespace {

const QString base = QStringLiteral("http://sms.quelmo.example");
const QString sendPath = QStringLiteral("/api/sendsms/plain");
const QString creditPath = QStringLiteral("/api/command");

Step show(Message message)
{
    return {Step::Kind::Show, message, {}};
}
Step log(const QString& text)
{
    return {Step::Kind::Log, Message::NoValidPassword, text};
}
Step setDestination(const QString& text)
{
    return {Step::Kind::SetDestination, Message::NoValidPassword, text};
}

QString fill2375(const QString& text)
{
    return PlaceholderFill(text, 23.75, 45.5, QDateTime(QDate(2025, 12, 9), QTime(14, 3, 7)));
}

// The SMS page's controls as the alarm window holds them, on a settings file
// that points the gateway at the test server.
struct Page
{
    QTemporaryDir dir;
    TestHttpServer server;
    EventLog eventLog{[] {
        return QDateTime(QDate(2025, 12, 9), QTime(12, 0));
    }};
    SettingsStore settings{dir.filePath(QStringLiteral("Quelmo.conf"))};
    TestDialogs dialogs;
    QWidget window;
    QLineEdit* user = new QLineEdit(QStringLiteral("mario"), &window);
    QLineEdit* password = new QLineEdit(QStringLiteral("pw"), &window);
    QLineEdit* sender = new QLineEdit(QStringLiteral("Allarme"), &window);
    QLineEdit* destination = new QLineEdit(QStringLiteral("393331234567"), &window);
    QPlainTextEdit* memo = new QPlainTextEdit(&window);
    QLabel* count = new QLabel(&window);
    QTextBrowser* browser = new QTextBrowser(&window);
    QPushButton* send = new QPushButton(&window);
    QPushButton* credit = new QPushButton(&window);
    std::unique_ptr<SmsPage> page;

    Page()
    {
        eventLog.init(dir.filePath(QStringLiteral("data")), dir.path(), QTime(12, 0));
        {
            QSettings stored(settings.path(), QSettings::IniFormat);
            stored.setValue(QStringLiteral("SmsGatewayBase"), server.base());
        }
        memo->setPlainText(QStringLiteral("Temperatura: $temp$°C"));
        page = std::make_unique<SmsPage>(eventLog, settings, dialogs,
            SmsPageControls{
                &window, user, password, sender, destination, memo, count, browser, send, credit},
            SmsPageHooks{fill2375, {}, {}});
    }
    QStringList logMessages() const
    {
        QFile file(eventLog.logFilePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList messages;
        for (const QString& line :
            QString::fromLocal8Bit(file.readAll()).split(QStringLiteral("\r\n"))) {
            if (!line.isEmpty())
                messages.append(line.section(QStringLiteral("] "), 1));
        }
        return messages;
    }
};

} // namespace

class TestSms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // --- Plain logic ---

    void isNumericText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("digits") << QStringLiteral("39333") << true;
        QTest::newRow("list of numbers") << QStringLiteral("39333,39444") << true;
        QTest::newRow("digit then letters") << QStringLiteral("1abc") << true;
        QTest::newRow("letters") << QStringLiteral("Allarme") << false;
        QTest::newRow("plus") << QStringLiteral("+39") << false;
        QTest::newRow("blank first") << QStringLiteral(" 39") << false;
    }
    void isNumericText()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QCOMPARE(SmsGateway::IsNumericText(text), numeric);
    }

    void encoding_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("encoded");
        QTest::newRow("plain stays") << QStringLiteral("http://h/a/b?x=1&y=a,b;c:d@e$f!g'h/i?j")
                                     << QStringLiteral("http://h/a/b?x=1&y=a,b;c:d@e$f!g'h/i?j");
        QTest::newRow("blank, line break, degree, a grave") << QStringLiteral(
            "http://h/p?t=a b\r\n°à") << QStringLiteral("http://h/p?t=a%20b%0D%0A%C2%B0%C3%A0");
        QTest::newRow("listed characters in the query")
            << QStringLiteral("http://h/p?t=*<>#%\"{}|\\^[]`+")
            << QStringLiteral("http://h/p?t=%2A%3C%3E%23%25%22%7B%7D%7C%5C%5E%5B%5D%60+");
        QTest::newRow("plus and blank in the path")
            << QStringLiteral("http://h/a+b c?t=+") << QStringLiteral("http://h/a%2Bb%20c?t=+");
        QTest::newRow("only the first question mark splits")
            << QStringLiteral("http://h/p?a=+?b=+") << QStringLiteral("http://h/p?a=+?b=+");
        QTest::newRow("DEL with the control characters")
            << QStringLiteral("http://h/p?t=a\x7F") << QStringLiteral("http://h/p?t=a%7F");
        QTest::newRow("four-byte character") << QStringLiteral("http://h/p?t=\U0001F600")
                                             << QStringLiteral("http://h/p?t=%F0%9F%98%80");
    }
    void encoding()
    {
        QFETCH(QString, url);
        QFETCH(QString, encoded);
        QCOMPARE(SmsGateway::encodeUrl(url), encoded);
    }

    void sendPlans_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<QString>("url"); // empty: nothing sent

        const QString prefix
            = base + QStringLiteral("/api/sendsms/plain?user=mario&password=pw&GSM=");
        const QString allarme = QStringLiteral("&sender=Allarme");
        const auto sending = [](const QString& to) {
            return log(QStringLiteral("Sending SMS to ") + to);
        };

        QTest::newRow("one number")
            << "mario"
            << "pw"
            << "393331234567"
            << "Allarme"
            << "Ciao" << QList<Step>{sending("393331234567")}
            << prefix + QStringLiteral("393331234567&SMSText=Ciao") + allarme;
        QTest::newRow("plus and a number become the number")
            << "mario"
            << "pw"
            << "+393331234567"
            << "Allarme"
            << "Ciao" << QList<Step>{setDestination("393331234567"), sending("393331234567")}
            << prefix + QStringLiteral("393331234567&SMSText=Ciao") + allarme;
        QTest::newRow("leading plus removes every plus")
            << "mario"
            << "pw"
            << "+39333,+39444"
            << "Allarme"
            << "Ciao" << QList<Step>{setDestination("39333,39444"), sending("39333,39444")}
            << prefix + QStringLiteral("39333,39444&SMSText=Ciao") + allarme;
        QTest::newRow("second number with a plus")
            << "mario"
            << "pw"
            << "39333,+39444"
            << "Allarme"
            << "Ciao" << QList<Step>{sending("39333,+39444")}
            << prefix + QStringLiteral("39333,%2b39444&SMSText=Ciao") + allarme;
        QTest::newRow("empty destination goes out")
            << "mario"
            << "pw"
            << ""
            << "Allarme"
            << "Ciao" << QList<Step>{sending("")}
            << prefix + QStringLiteral("&SMSText=Ciao") + allarme;
        QTest::newRow("destination with letters refused")
            << "mario"
            << "pw"
            << "abc"
            << "Allarme"
            << "Ciao" << QList<Step>{show(Message::NoValidNumber), log("SMS NoValidNumber")}
            << QString();
        QTest::newRow("alphanumeric sender of 12 refused")
            << "mario"
            << "pw"
            << "39333"
            << "AllarmeCasa1"
            << "Ciao" << QList<Step>{show(Message::NoValidMittente), log("SMS NoValidMittente")}
            << QString();
        QTest::newRow("alphanumeric sender of 11 accepted")
            << "mario"
            << "pw"
            << "39333"
            << "AllarmeCasa"
            << "Ciao" << QList<Step>{sending("39333")}
            << prefix + QStringLiteral("39333&SMSText=Ciao&sender=AllarmeCasa");
        QTest::newRow("numeric sender of 14 accepted")
            << "mario"
            << "pw"
            << "39333"
            << "39333123456789"
            << "Ciao" << QList<Step>{sending("39333")}
            << prefix + QStringLiteral("39333&SMSText=Ciao&sender=39333123456789");
        QTest::newRow("numeric sender of 15 refused")
            << "mario"
            << "pw"
            << "39333"
            << "393331234567890"
            << "Ciao" << QList<Step>{show(Message::NoValidMittente), log("SMS NoValidMittente")}
            << QString();
        QTest::newRow("13 characters starting with a digit count as numeric")
            << "mario"
            << "pw"
            << "39333"
            << "1abcdefghijkl"
            << "Ciao" << QList<Step>{sending("39333")}
            << prefix + QStringLiteral("39333&SMSText=Ciao&sender=1abcdefghijkl");
        QTest::newRow("placeholder, colon, blank and degree sign")
            << "mario"
            << "pw"
            << "39333"
            << "Allarme"
            << "Temperatura: $temp$°C" << QList<Step>{sending("39333")}
            << prefix + QStringLiteral("39333&SMSText=Temperatura:%2023.75%C2%B0C") + allarme;
        QTest::newRow("comma and plus in the text")
            << "mario"
            << "pw"
            << "39333"
            << "Allarme"
            << "a,+b" << QList<Step>{sending("39333")}
            << prefix + QStringLiteral("39333&SMSText=a,%2bb") + allarme;
        QTest::newRow("two lines")
            << "mario"
            << "pw"
            << "39333"
            << "Allarme"
            << "RH $rh$%\r\nOra" << QList<Step>{sending("39333")}
            << prefix + QStringLiteral("39333&SMSText=RH%2045.5%25%0D%0AOra") + allarme;
        QTest::newRow("empty password warned, still sent")
            << "mario"
            << ""
            << "39333"
            << "Allarme"
            << "Ciao"
            << QList<Step>{show(Message::NoValidPassword), log("SMS NoValidPassword"),
                   sending("39333")}
            << base
                + QStringLiteral("/api/sendsms/plain?user=mario&password=&GSM=39333&SMSText=Ciao")
                + allarme;
        QTest::newRow("ampersand in a value cannot start a parameter")
            << "mario"
            << "p&w"
            << "39333"
            << "Allarme"
            << "T&H" << QList<Step>{sending("39333")}
            << base
                + QStringLiteral(
                    "/api/sendsms/plain?user=mario&password=p%26w&GSM=39333&SMSText=T%26H")
                + allarme;
        QTest::newRow("empty user warned, then the number refused")
            << ""
            << "pw"
            << "x1"
            << "Allarme"
            << "Ciao"
            << QList<Step>{show(Message::NoValidPassword), log("SMS NoValidPassword"),
                   show(Message::NoValidNumber), log("SMS NoValidNumber")}
            << QString();
    }
    void sendPlans()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, destination);
        QFETCH(QString, sender);
        QFETCH(QString, text);
        QFETCH(QList<Step>, steps);
        QFETCH(QString, url);
        const SmsGateway::Plan plan = SmsGateway::InviaSMS(
            {user, password, sender, destination, text}, base + QStringLiteral("/"), fill2375);
        QCOMPARE(plan.steps, steps);
        QCOMPARE(plan.url, url);
    }

    void creditWithEmptyPassword()
    {
        const SmsGateway::Plan plan
            = SmsGateway::CreditoSMS({QStringLiteral("mario"), {}, {}, {}, {}}, base);
        QCOMPARE(plan.steps,
            (QList<Step>{
                show(Message::NoValidPassword), log(QStringLiteral("SMS NoValidPassword"))}));
        QCOMPARE(
            plan.url, base + QStringLiteral("/api/command?username=mario&password=&cmd=CREDITS"));
    }

    void accents_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("rewritten");
        QTest::newRow("each small vowel")
            << QStringLiteral("àèéìòù") << QStringLiteral("a'e'e'i'o'u'");
        QTest::newRow("capitals stay") << QStringLiteral("ÀÈÉ") << QStringLiteral("ÀÈÉ");
        QTest::newRow("in words") << QStringLiteral("Umidità è alta")
                                  << QStringLiteral("Umidita' e' alta");
    }
    void accents()
    {
        QFETCH(QString, text);
        QFETCH(QString, rewritten);
        QCOMPARE(SmsGateway::rewriteAccents(text), rewritten);
    }

    void placeholders_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("filled");
        QTest::newRow("temperature with its decimals")
            << QStringLiteral("T $temp$ °C") << QStringLiteral("T 23.75 °C");
        QTest::newRow("any letter case")
            << QStringLiteral("$Temp$ $TEMP$ $rh$") << QStringLiteral("23.75 23.75 45.5");
        QTest::newRow("date and time")
            << QStringLiteral("$data$") << QStringLiteral("09/12/25 14:03:07");
    }
    void placeholders()
    {
        QFETCH(QString, text);
        QFETCH(QString, filled);
        QCOMPARE(fill2375(text), filled);
    }

    // --- The page's controls against a real gateway ---

    void sendGoesToTheGatewayAndShowsItsAnswer()
    {
        Page p;
        QVERIFY(p.server.isRunning());
        p.server.answer(sendPath, 200, QStringLiteral("ID: 4711"), QStringLiteral("text/plain"));
        p.destination->setText(QStringLiteral("39333,+39444"));
        p.send->click();
        QTRY_COMPARE_WITH_TIMEOUT(p.browser->toPlainText(), QStringLiteral("ID: 4711"), 20000);
        QCOMPARE(p.server.targets(sendPath),
            QStringList{
                QStringLiteral("/api/sendsms/plain?user=mario&password=pw&GSM=39333,%2b39444"
                               "&SMSText=Temperatura:%2023.75%C2%B0C&sender=Allarme")});
        QCOMPARE(p.logMessages().last(), QStringLiteral("Sending SMS to 39333,+39444"));
        QVERIFY(p.dialogs.messages.isEmpty());
    }

    void destinationWithPlusIsWrittenBack()
    {
        Page p;
        p.server.answer(sendPath, 200, QStringLiteral("ok"), QStringLiteral("text/plain"));
        p.destination->setText(QStringLiteral("+39333,+39444"));
        p.page->InviaSMSClick();
        QCOMPARE(p.destination->text(), QStringLiteral("39333,39444"));
        QTRY_COMPARE_WITH_TIMEOUT(p.server.targets(sendPath).size(), 1, 20000);
        QVERIFY(p.server.targets(sendPath).first().contains(QStringLiteral("&GSM=39333,39444&")));
    }

    void refusedSenderSendsNothing()
    {
        Page p;
        p.sender->setText(QStringLiteral("AllarmeCasa1"));
        p.page->InviaSMSClick();
        QCOMPARE(p.dialogs.messages.size(), 1);
        QCOMPARE(p.dialogs.messages.first().text, SmsTexts{}.sNoValidMittente);
        QCOMPARE(p.logMessages().last(), QStringLiteral("SMS NoValidMittente"));
        QVERIFY(!p.page->requester().busy());
    }

    void creditQueryWithEmptyPassword()
    {
        Page p;
        p.server.answer(creditPath, 200, QStringLiteral("12.5"), QStringLiteral("text/plain"));
        p.password->clear();
        p.credit->click();
        QCOMPARE(p.dialogs.messages.size(), 1);
        QCOMPARE(p.dialogs.messages.first().text, SmsTexts{}.sNoValidPassword);
        QTRY_COMPARE_WITH_TIMEOUT(p.browser->toPlainText(), QStringLiteral("12.5"), 20000);
        QCOMPARE(p.server.targets(creditPath),
            QStringList{QStringLiteral("/api/command?username=mario&password=&cmd=CREDITS")});
    }

    void failedRequestShowsItsError_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("shown");
        QTest::newRow("connection refused") << true << QStringLiteral("onnect");
        QTest::newRow("HTTP error status")
            << false << QStringLiteral("HTTP status 403\n\nno credit");
    }
    void failedRequestShowsItsError()
    {
        QFETCH(bool, refused);
        QFETCH(QString, shown);
        Page p;
        if (refused) {
            QSettings stored(p.settings.path(), QSettings::IniFormat);
            stored.setValue(QStringLiteral("SmsGatewayBase"),
                QStringLiteral("http://127.0.0.1:%1").arg(TestHttpServer::refusedPort()));
        } else {
            p.server.answer(
                sendPath, 403, QStringLiteral("no credit"), QStringLiteral("text/plain"));
        }
        p.page->InviaSMSClick();
        QTRY_VERIFY_WITH_TIMEOUT(p.browser->toPlainText().contains(shown), 20000);
    }

    void newRequestReplacesOneRunning()
    {
        Page p;
        p.server.hang(sendPath);
        p.page->InviaSMSClick();
        QTRY_COMPARE_WITH_TIMEOUT(p.server.targets(sendPath).size(), 1, 20000);
        p.server.answer(creditPath, 200, QStringLiteral("credit 7"), QStringLiteral("text/plain"));
        p.page->btnCreditoSMSClick();
        QTRY_COMPARE_WITH_TIMEOUT(p.browser->toPlainText(), QStringLiteral("credit 7"), 20000);
        // The replaced send never shows, even when its answer comes.
        p.server.answer(sendPath, 200, QStringLiteral("late"), QStringLiteral("text/plain"));
        QTRY_VERIFY_WITH_TIMEOUT(!p.page->requester().busy(), 20000);
        QCOMPARE(p.browser->toPlainText(), QStringLiteral("credit 7"));
        QVERIFY(p.browser->isReadOnly());
    }

    void typingInTheMemo()
    {
        Page p;
        p.memo->setPlainText(QStringLiteral("abc"));
        QCOMPARE(p.count->text(), QStringLiteral("3 caratteri"));
        p.memo->moveCursor(QTextCursor::End);
        // QTest types only ASCII; this is the key event of "è".
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("è"));
        QApplication::sendEvent(p.memo, &typed);
        QCOMPARE(p.memo->toPlainText(), QStringLiteral("abce'"));
        QCOMPARE(p.count->text(), QStringLiteral("5 caratteri"));
        // The cursor stays after the rewritten letter.
        QTest::keyClicks(p.memo, QStringLiteral("x"));
        QCOMPARE(p.memo->toPlainText(), QStringLiteral("abce'x"));
    }

    void countShowsTheFilledText()
    {
        Page p;
        p.memo->setPlainText(QStringLiteral("T=$temp$"));
        QCOMPARE(p.count->text(), QStringLiteral("7 caratteri"));
        p.page->showTemplateCount();
        QCOMPARE(p.count->text(), QStringLiteral("8 caratteri"));
    }

    void memoTakes160TypedCharacters()
    {
        Page p;
        p.memo->setPlainText(QString(159, QLatin1Char('a')));
        p.memo->moveCursor(QTextCursor::End);
        QTest::keyClicks(p.memo, QStringLiteral("bc"));
        QCOMPARE(p.memo->toPlainText().size(), 160);
        QVERIFY(p.memo->toPlainText().endsWith(QStringLiteral("ab")));
        // Text set by the program is not cut.
        p.memo->setPlainText(QString(170, QLatin1Char('a')));
        QCOMPARE(p.memo->toPlainText().size(), 170);
        p.memo->moveCursor(QTextCursor::End);
        QTest::keyClick(p.memo, Qt::Key_Backspace);
        QCOMPARE(p.memo->toPlainText().size(), 169);
    }

    void keyFilters()
    {
        Page p;
        p.destination->clear();
        QTest::keyClicks(p.destination, QStringLiteral("39a+,1 2"));
        QCOMPARE(p.destination->text(), QStringLiteral("3912"));
        QTest::keyClick(p.destination, Qt::Key_Backspace);
        QCOMPARE(p.destination->text(), QStringLiteral("391"));

        p.sender->clear();
        QTest::keyClicks(p.sender, QStringLiteral("ABCDEFGHIJKLMNOPQ"));
        QCOMPARE(p.sender->text(), QStringLiteral("ABCDEFGHIJKLMNO"));
        QTest::keyClick(p.sender, Qt::Key_Backspace);
        QCOMPARE(p.sender->text(), QStringLiteral("ABCDEFGHIJKLMN"));
    }
};

QTEST_MAIN(TestSms)
#include "test_sms.moc"
