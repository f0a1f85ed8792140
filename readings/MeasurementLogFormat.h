#pragma once

#include "readings/Reading.h"

#include <QDateTime>
#include <QString>

#include <optional>

class MemoStore;
struct MainMessages;

// The texts of the measurement log: its lines, the saved file's header and
// layout, the auto-save label and the auto-save file's path.
namespace MeasurementLogFormat {

// A number as the memo writes it: shortest general form, up to 15
// significant digits, "." as decimal separator (23.45, 74.5, 24).
QString number(double value);

// "dd/mm/yy hh:mm:ss; T" and, for a sensor with humidity, "; H".
QString line(const QDateTime& when, const Reading& reading, bool hasHumidity);

// ";LOG Temperatura/Umidità Rilevata"
QString headerLine1(const MainMessages& messages);
// ";Data/Ora<tab>Temperatura (°C)<tab>Umidità (%)"
QString headerLine2(const MainMessages& messages, const QString& unitSuffix);

// "[ 1h 30m ]": the auto-save interval in hours and minutes.
QString autoSaveLabel(int minutes);

// The custom path when set, otherwise dataFolder + "AutoSave" + sensor
// code + ".log".
QString autoSavePath(
    const QString& customPath, const QString& dataFolder, const QString& sensorCode);

// Writes the two header lines and every memo line, each ended by CR LF, in
// the system's 8-bit encoding. The file is written beside the target and
// takes its place only once complete, so a failed save leaves any earlier
// file as it was. Returns why the save failed, or nothing on success.
std::optional<QString> save(
    const QString& path, const QString& header1, const QString& header2, const MemoStore& lines);

} // namespace MeasurementLogFormat
