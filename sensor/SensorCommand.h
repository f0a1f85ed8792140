#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The sensor's configuration command (its output report) and the texts of
// the device page that go with it. Plain logic, no widgets.
class SensorCommand
{
public:
    // What the user set on the device page.
    struct Configuration
    {
        int interval = 2; // seconds, 1 to 250
        bool selfHeating = false;
        bool radio = false; // firmware 0x0200 only
        bool discoverable = false; // firmware 0x0200 only
        bool charging = false; // firmware 0x0200 only
    };

    // The program's write buffer: the report id and at most 64 bytes.
    static constexpr int MaximumReportLength = 65;

    // The command bytes after the report id: eight for the firmware with
    // Bluetooth, two (interval, self-heating) for any other.
    static QByteArray bytes(quint16 deviceVersion, const Configuration& configuration);
    // The short form that aligns the sensor's interval on the first report,
    // whatever the firmware.
    static QByteArray intervalCorrection(int interval, bool selfHeating);

    // Each byte as a decimal number followed by one blank: "60 0 ".
    static QString logText(const QByteArray& command);

    // Why a device's declared output report length cannot carry the command;
    // empty when it can.
    static QString lengthProblem(int commandLength, int declaredLength);
    // Report id 0, the command, and zeros up to the declared length.
    // Only for lengths that lengthProblem accepts.
    static QByteArray outputReport(const QByteArray& command, int declaredLength);

    // Tip of the interval label: "[ 2 minuti e 5 secondi ]", "[ 45 secondi ]".
    static QString intervalTip(int seconds);
    // The calibration offset in tenths of a degree, shown in degrees: "-1.5°C".
    static QString calibrationText(int tenths);
};
