#include "fixture/ProgramFixture.h"

#include "app/TEsciForm.h"
#include "log/EventLog.h"
#include "platform/Led.h"
#include "platform/TextTrayIcon.h"
#include "platform/ThermometerGauge.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

class TestStartup : public QObject {
    Q_OBJECT

    static qsizetype indexOf(const QStringList& lines, const QString& prefix, qsizetype from = 0)
    {
        for (qsizetype i = from; i < lines.size(); ++i)
            if (lines.at(i).startsWith(prefix))
                return i;
        return -1;
    }

private Q_SLOTS:
    void startupLinesInOrder()
    {
        ProgramFixture f;
        f.plugSensor();
        f.start();
        const QStringList log = f.logMessages();
        QCOMPARE(log.value(0), QStringLiteral("Startup"));
        const QStringList ordered = {QStringLiteral("visible form"), QStringLiteral("Starting app - show=-1"),
            QStringLiteral("App vers 1.0.0.0"), QStringLiteral("dir ") + f.folders.current,
            QStringLiteral("App started"), QStringLiteral("HidCtlDeviceChange"),
            QStringLiteral("HidCtlEnumerate: Tessaro RH")};
        qsizetype at = 0;
        for (const QString& line : ordered) {
            const qsizetype found = indexOf(log, line, at);
            QVERIFY2(found >= at, qPrintable(QStringLiteral("missing or out of order: ") + line));
            QCOMPARE(log.at(found), line);
            at = found + 1;
        }
        // The first line carries the session tag of the start-up time (12:00).
        QVERIFY(f.logLines().value(0).startsWith(QStringLiteral("09/12/25 12:00:00\t[50000] Startup")));
    }

    void secondRunAppendsWithItsOwnTag()
    {
        ProgramFixture f;
        f.start();
        f.stop();
        f.clock.current = QDateTime(QDate(2025, 12, 10), QTime(0, 0, 0));
        f.start();
        const QStringList lines = f.logLines();
        QVERIFY(lines.first().contains(QStringLiteral("[50000] Startup")));
        QVERIFY(indexOf(f.logMessages(), QStringLiteral("Startup"), 1) > 0);
        QVERIFY(lines.last().contains(QStringLiteral("\t[0] ")));
    }

    void shownOrHidden_data()
    {
        QTest::addColumn<QVariant>("startMinimized");
        QTest::addColumn<QVariant>("iconTemp");
        QTest::addColumn<QVariant>("iconRH");
        QTest::addColumn<bool>("tray");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("avviaEnabled");
        QTest::newRow("first run") << QVariant() << QVariant() << QVariant() << true << true << true;
        QTest::newRow("minimised, temperature icon") << QVariant(1) << QVariant(1) << QVariant(0) << true << false << true;
        QTest::newRow("minimised, humidity icon") << QVariant(1) << QVariant(0) << QVariant(1) << true << false << true;
        QTest::newRow("minimised, no icon") << QVariant(1) << QVariant(0) << QVariant(0) << true << true << false;
        QTest::newRow("not minimised") << QVariant(0) << QVariant(1) << QVariant(1) << true << true << true;
        QTest::newRow("minimised, no notification area") << QVariant(1) << QVariant(1) << QVariant(1) << false
                                                          << true << true;
    }
    void shownOrHidden()
    {
        QFETCH(QVariant, startMinimized);
        QFETCH(QVariant, iconTemp);
        QFETCH(QVariant, iconRH);
        QFETCH(bool, tray);
        QFETCH(bool, shown);
        QFETCH(bool, avviaEnabled);
        ProgramFixture f;
        if (startMinimized.isValid())
            f.storeSetting(QStringLiteral("StartMinimized"), startMinimized);
        if (iconTemp.isValid())
            f.storeSetting(QStringLiteral("icona_temp"), iconTemp);
        if (iconRH.isValid())
            f.storeSetting(QStringLiteral("icona_RH"), iconRH);
        f.shell.notificationArea = tray;
        f.start();

        TMainForm& main = f.main();
        QCOMPARE(main.isVisible(), shown);
        QCOMPARE(main.MostraFinestra1->isEnabled(), !shown);
        QCOMPARE(main.NascondiFinestra1->isEnabled(), shown);
        QCOMPARE(main.ChkAvviaRidotto->isEnabled(), avviaEnabled);
        const QStringList log = f.logMessages();
        const qsizetype decision = indexOf(log, shown ? QStringLiteral("visible form") : QStringLiteral("hidden form"));
        QVERIFY(decision > 0);
        QCOMPARE(log.at(indexOf(log, QStringLiteral("Starting app - show="))),
            QStringLiteral("Starting app - show=") + (shown ? QStringLiteral("-1") : QStringLiteral("0")));
        QVERIFY(decision < indexOf(log, QStringLiteral("Starting app - show=")));
        if (!tray && startMinimized.toInt())
            QVERIFY(log.contains(QStringLiteral("no notification area: starting shown")));
    }

    void hiddenStartShowsOnlyTheTemperatureIcon()
    {
        ProgramFixture f;
        f.storeSetting(QStringLiteral("StartMinimized"), 1);
        f.storeSetting(QStringLiteral("icona_temp"), 1);
        f.storeSetting(QStringLiteral("icona_RH"), 0);
        f.start();
        QVERIFY(f.main().TextTrayTemp->isVisible());
        QVERIFY(!f.main().TextTrayRH->isVisible());
        QCOMPARE(f.main().TextTrayTemp->text(), QStringLiteral("OF"));
    }

    void firstRunDefaults()
    {
        ProgramFixture f;
        f.start();
        TMainForm& main = f.main();
        QVERIFY(main.isVisible());
        QCOMPARE(main.AdvToolBarPager1->currentWidget(), main.AdvPageAcq);
        QCOMPARE(main.windowTitle(), QStringLiteral("Quelmo and Temperature Monitor"));
        QCOMPARE(main.size(), QSize(694, 637));
        const ThermometerGauge* temp = main.vrThermoMeterTemp;
        QCOMPARE(temp->value(), 0.0);
        QCOMPARE(temp->minimum(), 0.0);
        QCOMPARE(temp->maximum(), 60.0);
        QCOMPARE(temp->minorStep(), 2.5);
        QCOMPARE(temp->majorStep(), 10.0);
        QCOMPARE(temp->lowPeak(), 0.0);
        QCOMPARE(temp->highPeak(), 60.0);
        const ThermometerGauge* rh = main.vrThermoMeterRH;
        QCOMPARE(rh->value(), 0.0);
        QCOMPARE(rh->maximum(), 100.0);
        QCOMPARE(rh->minorStep(), 5.0);
        QCOMPARE(rh->majorStep(), 20.0);
        QCOMPARE(rh->highPeak(), 100.0);
        QCOMPARE(main.TextTrayTemp->text(), QStringLiteral("OF"));
        QCOMPARE(main.TextTrayRH->text(), QStringLiteral("OF"));
        // Reading the settings shows both icons as their toggles say; the
        // humidity toggle waits for a humidity sensor.
        QVERIFY(main.TextTrayTemp->isVisible());
        QVERIFY(main.TextTrayRH->isVisible());
        QVERIFY(!main.CheckRHTrayIcon->isEnabled());
        QCOMPARE(main.statusPanel0->text(), QStringLiteral("Stato: Disconnesso"));
        QVERIFY(!main.iLedPortOpen->isActive());
        QVERIFY(!main.RDbutton->isEnabled());
        QCOMPARE(main.RDbutton->text(), QStringLiteral("Start"));
        QVERIFY(main.TimerAttesaAllarme.isActive());
        QCOMPARE(main.TimerAttesaAllarme.interval(), 3600000);
        QVERIFY(main.TimerAutoUpdate.isActive());
    }

    void everyControlCarriesItsName()
    {
        ProgramFixture f;
        f.start();
        const char* names[] = {"AdvPageAcq", "AdvPageImp", "AdvPageGraf", "AdvPageDisp", "AdvPageWeb", "AdvPageHelp",
            "Inizia1", "Termina1", "AdvBtnSalva", "AdvBtnVisualizzaStampa", "chkAutoSaveLog", "EditAutoSaveLog",
            "LblAutoSaveTime", "AdvGlowButton1", "AdvBtnEsporta", "AdvBtnStampa", "AdvBtnImpostazioni",
            "CheckAllarmeEmail", "MostraPopUp", "CheckTempTrayIcon", "CheckRHTrayIcon", "cmbGradi", "cmdLingua",
            "ChkAvviaRidotto", "ChkAutoStartMonitor", "ChkAutoUpdate", "AdvBtnServizio", "Abilitato2", "Svuota1",
            "chkTemp", "chkRH", "DrawAll", "ColorTemp", "ColorRH", "AsseVertAutomatico", "AyMin", "AyMax",
            "AsseOrizAutomatico", "AsseOrizSec", "AxValore", "AxValoreMisura", "AsseOrizPerc", "AxMin", "AxMax",
            "AdvGlowButton2", "AdvToolBarBluettoth", "CheckBTon", "CheckBTrilevabile", "CheckRicaricaON",
            "TrackBarRitardo", "LblRitardo", "BtnSet", "ChkSelfHeat", "TrackBarCalib", "LblCal", "CodiceSens",
            "btnVerifica", "shStatoSens", "chkSendWeb", "chkAbilitaPush", "WebUsername", "WebPassword", "btnLogin",
            "shStatoLogin", "ProgressBarLogin", "AdvGlowManuale", "AdvBtnGuida", "AdvBtnWeb", "AdvBtnEmail",
            "AdvBtnInfo", "AdvBtnUpdate", "Grafico", "PanelAttesa", "btnFullScreen", "vrThermoMeterTemp",
            "vrThermoMeterRH", "AdvToolBarInfoT", "LblTemp", "LblRH", "LblDP", "LbLTP", "LblTemps", "LblRHs",
            "LblDPs", "LbLTPs", "LogMemo", "BtnVisualizzaLog", "BtnClearLog", "AdvToolBar1", "iLedPortOpen",
            "RDbutton", "time", "ExitBtn", "AdvOfficeStatusBar1", "Label12", "Label15", "Label18", "AdvPopupMenu1"};
        for (const char* name : names)
            QVERIFY2(f.main().findChild<QObject*>(QLatin1String(name)), name);
        for (const char* name : {"MostraFinestra1", "NascondiFinestra1", "Esci1"})
            QVERIFY2(f.main().findChild<QAction*>(QLatin1String(name)), name);
        QVERIFY(!f.main().PanelAttesa->isVisible());
        QVERIFY(!f.main().btnFullScreen->isVisible());
    }

    void exitConfirmedSavesAndEnds()
    {
        ProgramFixture f;
        f.start();
        f.dialogs.modalScripts.push_back([](QDialog& window) {
            QCOMPARE(window.objectName(), QStringLiteral("TEsciForm"));
            window.findChild<QPushButton*>(QStringLiteral("btnExit"))->click();
        });
        f.main().ExitBtn->click();
        QVERIFY(!f.main().isVisible());
        const QStringList log = f.logMessages();
        // Confirmed, then the settings are saved (the alarm window's last),
        // then the program ends.
        const qsizetype confirmed = log.lastIndexOf(QStringLiteral("canCloseQuery: -1"));
        QVERIFY(confirmed >= 0);
        const qsizetype alarmSave = log.indexOf(QStringLiteral("Saving setting (alarm)..."), confirmed);
        QVERIFY(alarmSave > confirmed);
        QCOMPARE(log.at(log.size() - 2), QStringLiteral("Setting saved"));
        QCOMPARE(log.last(), QStringLiteral("Exit"));
    }

    void exitRefusedKeepsRunning()
    {
        ProgramFixture f;
        f.start();
        f.dialogs.modalScripts.push_back(
            [](QDialog& window) { window.findChild<QPushButton*>(QStringLiteral("btAnnula"))->click(); });
        f.main().Esci1->trigger();
        QVERIFY(f.main().isVisible());
        QCOMPARE(f.logMessages().last(), QStringLiteral("canCloseQuery: 0"));
        QCOMPARE(f.dialogs.modalWindows, QStringList{QStringLiteral("TEsciForm")});
    }

    void sessionEndAsksNothing()
    {
        ProgramFixture f;
        f.start();
        f.main().endSession();
        QVERIFY(f.dialogs.modalWindows.isEmpty());
        QVERIFY(!f.main().isVisible());
        QCOMPARE(f.logMessages().last(), QStringLiteral("Exit"));
    }

    void hideAndRestoreThroughTheIcons()
    {
        ProgramFixture f;
        f.plugSensor();
        f.start();
        TMainForm& main = f.main();
        main.NascondiFinestra1->trigger();
        QVERIFY(!main.isVisible());
        QVERIFY(main.MostraFinestra1->isEnabled());
        QVERIFY(!main.NascondiFinestra1->isEnabled());
        QVERIFY(main.TextTrayTemp->isVisible());
        Q_EMIT main.TextTrayRH->doubleClicked();
        QVERIFY(main.isVisible());
        QVERIFY(!main.MostraFinestra1->isEnabled());
        main.NascondiFinestra1->trigger();
        Q_EMIT main.TextTrayTemp->doubleClicked();
        QVERIFY(main.isVisible());
    }

    void logFileDeletedWhileRunning()
    {
        ProgramFixture f;
        const int sensor = f.plugSensor();
        f.start();
        QVERIFY(QFile::remove(f.logPath()));
        f.hid.unplug(sensor);
        const QStringList log = f.logMessages();
        QCOMPARE(log.value(0), QStringLiteral("HidCtlDeviceChange"));
    }

    void unwritableDataFolderStillRuns()
    {
        ProgramFixture f;
        // A plain file where the data folder would be made.
        QVERIFY(QDir().mkpath(f.dataHome()));
        QFile blocker(f.dataHome() + QStringLiteral("/Calvenor"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const int sensor = f.plugSensor();
        f.start();
        QCOMPARE(f.program->log().logFilePath(), f.folders.executable + QStringLiteral("/Quelmo.log"));
        QCOMPARE(f.program->log().dataFolder(), f.dataHome() + QStringLiteral("/Calvenor/Quelmo/"));
        QCOMPARE(f.logMessages().value(0), QStringLiteral("Startup"));
        f.push(sensor, ProgramFixture::report(21.0));
        QCOMPARE(f.main().LblTemp->text(), QStringLiteral("21.0 °C"));
    }

    void unwritableLogFileNeverStopsAReport()
    {
        ProgramFixture f;
        const int sensor = f.plugSensor();
        f.start();
        QVERIFY(QFile::remove(f.logPath()));
        QVERIFY(QDir().mkpath(f.logPath())); // the log cannot be written any more
        f.push(sensor, ProgramFixture::report(23.5));
        f.push(sensor, ProgramFixture::report(24.5));
        QCOMPARE(f.main().LblTemp->text(), QStringLiteral("24.5 °C"));
        QVERIFY(f.main().statusPanel2->text().startsWith(QStringLiteral("Log non scrivibile")));
        QVERIFY(f.dialogs.messages.isEmpty());
        QVERIFY(QDir(f.logPath()).removeRecursively());
        f.program->log().logEvent(QStringLiteral("writable again"));
        QVERIFY(f.main().statusPanel2->text().isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
