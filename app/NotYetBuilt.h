#pragma once

// Steps of the program's sequences whose subsystems are not built yet. Each
// is called at its place and does nothing until its subsystem lands; the
// name says so, and each goes away with the subsystem that fills it.
namespace NotYetBuilt {

inline void readSettings() {}
inline void saveSettings() {}
inline void saveAlarmSettings() {}
inline void measurementLogLine() {}
inline void chartPoints() {}
inline void clearMeasurementLog() {}
inline void applyHorizontalAxis() {}
inline void updateChartTitle() {}
inline void showHumiditySeries(bool) {}
inline void intervalCorrection() {}
inline void evaluateAlarms() {}

} // namespace NotYetBuilt
