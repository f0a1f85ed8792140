#include "SensorCommand.h"

#include "sensor/SensorKind.h"

namespace {

char byte(int value)
{
    return static_cast<char>(static_cast<quint8>(value & 0xFF));
}

} // namespace

QByteArray SensorCommand::bytes(quint16 deviceVersion, const Configuration& configuration)
{
    if (deviceVersion != BluetoothFirmware)
        return intervalCorrection(configuration.interval, configuration.selfHeating);
    // Same order as bytes 6 to 12 of the input report.
    QByteArray command(8, '\0');
    command[0] = byte(configuration.interval);
    command[1] = configuration.selfHeating ? 1 : 0;
    command[3] = configuration.radio ? 1 : 0;
    command[4] = configuration.discoverable ? 1 : 0;
    command[6] = configuration.charging ? 1 : 0;
    return command;
}

QByteArray SensorCommand::intervalCorrection(int interval, bool selfHeating)
{
    QByteArray command(2, '\0');
    command[0] = byte(interval);
    command[1] = selfHeating ? 1 : 0;
    return command;
}

QString SensorCommand::logText(const QByteArray& command)
{
    QString text;
    text.reserve(command.size() * 4);
    for (const char value : command) {
        text += QString::number(static_cast<quint8>(value));
        text += QLatin1Char(' ');
    }
    return text;
}

QString SensorCommand::lengthProblem(int commandLength, int declaredLength)
{
    if (declaredLength > MaximumReportLength)
        return QStringLiteral(
            "Sensor command not sent: output report of %1 bytes not supported (at most %2)")
            .arg(declaredLength)
            .arg(MaximumReportLength);
    if (declaredLength < commandLength + 1)
        return QStringLiteral(
            "Sensor command not sent: output report of %1 bytes too short for %2 command bytes")
            .arg(declaredLength)
            .arg(commandLength);
    return {};
}

QByteArray SensorCommand::outputReport(const QByteArray& command, int declaredLength)
{
    Q_ASSERT(lengthProblem(static_cast<int>(command.size()), declaredLength).isEmpty());
    QByteArray report(declaredLength, '\0');
    report.replace(1, command.size(), command);
    return report;
}

QString SensorCommand::intervalTip(int seconds)
{
    const int minutes = seconds / 60;
    QString tip = QStringLiteral("[ ");
    if (minutes > 0)
        tip += QString::number(minutes) + QStringLiteral(" minuti e ");
    tip += QString::number(seconds % 60) + QStringLiteral(" secondi ]");
    return tip;
}

QString SensorCommand::calibrationText(int tenths)
{
    // General number format: no trailing zeros (0, 3, -1.5).
    return QString::number(tenths / 10.0, 'g', 6) + QStringLiteral("°C");
}
