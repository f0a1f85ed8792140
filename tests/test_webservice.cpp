#include "fixture/ProgramFixture.h"
#include "fixture/TestHttpServer.h"

#include "notify/WebServiceClient.h"
#include "notify/WebServiceProtocol.h"
#include "notify/WebSession.h"
#include "platform/StatusShape.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>

using WebServiceProtocol::LoginAnswer;

Q_DECLARE_METATYPE(LoginAnswer::Kind)
Q_DECLARE_METATYPE(WebServiceProtocol::CheckAnswer)
Q_DECLARE_METATYPE(WebState)
Q_DECLARE_METATYPE(WebEvent)

namespace {

const QColor red(255, 0, 0);
const QColor green(0, 128, 0);
const QString loginPath = QStringLiteral("/api/v1/user.php");
const QString putPath = QStringLiteral("/api/v1/put.php");
const QString pushPath = QStringLiteral("/api/v1/send_push.php");
const QString twoCodes
    = QStringLiteral(R"({"user_ok":1,"sens_list":[{"codice":"ABCDE"},{"codice":"FGH23"}]})");

// The whole program with the web service pointed at a test server, a sensor
// plugged in and acquiring.
struct Page
{
    TestHttpServer server;
    ProgramFixture f;
    int sensor = 0;

    explicit Page(const QString& base = {})
    {
        f.storeSetting(QStringLiteral("ServiceBase"), base.isEmpty() ? server.base() : base);
        sensor = f.plugSensor();
        f.start();
        // Requests here can take the program's timers past the automatic
        // update check, whose lines are not the page's.
        f.main().TimerAutoUpdate.stop();
        // A login that never completes ends after three seconds.
        web().setHttpLimits({2000, 3000, 1024 * 1024});
    }
    TMainForm& main() { return f.main(); }
    WebServiceClient& web() { return main().webService(); }

    void login(const QString& user = QStringLiteral("anna"),
        const QString& password = QStringLiteral("secret"))
    {
        main().WebUsername->setText(user);
        main().WebPassword->setText(password);
        main().btnLogin->click();
    }
    bool loginEnded() { return main().ProgressBarLogin->isHidden(); }
    // The log from the last line equal to first on.
    QStringList logFrom(const QString& first) const
    {
        const QStringList log = f.logMessages();
        const qsizetype at = log.lastIndexOf(first);
        return at < 0 ? QStringList{} : log.mid(at);
    }
    QStringList codes() const
    {
        QStringList list;
        for (int i = 0; i < f.main().CodiceSens->count(); ++i)
            list.append(f.main().CodiceSens->itemText(i));
        return list;
    }
};

} // namespace

class TestWebService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // --- Requests and answers, without a window ---

    void requestUrls_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("expected");
        const QString base = QStringLiteral("http://service.quelmo.example");
        using namespace WebServiceProtocol;
        QTest::newRow("login") << loginUrl(base, QStringLiteral("anna"), QStringLiteral("secret"))
                               << base
                + QStringLiteral("/api/v1/user.php?user=anna&pass=secret&slist=1");
        QTest::newRow("login, reserved characters encoded")
            << loginUrl(
                   base + QStringLiteral("/"), QStringLiteral("anna b"), QStringLiteral("p&w=1#+"))
            << base + QStringLiteral("/api/v1/user.php?user=anna%20b&pass=p%26w%3D1%23%2B&slist=1");
        QTest::newRow("sensor check")
            << sensorCheckUrl(base, QStringLiteral("anna"), QStringLiteral("ABCDE"))
            << base + QStringLiteral("/api/v1/put.php?user=anna&sens=ABCDE&t=0&u=0&check=1");
        QTest::newRow("upload 23.8 45.5 limits 35 10") << uploadUrl(base, QStringLiteral("anna"),
            QStringLiteral("ABCDE"), QStringLiteral("23.8"), QStringLiteral("45.5"), 35, 10)
                                                       << base
                + QStringLiteral(
                    "/api/v1/put.php?user=anna&sens=ABCDE&t=23.8&u=45.5&tlmax=35&tlmin=10");
        QTest::newRow("upload below zero, decimal limits")
            << uploadUrl(base, QStringLiteral("anna"), QStringLiteral("ABCDE"),
                   QStringLiteral("-4.0"), QStringLiteral("45.5"), 30.5, -2.25)
            << base
                + QStringLiteral(
                    "/api/v1/put.php?user=anna&sens=ABCDE&t=-4.0&u=45.5&tlmax=30.5&tlmin=-2.25");
        QTest::newRow("push") << pushUrl(base, QStringLiteral("anna"), QStringLiteral("ABCDE"),
            QStringLiteral("23.8"), QStringLiteral("45.5"))
                              << base
                + QStringLiteral("/api/v1/send_push.php?user=anna&sens=ABCDE&t=23.8&u=45.5");
    }
    void requestUrls()
    {
        QFETCH(QString, url);
        QFETCH(QString, expected);
        QCOMPARE(url, expected);
    }

    void generalNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("35") << 35.0 << QStringLiteral("35");
        QTest::newRow("30.5") << 30.5 << QStringLiteral("30.5");
        QTest::newRow("95 (35 in Fahrenheit)") << 95.0 << QStringLiteral("95");
        QTest::newRow("fifteen digits") << 0.1 + 0.2 << QStringLiteral("0.3");
        QTest::newRow("negative") << -12.75 << QStringLiteral("-12.75");
    }
    void generalNumber()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(WebServiceProtocol::generalNumber(value), text);
    }

    void loginAnswers_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<LoginAnswer::Kind>("kind");
        QTest::addColumn<QStringList>("codes");
        using K = LoginAnswer::Kind;
        QTest::newRow("user_ok 1, two codes in order")
            << twoCodes.toUtf8() << K::Accepted
            << QStringList{QStringLiteral("ABCDE"), QStringLiteral("FGH23")};
        QTest::newRow("user_ok 0")
            << QByteArray(R"({"user_ok":0,"sens_list":[]})") << K::Refused << QStringList{};
        QTest::newRow("user_ok string 1, empty list")
            << QByteArray(R"({"user_ok":"1","sens_list":[]})") << K::Accepted << QStringList{};
        QTest::newRow("user_ok string 1.2 rounds to 1")
            << QByteArray(R"({"user_ok":" 1.2 ","sens_list":[]})") << K::Accepted << QStringList{};
        QTest::newRow("user_ok 0.6 rounds to 1")
            << QByteArray(R"({"user_ok":0.6,"sens_list":[]})") << K::Accepted << QStringList{};
        QTest::newRow("user_ok 2") << QByteArray(R"({"user_ok":2})") << K::Refused << QStringList{};
        QTest::newRow("user_ok 1 without sens_list")
            << QByteArray(R"({"user_ok":1})") << K::AcceptedNoList << QStringList{};
        QTest::newRow("sens_list not an array")
            << QByteArray(R"({"user_ok":1,"sens_list":"ABCDE"})") << K::AcceptedNoList
            << QStringList{};
        QTest::newRow("element without codice")
            << QByteArray(R"({"user_ok":1,"sens_list":[{"codice":"ABCDE"},{"code":"X"}]})")
            << K::AcceptedNoList << QStringList{};
        QTest::newRow("element not an object")
            << QByteArray(R"({"user_ok":1,"sens_list":["ABCDE"]})") << K::AcceptedNoList
            << QStringList{};
        QTest::newRow("user_ok a word")
            << QByteArray(R"({"user_ok":"yes"})") << K::Unreadable << QStringList{};
        QTest::newRow("user_ok true")
            << QByteArray(R"({"user_ok":true})") << K::Unreadable << QStringList{};
        QTest::newRow("user_ok missing")
            << QByteArray(R"({"sens_list":[]})") << K::Unreadable << QStringList{};
        QTest::newRow("top level array")
            << QByteArray(R"([{"user_ok":1}])") << K::Unreadable << QStringList{};
        QTest::newRow("HTML page")
            << QByteArray("<html><body>Error 500</body></html>") << K::Unreadable << QStringList{};
        QTest::newRow("empty body") << QByteArray() << K::Unreadable << QStringList{};
    }
    void loginAnswers()
    {
        QFETCH(QByteArray, body);
        QFETCH(LoginAnswer::Kind, kind);
        QFETCH(QStringList, codes);
        const LoginAnswer answer = WebServiceProtocol::readLogin(body);
        QCOMPARE(answer.kind, kind);
        QCOMPARE(answer.codes, codes);
    }

    void checkAnswers_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<WebServiceProtocol::CheckAnswer>("answer");
        using C = WebServiceProtocol::CheckAnswer;
        QTest::newRow("1") << QByteArray(R"({"user_ok":1})") << C::Accepted;
        QTest::newRow("string 1") << QByteArray(R"({"user_ok":"1"})") << C::Accepted;
        QTest::newRow("0") << QByteArray(R"({"user_ok":0})") << C::Refused;
        QTest::newRow("HTML") << QByteArray("<html></html>") << C::Unreadable;
        QTest::newRow("empty") << QByteArray() << C::Unreadable;
    }
    void checkAnswers()
    {
        QFETCH(QByteArray, body);
        QFETCH(WebServiceProtocol::CheckAnswer, answer);
        QCOMPARE(WebServiceProtocol::readCheck(body), answer);
    }

    void stateTable_data()
    {
        QTest::addColumn<WebState>("from");
        QTest::addColumn<WebEvent>("event");
        QTest::addColumn<WebState>("to");
        using S = WebState;
        using E = WebEvent;
        QTest::newRow("logged out, login pressed")
            << S::LoggedOut << E::LoginStarted << S::LoginOutstanding;
        QTest::newRow("outstanding, user_ok 1")
            << S::LoginOutstanding << E::LoginAccepted << S::LoggedIn;
        QTest::newRow("outstanding, refused or failed")
            << S::LoginOutstanding << E::LoginRejected << S::LoggedOut;
        QTest::newRow("outstanding, logout") << S::LoginOutstanding << E::Logout << S::LoggedOut;
        QTest::newRow("logged in, check OK") << S::LoggedIn << E::CheckAccepted << S::Confirmed;
        QTest::newRow("logged in, check KO") << S::LoggedIn << E::CheckRejected << S::LoggedIn;
        QTest::newRow("confirmed, check again OK")
            << S::Confirmed << E::CheckAccepted << S::Confirmed;
        QTest::newRow("confirmed, check again KO")
            << S::Confirmed << E::CheckRejected << S::LoggedIn;
        QTest::newRow("confirmed, code changed") << S::Confirmed << E::CodeChanged << S::LoggedIn;
        QTest::newRow("logged in, code changed") << S::LoggedIn << E::CodeChanged << S::LoggedIn;
        QTest::newRow("logged in, logout") << S::LoggedIn << E::Logout << S::LoggedOut;
        QTest::newRow("confirmed, logout") << S::Confirmed << E::Logout << S::LoggedOut;
        QTest::newRow("logged out, logout") << S::LoggedOut << E::Logout << S::LoggedOut;
        // Answers that do not belong to the state change nothing.
        QTest::newRow("logged out, late login answer")
            << S::LoggedOut << E::LoginAccepted << S::LoggedOut;
        QTest::newRow("logged out, late check answer")
            << S::LoggedOut << E::CheckAccepted << S::LoggedOut;
        QTest::newRow("outstanding, check answer")
            << S::LoginOutstanding << E::CheckAccepted << S::LoginOutstanding;
        QTest::newRow("logged in, late login answer")
            << S::LoggedIn << E::LoginRejected << S::LoggedIn;
    }
    void stateTable()
    {
        QFETCH(WebState, from);
        QFETCH(WebEvent, event);
        QFETCH(WebState, to);
        QCOMPARE(nextWebState(from, event), to);
    }

    void sensorCodeKeys_data()
    {
        QTest::addColumn<QChar>("typed");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("inserted"); // empty: dropped
        QTest::newRow("a becomes A") << QChar(u'a') << 0 << QStringLiteral("A");
        QTest::newRow("digit 2") << QChar(u'2') << 0 << QStringLiteral("2");
        QTest::newRow("digit 1 dropped") << QChar(u'1') << 0 << QString();
        QTest::newRow("digit 0 dropped") << QChar(u'0') << 0 << QString();
        QTest::newRow("i dropped") << QChar(u'i') << 0 << QString();
        QTest::newRow("O dropped") << QChar(u'O') << 0 << QString();
        QTest::newRow("z at four") << QChar(u'z') << 4 << QStringLiteral("Z");
        QTest::newRow("sixth character dropped") << QChar(u'A') << 5 << QString();
        QTest::newRow("backspace at five") << QChar(u'\b') << 5 << QStringLiteral("\b");
        QTest::newRow("blank dropped") << QChar(u' ') << 0 << QString();
    }
    void sensorCodeKeys()
    {
        QFETCH(QChar, typed);
        QFETCH(int, length);
        QFETCH(QString, inserted);
        const std::optional<QChar> result = WebServiceClient::CodiceSensKeyPress(typed, length);
        QCOMPARE(result ? QString(*result) : QString(), inserted);
    }

    // --- The page against a real server ---

    void loginOutcomes_data()
    {
        QTest::addColumn<QString>("script"); // "answer", "hang", "refused", "redirect"
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<bool>("loggedIn");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<bool>("messageBox");

        const QString ok = QStringLiteral("login OK");
        const QString exp = QStringLiteral("login exp");
        const QStringList loggedOut = {QStringLiteral("Logout"), QStringLiteral("CodiceSensChange"),
            QStringLiteral("Send to server disabled")};
        const QStringList listed
            = {QStringLiteral("CodiceSensChange"), QStringLiteral("Send to server disabled")};
        const QStringList two = {QStringLiteral("ABCDE"), QStringLiteral("FGH23")};
        const QString html = QStringLiteral("<html><body>Service down</body></html>");

        QTest::newRow("user_ok 1, two codes")
            << "answer" << 200 << twoCodes << QStringList{ok} + listed << true << two << false;
        QTest::newRow("user_ok 0") << "answer" << 200 << QStringLiteral(R"({"user_ok":0})")
                                   << QStringList{QStringLiteral("login invalid user")} + loggedOut
                                   << false << QStringList{} << true;
        QTest::newRow("user_ok string 1, empty list")
            << "answer" << 200 << QStringLiteral(R"({"user_ok":"1","sens_list":[]})")
            << QStringList{ok} + listed << true << QStringList{} << false;
        QTest::newRow("user_ok 1 without sens_list")
            << "answer" << 200 << QStringLiteral(R"({"user_ok":1})")
            << QStringList{ok, exp} + loggedOut << false << QStringList{} << false;
        QTest::newRow("HTML page") << "answer" << 200 << html << QStringList{exp} + loggedOut
                                   << false << QStringList{} << false;
        QTest::newRow("empty body") << "answer" << 200 << QString() << QStringList{exp} + loggedOut
                                    << false << QStringList{} << false;
        QTest::newRow("HTTP error status with a valid answer")
            << "answer" << 500 << twoCodes << QStringList{exp} + loggedOut << false << QStringList{}
            << false;
        QTest::newRow("redirect followed")
            << "redirect" << 200 << twoCodes << QStringList{ok} + listed << true << two << false;
        QTest::newRow("connection refused")
            << "refused" << 0 << QString() << QStringList{exp} + loggedOut << false << QStringList{}
            << false;
        QTest::newRow("server never answers")
            << "hang" << 0 << QString() << QStringList{exp} + loggedOut << false << QStringList{}
            << false;
    }
    void loginOutcomes()
    {
        QFETCH(QString, script);
        QFETCH(int, status);
        QFETCH(QString, body);
        QFETCH(QStringList, log);
        QFETCH(bool, loggedIn);
        QFETCH(QStringList, codes);
        QFETCH(bool, messageBox);

        Page page(script == QLatin1String("refused")
                ? QStringLiteral("http://127.0.0.1:%1").arg(TestHttpServer::refusedPort())
                : QString());
        QVERIFY(page.server.isRunning());
        if (script == QLatin1String("answer"))
            page.server.answer(loginPath, status, body);
        else if (script == QLatin1String("hang"))
            page.server.hang(loginPath);
        else if (script == QLatin1String("redirect")) {
            page.server.redirect(loginPath, QStringLiteral("/elsewhere/user.php"));
            page.server.answer(QStringLiteral("/elsewhere/user.php"), 200, body);
        }
        page.main().CodiceSens->setEditText(QStringLiteral("KEPT"));
        page.f.dialogs.messages.clear();

        page.login(QStringLiteral("anna b"), QStringLiteral("p&w"));
        QVERIFY(!page.main().ProgressBarLogin->isHidden());
        QCOMPARE(page.web().state(), WebState::LoginOutstanding);
        QTRY_VERIFY_WITH_TIMEOUT(page.loginEnded(), 20000);

        QCOMPARE(page.logFrom(QStringLiteral("Login...")),
            QStringList{QStringLiteral("Login...")} + log);
        QCOMPARE(page.web().LoggedIn(), loggedIn);
        QCOMPARE(page.main().btnLogin->text(),
            loggedIn ? QStringLiteral("Logout") : QStringLiteral("Login"));
        QCOMPARE(page.main().shStatoLogin->colour(), loggedIn ? green : red);
        QCOMPARE(page.main().WebUsername->isEnabled(), !loggedIn);
        QCOMPARE(page.main().WebPassword->isEnabled(), !loggedIn);
        QCOMPARE(page.codes(), codes);
        // The edit text stays whatever the list does.
        QCOMPARE(page.main().CodiceSens->currentText(), QStringLiteral("KEPT"));
        QVERIFY(!page.main().btnVerifica->isEnabled());
        QVERIFY(!page.main().TimerProgressBarLogin.isActive());
        QCOMPARE(page.f.dialogs.messages.size(), messageBox ? 1 : 0);
        if (messageBox)
            QCOMPARE(page.f.dialogs.messages.first().text,
                QStringLiteral("Nome utente o password non validi"));
        if (script != QLatin1String("refused")) {
            QCOMPARE(page.server.targets(loginPath),
                QStringList{QStringLiteral("/api/v1/user.php?user=anna%20b&pass=p%26w&slist=1")});
        }
    }

    void loginAtStartFromStoredValues()
    {
        TestHttpServer server;
        server.answer(loginPath, 200, twoCodes);
        ProgramFixture f;
        f.storeSetting(QStringLiteral("ServiceBase"), server.base());
        f.storeSetting(QStringLiteral("web_user"), QStringLiteral("anna"));
        f.storeSetting(QStringLiteral("web_pass"), QStringLiteral("secret"));
        f.storeSetting(QStringLiteral("invia_web"), 1);
        f.start();
        QVERIFY(f.main().chkSendWeb->isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(f.main().webService().LoggedIn(), 20000);
        QCOMPARE(f.main().CodiceSens->count(), 2);
        QVERIFY(f.logMessages().contains(QStringLiteral("Login...")));
        // Checked but not usable until a code is confirmed.
        QVERIFY(!f.main().chkSendWeb->isEnabled());
    }

    void emptyFieldLogsOutWithoutRequest_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::newRow("no user name") << QString() << QStringLiteral("secret");
        QTest::newRow("no password") << QStringLiteral("anna") << QString();
    }
    void emptyFieldLogsOutWithoutRequest()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        Page page;
        page.server.answer(loginPath, 200, twoCodes);
        page.f.dialogs.messages.clear();
        page.login(user, password);
        QCOMPARE(page.f.logMessages().last(3),
            (QStringList{QStringLiteral("Logout"), QStringLiteral("CodiceSensChange"),
                QStringLiteral("Send to server disabled")}));
        QVERIFY(page.main().ProgressBarLogin->isHidden());
        QVERIFY(page.f.dialogs.messages.isEmpty());
        QVERIFY(page.server.requestLines().isEmpty());
    }

    void logoutEmptiesTheList()
    {
        Page page;
        page.server.answer(loginPath, 200, twoCodes);
        page.login();
        QTRY_VERIFY_WITH_TIMEOUT(page.web().LoggedIn(), 20000);
        page.main().CodiceSens->setCurrentIndex(1);
        page.main().btnLogin->click();
        QVERIFY(!page.web().LoggedIn());
        QCOMPARE(page.main().CodiceSens->count(), 0);
        QCOMPARE(page.main().CodiceSens->currentText(), QStringLiteral("FGH23"));
        QVERIFY(!page.main().btnVerifica->isEnabled());
        QCOMPARE(page.main().shStatoLogin->colour(), red);
        QVERIFY(page.main().WebUsername->isEnabled());
    }

    void btnVerificaEnabling()
    {
        Page page;
        page.server.answer(loginPath, 200, twoCodes);
        QLineEdit* edit = page.main().CodiceSens->lineEdit();
        // Five characters while logged out: still disabled.
        QTest::keyClicks(edit, QStringLiteral("abcde"));
        QCOMPARE(edit->text(), QStringLiteral("ABCDE"));
        QVERIFY(!page.main().btnVerifica->isEnabled());
        edit->clear();

        page.login();
        QTRY_VERIFY_WITH_TIMEOUT(page.web().LoggedIn(), 20000);
        QVERIFY(!page.main().btnVerifica->isEnabled());
        page.main().CodiceSens->setCurrentIndex(1);
        QCOMPARE(page.main().CodiceSens->currentText(), QStringLiteral("FGH23"));
        QVERIFY(page.main().btnVerifica->isEnabled());
        QTest::keyClick(edit, Qt::Key_Backspace);
        QVERIFY(!page.main().btnVerifica->isEnabled());
        QTest::keyClicks(edit, QStringLiteral("7"));
        QVERIFY(page.main().btnVerifica->isEnabled());
    }

    void typingTheCode()
    {
        Page page;
        QLineEdit* edit = page.main().CodiceSens->lineEdit();
        QTest::keyClicks(edit, QStringLiteral("abcio1"));
        QCOMPARE(edit->text(), QStringLiteral("ABC"));
        QTest::keyClicks(edit, QStringLiteral("defgh"));
        QCOMPARE(edit->text(), QStringLiteral("ABCDE"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("ABC"));
        QVERIFY(page.f.logMessages().contains(QStringLiteral("CodiceSensChange")));
    }

    void sensorCheck_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QStringList>("log");
        const QString disabled = QStringLiteral("Send to server disabled");
        QTest::newRow("user_ok 1")
            << 200 << QStringLiteral(R"({"user_ok":1})") << true
            << QStringList{QStringLiteral("Send to server enabled"), QStringLiteral("check OK")};
        QTest::newRow("user_ok 0") << 200 << QStringLiteral(R"({"user_ok":0})") << false
                                   << QStringList{disabled, QStringLiteral("check KO")};
        QTest::newRow("HTML page") << 200 << QStringLiteral("<html>x</html>") << false
                                   << QStringList{disabled, QStringLiteral("check exp")};
        QTest::newRow("empty body")
            << 200 << QString() << false << QStringList{disabled, QStringLiteral("check exp")};
        QTest::newRow("HTTP 404") << 404 << QStringLiteral(R"({"user_ok":1})") << false
                                  << QStringList{disabled, QStringLiteral("check exp")};
    }
    void sensorCheck()
    {
        QFETCH(int, status);
        QFETCH(QString, body);
        QFETCH(bool, confirmed);
        QFETCH(QStringList, log);
        Page page;
        page.server.answer(loginPath, 200, twoCodes);
        page.server.answer(putPath, status, body);
        page.login();
        QTRY_VERIFY_WITH_TIMEOUT(page.web().LoggedIn(), 20000);
        page.main().CodiceSens->setCurrentIndex(0);
        page.main().btnVerifica->click();
        QTRY_VERIFY_WITH_TIMEOUT(
            page.f.logMessages().last().startsWith(QStringLiteral("check ")), 20000);
        QCOMPARE(page.logFrom(QStringLiteral("Checking server")),
            QStringList{QStringLiteral("Checking server")} + log);
        QCOMPARE(page.server.targets(putPath),
            QStringList{QStringLiteral("/api/v1/put.php?user=anna&sens=ABCDE&t=0&u=0&check=1")});
        QCOMPARE(page.web().SendToServerEnabled(), confirmed);
        QCOMPARE(page.main().shStatoSens->colour(), confirmed ? green : red);
        QCOMPARE(page.main().chkSendWeb->isEnabled(), confirmed);
        QCOMPARE(page.main().chkAbilitaPush->isEnabled(), confirmed);
    }

    void codeEditedAfterCheckOk()
    {
        Page page;
        page.server.answer(loginPath, 200, twoCodes);
        page.server.answer(putPath, 200, QStringLiteral(R"({"user_ok":1})"));
        page.login();
        QTRY_VERIFY_WITH_TIMEOUT(page.web().LoggedIn(), 20000);
        page.main().CodiceSens->setCurrentIndex(0);
        page.main().btnVerifica->click();
        QTRY_VERIFY_WITH_TIMEOUT(page.web().SendToServerEnabled(), 20000);
        page.main().chkSendWeb->click();
        QVERIFY(page.main().chkSendWeb->isChecked());

        QTest::keyClick(page.main().CodiceSens->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(page.main().shStatoSens->colour(), red);
        QVERIFY(!page.main().chkSendWeb->isEnabled());
        QVERIFY(!page.main().chkAbilitaPush->isEnabled());
        QVERIFY(page.main().chkSendWeb->isChecked());
        QVERIFY(!page.web().uploadWanted());
        const int checks = static_cast<int>(page.server.targets(putPath).size());
        page.f.push(page.sensor, ProgramFixture::report(23.8, 45.5));
        QCOMPARE(page.web().outstandingUploads(), 0);
        QCOMPARE(page.server.targets(putPath).size(), checks);
    }

    void chkSendWebFollowsPush()
    {
        Page page;
        page.server.answer(loginPath, 200, twoCodes);
        page.server.answer(putPath, 200, QStringLiteral(R"({"user_ok":1})"));
        page.login();
        QTRY_VERIFY_WITH_TIMEOUT(page.web().LoggedIn(), 20000);
        page.main().CodiceSens->setCurrentIndex(0);
        page.main().btnVerifica->click();
        QTRY_VERIFY_WITH_TIMEOUT(page.web().SendToServerEnabled(), 20000);
        page.main().chkSendWeb->click(); // checked
        QVERIFY(page.main().chkAbilitaPush->isEnabled());
        page.main().chkSendWeb->click(); // unchecked
        QVERIFY(!page.main().chkAbilitaPush->isEnabled());
    }

    void uploadQuery_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<double>("tmax");
        QTest::addColumn<double>("tmin");
        QTest::addColumn<QString>("target");
        QTest::newRow("Celsius, limits 35 and 10")
            << 0 << 35.0 << 10.0
            << QStringLiteral(
                   "/api/v1/put.php?user=anna&sens=ABCDE&t=23.8&u=45.5&tlmax=35&tlmin=10");
        QTest::newRow("Fahrenheit, limits 95 and 50")
            << 1 << 95.0 << 50.0
            << QStringLiteral(
                   "/api/v1/put.php?user=anna&sens=ABCDE&t=74.8&u=45.5&tlmax=95&tlmin=50");
    }
    void uploadQuery()
    {
        QFETCH(int, unit);
        QFETCH(double, tmax);
        QFETCH(double, tmin);
        QFETCH(QString, target);
        Page page;
        confirm(page);
        if (QTest::currentTestFailed())
            return;
        page.main().cmbGradi->setCurrentIndex(unit);
        if (unit != 0)
            page.web().setLimitsSource([=] { return UploadLimits{tmax, tmin}; });
        const qsizetype before = page.server.targets(putPath).size();
        page.f.push(page.sensor, ProgramFixture::report(23.8, 45.5));
        QTRY_COMPARE_WITH_TIMEOUT(page.server.targets(putPath).size(), before + 1, 20000);
        QCOMPARE(page.server.targets(putPath).last(), target);
    }

    void uploadsNeverDelayTheNextReport()
    {
        Page page;
        confirm(page);
        if (QTest::currentTestFailed())
            return;
        // Held uploads must not time out while the test looks at them.
        page.web().setHttpLimits({2000, 120000, 1024 * 1024});
        page.server.hang(putPath);
        const qsizetype checks = page.server.targets(putPath).size();
        // Each report is handled at once while every upload before it waits
        // for the service.
        for (int i = 0; i < WebServiceClient::MaxOutstandingUploads; ++i) {
            const double celsius = 20.0 + i;
            page.f.push(page.sensor, ProgramFixture::report(celsius, 45.5));
            QCOMPARE(page.main().LblTemp->text(), QStringLiteral("%1.0 °C").arg(20 + i));
        }
        QCOMPARE(page.web().outstandingUploads(), WebServiceClient::MaxOutstandingUploads);
        QTRY_COMPARE_WITH_TIMEOUT(page.server.targets(putPath).size(),
            checks + WebServiceClient::MaxOutstandingUploads, 20000);

        // One beyond the bound is skipped with a log line; the report itself
        // goes on.
        page.f.push(page.sensor, ProgramFixture::report(30.0, 45.5));
        QCOMPARE(page.main().LblTemp->text(), QStringLiteral("30.0 °C"));
        QCOMPARE(
            page.f.logMessages().last(), QStringLiteral("Upload skipped: 8 uploads outstanding"));

        page.server.answer(putPath, 200, QStringLiteral("{}"));
        QTRY_COMPARE_WITH_TIMEOUT(page.web().outstandingUploads(), 0, 20000);
        page.f.push(page.sensor, ProgramFixture::report(31.0, 45.5));
        QTRY_COMPARE_WITH_TIMEOUT(page.server.targets(putPath).last(),
            QStringLiteral("/api/v1/put.php?user=anna&sens=ABCDE&t=31.0&u=45.5&tlmax=35&tlmin=10"),
            20000);
    }

    void pushOnAlarm()
    {
        Page page;
        confirm(page);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!page.web().pushWanted());
        page.main().chkAbilitaPush->click();
        QVERIFY(page.web().pushWanted());
        page.f.push(page.sensor, ProgramFixture::report(23.8, 45.5));
        page.main().SendPushNotification();
        QCOMPARE(page.f.logMessages().last(), QStringLiteral("Sending push notification"));
        QTRY_COMPARE_WITH_TIMEOUT(page.server.targets(pushPath),
            QStringList{QStringLiteral("/api/v1/send_push.php?user=anna&sens=ABCDE&t=23.8&u=45.5")},
            20000);
    }

    void lateAnswersChangeNothing()
    {
        Page page;
        page.web().setHttpLimits({2000, 120000, 1024 * 1024});
        page.server.hang(loginPath);
        page.login();
        // The user empties the password and presses Login again: logged out.
        page.main().WebPassword->clear();
        page.main().btnLogin->click();
        QVERIFY(page.main().ProgressBarLogin->isHidden());
        page.server.answer(loginPath, 200, twoCodes);
        QTRY_VERIFY_WITH_TIMEOUT(
            page.f.logMessages().contains(QStringLiteral("login answer ignored")), 20000);
        QVERIFY(!page.web().LoggedIn());
        QCOMPARE(page.main().CodiceSens->count(), 0);

        // A check answer about a code that was edited meanwhile confirms
        // nothing.
        page.login();
        QTRY_VERIFY_WITH_TIMEOUT(page.web().LoggedIn(), 20000);
        page.main().CodiceSens->setCurrentIndex(0);
        page.server.hang(putPath);
        page.main().btnVerifica->click();
        QTRY_COMPARE_WITH_TIMEOUT(page.server.targets(putPath).size(), 1, 20000);
        page.main().CodiceSens->setCurrentIndex(1);
        page.server.answer(putPath, 200, QStringLiteral(R"({"user_ok":1})"));
        QTRY_VERIFY_WITH_TIMEOUT(
            page.f.logMessages().contains(QStringLiteral("check answer ignored")), 20000);
        QVERIFY(!page.web().SendToServerEnabled());
        QCOMPARE(page.main().shStatoSens->colour(), red);
    }

    void progressBarRunsOncePerSecond()
    {
        Page page;
        QProgressBar* bar = page.main().ProgressBarLogin;
        bar->setValue(8);
        page.web().TimerProgressBarLoginTimer();
        QCOMPARE(bar->value(), 9);
        page.web().TimerProgressBarLoginTimer();
        QCOMPARE(bar->value(), 0);
    }

private:
    static void confirm(Page& page)
    {
        page.server.answer(loginPath, 200, twoCodes);
        page.server.answer(putPath, 200, QStringLiteral(R"({"user_ok":1})"));
        page.server.answer(pushPath, 200, QStringLiteral("{}"));
        page.login();
        QTRY_VERIFY_WITH_TIMEOUT(page.web().LoggedIn(), 20000);
        page.main().CodiceSens->setCurrentIndex(0);
        page.main().btnVerifica->click();
        QTRY_VERIFY_WITH_TIMEOUT(page.web().SendToServerEnabled(), 20000);
        page.main().chkSendWeb->click();
        QVERIFY(page.web().uploadWanted());
    }
};

QTEST_MAIN(TestWebService)
#include "test_webservice.moc"
