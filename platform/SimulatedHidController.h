#pragma once

#include "platform/HidController.h"

#include <QDateTime>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

// A HID layer without hardware. Under --simulate it lists one simulated
// sensor that reports by itself at the interval it was configured with and
// answers configuration commands as the real sensor does; the tests use the
// same backend under their own control (plug, unplug, push a report now,
// fail the next write).
class SimulatedHidController : public HidController {
    Q_OBJECT
public:
    struct Spec {
        HidDeviceInfo info;
        bool openable = true;
        // Not openable because the user lacks the rights to the device node.
        bool accessDenied = false;
        int outputReportLength = 65;
    };

    // The simulated sensor's configuration, changed by the commands it gets.
    struct SensorConfig {
        int interval = 2;
        bool selfHeating = false;
        bool radio = false;
        bool discoverable = false;
        bool charging = true;
    };

    using Now = std::function<QDateTime()>;

    explicit SimulatedHidController(QObject* parent = nullptr);
    ~SimulatedHidController() override;

    static Spec sensorSpec(); // "Tessaro RH", firmware 0x0200

    void start() override;
    QList<HidDeviceInfo> enumerate() override;
    std::unique_ptr<HidDevice> checkOut(int index) override;

    // Tests' controls. Plug and unplug raise a device change at once.
    int plug(const Spec& spec); // returns the device's id
    void unplug(int id);
    void unplugAll();
    // Delivers one report to the handlers attached to the device now; a
    // report that arrives while the device's handler runs waits until it
    // has returned, as on a real reading thread.
    void pushReport(int id, const QByteArray& data, quint8 reportId = 0);
    void failNextWrite(int id, int errorCode);
    QList<QByteArray> writes(int id) const;
    bool hasReportHandler(int id) const;
    int openDeviceObjects(int id) const;

    // The simulated sensor: reports at its interval, on the daily curve.
    void setAutoReports(bool on);
    void setClock(Now now) { m_now = std::move(now); }
    SensorConfig config(int id) const;
    QByteArray nextReport(int id) const;

    struct Device;
    using DevicePtr = std::shared_ptr<Device>;

private:
    void sendScheduledReports();
    DevicePtr find(int id) const;

    QList<DevicePtr> m_plugged;
    QList<DevicePtr> m_enumerated;
    int m_nextId = 1;
    bool m_autoReports = false;
    QTimer m_tick;
    Now m_now;
};
