#pragma once

#include "platform/HidController.h"

#include <QTimer>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// The HID layer on hidapi (hidraw backend). Arrivals and removals come from
// a udev monitor on the hidraw subsystem.
class HidapiController : public HidController {
    Q_OBJECT
public:
    explicit HidapiController(QObject* parent = nullptr);
    ~HidapiController() override;

    void start() override;
    QList<HidDeviceInfo> enumerate() override;
    std::unique_ptr<HidDevice> checkOut(int index) override;

private:
    void readUdevEvents();

    QList<HidDeviceInfo> m_devices;
    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    // One plug or unplug raises several udev events; they are folded into
    // one device change.
    QTimer m_settle;
};
