#include "fixture/ProgramFixture.h"
#include "fixture/SmtpTestServer.h"
#include "fixture/TestHttpServer.h"

#include "alarms/TAllarmeForm.h"
#include "alarms/TTurnOffForm.h"
#include "notify/EmailChannel.h"
#include "platform/StatusShape.h"
#include "platform/TextTrayIcon.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

// An alarm of the sensor travelling out through each channel to a real
// server on this machine.
class TestAlarmChannels : public QObject
{
    Q_OBJECT

    TestCertificates m_certs;

private Q_SLOTS:
    void initTestCase() { QVERIFY2(m_certs.make(), qPrintable(m_certs.error())); }

    void alarmEmailThroughStartTlsAndLogin()
    {
        SmtpTestServer server;
        QVERIFY2(
            server.start(SmtpTestServer::Mode::StartTls, m_certs.serverCert(), m_certs.serverKey()),
            qPrintable(server.error()));
        ProgramFixture f;
        const int sensor = f.plugSensor();
        f.start();
        f.main().emailChannel().setCaFile(m_certs.caFile());
        TAllarmeForm& a = f.program->alarmWindow();
        a.LblSMTP->setText(QStringLiteral("127.0.0.1"));
        a.LblPorta->setText(QString::number(server.port()));
        a.cmbSSL->setCurrentIndex(0);
        a.cmbAuth->setCurrentIndex(1);
        a.Lblusername->setText(QStringLiteral("quelmo"));
        a.Lblpassword->setText(QStringLiteral("secret"));
        a.LblDest->setText(QStringLiteral("alarm@example.com"));
        f.main().CheckAllarmeEmail->click();
        QVERIFY(f.main().CheckAllarmeEmail->isChecked());

        f.push(sensor, ProgramFixture::report(36.5, 45.5));
        QTRY_COMPARE_WITH_TIMEOUT(server.messages().size(), 1, 60000);
        QTRY_COMPARE_WITH_TIMEOUT(a.shStatoEmail->colour(), QColor(0, 255, 0), 30000);
        const QJsonObject message = server.messages().first();
        QVERIFY(message.value(QStringLiteral("tls")).toBool());
        QCOMPARE(message.value(QStringLiteral("login")).toString(), QStringLiteral("quelmo"));
        const QString body = message.value(QStringLiteral("body")).toString();
        QVERIFY2(
            body.contains(QStringLiteral("Temperatura rilevata:    36.5 °C")), qPrintable(body));
        QVERIFY2(
            body.contains(QStringLiteral("Umidità rilevata:        45.5 %")), qPrintable(body));
        QVERIFY(a.StatusMemo->toPlainText().contains(QStringLiteral("Connected.")));
        QVERIFY(f.main().TextTrayTemp->balloonText().endsWith(f.main().messages.strsEmailInviata));
        // Held: the next alarm reading sends nothing more.
        f.push(sensor, ProgramFixture::report(37.0, 45.5));
        QTest::qWait(0);
        QCOMPARE(server.messages().size(), 1);
    }

    void alarmSmsToTheGateway()
    {
        TestHttpServer server;
        QVERIFY(server.isRunning());
        server.answer(QStringLiteral("/api/sendsms/plain"), 200, QStringLiteral("OK 1"),
            QStringLiteral("text/plain"));
        ProgramFixture f;
        f.storeSetting(QStringLiteral("SmsGatewayBase"), server.base());
        const int sensor = f.plugSensor();
        f.start();
        TAllarmeForm& a = f.program->alarmWindow();
        a.lblUserSMS->setText(QStringLiteral("anna"));
        a.lblPasswordSMS->setText(QStringLiteral("pw"));
        a.edtDestSMS->setText(QStringLiteral("+393331234567"));
        a.chkSMS->setChecked(true);
        f.push(sensor, ProgramFixture::report(23.75, 45.5, 2));
        f.push(sensor, ProgramFixture::report(36.5, 45.5, 2));
        QTRY_COMPARE_WITH_TIMEOUT(
            server.targets(QStringLiteral("/api/sendsms/plain")).size(), 1, 30000);
        const QString target = server.targets(QStringLiteral("/api/sendsms/plain")).first();
        QVERIFY2(target.contains(QStringLiteral("user=anna&password=pw&GSM=393331234567&SMSText=")),
            qPrintable(target));
        QVERIFY2(target.contains(QStringLiteral("Temperatura:%2036.5%C2%B0C")), qPrintable(target));
        QVERIFY(target.endsWith(QStringLiteral("&sender=Allarme")));
        QTRY_VERIFY_WITH_TIMEOUT(
            a.WebBrowser1->toPlainText().contains(QStringLiteral("OK 1")), 30000);
        QVERIFY(f.main().TextTrayTemp->balloonText().endsWith(f.main().messages.strssSMSInviato));
    }

    void shutdownCountdownAboveItsThreshold()
    {
        ProgramFixture f;
        const int sensor = f.plugSensor();
        f.start();
        TAllarmeForm& a = f.program->alarmWindow();
        a.ChkShutDown->setChecked(true);
        a.EditTempShutdown->setText(QStringLiteral("40"));
        a.CommitAlarmLimits();
        f.powerOff.accept = false; // refused: cancel comes back
        bool counted = false;
        f.dialogs.modalScripts.push_back([&](QDialog& window) {
            auto& countdown = static_cast<TTurnOffForm&>(window);
            QCOMPARE(countdown.LblSecRim->text(), QStringLiteral("10 secondi allo spegnimento"));
            for (int tick = 0; tick < 10; ++tick)
                countdown.TimerTurnOffTimer();
            QCOMPARE(countdown.LblSecRim->text(), QStringLiteral("0 secondi allo spegnimento"));
            QVERIFY(f.powerOff.requests.isEmpty());
            countdown.TimerTurnOffTimer();
            QCOMPARE(f.powerOff.requests, QList<int>{12});
            QCOMPARE(countdown.LblSecRim->text(), QStringLiteral("Spegnimento in corso"));
            QVERIFY(countdown.BtnAnnullaTurnOff->isEnabled());
            // A reading that comes meanwhile waits until this one's handling
            // ends (the sensor's reading waits for its handler).
            f.push(sensor, ProgramFixture::report(46.0, 45.5));
            countdown.BtnAnnullaTurnOff->click();
            counted = true;
        });
        f.push(sensor, ProgramFixture::report(45.0, 45.5));
        QVERIFY(counted);
        // After the cancel, the waiting reading above the threshold opens a
        // fresh countdown.
        QCOMPARE(f.dialogs.modalWindows,
            (QStringList{QStringLiteral("TTurnOffForm"), QStringLiteral("TTurnOffForm")}));
        QVERIFY(f.logMessages().contains(QStringLiteral("PC off")));
        QVERIFY(f.logMessages().contains(QStringLiteral("Turn off pc cancel")));
    }
};

QTEST_MAIN(TestAlarmChannels)
#include "test_alarmchannels.moc"
