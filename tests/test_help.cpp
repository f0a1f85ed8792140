#include "fixture/ProgramFixture.h"

#include "app/HelpCommands.h"
#include "app/TAboutForm.h"
#include "app/UpdateInfo.h"
#include "app/UpdateWizard.h"
#include "fixture/TestHttpServer.h"
#include "i18n/MainMessages.h"
#include "log/EventLog.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class TestHelp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void manualByLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("file");
        QTest::newRow("Italian") << int(Language::Italian) << QStringLiteral("manuale.pdf");
        QTest::newRow("English") << int(Language::English) << QStringLiteral("manuale.pdf");
        QTest::newRow("Spanish") << int(Language::Spanish) << QStringLiteral("manual_es.pdf");
    }
    void manualByLanguage()
    {
        QFETCH(int, language);
        QFETCH(QString, file);
        ProgramFixture f;
        f.folders.current = f.tempPath() + QStringLiteral("/elsewhere"); // not the program's folder
        f.start();
        f.main().language = static_cast<Language>(language);
        f.main().AdvGlowManuale->click();
        QCOMPARE(f.shell.calls.size(), 1);
        QCOMPARE(f.shell.calls.first().what, QStringLiteral("document"));
        QCOMPARE(f.shell.calls.first().target, f.folders.current + QLatin1Char('/') + file);
        QCOMPARE(f.logMessages().last(), QStringLiteral("open ") + file);
    }

    void noPdfHandler()
    {
        ProgramFixture f;
        f.shell.pdfHandler = false;
        f.start();
        const QString lastBefore = f.logMessages().last();
        f.main().AdvGlowManuale->click();
        QVERIFY(f.shell.calls.isEmpty());
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages.first().kind, MessageKind::Error);
        QCOMPARE(f.dialogs.messages.first().text,
            QStringLiteral("Per aprire il manuale è necessario installare un lettore di PDF"));
        QVERIFY(f.dialogs.messages.first().title.isEmpty());
        QVERIFY(!f.dialogs.messages.first().title.isNull());
        QCOMPARE(f.logMessages().last(), lastBefore);
    }

    void helpWebAndMail()
    {
        ProgramFixture f;
        f.start();
        f.main().AdvBtnGuida->click();
        QCOMPARE(f.dialogs.messages.value(0).text,
            QStringLiteral("Posizionarsi col mouse sul controllo per ottenere una descrizione "
                           "delle funzioni"));
        f.main().AdvBtnWeb->click();
        f.main().AdvBtnEmail->click();
        QCOMPARE(f.shell.calls.value(0).what, QStringLiteral("url"));
        QCOMPARE(f.shell.calls.value(0).target, Maker::WebSite);
        QCOMPARE(f.shell.calls.value(1).what, QStringLiteral("mailto"));
        QCOMPARE(f.shell.calls.value(1).target, Maker::ContactAddress);
    }

    void serviceUtilityFromTheCurrentFolder()
    {
        ProgramFixture f;
        f.folders.current = f.tempPath() + QStringLiteral("/work");
        f.start();
        f.main().AdvBtnServizio->click();
        QCOMPARE(f.shell.calls.size(), 1);
        QCOMPARE(f.shell.calls.first().what, QStringLiteral("program"));
        QCOMPARE(f.shell.calls.first().target,
            f.folders.current + QStringLiteral("/service/Quelmo_Service"));
        QVERIFY(f.shell.calls.first().arguments.isEmpty());
        // Both windows' settings are saved before the utility starts.
        const QStringList log = f.logMessages();
        const qsizetype open = log.indexOf(QStringLiteral("Open Quelmo_Service"));
        QVERIFY(open > 0);
        QCOMPARE(log.value(open + 1), QStringLiteral("Saving setting..."));
        QVERIFY(log.indexOf(QStringLiteral("Saving setting (alarm)..."), open) > open);
    }

    void aboutWindow()
    {
        ProgramFixture f;
        f.start();
        bool checked = false;
        f.dialogs.modalScripts.push_back([&](QDialog& window) {
            auto* version = window.findChild<QLabel*>(QStringLiteral("Lblversione"));
            QCOMPARE(version->text(), QStringLiteral(" v 1.0.0.0"));
            QTest::keyClick(
                window.findChild<QPushButton*>(QStringLiteral("OK")), Qt::Key_D, Qt::AltModifier);
            QCOMPARE(f.dialogs.messages.size(), 1);
            QVERIFY(f.dialogs.messages.first().text.contains(QStringLiteral("Quelmo")));
            QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("Label2")), Qt::LeftButton);
            QCOMPARE(f.shell.calls.value(0).target, Maker::WebSite);
            checked = true;
        });
        f.main().AdvBtnInfo->click();
        QVERIFY(checked);
        QCOMPARE(f.dialogs.modalWindows, QStringList{QStringLiteral("TAboutForm")});
    }

    void automaticUpdateCheck_data()
    {
        QTest::addColumn<bool>("newer");
        QTest::newRow("newer version") << true;
        QTest::newRow("nothing newer") << false;
    }
    void automaticUpdateCheck()
    {
        QFETCH(bool, newer);
        ProgramFixture f;
        f.start();
        int backgroundUpdates = 0;
        HelpHooks hooks;
        hooks.language = [] {
            return Language::Italian;
        };
        hooks.saveAllSettings = [] {
        };
        hooks.checkForUpdate = [newer](std::function<void(bool)> answer) {
            answer(newer);
        };
        hooks.startBackgroundUpdate = [&] {
            ++backgroundUpdates;
        };
        HelpCommands help(
            PlatformServices{&f.hid, &f.dialogs, &f.shell, &f.powerOff, &f.clock, &f.folders},
            f.program->log(), f.main().messages, &f.main(), hooks);
        QTimer timer;
        timer.setInterval(HelpCommands::FirstCheckMs);
        timer.start();
        help.TimerAutoUpdateTimer(timer);
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), 604800000);
        const QStringList log = f.logMessages();
        QVERIFY(log.contains(QStringLiteral("Autoupdate check")));
        QCOMPARE(log.contains(QStringLiteral("Autoupdate NewVersionAvailable")), newer);
        QCOMPARE(backgroundUpdates, newer ? 1 : 0);
        QCOMPARE(f.dialogs.messages.size(), newer ? 1 : 0);
        if (newer)
            QCOMPARE(f.dialogs.messages.first().text,
                QStringLiteral("Aggiornamento Software disponibile..."));
    }

    void controlFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("whatsNew");
        QTest::newRow("complete") << QByteArray("; news\r\n[Update]\r\nVersion=1.0.1.0\r\nPackage=http://h/p.deb\r\n"
                                                "WhatsNew=Faster chart.\\nFewer lines.\r\n")
                                  << true << QStringLiteral("1.0.1.0") << QStringLiteral("Faster chart.\nFewer lines.");
        QTest::newRow("other section only") << QByteArray("[Other]\nVersion=2.0\nPackage=x\n") << false << QString()
                                            << QString();
        QTest::newRow("no package") << QByteArray("[Update]\nVersion=2.0\n") << false << QStringLiteral("2.0")
                                    << QString();
        QTest::newRow("html page") << QByteArray("<html><body>Not found</body></html>") << false << QString()
                                   << QString();
        QTest::newRow("version not numbers") << QByteArray("[update]\nversion=abc\npackage=x\n") << false
                                             << QStringLiteral("abc") << QString();
    }
    void controlFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(QString, version);
        QFETCH(QString, whatsNew);
        const UpdateInfo info = UpdateInfo::parse(text);
        QCOMPARE(info.valid, valid);
        QCOMPARE(info.version, version);
        QCOMPARE(info.whatsNew, whatsNew);
    }

    void versionOrder_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order");
        QTest::newRow("newer") << "1.0.0.0" << "1.0.1.0" << -1;
        QTest::newRow("same") << "1.0.0.0" << "1.0.0.0" << 0;
        QTest::newRow("older") << "1.2.0.0" << "1.1.9.9" << 1;
        QTest::newRow("numbers, not text") << "1.0.0.10" << "1.0.0.9" << 1;
        QTest::newRow("missing parts") << "1.0" << "1.0.0.0" << 0;
    }
    void versionOrder()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        QCOMPARE(Update::compareVersions(a, b), order);
        QCOMPARE(Update::compareVersions(b, a), -order);
    }

    void controlFileAddress()
    {
        QCOMPARE(Update::controlFileUrl(QStringLiteral("http://update.quelmo.example/")),
            QStringLiteral("http://update.quelmo.example/Quelmo_update/_update_project.INF"));
    }

    void updateCheckAgainstTheServer_data()
    {
        QTest::addColumn<QString>("offered");
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<bool>("newer");
        QTest::newRow("newer") << QStringLiteral("1.0.1.0") << true << true;
        QTest::newRow("same") << QStringLiteral("1.0.0.0") << true << false;
        QTest::newRow("older") << QStringLiteral("0.9.9.9") << true << false;
        QTest::newRow("unreachable") << QString() << false << false;
    }
    void updateCheckAgainstTheServer()
    {
        QFETCH(QString, offered);
        QFETCH(bool, reachable);
        QFETCH(bool, newer);
        TestHttpServer server;
        QVERIFY(server.isRunning());
        const QString package = QStringLiteral("/Quelmo_update/quelmo_update.deb");
        server.answer(QStringLiteral("/Quelmo_update/_update_project.INF"), 200,
            QStringLiteral("[Update]\nVersion=%1\nPackage=%2%3\nWhatsNew=Better.\n")
                .arg(offered, server.base(), package),
            QStringLiteral("text/plain"));
        server.answer(package, 200, QStringLiteral("package bytes"), QStringLiteral("application/octet-stream"));

        ProgramFixture f;
        f.storeSetting(QStringLiteral("UpdateServer"),
            reachable ? server.base() : QStringLiteral("http://127.0.0.1:%1").arg(TestHttpServer::refusedPort()));
        f.start();
        f.main().TimerAutoUpdate.stop();
        f.main().help().TimerAutoUpdateTimer(f.main().TimerAutoUpdate);
        QCOMPARE(f.main().TimerAutoUpdate.interval(), 604800000);
        QVERIFY(f.logMessages().contains(QStringLiteral("Autoupdate check")));
        if (newer) {
            QTRY_VERIFY_WITH_TIMEOUT(f.logMessages().contains(QStringLiteral("Autoupdate NewVersionAvailable")), 15000);
            QCOMPARE(f.dialogs.messages.value(0).text, QStringLiteral("Aggiornamento Software disponibile..."));
            // The package is fetched in the background and handed to the desktop.
            QTRY_VERIFY_WITH_TIMEOUT(!f.shell.calls.isEmpty(), 15000);
            QCOMPARE(f.shell.calls.first().what, QStringLiteral("document"));
            QVERIFY(f.shell.calls.first().target.endsWith(QStringLiteral("quelmo_update.deb")));
        } else {
            // The answer comes and shows nothing.
            QTRY_VERIFY_WITH_TIMEOUT(QFile(f.program->log().updateLogPath()).size() > 0
                    && QString::fromLocal8Bit([&] {
                           QFile log(f.program->log().updateLogPath());
                           log.open(QIODevice::ReadOnly);
                           return log.readAll();
                       }())
                           .contains(QStringLiteral("answer: ")),
                15000);
            QVERIFY(f.dialogs.messages.isEmpty());
            QVERIFY(!f.logMessages().contains(QStringLiteral("Autoupdate NewVersionAvailable")));
        }
    }

    void placeholderServerIsNeverAsked()
    {
        ProgramFixture f; // UpdateServer keeps its .example default
        f.start();
        f.main().TimerAutoUpdate.stop();
        f.main().help().TimerAutoUpdateTimer(f.main().TimerAutoUpdate);
        QFile log(f.program->log().updateLogPath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString lines = QString::fromLocal8Bit(log.readAll());
        QVERIFY(lines.contains(QStringLiteral("answer: no update server set")));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void updateWizardReportsTheOutcome()
    {
        TestHttpServer server;
        server.answer(QStringLiteral("/Quelmo_update/_update_project.INF"), 200,
            QStringLiteral("[Update]\nVersion=1.0.0.0\nPackage=x\n"), QStringLiteral("text/plain"));
        ProgramFixture f;
        f.storeSetting(QStringLiteral("UpdateServer"), server.base());
        f.start();
        f.main().cmdLingua->setCurrentIndex(0); // English
        f.main().language = Language::English;
        QString shown;
        f.dialogs.modalScripts.push_back([&](QDialog& window) {
            auto& wizard = static_cast<UpdateWizard&>(window);
            QCOMPARE(wizard.Message->text(), QStringLiteral("Press start to start checking for available application updates ..."));
            wizard.StartButton->click();
            QTRY_COMPARE_WITH_TIMEOUT(wizard.Message->text(), QStringLiteral("No new version available."), 15000);
            shown = wizard.Message->text();
        });
        f.main().AdvBtnUpdate->click();
        QCOMPARE(shown, QStringLiteral("No new version available."));
        QVERIFY(f.logMessages().contains(QStringLiteral("Update wizard")));
    }

    void updateTimerOnlyWithTheOption()
    {
        ProgramFixture f;
        f.start();
        QVERIFY(f.main().TimerAutoUpdate.isActive());
        QCOMPARE(f.main().TimerAutoUpdate.interval(), 2000);
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
