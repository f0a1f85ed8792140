#pragma once

#include <QByteArray>
#include <QtGlobal>

// The sensor's input report, data bytes after the report id. Bytes that a
// short report does not carry read as 0.
struct InputReport {
    qint16 rawTemperature = 0; // hundredths of a degree Celsius
    quint16 rawHumidity = 0;   // hundredths of a percent
    quint8 interval = 0;       // the sensor's reading interval, seconds
    bool selfHeating = false;
    bool radio = false;        // firmware 0x0200 only
    bool discoverable = false; // firmware 0x0200 only
    bool charging = false;     // firmware 0x0200 only

    static InputReport decode(const QByteArray& data);

    // The accepted window of temperatures, calibration included.
    static constexpr double MinimumCelsius = -39.0;
    static constexpr double MaximumCelsius = 127.0;
    static bool isValidCelsius(double celsius)
    {
        return celsius >= MinimumCelsius && celsius <= MaximumCelsius;
    }
};
