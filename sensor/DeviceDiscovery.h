#pragma once

#include "platform/HidController.h"
#include "sensor/SensorKind.h"

#include <QList>
#include <QObject>

#include <functional>

class EventLog;
class Led;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QTimer;
class QWidget;
class TDispInfoForm;
class TextTrayIcon;
class ThermometerGauge;
struct MainMessages;

// The main-window controls that the discovery of the sensor sets.
struct DiscoveryControls {
    Led* iLedPortOpen = nullptr;
    QLabel* statusPanel = nullptr;
    QAbstractButton* RDbutton = nullptr;
    QAbstractButton* Inizia1 = nullptr;
    QTimer* Timer1 = nullptr;
    QLineEdit* time = nullptr;
    QAbstractButton* ChkAutoStartMonitor = nullptr;
    QAbstractButton* chkRH = nullptr;
    QAbstractButton* CheckRHTrayIcon = nullptr;
    ThermometerGauge* vrThermoMeterRH = nullptr;
    QAbstractButton* ChkSelfHeat = nullptr;
    QList<QWidget*> humidityLabels; // LblRH, LblRHs, LblDP, LblDPs, LbLTP, LbLTPs
    TextTrayIcon* TextTrayRH = nullptr;
    QWidget* AdvToolBarBluettoth = nullptr;
    QWidget* LogMemo = nullptr;
    QWidget* BtnVisualizzaLog = nullptr;
    QWidget* BtnClearLog = nullptr;
};

struct DiscoveryHooks {
    std::function<void()> startStop;              // RDbuttonClick
    std::function<void()> updateChartTitle;       // UpdateChartTitle
    std::function<void(bool)> showHumiditySeries; // chart series 1
};

// Finds the sensor among the HID devices: rebuilds the device list at each
// device change, selects the first sensor and applies its kind.
class DeviceDiscovery : public QObject {
    Q_OBJECT
public:
    DeviceDiscovery(HidController& hid, EventLog& log, const MainMessages& messages, DiscoveryControls controls,
        DiscoveryHooks hooks, QObject* parent = nullptr);

    void setDeviceWindow(TDispInfoForm* window);

    void HidCtlDeviceChange();
    bool HidCtlEnumerate(const HidDeviceInfo& info, int index);
    void ListaDeviceClick();

    // The device information lines of an entry, in the current language.
    QStringList infoLines(const HidDeviceInfo& info) const;

    // Applied when a sensor with humidity is selected; ReadSettings sets it.
    bool RhIconWish = true;
    bool HasHumidity = false;
    quint16 DeviceVersion = 0;

private:
    void applyKind(SensorKind kind);

    HidController& m_hid;
    EventLog& m_log;
    const MainMessages& m_messages;
    DiscoveryControls m_controls;
    DiscoveryHooks m_hooks;
    TDispInfoForm* m_window = nullptr;
};
