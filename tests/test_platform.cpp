#include "platform/ReportDescriptor.h"
#include "platform/SimulatedHidController.h"
#include "platform/SystemError.h"
#include "sensor/SensorKind.h"

#include <QTest>

#include <cerrno>

namespace {
QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}
} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reportDescriptor_data()
    {
        QTest::addColumn<QByteArray>("descriptor");
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("output");
        QTest::addColumn<bool>("reportIds");
        // Vendor-defined device with 64-byte reports both ways, no report ids
        // (the layout of many USB HID sensors and bridges).
        QTest::newRow("vendor 64/64") << hex("06 00 FF 09 01 A1 01 19 01 29 40 15 00 26 FF 00 75 08 95 40 81 02 "
                                             "19 01 29 40 91 02 C0")
                                      << 65 << 65 << false;
        // USB boot keyboard: 8-byte input report, 5 LED bits plus 3 padding.
        QTest::newRow("boot keyboard") << hex("05 01 09 06 A1 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 "
                                              "95 01 75 08 81 01 95 05 75 01 05 08 19 01 29 05 91 02 95 01 75 03 "
                                              "91 01 95 06 75 08 15 00 25 65 05 07 19 00 29 65 81 00 C0")
                                       << 9 << 2 << false;
        // Boot mouse: input only.
        QTest::newRow("boot mouse") << hex("05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 01 "
                                           "81 02 95 01 75 05 81 01 05 01 09 30 09 31 15 81 25 7F 75 08 95 02 81 06 "
                                           "C0 C0")
                                    << 4 << 0 << false;
        // Two numbered reports: the longest output counts.
        QTest::newRow("report ids") << hex("06 00 FF 09 01 A1 01 85 01 75 08 95 08 91 02 85 02 75 08 95 20 91 02 "
                                           "85 03 75 08 95 10 81 02 C0")
                                    << 17 << 33 << true;
        QTest::newRow("push and pop") << hex("06 00 FF 09 01 A1 01 75 08 95 04 A4 95 10 91 02 B4 81 02 C0")
                                      << 5 << 17 << false;
        QTest::newRow("truncated item") << hex("75 08 95 40 91") << 0 << 0 << false;
        QTest::newRow("empty") << QByteArray() << 0 << 0 << false;
    }
    void reportDescriptor()
    {
        QFETCH(QByteArray, descriptor);
        QFETCH(int, input);
        QFETCH(int, output);
        QFETCH(bool, reportIds);
        const ReportLengths lengths = parseReportDescriptor(descriptor);
        QCOMPARE(lengths.input, input);
        QCOMPARE(lengths.output, output);
        QCOMPARE(lengths.usesReportIds, reportIds);
    }

    void writeErrorText_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1167") << 1167 << QStringLiteral("Il dispositivo non è connesso")
                              << QStringLiteral("WRITE ERROR: Il dispositivo non è connesso (48F)");
        QTest::newRow("errno 19") << 19 << QStringLiteral("No such device")
                                  << QStringLiteral("WRITE ERROR: No such device (13)");
    }
    void writeErrorText()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(SystemError::writeErrorText(code, text), expected);
    }

    void systemMessageIsTrimmed()
    {
        QCOMPARE(SystemError::trimmed(QStringLiteral("The device is not connected. \r\n")),
            QStringLiteral("The device is not connected"));
        QCOMPARE(SystemError::trimmed(QString(300, QLatin1Char('x'))).size(), 256);
        QCOMPARE(SystemError::messageText(ENODEV), QStringLiteral("No such device"));
    }

    void sensorKind_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<int>("kind");
        QTest::newRow("RH") << QStringLiteral("Tessaro RH") << int(SensorKind::TempRH);
        QTest::newRow("capitals and lower rh") << QStringLiteral("TESSARO rh") << int(SensorKind::TempRH);
        QTest::newRow("BT and RH") << QStringLiteral("Tessaro BT Tessaro RH") << int(SensorKind::TempRH);
        QTest::newRow("BT") << QStringLiteral("Tessaro BT") << int(SensorKind::TempBT);
        QTest::newRow("temperature only") << QStringLiteral("Tessaro") << int(SensorKind::TempOnly);
        QTest::newRow("model inside") << QStringLiteral("USB tessaro T1") << int(SensorKind::TempOnly);
        QTest::newRow("other") << QStringLiteral("USB Keyboard") << int(SensorKind::NotSensor);
        QTest::newRow("no product") << QStringLiteral("Device VID=1234 PID=AB") << int(SensorKind::NotSensor);
    }
    void sensorKind()
    {
        QFETCH(QString, product);
        QFETCH(int, kind);
        QCOMPARE(int(sensorKindOf(product)), kind);
    }

    void listTextWithoutProductString()
    {
        QCOMPARE(deviceListText(QString(), 0x1234, 0x00AB), QStringLiteral("Device VID=1234 PID=AB"));
        QCOMPARE(deviceListText(QStringLiteral("Tessaro RH"), 0x1234, 0x00AB), QStringLiteral("Tessaro RH"));
    }

    void simulatedSensorAnswersCommands()
    {
        SimulatedHidController hid;
        const int id = hid.plug(SimulatedHidController::sensorSpec());
        hid.enumerate();
        auto device = hid.checkOut(0);
        QVERIFY(device);
        QCOMPARE(device->outputReportLength(), 65);
        QByteArray command(65, '\0');
        command[1] = 60;
        command[2] = 1;
        command[4] = 1;
        command[7] = 0;
        QVERIFY(device->writeOutputReport(command).ok);
        const auto config = hid.config(id);
        QCOMPARE(config.interval, 60);
        QVERIFY(config.selfHeating);
        QVERIFY(config.radio);
        QVERIFY(!config.charging);
        const QByteArray report = hid.nextReport(id);
        QCOMPARE(report.size(), 13);
        QCOMPARE(int(static_cast<quint8>(report.at(6))), 60);
        QCOMPARE(int(report.at(7)), 1);
        const double celsius = static_cast<qint16>((static_cast<quint8>(report[0]) << 8) | static_cast<quint8>(report[1])) / 100.0;
        QVERIFY2(celsius > 25 && celsius < 40, "self-heating adds about 10 degrees");

        hid.failNextWrite(id, 1167);
        const HidWriteResult failed = device->writeOutputReport(command);
        QVERIFY(!failed.ok);
        QCOMPARE(failed.errorCode, 1167);
        QVERIFY(device->writeOutputReport(command).ok);
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "test_platform.moc"
