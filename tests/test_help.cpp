#include "fixture/ProgramFixture.h"

#include "app/HelpCommands.h"
#include "app/TAboutForm.h"
#include "app/UpdateInfo.h"
#include "i18n/MainMessages.h"
#include "log/EventLog.h"

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
        QVERIFY(f.logMessages().contains(QStringLiteral("Open Quelmo_Service")));
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
