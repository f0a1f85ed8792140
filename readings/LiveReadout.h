#pragma once

#include "readings/Reading.h"

#include <functional>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class SettingsStore;
class TextTrayIcon;
class ThermometerGauge;
struct MainMessages;

struct ReadoutControls {
    QLabel* LblTemp = nullptr;
    QLabel* LblRH = nullptr;
    QLabel* LblDP = nullptr;
    QLabel* LbLTP = nullptr;
    ThermometerGauge* vrThermoMeterTemp = nullptr;
    ThermometerGauge* vrThermoMeterRH = nullptr;
    TextTrayIcon* TextTrayTemp = nullptr;
    TextTrayIcon* TextTrayRH = nullptr;
    QComboBox* cmbGradi = nullptr;
    QAbstractButton* CheckTempTrayIcon = nullptr;
    QAbstractButton* CheckRHTrayIcon = nullptr;
    QAbstractButton* ChkAvviaRidotto = nullptr;
    QAbstractButton* RDbutton = nullptr;
    QLineEdit* AyMin = nullptr;
    QLineEdit* AyMax = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label15 = nullptr;
};

struct ReadoutHooks {
    // Converts every point of the chart's temperature series.
    std::function<void(const std::function<double(double)>&)> convertChartTemperatures;
    // Converts the alarm window's temperature limits (once it is ready).
    std::function<void(const std::function<double(double)>&)> convertAlarmLimits;
};

// The live readout of the latest reading (labels, gauges, notification
// icons), the switch between Celsius and Fahrenheit and the icon toggles.
class LiveReadout {
public:
    LiveReadout(const MainMessages& messages, SettingsStore& settings, ReadoutControls controls, ReadoutHooks hooks);

    // The selected unit and its suffix.
    TempUnit unit() const { return m_unit; }
    QString UnitSuffix() const { return unitSuffix(m_unit); }

    // Computes the derived quantities of an accepted report into reading.
    void computeReading(Reading& reading, double celsius, quint16 rawHumidity);
    // Shows the reading on the gauges, icons and labels.
    void show(const Reading& reading);
    void resetPeaks(const Reading& reading);
    // The labels after Stop.
    void showStopped();

    void cmbGradiChange(const Reading& reading);
    void ApplyTrayIcons();
    void CheckTempTrayIconClick();
    void CheckRHTrayIconClick();

    static void resetTemperatureScale(ThermometerGauge& gauge, TempUnit unit);

private:
    void ApplyTempUnit(const Reading& reading);
    // The reading's value in the selected unit, whichever unit it was
    // computed in.
    double inSelectedUnit(double value) const;

    const MainMessages& m_messages;
    SettingsStore& m_settings;
    ReadoutControls m_controls;
    ReadoutHooks m_hooks;
    TempUnit m_unit = TempUnit::Celsius;
    TempUnit m_readingUnit = TempUnit::Celsius;
};
