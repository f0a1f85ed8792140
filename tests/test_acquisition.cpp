#include "fixture/ProgramFixture.h"

#include "platform/Led.h"
#include "platform/TextTrayIcon.h"
#include "platform/ThermometerGauge.h"
#include "readings/LiveReadout.h"
#include "sensor/Acquisition.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

class TestAcquisition : public QObject {
    Q_OBJECT

    struct Running {
        ProgramFixture f;
        int sensor = 0;
        explicit Running(quint16 release = 0x0200)
        {
            sensor = f.plugSensor(QStringLiteral("Tessaro RH"), release);
            f.start();
        }
        TMainForm& main() { return f.main(); }
    };

private Q_SLOTS:
    void firstReportAfterStart()
    {
        Running r;
        TMainForm& main = r.main();
        QVERIFY(main.acquisition().FirstReport);
        r.f.push(r.sensor, ProgramFixture::report(25.0, 50.0, 2, true, true, false, true));
        const QStringList log = r.f.logMessages();
        QCOMPARE(log.count(QStringLiteral("primodatoricevuto")), 1);
        QVERIFY(!main.acquisition().FirstReport);
        QVERIFY(main.ChkSelfHeat->isChecked());
        QVERIFY(main.CheckBTon->isChecked());
        QVERIFY(!main.CheckBTrilevabile->isChecked());
        QVERIFY(main.CheckRicaricaON->isChecked());
        QCOMPARE(main.vrThermoMeterTemp->lowPeak(), 25.0);
        QCOMPARE(main.vrThermoMeterTemp->highPeak(), 25.0);
        QCOMPARE(main.vrThermoMeterRH->lowPeak(), 50.0);
        QCOMPARE(main.vrThermoMeterRH->highPeak(), 50.0);

        QCOMPARE(main.LblTemp->text(), QStringLiteral("25.0 °C"));
        QCOMPARE(main.LblRH->text(), QStringLiteral("50.0 %"));
        QCOMPARE(main.LblDP->text(), QStringLiteral("13.9 °C"));
        QCOMPARE(main.LbLTP->text(), QStringLiteral("28.2 °C"));
        QCOMPARE(main.TextTrayTemp->text(), QStringLiteral("25"));
        QCOMPARE(main.TextTrayRH->text(), QStringLiteral("50"));
        QCOMPARE(main.TextTrayTemp->hint(), QStringLiteral("Temperatura Rilevata: 25.0 °C"));
        QCOMPARE(main.TextTrayRH->hint(), QStringLiteral("Umidità Rilevata: 50.0%"));
        QCOMPARE(main.statusPanel1->maximum(), 2);
        QCOMPARE(main.statusPanel1->value(), 0);

        // Later reports move the peaks by themselves; the check boxes stay.
        r.f.push(r.sensor, ProgramFixture::report(27.0, 40.0, 2, false));
        QCOMPARE(main.vrThermoMeterTemp->highPeak(), 27.0);
        QCOMPARE(main.vrThermoMeterRH->lowPeak(), 40.0);
        QVERIFY(main.ChkSelfHeat->isChecked());
        QCOMPARE(r.f.logMessages().count(QStringLiteral("primodatoricevuto")), 1);
    }

    void bluetoothFieldsOnlyFromItsFirmware()
    {
        Running r(0x0100);
        r.f.push(r.sensor, ProgramFixture::report(25.0, 50.0, 2, false, true, true, true));
        QVERIFY(!r.main().CheckBTon->isChecked());
        QVERIFY(!r.main().CheckBTrilevabile->isChecked());
        QVERIFY(!r.main().CheckRicaricaON->isChecked());
    }

    void droppedReportChangesNothing()
    {
        Running r;
        TMainForm& main = r.main();
        r.f.push(r.sensor, ProgramFixture::report(130.0));
        QVERIFY(main.acquisition().FirstReport);
        QCOMPARE(main.LblTemp->text(), QStringLiteral("- °C"));
        QCOMPARE(main.TextTrayTemp->text(), QStringLiteral("OF"));
        QVERIFY(!r.f.logMessages().contains(QStringLiteral("primodatoricevuto")));
        main.TrackBarCalib->setValue(-15);
        r.f.push(r.sensor, ProgramFixture::report(25.0));
        QCOMPARE(main.LblTemp->text(), QStringLiteral("23.5 °C"));
        main.TrackBarCalib->setValue(30);
        r.f.push(r.sensor, ProgramFixture::report(125.0));
        QCOMPARE(main.LblTemp->text(), QStringLiteral("23.5 °C"));
        QCOMPARE(main.reading.celsius, 23.5);
    }

    void shortReportReadsZeros()
    {
        Running r;
        r.f.push(r.sensor, QByteArray::fromHex("09C4"));
        QCOMPARE(r.main().LblTemp->text(), QStringLiteral("25.0 °C"));
        QCOMPARE(r.main().LblRH->text(), QStringLiteral("0.1 %"));
        QCOMPARE(r.main().TextTrayRH->text(), QStringLiteral("0"));
        QCOMPARE(r.main().statusPanel1->maximum(), 0);
    }

    void stopResetsReadoutAndIcons()
    {
        Running r;
        TMainForm& main = r.main();
        r.f.push(r.sensor, ProgramFixture::report(22.0, 45.0));
        QVERIFY(main.TextTrayRH->isVisible());
        main.Termina1->click();
        QCOMPARE(main.RDbutton->text(), QStringLiteral("Start"));
        QCOMPARE(main.RDbutton->toolTip(), QStringLiteral("Inizia acquisizione"));
        QCOMPARE(main.LblTemp->text(), QStringLiteral("0 °C"));
        QCOMPARE(main.LblRH->text(), QStringLiteral("0 %"));
        QCOMPARE(main.LblDP->text(), QStringLiteral("0 °C"));
        QCOMPARE(main.LbLTP->text(), QStringLiteral("0 °C"));
        QCOMPARE(main.TextTrayTemp->text(), QStringLiteral("OF"));
        QCOMPARE(main.TextTrayRH->text(), QStringLiteral("OF"));
        QCOMPARE(main.TextTrayTemp->hint(), QStringLiteral("Acqusizione non attivata"));
        QCOMPARE(main.TextTrayRH->hint(), QStringLiteral("Acqusizione non attivata"));
        QVERIFY(!main.TextTrayRH->isVisible());
        QVERIFY(main.TextTrayTemp->isVisible());
        QVERIFY(!main.CheckRHTrayIcon->isEnabled());
        QCOMPARE(main.statusPanel0->text(), QStringLiteral("Stato: Connesso"));
        QCOMPARE(main.statusPanel1->value(), 0);
        QVERIFY(!main.Termina1->isEnabled());
        QVERIFY(main.Inizia1->isEnabled());
        QVERIFY(!main.Timer1.isActive());
        QVERIFY(!r.f.hid.hasReportHandler(r.sensor));
        QCOMPARE(r.f.logMessages().last(), QStringLiteral("stopped"));

        // A report after Stop reaches nothing.
        r.f.push(r.sensor, ProgramFixture::report(30.0));
        QCOMPARE(main.LblTemp->text(), QStringLiteral("0 °C"));

        main.Inizia1->click();
        QCOMPARE(main.RDbutton->text(), QStringLiteral("Stop"));
        QCOMPARE(main.RDbutton->toolTip(), QStringLiteral("Ferma acquisizione"));
        QVERIFY(main.Termina1->isEnabled());
        QVERIFY(!main.Inizia1->isEnabled());
        QVERIFY(main.acquisition().FirstReport);
        QVERIFY(main.TextTrayRH->isVisible());
        QVERIFY(main.CheckRHTrayIcon->isEnabled());
    }

    void startOnADeviceThatCannotBeOpened()
    {
        ProgramFixture f;
        SimulatedHidController::Spec spec = SimulatedHidController::sensorSpec();
        spec.openable = false;
        const int id = f.hid.plug(spec);
        f.start();
        TMainForm& main = f.main();
        QCOMPARE(main.RDbutton->text(), QStringLiteral("Start"));
        QCOMPARE(f.logMessages().filter(QStringLiteral("stopped")).size(), 1);
        QCOMPARE(main.LblTemp->text(), QStringLiteral("0 °C"));
        QCOMPARE(main.LblRH->text(), QStringLiteral("0 %"));
        QVERIFY(!f.hid.hasReportHandler(id));
        QCOMPARE(main.statusPanel0->text(), QStringLiteral("Stato: Connesso"));
    }

    // A sensor listed but refused for lack of rights says so once, naming
    // the udev rule; any other failure to open only stops.
    void openFailureIsTold_data()
    {
        QTest::addColumn<bool>("accessDenied");
        QTest::addColumn<bool>("told");
        QTest::newRow("no rights to the node") << true << true;
        QTest::newRow("other failure") << false << false;
    }

    void openFailureIsTold()
    {
        QFETCH(bool, accessDenied);
        QFETCH(bool, told);
        ProgramFixture f;
        auto sensor = SimulatedHidController::sensorSpec();
        sensor.openable = accessDenied;
        sensor.accessDenied = accessDenied;
        const int id = f.hid.plug(sensor);
        f.start();
        TMainForm& main = f.main();
        QCOMPARE(main.RDbutton->text(), QStringLiteral("Start"));
        QVERIFY(!f.hid.hasReportHandler(id));
        QCOMPARE(f.logMessages().filter(QStringLiteral("stopped")).size(), 1);
        const QStringList lines = f.logMessages().filter(QStringLiteral("70-quelmo-sensor.rules"));
        QCOMPARE(lines.size(), told ? 1 : 0);
        if (!told) {
            QCOMPARE(main.statusPanel2->text(), QString());
            return;
        }
        QCOMPARE(lines.first(), Acquisition::accessDeniedText(sensor.info));
        QVERIFY(lines.first().contains(sensor.info.path));
        QCOMPARE(main.statusPanel2->text(), lines.first());

        // Once the user may open the node, a start clears the line.
        f.hid.unplug(id);
        sensor.accessDenied = false;
        f.hid.plug(sensor);
        QCOMPARE(main.RDbutton->text(), QStringLiteral("Stop"));
        QCOMPARE(main.statusPanel2->text(), QString());
    }

    void elapsedTimeAndCountdown()
    {
        Running r;
        TMainForm& main = r.main();
        r.f.push(r.sensor, ProgramFixture::report(22.0, 45.0, 5));
        QCOMPARE(main.statusPanel1->maximum(), 5);
        r.f.clock.advance(3725 * 1000);
        main.acquisition().Timer1Timer();
        QCOMPARE(main.time->text(), QStringLiteral(" 1h 2m 5s "));
        QCOMPARE(main.statusPanel1->value(), 1);
        for (int i = 0; i < 10; ++i)
            main.acquisition().Timer1Timer();
        QCOMPARE(main.statusPanel1->value(), 5);
    }

    void unitSwitchWhileStopped()
    {
        ProgramFixture f;
        f.start();
        TMainForm& main = f.main();
        main.cmbGradi->setCurrentIndex(1);
        QCOMPARE(main.LblTemp->text(), QStringLiteral("- °F"));
        QCOMPARE(main.LblDP->text(), QStringLiteral("- °F"));
        QCOMPARE(main.LbLTP->text(), QStringLiteral("- °F"));
        QCOMPARE(main.TextTrayTemp->text(), QStringLiteral("32"));
        QCOMPARE(main.vrThermoMeterTemp->minimum(), 30.0);
        QCOMPARE(main.vrThermoMeterTemp->maximum(), 140.0);
        QCOMPARE(main.vrThermoMeterTemp->minorStep(), 5.0);
        QCOMPARE(main.vrThermoMeterTemp->majorStep(), 20.0);
        QCOMPARE(main.AyMin->text(), QStringLiteral("32"));
        QCOMPARE(main.AyMax->text(), QStringLiteral("140"));
        QCOMPARE(main.Label12->text(), QStringLiteral("°F"));
        QCOMPARE(main.Label15->text(), QStringLiteral("°F"));
        main.cmbGradi->setCurrentIndex(0);
        QCOMPARE(main.AyMin->text(), QStringLiteral("0"));
        QCOMPARE(main.AyMax->text(), QStringLiteral("60"));
        QCOMPARE(main.LblTemp->text(), QStringLiteral("- °C"));
    }

    void unitSwitchWhileAcquiring()
    {
        Running r;
        TMainForm& main = r.main();
        r.f.push(r.sensor, ProgramFixture::report(25.0, 50.0));
        main.cmbGradi->setCurrentIndex(1);
        QCOMPARE(main.LblTemp->text(), QStringLiteral("77.0 °F"));
        QCOMPARE(main.LblDP->text(), QStringLiteral("56.9 °F"));
        QCOMPARE(main.LbLTP->text(), QStringLiteral("82.8 °F"));
        QCOMPARE(main.LblRH->text(), QStringLiteral("50.0 %"));
        QCOMPARE(main.TextTrayTemp->text(), QStringLiteral("77"));
        QCOMPARE(main.TextTrayTemp->hint(), QStringLiteral("Temperatura Rilevata: 77.0 °F"));
        QCOMPARE(main.vrThermoMeterTemp->value(), 77.0);
        QCOMPARE(main.vrThermoMeterTemp->lowPeak(), 77.0);
        QCOMPARE(main.vrThermoMeterTemp->highPeak(), 77.0);
        // Back and forth again before the next report: always the last
        // reading in the unit selected, never converted twice.
        main.cmbGradi->setCurrentIndex(0);
        QCOMPARE(main.LblTemp->text(), QStringLiteral("25.0 °C"));
        main.cmbGradi->setCurrentIndex(1);
        main.cmbGradi->setCurrentIndex(1);
        QCOMPARE(main.LblTemp->text(), QStringLiteral("77.0 °F"));
        r.f.push(r.sensor, ProgramFixture::report(25.0, 50.0));
        QCOMPARE(main.LblTemp->text(), QStringLiteral("77.0 °F"));
        QCOMPARE(main.reading.temperature, 77.0);
        QCOMPARE(main.reading.celsius, 25.0);
    }

    void gaugeScaleWidensAndStays()
    {
        Running r;
        TMainForm& main = r.main();
        r.f.push(r.sensor, ProgramFixture::report(58.0));
        QCOMPARE(main.vrThermoMeterTemp->maximum(), 63.0);
        r.f.push(r.sensor, ProgramFixture::report(20.0));
        QCOMPARE(main.vrThermoMeterTemp->maximum(), 63.0);
        r.f.push(r.sensor, ProgramFixture::report(3.0));
        QCOMPARE(main.vrThermoMeterTemp->minimum(), -2.0);
        main.cmbGradi->setCurrentIndex(1);
        QCOMPARE(main.vrThermoMeterTemp->maximum(), 140.0);
    }

    void trayIconToggles()
    {
        Running r;
        TMainForm& main = r.main();
        // Humidity icon up first, then the temperature icon.
        main.CheckRHTrayIcon->click();
        QVERIFY(!main.TextTrayRH->isVisible());
        QCOMPARE(r.f.storedSetting(QStringLiteral("icona_RH")).toInt(), 0);
        main.CheckTempTrayIcon->click();
        QVERIFY(!main.TextTrayTemp->isVisible());
        QVERIFY(!main.ChkAvviaRidotto->isEnabled());
        QVERIFY(!main.TextTrayTemp->minimizeToTray());
        QCOMPARE(r.f.storedSetting(QStringLiteral("icona_temp")).toInt(), 0);
        main.CheckTempTrayIcon->click();
        QVERIFY(main.TextTrayTemp->isVisible());
        QVERIFY(main.ChkAvviaRidotto->isEnabled());
        QCOMPARE(r.f.storedSetting(QStringLiteral("icona_temp")).toInt(), 1);
    }

    void humidityToggleWritesNothingWhileDisabled()
    {
        ProgramFixture f;
        f.start();
        QVERIFY(!f.main().CheckRHTrayIcon->isEnabled());
        f.main().readout().CheckRHTrayIconClick();
        QVERIFY(!f.hasStoredSetting(QStringLiteral("icona_RH")));
    }
};

QTEST_MAIN(TestAcquisition)
#include "test_acquisition.moc"
