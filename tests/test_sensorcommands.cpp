#include "fixture/ProgramFixture.h"

#include "platform/SystemError.h"
#include "sensor/Acquisition.h"
#include "sensor/SensorCommand.h"
#include "sensor/SensorCommands.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <cerrno>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

// The program with a sensor plugged and acquiring, its first report handled.
struct Acquiring
{
    ProgramFixture f;
    int sensor = 0;
    explicit Acquiring(quint16 release = 0x0200, int outputLength = 65,
        const QString& product = QStringLiteral("Tessaro RH"))
    {
        SimulatedHidController::Spec description = SimulatedHidController::sensorSpec();
        description.info.product = product;
        description.info.release = release;
        description.outputReportLength = outputLength;
        sensor = f.hid.plug(description);
        f.start();
        f.push(sensor, ProgramFixture::report(25.0));
    }
    TMainForm& main() { return f.main(); }
    // The log from the first "Send to sensor..." on.
    QStringList commandLog() const
    {
        const QStringList log = f.logMessages();
        const qsizetype first = log.indexOf(QStringLiteral("Send to sensor..."));
        return first < 0 ? QStringList() : log.mid(first);
    }
};

} // namespace

class TestSensorCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandBytes_data()
    {
        QTest::addColumn<int>("release");
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("selfHeating");
        QTest::addColumn<bool>("radio");
        QTest::addColumn<bool>("discoverable");
        QTest::addColumn<bool>("charging");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("logText");
        QTest::newRow("other firmware, 60 s") << 0x0100 << 60 << false << true << true << true
                                              << hex("3C00") << QStringLiteral("60 0 ");
        QTest::newRow("Bluetooth firmware")
            << 0x0200 << 2 << true << true << false << true << hex("0201000100000100")
            << QStringLiteral("2 1 0 1 0 0 1 0 ");
        QTest::newRow("Bluetooth firmware, 250 s, all off")
            << 0x0200 << 250 << false << false << false << false << hex("FA00000000000000")
            << QStringLiteral("250 0 0 0 0 0 0 0 ");
    }
    void commandBytes()
    {
        QFETCH(int, release);
        QFETCH(int, interval);
        QFETCH(bool, selfHeating);
        QFETCH(bool, radio);
        QFETCH(bool, discoverable);
        QFETCH(bool, charging);
        QFETCH(QByteArray, command);
        QFETCH(QString, logText);
        const QByteArray bytes = SensorCommand::bytes(static_cast<quint16>(release),
            SensorCommand::Configuration{interval, selfHeating, radio, discoverable, charging});
        QCOMPARE(bytes.toHex(' '), command.toHex(' '));
        QCOMPARE(SensorCommand::logText(bytes), logText);
    }

    void outputReportLength_data()
    {
        QTest::addColumn<int>("commandLength");
        QTest::addColumn<int>("declared");
        QTest::addColumn<bool>("fits");
        QTest::newRow("65 bytes, the whole buffer") << 8 << 65 << true;
        QTest::newRow("just the command") << 8 << 9 << true;
        QTest::newRow("short form in 3 bytes") << 2 << 3 << true;
        QTest::newRow("longer than the buffer") << 2 << 66 << false;
        QTest::newRow("too short for the command") << 8 << 8 << false;
        QTest::newRow("no output report") << 2 << 0 << false;
    }
    void outputReportLength()
    {
        QFETCH(int, commandLength);
        QFETCH(int, declared);
        QFETCH(bool, fits);
        QCOMPARE(SensorCommand::lengthProblem(commandLength, declared).isEmpty(), fits);
        if (!fits)
            return;
        const QByteArray command(commandLength, '\x07');
        const QByteArray report = SensorCommand::outputReport(command, declared);
        QCOMPARE(report.size(), declared);
        QCOMPARE(report.at(0), '\0');
        QCOMPARE(report.mid(1, commandLength), command);
        QCOMPARE(report.mid(1 + commandLength), QByteArray(declared - 1 - commandLength, '\0'));
    }

    void intervalTip_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<QString>("tip");
        QTest::newRow("125") << 125 << QStringLiteral("[ 2 minuti e 5 secondi ]");
        QTest::newRow("60") << 60 << QStringLiteral("[ 1 minuti e 0 secondi ]");
        QTest::newRow("45") << 45 << QStringLiteral("[ 45 secondi ]");
        QTest::newRow("250") << 250 << QStringLiteral("[ 4 minuti e 10 secondi ]");
    }
    void intervalTip()
    {
        QFETCH(int, interval);
        QFETCH(QString, tip);
        QCOMPARE(SensorCommand::intervalTip(interval), tip);
    }

    void calibrationLabel_data()
    {
        QTest::addColumn<int>("tenths");
        QTest::addColumn<QString>("text");
        QTest::newRow("-15") << -15 << QStringLiteral("-1.5°C");
        QTest::newRow("30") << 30 << QStringLiteral("3°C");
        QTest::newRow("0") << 0 << QStringLiteral("0°C");
        QTest::newRow("25") << 25 << QStringLiteral("2.5°C");
        QTest::newRow("-1") << -1 << QStringLiteral("-0.1°C");
    }
    void calibrationLabel()
    {
        QFETCH(int, tenths);
        QFETCH(QString, text);
        QCOMPARE(SensorCommand::calibrationText(tenths), text);
    }

    void trackBarsSetTheirLabels()
    {
        ProgramFixture f;
        f.start();
        f.main().TrackBarRitardo->setValue(125);
        QCOMPARE(f.main().LblRitardo->text(), QStringLiteral("125"));
        QCOMPARE(f.main().LblRitardo->toolTip(), QStringLiteral("[ 2 minuti e 5 secondi ]"));
        QCOMPARE(f.main().Label18->toolTip(), QStringLiteral("[ 2 minuti e 5 secondi ]"));
        QVERIFY(f.hid.writes(1).isEmpty());
        f.main().TrackBarCalib->setValue(-15);
        QCOMPARE(f.main().LblCal->text(), QStringLiteral("-1.5°C"));
        f.main().TrackBarCalib->setValue(0);
        QCOMPARE(f.main().LblCal->text(), QStringLiteral("0°C"));
    }

    void sendDropsOneReportAndShowsThePanel()
    {
        Acquiring a(0x0100);
        TMainForm& main = a.main();
        main.TrackBarRitardo->setValue(60);
        main.BtnSet->click();

        const QByteArray written = a.f.hid.writes(a.sensor).value(0);
        QCOMPARE(written.size(), 65);
        QCOMPARE(written.left(3), hex("003C00"));
        QCOMPARE(written.mid(3), QByteArray(62, '\0'));
        QCOMPARE(a.commandLog(),
            (QStringList{QStringLiteral("Send to sensor..."), QStringLiteral("60 0 ")}));
        QCOMPARE(a.f.hid.config(a.sensor).interval, 60);
        QCOMPARE(main.statusPanel1->maximum(), 60);
        QCOMPARE(main.statusPanel1->value(), 0);
        QVERIFY(main.PanelAttesa->isVisibleTo(&main));
        QVERIFY(a.f.hid.hasReportHandler(a.sensor));

        // The first report after the command still carries the old state.
        a.f.push(a.sensor, ProgramFixture::report(30.0, 50.0, 2));
        QCOMPARE(main.LblTemp->text(), QStringLiteral("25.0 °C"));
        QVERIFY(main.PanelAttesa->isVisibleTo(&main));
        a.f.push(a.sensor, ProgramFixture::report(31.0, 50.0, 60));
        QCOMPARE(main.LblTemp->text(), QStringLiteral("31.0 °C"));
        QVERIFY(!main.PanelAttesa->isVisibleTo(&main));
        QCOMPARE(main.statusPanel1->maximum(), 60);
    }

    void sendWhileStoppedResumesTheReading()
    {
        Acquiring a;
        TMainForm& main = a.main();
        main.RDbutton->click();
        QCOMPARE(main.RDbutton->text(), QStringLiteral("Start"));
        QVERIFY(!a.f.hid.hasReportHandler(a.sensor));
        main.BtnSet->click();
        QVERIFY(a.f.hid.hasReportHandler(a.sensor));
        QCOMPARE(main.RDbutton->text(), QStringLiteral("Start"));
    }

    void bluetoothToggleSendsAtOnce()
    {
        Acquiring a(0x0200, 65, QStringLiteral("Tessaro BT"));
        TMainForm& main = a.main();
        QVERIFY(!main.CheckBTrilevabile->isChecked());
        main.CheckBTrilevabile->click();
        const QByteArray written = a.f.hid.writes(a.sensor).value(0);
        QCOMPARE(written.size(), 65);
        QCOMPARE(static_cast<int>(written.at(5)), 1);
        QCOMPARE(a.f.hid.config(a.sensor).discoverable, true);
        QCOMPARE(a.commandLog().value(1), QStringLiteral("2 0 0 0 1 0 0 0 "));
        QCOMPARE(a.main().acquisition().ReportsToSkip, 1);
    }

    void failedWriteIsToldAndTheCommandGoesOn()
    {
        Acquiring a(0x0100);
        TMainForm& main = a.main();
        a.f.hid.failNextWrite(a.sensor, EIO);
        main.BtnSet->click();
        const QString expected = SystemError::writeErrorText(EIO, SystemError::messageText(EIO));
        QVERIFY(expected.startsWith(QStringLiteral("WRITE ERROR: ")));
        QVERIFY(expected.endsWith(QStringLiteral(" (5)")));
        QVERIFY(!expected.contains(QStringLiteral(". (")));
        QCOMPARE(a.f.dialogs.messages.size(), 1);
        QCOMPARE(a.f.dialogs.messages.at(0).text, expected);
        QCOMPARE(a.commandLog(), (QStringList{QStringLiteral("Send to sensor..."), expected}));
        QVERIFY(a.f.hid.writes(a.sensor).isEmpty());
        QCOMPARE(main.acquisition().ReportsToSkip, 1);
        QVERIFY(main.PanelAttesa->isVisibleTo(&main));
        QVERIFY(a.f.hid.hasReportHandler(a.sensor));
    }

    void unsupportedReportLengthWritesNothing_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("longer than the buffer") << 70;
        QTest::newRow("too short") << 2;
    }
    void unsupportedReportLengthWritesNothing()
    {
        QFETCH(int, length);
        Acquiring a(0x0100, length);
        a.main().BtnSet->click();
        QVERIFY(a.f.hid.writes(a.sensor).isEmpty());
        QCOMPARE(a.f.dialogs.messages.size(), 1);
        const QString text = a.f.dialogs.messages.at(0).text;
        QVERIFY(text.contains(QString::number(length)));
        QCOMPARE(a.commandLog(), (QStringList{QStringLiteral("Send to sensor..."), text}));
    }

    void nothingWithoutADevice()
    {
        ProgramFixture f;
        f.start();
        f.main().BtnSet->click();
        f.main().CheckBTon->click();
        QVERIFY(!f.logMessages().contains(QStringLiteral("Send to sensor...")));
        QVERIFY(!f.main().PanelAttesa->isVisibleTo(&f.main()));
        QCOMPARE(f.main().acquisition().ReportsToSkip, 0);
    }

    void releasedDeviceGetsNoCommand()
    {
        Acquiring a;
        a.main().ChkAutoStartMonitor->setChecked(false);
        a.f.hid.unplug(a.sensor);
        const int again = a.f.plugSensor();
        QVERIFY(a.main().acquisition().CurrentDevice.isNull());
        a.main().sensorCommands().WriteSensorCommand(hex("0200"));
        QCOMPARE(a.commandLog(),
            (QStringList{QStringLiteral("Send to sensor..."), QStringLiteral("not assigned")}));
        QVERIFY(a.f.hid.writes(again).isEmpty());
        QVERIFY(a.f.dialogs.messages.isEmpty());
    }

    void firstReportAlignsTheInterval()
    {
        ProgramFixture f;
        const int sensor = f.plugSensor();
        f.start();
        f.main().ChkSelfHeat->setChecked(false);
        f.push(sensor, ProgramFixture::report(25.0, 50.0, 5, true));
        const QStringList log = f.logMessages();
        const qsizetype first = log.indexOf(QStringLiteral("primodatoricevuto"));
        QVERIFY(first >= 0);
        // The short form, with the check box's state before the report set it.
        QCOMPARE(log.mid(first, 3),
            (QStringList{QStringLiteral("primodatoricevuto"), QStringLiteral("Send to sensor..."),
                QStringLiteral("2 0 ")}));
        QCOMPARE(f.hid.writes(sensor).value(0).left(3), hex("000200"));
        QVERIFY(f.main().ChkSelfHeat->isChecked());
        QCOMPARE(f.main().acquisition().ReportsToSkip, 0);
        QVERIFY(!f.main().PanelAttesa->isVisibleTo(&f.main()));
        f.push(sensor, ProgramFixture::report(26.0, 50.0, 2));
        QCOMPARE(f.main().LblTemp->text(), QStringLiteral("26.0 °C"));
    }

    void firstReportWithTheSameIntervalSendsNothing()
    {
        ProgramFixture f;
        const int sensor = f.plugSensor();
        f.start();
        f.push(sensor, ProgramFixture::report(25.0, 50.0, 2));
        QVERIFY(f.hid.writes(sensor).isEmpty());
        QVERIFY(!f.logMessages().contains(QStringLiteral("Send to sensor...")));
    }

    void simulatedReportsFollowTheNewInterval()
    {
        ProgramFixture f;
        f.hid.setClock([&f] { return f.clock.now(); });
        const int sensor = f.plugSensor();
        f.start();
        f.hid.setAutoReports(true);
        TMainForm& main = f.main();
        main.TrackBarRitardo->setValue(5);
        main.BtnSet->click();
        QCOMPARE(f.hid.config(sensor).interval, 5);
        // Time passes on the test clock while the simulated sensor reports:
        // the first report is dropped, the second hides the panel.
        QTRY_VERIFY_WITH_TIMEOUT(
            (f.clock.advance(250), !main.PanelAttesa->isVisibleTo(&main)), 20000);
        QCOMPARE(main.acquisition().ReportsToSkip, 0);
        QCOMPARE(main.statusPanel1->maximum(), 5);
        f.hid.setAutoReports(false);
    }

    void simulatedSensorFollowsTheCommand()
    {
        Acquiring a;
        a.main().TrackBarRitardo->setValue(5);
        a.main().ChkSelfHeat->setChecked(true);
        a.main().BtnSet->click();
        const SimulatedHidController::SensorConfig config = a.f.hid.config(a.sensor);
        QCOMPARE(config.interval, 5);
        QVERIFY(config.selfHeating);
        const QByteArray next = a.f.hid.nextReport(a.sensor);
        QCOMPARE(static_cast<int>(next.at(6)), 5);
        QCOMPARE(static_cast<int>(next.at(7)), 1);
    }
};

QTEST_MAIN(TestSensorCommands)
#include "test_sensorcommands.moc"
