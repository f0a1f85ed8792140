#include "readings/DerivedQuantities.h"
#include "sensor/Acquisition.h"
#include "sensor/InputReport.h"

#include <QTest>

namespace {
QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray data;
    for (int v : values)
        data.append(static_cast<char>(v));
    return data;
}
} // namespace

class TestReadings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void validWindow_data()
    {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<int>("calibration");
        QTest::addColumn<double>("celsius");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("25.00") << bytes({0x09, 0xC4}) << 0 << 25.0 << true;
        QTest::newRow("25.00 - 1.5") << bytes({0x09, 0xC4}) << -15 << 23.5 << true;
        QTest::newRow("127.00 accepted") << bytes({0x31, 0x9C}) << 0 << 127.0 << true;
        QTest::newRow("127.01 dropped") << bytes({0x31, 0x9D}) << 0 << 127.01 << false;
        QTest::newRow("-39.00 accepted") << bytes({0xF0, 0xC4}) << 0 << -39.0 << true;
        QTest::newRow("-39.01 dropped") << bytes({0xF0, 0xC3}) << 0 << -39.01 << false;
        QTest::newRow("-2.00") << bytes({0xFF, 0x38}) << 0 << -2.0 << true;
        QTest::newRow("125.00 + 3.0 dropped") << bytes({0x30, 0xD4}) << 30 << 128.0 << false;
        QTest::newRow("-37.00 - 3.0 accepted") << bytes({0xF1, 0x8C}) << -20 << -39.0 << true;
    }
    void validWindow()
    {
        QFETCH(QByteArray, report);
        QFETCH(int, calibration);
        QFETCH(double, celsius);
        QFETCH(bool, accepted);
        const double t = InputReport::decode(report).rawTemperature / 100.0 + calibration / 10.0;
        QCOMPARE(t, celsius);
        QCOMPARE(InputReport::isValidCelsius(t), accepted);
    }

    void decodeFields()
    {
        const InputReport full = InputReport::decode(bytes({0x09, 0xC4, 0xAA, 0x11, 0x94, 0xAA, 5, 1, 0xAA, 1, 0, 0xAA, 7}));
        QCOMPARE(full.rawHumidity, quint16(4500));
        QCOMPARE(full.interval, quint8(5));
        QVERIFY(full.selfHeating);
        QVERIFY(full.radio);
        QVERIFY(!full.discoverable);
        QVERIFY(full.charging);
        // A short report: the bytes it does not carry read as 0.
        const InputReport shortOne = InputReport::decode(bytes({0x09, 0xC4, 0, 0x11}));
        QCOMPARE(shortOne.rawTemperature, qint16(2500));
        QCOMPARE(shortOne.rawHumidity, quint16(0x1100));
        QCOMPARE(shortOne.interval, quint8(0));
        QVERIFY(!shortOne.charging);
        QCOMPARE(InputReport::decode(QByteArray()).rawTemperature, qint16(0));
    }

    void humidityClamps_data()
    {
        QTest::addColumn<int>("raw");
        QTest::addColumn<double>("humidity");
        QTest::addColumn<QString>("text");
        QTest::newRow("0 -> 0.1") << 0 << 0.1 << QStringLiteral("0.1");
        QTest::newRow("0.05 -> 0.1") << 5 << 0.1 << QStringLiteral("0.1");
        QTest::newRow("45.00") << 4500 << 45.0 << QStringLiteral("45.0");
        QTest::newRow("101.00 -> 100") << 0x2774 << 100.0 << QStringLiteral("100.0");
        QTest::newRow("655.35 -> 100") << 0xFFFF << 100.0 << QStringLiteral("100.0");
    }
    void humidityClamps()
    {
        QFETCH(int, raw);
        QFETCH(double, humidity);
        QFETCH(QString, text);
        QCOMPARE(Derived::humidityFromRaw(static_cast<quint16>(raw)), humidity);
        QCOMPARE(Derived::oneDecimal(Derived::humidityFromRaw(static_cast<quint16>(raw))), text);
    }

    void derived_data()
    {
        QTest::addColumn<double>("celsius");
        QTest::addColumn<int>("rawHumidity");
        QTest::addColumn<bool>("fahrenheit");
        QTest::addColumn<QString>("temperature");
        QTest::addColumn<QString>("humidity");
        QTest::addColumn<QString>("dewPoint");
        QTest::addColumn<QString>("perceived");
        QTest::newRow("25 C 50 %") << 25.0 << 5000 << false << "25.0" << "50.0" << "13.9" << "28.2";
        QTest::newRow("20 C 40 %, perceived raised") << 20.0 << 4000 << false << "20.0" << "40.0" << "6.0" << "20.0";
        QTest::newRow("30 C 70 %") << 30.0 << 7000 << false << "30.0" << "70.0" << "23.9" << "40.9";
        QTest::newRow("25 C 50 % in F") << 25.0 << 5000 << true << "77.0" << "50.0" << "56.9" << "82.8";
        QTest::newRow("-2 C") << -2.0 << 5000 << false << "-2.0" << "50.0" << "-11.1" << "-2.0";
        QTest::newRow("-39 C dry") << -39.0 << 0 << false << "-39.0" << "0.1" << "-89.5" << "-39.0";
        QTest::newRow("127 C wet") << 127.0 << 10000 << false << "127.0" << "100.0" << "127.0" << "1510.3";
    }
    void derived()
    {
        QFETCH(double, celsius);
        QFETCH(int, rawHumidity);
        QFETCH(bool, fahrenheit);
        QFETCH(QString, temperature);
        QFETCH(QString, humidity);
        QFETCH(QString, dewPoint);
        QFETCH(QString, perceived);
        Reading reading;
        Derived::compute(reading, celsius, static_cast<quint16>(rawHumidity),
            fahrenheit ? TempUnit::Fahrenheit : TempUnit::Celsius);
        QCOMPARE(reading.celsius, celsius);
        QCOMPARE(reading.temperatureText, temperature);
        QCOMPARE(reading.humidityText, humidity);
        QCOMPARE(reading.dewPointText, dewPoint);
        QCOMPARE(reading.perceivedText, perceived);
        QVERIFY(reading.perceived >= reading.temperature);
    }

    void oneDecimal_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("23.45 half up") << 23.45 << "23.5";
        QTest::newRow("25.25 half up") << 25.25 << "25.3";
        QTest::newRow("-4.05 half away") << -4.05 << "-4.1";
        QTest::newRow("-4") << -4.0 << "-4.0";
        QTest::newRow("-0.04 no negative zero") << -0.04 << "0.0";
        QTest::newRow("1234.5") << 1234.5 << "1234.5";
        QTest::newRow("nan") << std::nan("") << "0.0";
    }
    void oneDecimal()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(Derived::oneDecimal(value), text);
    }

    void iconRounding_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("22.5 to even 22") << 22.5 << 22;
        QTest::newRow("23.5 to even 24") << 23.5 << 24;
        QTest::newRow("23.51") << 23.51 << 24;
        QTest::newRow("0.1") << 0.1 << 0;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("100") << 100.0 << 100;
    }
    void iconRounding()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(Derived::roundHalfEven(value), rounded);
    }

    void generalNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("23.45") << 23.45 << "23.45";
        QTest::newRow("74.5") << 74.5 << "74.5";
        QTest::newRow("24") << 24.0 << "24";
        QTest::newRow("fahrenheit of 23.45") << toFahrenheit(23.45) << "74.21";
        QTest::newRow("-3.5") << -3.5 << "-3.5";
    }
    void generalNumber()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(Derived::generalNumber(value), text);
    }

    void elapsedText_data()
    {
        QTest::addColumn<qint64>("milliseconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("3725 s") << qint64(3725000) << QStringLiteral(" 1h 2m 5s ");
        QTest::newRow("4.999 s truncated") << qint64(4999) << QStringLiteral(" 0h 0m 4s ");
        QTest::newRow("zero") << qint64(0) << QStringLiteral(" 0h 0m 0s ");
        QTest::newRow("30 h") << qint64(30) * 3600000 << QStringLiteral(" 30h 0m 0s ");
        QTest::newRow("clock set back") << qint64(-5000) << QStringLiteral(" 0h 0m 0s ");
    }
    void elapsedText()
    {
        QFETCH(qint64, milliseconds);
        QFETCH(QString, text);
        QCOMPARE(Acquisition::elapsedText(milliseconds), text);
    }
};

QTEST_GUILESS_MAIN(TestReadings)
#include "test_readings.moc"
