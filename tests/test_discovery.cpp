#include "fixture/ProgramFixture.h"

#include "platform/Led.h"
#include "platform/TextTrayIcon.h"
#include "platform/ThermometerGauge.h"
#include "readings/MemoView.h"
#include "sensor/Acquisition.h"
#include "sensor/DeviceDiscovery.h"
#include "sensor/TDispInfoForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

class TestDiscovery : public QObject {
    Q_OBJECT

    static QStringList entries(const ProgramFixture& f)
    {
        QStringList texts;
        const QListWidget* list = f.program->deviceWindow().ListaDevice;
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
        return texts;
    }
    static QStringList infoLines(const ProgramFixture& f)
    {
        return f.program->deviceWindow().Info->toPlainText().split(QLatin1Char('\n'));
    }

private Q_SLOTS:
    void sensorFoundAndStarted()
    {
        ProgramFixture f;
        f.plugDevice(QStringLiteral("USB Keyboard"), 0x046D, 0xC31C);
        f.plugSensor();
        f.start();
        TMainForm& main = f.main();
        QCOMPARE(entries(f), (QStringList{QStringLiteral("USB Keyboard"), QStringLiteral("Tessaro RH")}));
        QCOMPARE(f.program->deviceWindow().selectedIndex(), 1);
        QVERIFY(main.iLedPortOpen->isActive());
        QVERIFY(main.RDbutton->isEnabled());
        QCOMPARE(main.RDbutton->text(), QStringLiteral("Stop"));
        QCOMPARE(main.statusPanel0->text(), QStringLiteral("Stato: In funzione"));
        const QStringList log = f.logMessages();
        const qsizetype autoStart = log.indexOf(QStringLiteral("AutoStart"));
        QVERIFY(autoStart > 0);
        QCOMPARE(log.at(autoStart + 1), QStringLiteral("currentdevice=1"));
        QCOMPARE(log.at(autoStart + 2), QStringLiteral("started"));
        QCOMPARE(log.at(autoStart + 3), QStringLiteral("selected \"Tessaro RH\" [1]"));
        // The keyboard before the sensor never ran Start or Stop.
        QCOMPARE(log.count(QStringLiteral("stopped")), 0);
        QCOMPARE(log.count(QStringLiteral("started")), 1);
        QCOMPARE(infoLines(f),
            (QStringList{QStringLiteral("Produttore: Calvenor Sim"), QStringLiteral("Nome Prodotto: Tessaro RH"),
                QStringLiteral("Seriale: SIM-000001"), QStringLiteral("VendorID: 1D50"),
                QStringLiteral("ProductID: 6021"), QStringLiteral("Versione: 0200")}));
        QCOMPARE(f.main().discovery().DeviceVersion, quint16(0x0200));
    }

    void autoStartOffOnlyConnects()
    {
        ProgramFixture f;
        f.start();
        f.main().ChkAutoStartMonitor->setChecked(false);
        f.plugSensor();
        QCOMPARE(f.main().RDbutton->text(), QStringLiteral("Start"));
        QVERIFY(f.main().RDbutton->isEnabled());
        QVERIFY(f.main().Inizia1->isEnabled());
        QVERIFY(f.main().iLedPortOpen->isActive());
        QCOMPARE(f.main().statusPanel0->text(), QStringLiteral("Stato: Connesso"));
        QVERIFY(!f.logMessages().contains(QStringLiteral("AutoStart")));
    }

    void deviceWithoutProductString()
    {
        ProgramFixture f;
        f.plugDevice(QString(), 0x1234, 0x00AB);
        f.start();
        QCOMPARE(entries(f), QStringList{QStringLiteral("Device VID=1234 PID=AB")});
        const QStringList info = infoLines(f);
        QCOMPARE(info.value(3), QStringLiteral("VendorID: 1234"));
        QCOMPARE(info.value(4), QStringLiteral("ProductID: 00AB"));
        QCOMPARE(info.value(1), QStringLiteral("Nome Prodotto: "));
        QVERIFY(!f.main().RDbutton->isEnabled());
        QVERIFY(!f.main().Inizia1->isEnabled());
        QVERIFY(!f.main().iLedPortOpen->isActive());
        QCOMPARE(f.main().statusPanel0->text(), QStringLiteral("Stato: Disconnesso"));
        QVERIFY(!f.logMessages().contains(QStringLiteral("currentdevice=0")));
    }

    void noDeviceAtAll()
    {
        ProgramFixture f;
        f.start();
        QVERIFY(entries(f).isEmpty());
        QVERIFY(!f.main().iLedPortOpen->isActive());
        QCOMPARE(f.main().statusPanel0->text(), QStringLiteral("Stato: Disconnesso"));
        QVERIFY(!f.logMessages().join(QLatin1Char('|')).contains(QStringLiteral("selected")));
        f.main().acquisition().RDbuttonClick();
        QCOMPARE(f.main().RDbutton->text(), QStringLiteral("Start"));
    }

    void twoSensorsTheFirstIsRead()
    {
        ProgramFixture f;
        const int first = f.plugSensor(QStringLiteral("Tessaro RH"));
        const int second = f.plugSensor(QStringLiteral("Tessaro"), 0x0100);
        f.start();
        QCOMPARE(f.program->deviceWindow().selectedIndex(), 0);
        QVERIFY(f.hid.hasReportHandler(first));
        QVERIFY(!f.hid.hasReportHandler(second));

        // The user picks the other one and starts it.
        f.main().RDbutton->click(); // Stop
        QListWidget* list = f.program->deviceWindow().ListaDevice;
        list->setCurrentRow(1);
        Q_EMIT list->itemClicked(list->item(1));
        QVERIFY(!f.main().vrThermoMeterRH->isVisibleTo(&f.main()));
        f.main().RDbutton->click(); // Start
        QVERIFY(f.hid.hasReportHandler(second));
        QVERIFY(!f.hid.hasReportHandler(first));
    }

    void kindsApplyTheirControls()
    {
        ProgramFixture f;
        f.plugSensor(QStringLiteral("Tessaro RH"));
        f.plugSensor(QStringLiteral("Tessaro BT"));
        f.start();
        TMainForm& main = f.main();
        QVERIFY(main.chkRH->isChecked());
        QVERIFY(main.chkRH->isEnabled());
        QVERIFY(main.CheckRHTrayIcon->isChecked());
        QVERIFY(main.ChkSelfHeat->isEnabled());
        QVERIFY(!main.AdvToolBarBluettoth->isEnabled());
        QCOMPARE(main.LogMemo->geometry().top(), 96);
        QCOMPARE(main.LogMemo->height(), 100);
        QVERIFY(main.discovery().HasHumidity);

        QListWidget* list = f.program->deviceWindow().ListaDevice;
        list->setCurrentRow(1);
        Q_EMIT list->itemClicked(list->item(1));
        QVERIFY(!main.chkRH->isChecked());
        QVERIFY(!main.chkRH->isEnabled());
        QVERIFY(!main.CheckRHTrayIcon->isChecked());
        QVERIFY(!main.CheckRHTrayIcon->isEnabled());
        QVERIFY(!main.ChkSelfHeat->isEnabled());
        QVERIFY(main.AdvToolBarBluettoth->isEnabled());
        QVERIFY(!main.vrThermoMeterRH->isVisibleTo(&main));
        for (QLabel* label : {main.LblRH, main.LblRHs, main.LblDP, main.LblDPs, main.LbLTP, main.LbLTPs})
            QVERIFY(!label->isVisibleTo(&main));
        QVERIFY(!main.TextTrayRH->isVisible());
        QCOMPARE(main.LogMemo->geometry().top(), 46);
        QCOMPARE(main.LogMemo->height(), 150);
        QCOMPARE(main.BtnVisualizzaLog->y(), 46);
        QCOMPARE(main.BtnClearLog->y(), 73);
        QVERIFY(!main.discovery().HasHumidity);
        QVERIFY(f.logMessages().contains(QStringLiteral("selected \"Tessaro BT\" [1]")));
    }

    void unplugWhileAcquiringAndBack()
    {
        ProgramFixture f;
        const int sensor = f.plugSensor();
        f.start();
        TMainForm& main = f.main();
        f.push(sensor, ProgramFixture::report(22.0));
        QCOMPARE(main.LblTemp->text(), QStringLiteral("22.0 °C"));
        f.hid.unplug(sensor);
        QCOMPARE(main.RDbutton->text(), QStringLiteral("Start"));
        QVERIFY(!main.Timer1.isActive());
        QVERIFY(!main.iLedPortOpen->isActive());
        QCOMPARE(main.statusPanel0->text(), QStringLiteral("Stato: Disconnesso"));
        QVERIFY(main.time->text().isEmpty());
        // The readout keeps the last values until a Start or Stop.
        QCOMPARE(main.LblTemp->text(), QStringLiteral("22.0 °C"));
        QVERIFY(main.acquisition().CurrentDevice.isNull());

        const int again = f.plugSensor();
        QCOMPARE(main.RDbutton->text(), QStringLiteral("Stop"));
        QVERIFY(main.Timer1.isActive());
        f.push(again, ProgramFixture::report(23.0));
        QCOMPARE(main.LblTemp->text(), QStringLiteral("23.0 °C"));
        QCOMPARE(f.logMessages().count(QStringLiteral("primodatoricevuto")), 2);
    }

    void deviceChangeWhileTheWindowIsOpen()
    {
        ProgramFixture f;
        f.plugSensor();
        f.start();
        bool checked = false;
        f.dialogs.modalScripts.push_back([&f, &checked](QDialog& window) {
            QCOMPARE(window.objectName(), QStringLiteral("TDispInfoForm"));
            f.plugDevice(QStringLiteral("USB Mouse"), 1, 2);
            QCOMPARE(f.program->deviceWindow().ListaDevice->count(), 2);
            QCOMPARE(f.program->deviceWindow().ListaDevice->item(1)->text(), QStringLiteral("USB Mouse"));
            checked = true;
        });
        f.main().AdvGlowButton2->click();
        QVERIFY(checked);
    }
};

QTEST_MAIN(TestDiscovery)
#include "test_discovery.moc"
