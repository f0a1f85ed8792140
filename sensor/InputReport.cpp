#include "InputReport.h"

InputReport InputReport::decode(const QByteArray& data)
{
    auto byte = [&data](int offset) -> quint8 {
        return offset < data.size() ? static_cast<quint8>(data.at(offset)) : 0;
    };
    InputReport report;
    report.rawTemperature = static_cast<qint16>(static_cast<quint16>((byte(0) << 8) | byte(1)));
    report.rawHumidity = static_cast<quint16>((byte(3) << 8) | byte(4));
    report.interval = byte(6);
    report.selfHeating = byte(7) != 0;
    report.radio = byte(9) != 0;
    report.discoverable = byte(10) != 0;
    report.charging = byte(12) != 0;
    return report;
}
