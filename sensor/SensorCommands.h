#pragma once

#include "platform/HidController.h"

class Acquisition;
class DeviceDiscovery;
class Dialogs;
class EventLog;
class QAbstractButton;
class QAbstractSlider;
class QLabel;
class QProgressBar;
class QWidget;

// The device page's controls that configure the sensor.
struct SensorCommandControls
{
    QAbstractSlider* TrackBarRitardo = nullptr;
    QLabel* LblRitardo = nullptr;
    QLabel* Label18 = nullptr;
    QAbstractButton* ChkSelfHeat = nullptr;
    QAbstractButton* CheckBTon = nullptr;
    QAbstractButton* CheckBTrilevabile = nullptr;
    QAbstractButton* CheckRicaricaON = nullptr;
    QAbstractSlider* TrackBarCalib = nullptr;
    QLabel* LblCal = nullptr;
    QWidget* PanelAttesa = nullptr;
    QProgressBar* countdown = nullptr; // status bar panel 1
};

// Sends the configuration command to the sensor and keeps the device
// page's labels in step with its track bars.
class SensorCommands
{
public:
    SensorCommands(EventLog& log, Dialogs* dialogs, QWidget* owner, Acquisition& acquisition,
        const DeviceDiscovery& discovery, SensorCommandControls controls,
        HidDevice::ReportHandler reportHandler);

    // Writes one command to the current device; a failed write is told in
    // a message box and in the log, and the program goes on.
    void WriteSensorCommand(const QByteArray& command);
    // "Invia al sensore" and the three Bluetooth toggles.
    void InviaImpostazioni();
    // The first report after Start carries the sensor's interval: when it
    // differs from the track bar, the short command aligns the sensor.
    void alignInterval(int reportedInterval);

    void TrackBarRitardoChange();
    void TrackBarCalibChange();

private:
    void tell(const QString& text);

    EventLog& m_log;
    Dialogs* m_dialogs;
    QWidget* m_owner;
    Acquisition& m_acquisition;
    const DeviceDiscovery& m_discovery;
    SensorCommandControls m_controls;
    HidDevice::ReportHandler m_reportHandler;
};
