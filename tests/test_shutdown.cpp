#include "fixture/ProgramFixture.h"

#include "alarms/ProgramLaunch.h"
#include "alarms/TTurnOffForm.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

// The shutdown countdown on the test power-off service, ticked by the test,
// and the program launch on the test shell.
class TestShutdown : public QObject
{
    Q_OBJECT

    struct Tick
    {
        QString label;
        int requests;
        bool cancelEnabled;
    };

    // Shows the countdown and plays the user's part inside it.
    static void showCountdown(ProgramFixture& f, std::function<void(TTurnOffForm&)> inside)
    {
        f.dialogs.modalScripts.push_back([inside = std::move(inside)](QDialog& dialog) {
            inside(static_cast<TTurnOffForm&>(dialog));
        });
        f.program->turnOffWindow().showCountdown();
    }

    static Tick tick(ProgramFixture& f, TTurnOffForm& window)
    {
        window.TimerTurnOffTimer();
        return {window.LblSecRim->text(), static_cast<int>(f.powerOff.requests.size()),
            window.BtnAnnullaTurnOff->isEnabled()};
    }

private Q_SLOTS:
    void countsDownThenRequestsAForcedPowerOffEverySecond()
    {
        ProgramFixture f;
        f.start();
        QStringList labels;
        QList<Tick> powerOffTicks;
        bool timerRunning = false;
        bool stillOpenAfterClose = false;
        showCountdown(f, [&](TTurnOffForm& window) {
            timerRunning = window.TimerTurnOff.isActive() && window.TimerTurnOff.interval() == 1000;
            labels.append(window.LblSecRim->text());
            for (int second = 1; second <= 10; ++second)
                labels.append(tick(f, window).label);
            for (int second = 11; second <= 13; ++second)
                powerOffTicks.append(tick(f, window));
            // With the request accepted, the window cannot be closed.
            window.close();
            stillOpenAfterClose = window.isVisible();
        });
        QVERIFY(timerRunning);
        QStringList expected;
        for (int left = 10; left >= 0; --left)
            expected.append(QString::number(left) + QStringLiteral(" secondi allo spegnimento"));
        QCOMPARE(labels, expected);
        QCOMPARE(powerOffTicks.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(powerOffTicks[i].label, QStringLiteral("Spegnimento in corso"));
            QCOMPARE(powerOffTicks[i].requests, i + 1);
            QVERIFY(!powerOffTicks[i].cancelEnabled);
        }
        QCOMPARE(f.powerOff.requests, (QList<int>{12, 12, 12}));
        QVERIFY(stillOpenAfterClose);
        const QStringList log = f.logMessages();
        QCOMPARE(log.count(QStringLiteral("Turn off pc show")), 1);
        QCOMPARE(log.count(QStringLiteral("PC off")), 3);
        QVERIFY(!log.contains(QStringLiteral("Turn off pc cancel")));
        // A window that went away, however, never powers off behind the user's back.
        QVERIFY(!f.program->turnOffWindow().TimerTurnOff.isActive());
    }

    void cancelAtThreeThenAFreshCount()
    {
        ProgramFixture f;
        f.start();
        QString atCancel;
        bool closedByCancel = false;
        showCountdown(f, [&](TTurnOffForm& window) {
            for (int second = 1; second <= 7; ++second)
                atCancel = tick(f, window).label;
            window.BtnAnnullaTurnOff->click();
            closedByCancel = !window.isVisible() && !window.TimerTurnOff.isActive();
        });
        QCOMPARE(atCancel, QStringLiteral("3 secondi allo spegnimento"));
        QVERIFY(closedByCancel);
        QCOMPARE(f.logMessages().last(), QStringLiteral("Turn off pc cancel"));
        QCOMPARE(f.program->turnOffWindow().SecondsLeft, 10);

        QStringList again;
        showCountdown(f, [&](TTurnOffForm& window) {
            again.append(window.LblSecRim->text());
            again.append(tick(f, window).label);
            window.BtnAnnullaTurnOff->click();
        });
        QCOMPARE(again,
            (QStringList{QStringLiteral("10 secondi allo spegnimento"),
                QStringLiteral("9 secondi allo spegnimento")}));
        QVERIFY(f.powerOff.requests.isEmpty());
        QCOMPARE(f.logMessages().count(QStringLiteral("Turn off pc show")), 2);
    }

    void refusedPowerOffLetsTheUserCancel()
    {
        ProgramFixture f;
        f.start();
        f.powerOff.accept = false;
        QList<Tick> powerOffTicks;
        bool closedByCancel = false;
        showCountdown(f, [&](TTurnOffForm& window) {
            for (int second = 1; second <= 10; ++second)
                tick(f, window);
            powerOffTicks.append(tick(f, window));
            powerOffTicks.append(tick(f, window));
            window.BtnAnnullaTurnOff->click();
            closedByCancel = !window.isVisible();
        });
        QCOMPARE(powerOffTicks.size(), 2);
        QVERIFY(powerOffTicks[0].cancelEnabled);
        QCOMPARE(powerOffTicks[1].label, QStringLiteral("Spegnimento in corso"));
        QCOMPARE(f.powerOff.requests, (QList<int>{12, 12}));
        QVERIFY(closedByCancel);
        const QStringList log = f.logMessages();
        QCOMPARE(log.count(QStringLiteral("PC off")), 2);
        QCOMPARE(log.last(), QStringLiteral("Turn off pc cancel"));
    }

    void englishCountdownKeepsTheItalianPowerOffText()
    {
        ProgramFixture f;
        f.start();
        f.program->turnOffWindow().UpdateStrings(Language::English);
        QString atSeven;
        QString poweringOff;
        showCountdown(f, [&](TTurnOffForm& window) {
            for (int second = 1; second <= 3; ++second)
                atSeven = tick(f, window).label;
            for (int second = 4; second <= 11; ++second)
                poweringOff = tick(f, window).label;
        });
        QCOMPARE(atSeven, QStringLiteral("7 seconds to shutdown"));
        QCOMPARE(poweringOff, QStringLiteral("Spegnimento in corso"));
    }

    void aSecondCountdownNeverOpensOverTheFirst()
    {
        ProgramFixture f;
        f.start();
        int secondsAfterAgain = -1;
        showCountdown(f, [&](TTurnOffForm& window) {
            tick(f, window);
            tick(f, window);
            // The next reading above the threshold arrives while it runs.
            window.showCountdown();
            secondsAfterAgain = window.SecondsLeft;
            window.BtnAnnullaTurnOff->click();
        });
        QCOMPARE(secondsAfterAgain, 8);
        QCOMPARE(f.dialogs.modalWindows, QStringList{QStringLiteral("TTurnOffForm")});
        QCOMPARE(f.logMessages().count(QStringLiteral("Turn off pc show")), 1);
    }

    void programLaunch_data()
    {
        QTest::addColumn<QString>("file"); // created in the test folder, or none
        QTest::addColumn<bool>("executable");
        QTest::addColumn<QString>("typed"); // %1 is the test folder
        QTest::addColumn<QString>("opened"); // what the shell was asked, or nothing

        QTest::newRow("empty text opens nothing") << QString() << false << QString() << QString();
        QTest::newRow("a program starts with no arguments") << "tool.sh" << true << "%1/tool.sh"
                                                            << "program";
        QTest::newRow("a document opens with its program") << "note.txt" << false << "%1/note.txt"
                                                           << "document";
        QTest::newRow("a missing file opens nothing")
            << QString() << false << "%1/missing.sh" << QString();
        QTest::newRow("a program followed by parameters opens nothing")
            << "tool.sh" << true << "%1/tool.sh --now" << QString();
        QTest::newRow("a command line is never interpreted")
            << "tool.sh" << true << "%1/tool.sh && %1/tool.sh" << QString();
    }

    void programLaunch()
    {
        QFETCH(QString, file);
        QFETCH(bool, executable);
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        ProgramFixture f;
        f.start();
        if (!file.isEmpty()) {
            QFile created(f.tempPath() + QLatin1Char('/') + file);
            QVERIFY(created.open(QIODevice::WriteOnly));
            created.write("#!/bin/sh\n");
            created.close();
            if (executable)
                QVERIFY(created.setPermissions(created.permissions() | QFile::ExeOwner));
        }
        const QString path = typed.contains(QLatin1String("%1")) ? typed.arg(f.tempPath()) : typed;

        ProgramLaunch launch(f.shell, f.program->log());
        launch.BtnStartProgrClick(path);

        QCOMPARE(f.logMessages().last(), QStringLiteral("Open app ") + path);
        if (opened.isEmpty()) {
            QVERIFY(f.shell.calls.isEmpty());
            return;
        }
        QCOMPARE(f.shell.calls.size(), 1);
        QCOMPARE(f.shell.calls[0].what, opened);
        QCOMPARE(f.shell.calls[0].target, path);
        QVERIFY(f.shell.calls[0].arguments.isEmpty());
    }
};

QTEST_MAIN(TestShutdown)
#include "test_shutdown.moc"
