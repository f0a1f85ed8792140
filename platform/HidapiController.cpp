#include "HidapiController.h"

#include "platform/ReportDescriptor.h"
#include "platform/SystemError.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>

#include <hidapi.h>
#include <libudev.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <unistd.h>

namespace {

QString fromWide(const wchar_t* text)
{
    return text ? QString::fromWCharArray(text) : QString();
}

ReportLengths lengthsFromSysfs(const QString& devicePath)
{
    const QString node = QFileInfo(devicePath).fileName(); // hidrawN
    QFile file(QStringLiteral("/sys/class/hidraw/%1/device/report_descriptor").arg(node));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseReportDescriptor(file.readAll());
}

// hidapi does not keep the reason of a failed open; the node's access
// rights tell a missing udev rule from a device that went away.
HidDevice::OpenFailure openFailureOf(hid_device* handle, const QByteArray& node)
{
    if (handle)
        return HidDevice::OpenFailure::None;
    errno = 0;
    if (::access(node.constData(), R_OK | W_OK) != 0 && errno == EACCES)
        return HidDevice::OpenFailure::AccessDenied;
    return HidDevice::OpenFailure::Other;
}

// State shared between the device object (user-interface thread) and its
// reading thread; it outlives whichever of the two ends first.
struct ReaderState {
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    quint64 delivered = 0;
    quint64 handled = 0;
};

class HidapiDevice : public HidDevice {
public:
    HidapiDevice(HidDeviceInfo info, hid_device* handle, ReportLengths lengths, OpenFailure failure)
        : m_info(std::move(info))
        , m_handle(handle)
        , m_lengths(lengths)
        , m_failure(failure)
    {
    }

    ~HidapiDevice() override
    {
        stopReading();
        if (m_handle)
            hid_close(m_handle);
    }

    const HidDeviceInfo& info() const override { return m_info; }
    bool isOpenForReadWrite() const override { return m_handle != nullptr; }
    OpenFailure openFailure() const override { return m_failure; }
    int outputReportLength() const override { return m_lengths.output; }

    HidWriteResult writeOutputReport(const QByteArray& report) override
    {
        if (!m_handle)
            return {false, ENODEV, SystemError::messageText(ENODEV)};
        errno = 0;
        const int written = hid_write(m_handle, reinterpret_cast<const unsigned char*>(report.constData()),
            static_cast<size_t>(report.size()));
        if (written < 0) {
            const int code = errno ? errno : EIO;
            return {false, code, SystemError::messageText(code)};
        }
        return {};
    }

    void attachReportHandler(ReportHandler handler) override
    {
        stopReading();
        if (!m_handle || !handler)
            return;
        m_handler = std::move(handler);
        m_state = std::make_shared<ReaderState>();
        m_reader = std::thread(&HidapiDevice::readLoop, this, m_state);
    }

    void detachReportHandler() override { stopReading(); }
    bool hasReportHandler() const override { return m_reader.joinable(); }

private:
    void stopReading()
    {
        if (m_state) {
            {
                std::lock_guard lock(m_state->mutex);
                m_state->stopping = true;
            }
            m_state->wake.notify_all();
        }
        if (m_reader.joinable())
            m_reader.join();
        m_state.reset();
        m_handler = {};
    }

    void readLoop(std::shared_ptr<ReaderState> state)
    {
        const int length = std::max(m_lengths.input, 2);
        QByteArray buffer(length, '\0');
        while (true) {
            {
                std::lock_guard lock(state->mutex);
                if (state->stopping)
                    return;
            }
            buffer.fill('\0');
            const int count = hid_read_timeout(m_handle, reinterpret_cast<unsigned char*>(buffer.data()),
                static_cast<size_t>(buffer.size()), 100);
            if (count < 0) {
                // The device went away; the device change that follows
                // releases it.
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                continue;
            }
            if (count == 0)
                continue;
            deliver(state, buffer.left(count));
        }
    }

    // Hands one report to the user-interface thread and waits until the
    // handler has returned, or until the device is released.
    void deliver(const std::shared_ptr<ReaderState>& state, const QByteArray& raw)
    {
        quint8 reportId = 0;
        QByteArray data = raw;
        if (m_lengths.usesReportIds && !data.isEmpty()) {
            reportId = static_cast<quint8>(data.at(0));
            data.remove(0, 1);
        }
        quint64 ticket;
        {
            std::lock_guard lock(state->mutex);
            ticket = ++state->delivered;
        }
        ReportHandler handler = m_handler;
        QPointer<HidDevice> self(this);
        QMetaObject::invokeMethod(
            this,
            [state, handler, self, reportId, data, ticket] {
                {
                    std::lock_guard lock(state->mutex);
                    if (state->stopping)
                        return;
                }
                handler(self.data(), reportId, data);
                {
                    std::lock_guard lock(state->mutex);
                    state->handled = ticket;
                }
                state->wake.notify_all();
            },
            Qt::QueuedConnection);
        std::unique_lock lock(state->mutex);
        state->wake.wait(lock, [&] { return state->stopping || state->handled >= ticket; });
    }

    HidDeviceInfo m_info;
    hid_device* m_handle = nullptr;
    ReportLengths m_lengths;
    OpenFailure m_failure = OpenFailure::None;
    ReportHandler m_handler;
    std::shared_ptr<ReaderState> m_state;
    std::thread m_reader;
};

} // namespace

HidapiController::HidapiController(QObject* parent)
    : HidController()
{
    setParent(parent);
    hid_init();
    m_settle.setSingleShot(true);
    m_settle.setInterval(300);
    connect(&m_settle, &QTimer::timeout, this, &HidController::deviceChange);
}

HidapiController::~HidapiController()
{
    delete m_notifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
    hid_exit();
}

void HidapiController::start()
{
    m_udev = udev_new();
    if (m_udev) {
        m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
        if (m_monitor) {
            udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr);
            udev_monitor_enable_receiving(m_monitor);
            m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read);
            connect(m_notifier, &QSocketNotifier::activated, this, &HidapiController::readUdevEvents);
        }
    }
    QMetaObject::invokeMethod(this, &HidController::deviceChange, Qt::QueuedConnection);
}

void HidapiController::readUdevEvents()
{
    while (udev_device* device = udev_monitor_receive_device(m_monitor))
        udev_device_unref(device);
    m_settle.start();
}

QList<HidDeviceInfo> HidapiController::enumerate()
{
    m_devices.clear();
    hid_device_info* list = hid_enumerate(0, 0);
    for (hid_device_info* d = list; d; d = d->next) {
        HidDeviceInfo info;
        info.product = fromWide(d->product_string);
        info.manufacturer = fromWide(d->manufacturer_string);
        info.serial = fromWide(d->serial_number);
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.release = d->release_number;
        info.path = QString::fromLocal8Bit(d->path);
        m_devices.append(info);
    }
    hid_free_enumeration(list);
    return m_devices;
}

std::unique_ptr<HidDevice> HidapiController::checkOut(int index)
{
    if (index < 0 || index >= m_devices.size())
        return nullptr;
    const HidDeviceInfo& info = m_devices.at(index);
    const QByteArray node = info.path.toLocal8Bit();
    hid_device* handle = hid_open_path(node.constData());
    return std::make_unique<HidapiDevice>(
        info, handle, lengthsFromSysfs(info.path), openFailureOf(handle, node));
}
