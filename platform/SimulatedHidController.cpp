#include "SimulatedHidController.h"

#include "platform/SystemError.h"

#include <QPointer>

#include <cmath>
#include <numbers>
#include <random>

class SimulatedHidDevice;

struct SimulatedHidController::Device {
    int id = 0;
    Spec spec;
    SensorConfig config;
    bool plugged = true;
    std::optional<int> failNextWrite;
    QList<QByteArray> writes;
    QList<QPointer<SimulatedHidDevice>> objects;
    QDateTime nextAutoReport;
    bool delivering = false;
    QList<std::pair<quint8, QByteArray>> pending;
    std::mt19937 noise{42};
};

class SimulatedHidDevice : public HidDevice {
public:
    explicit SimulatedHidDevice(SimulatedHidController::DevicePtr device)
        : m_device(std::move(device))
    {
    }

    const HidDeviceInfo& info() const override { return m_device->spec.info; }
    bool isOpenForReadWrite() const override
    {
        return m_device->spec.openable && !m_device->spec.accessDenied && m_device->plugged;
    }
    OpenFailure openFailure() const override
    {
        if (isOpenForReadWrite())
            return OpenFailure::None;
        const bool denied = m_device->spec.accessDenied && m_device->plugged;
        return denied ? OpenFailure::AccessDenied : OpenFailure::Other;
    }
    int outputReportLength() const override { return m_device->spec.outputReportLength; }

    HidWriteResult writeOutputReport(const QByteArray& report) override
    {
        if (!m_device->plugged)
            return {false, ENODEV, SystemError::messageText(ENODEV)};
        if (m_device->failNextWrite) {
            const int code = *m_device->failNextWrite;
            m_device->failNextWrite.reset();
            return {false, code, SystemError::messageText(code)};
        }
        m_device->writes.append(report);
        applyCommand(report);
        return {};
    }

    void attachReportHandler(ReportHandler handler) override { m_handler = std::move(handler); }
    void detachReportHandler() override { m_handler = {}; }
    bool hasReportHandler() const override { return bool(m_handler); }

    const ReportHandler& handler() const { return m_handler; }

private:
    void applyCommand(const QByteArray& report)
    {
        auto byte = [&](int i) { return i < report.size() ? static_cast<quint8>(report.at(i)) : 0; };
        SimulatedHidController::SensorConfig& config = m_device->config;
        if (byte(1) >= 1)
            config.interval = byte(1);
        config.selfHeating = byte(2) != 0;
        if (m_device->spec.info.release == 0x0200 && report.size() > 7) {
            config.radio = byte(4) != 0;
            config.discoverable = byte(5) != 0;
            config.charging = byte(7) != 0;
        }
        m_device->nextAutoReport = {};
    }

    SimulatedHidController::DevicePtr m_device;
    ReportHandler m_handler;
};

SimulatedHidController::SimulatedHidController(QObject* parent)
    : HidController()
    , m_now([] { return QDateTime::currentDateTime(); })
{
    setParent(parent);
    m_tick.setInterval(100);
    connect(&m_tick, &QTimer::timeout, this, &SimulatedHidController::sendScheduledReports);
}

SimulatedHidController::~SimulatedHidController() = default;

SimulatedHidController::Spec SimulatedHidController::sensorSpec()
{
    Spec spec;
    spec.info.product = QStringLiteral("Tessaro RH");
    spec.info.manufacturer = QStringLiteral("Calvenor Sim");
    spec.info.serial = QStringLiteral("SIM-000001");
    spec.info.vendorId = 0x1D50;
    spec.info.productId = 0x6021;
    spec.info.release = 0x0200;
    spec.info.path = QStringLiteral("sim:1");
    return spec;
}

void SimulatedHidController::start()
{
    QMetaObject::invokeMethod(this, &HidController::deviceChange, Qt::QueuedConnection);
}

QList<HidDeviceInfo> SimulatedHidController::enumerate()
{
    m_enumerated = m_plugged;
    QList<HidDeviceInfo> infos;
    for (const DevicePtr& device : std::as_const(m_enumerated))
        infos.append(device->spec.info);
    return infos;
}

std::unique_ptr<HidDevice> SimulatedHidController::checkOut(int index)
{
    if (index < 0 || index >= m_enumerated.size())
        return nullptr;
    auto object = std::make_unique<SimulatedHidDevice>(m_enumerated.at(index));
    m_enumerated.at(index)->objects.append(object.get());
    return object;
}

int SimulatedHidController::plug(const Spec& spec)
{
    auto device = std::make_shared<Device>();
    device->id = m_nextId++;
    device->spec = spec;
    m_plugged.append(device);
    Q_EMIT deviceChange();
    return device->id;
}

void SimulatedHidController::unplug(int id)
{
    if (DevicePtr device = find(id)) {
        device->plugged = false;
        m_plugged.removeAll(device);
        Q_EMIT deviceChange();
    }
}

void SimulatedHidController::unplugAll()
{
    for (const DevicePtr& device : std::as_const(m_plugged))
        device->plugged = false;
    m_plugged.clear();
    Q_EMIT deviceChange();
}

SimulatedHidController::DevicePtr SimulatedHidController::find(int id) const
{
    for (const DevicePtr& device : m_plugged)
        if (device->id == id)
            return device;
    return nullptr;
}

void SimulatedHidController::pushReport(int id, const QByteArray& data, quint8 reportId)
{
    DevicePtr device = find(id);
    if (!device)
        return;
    device->pending.append({reportId, data});
    if (device->delivering)
        return;
    device->delivering = true;
    while (!device->pending.isEmpty()) {
        const auto [pendingId, pendingData] = device->pending.takeFirst();
        // Copies, so that a handler that releases the device mid-way does
        // not pull its own function from under itself.
        const auto objects = device->objects;
        for (const QPointer<SimulatedHidDevice>& object : objects) {
            if (!object || !object->handler())
                continue;
            const HidDevice::ReportHandler handler = object->handler();
            handler(object.data(), pendingId, pendingData);
        }
    }
    device->delivering = false;
}

void SimulatedHidController::failNextWrite(int id, int errorCode)
{
    if (DevicePtr device = find(id))
        device->failNextWrite = errorCode;
}

QList<QByteArray> SimulatedHidController::writes(int id) const
{
    DevicePtr device = find(id);
    return device ? device->writes : QList<QByteArray>();
}

bool SimulatedHidController::hasReportHandler(int id) const
{
    DevicePtr device = find(id);
    if (!device)
        return false;
    for (const auto& object : device->objects)
        if (object && object->hasReportHandler())
            return true;
    return false;
}

int SimulatedHidController::openDeviceObjects(int id) const
{
    DevicePtr device = find(id);
    if (!device)
        return 0;
    int count = 0;
    for (const auto& object : device->objects)
        count += object ? 1 : 0;
    return count;
}

SimulatedHidController::SensorConfig SimulatedHidController::config(int id) const
{
    DevicePtr device = find(id);
    return device ? device->config : SensorConfig();
}

void SimulatedHidController::setAutoReports(bool on)
{
    m_autoReports = on;
    if (on)
        m_tick.start();
    else
        m_tick.stop();
}

QByteArray SimulatedHidController::nextReport(int id) const
{
    DevicePtr device = find(id);
    if (!device)
        return {};
    // A slow daily curve: warmest in the afternoon, dampest before dawn.
    const QDateTime now = m_now();
    const double hours = now.time().msecsSinceStartOfDay() / 3600000.0;
    const double phase = 2.0 * std::numbers::pi * (hours - 9.0) / 24.0;
    std::normal_distribution<double> jitter(0.0, 0.03);
    double celsius = 22.0 + 3.0 * std::sin(phase) + jitter(device->noise);
    if (device->config.selfHeating)
        celsius += 10.0;
    const double humidity = 50.0 - 8.0 * std::sin(phase) + 10 * jitter(device->noise);

    const auto rawT = static_cast<qint16>(std::lround(celsius * 100.0));
    const auto rawH = static_cast<quint16>(std::lround(std::clamp(humidity, 0.0, 100.0) * 100.0));
    QByteArray report(13, '\0');
    report[0] = static_cast<char>((rawT >> 8) & 0xFF);
    report[1] = static_cast<char>(rawT & 0xFF);
    report[3] = static_cast<char>((rawH >> 8) & 0xFF);
    report[4] = static_cast<char>(rawH & 0xFF);
    report[6] = static_cast<char>(device->config.interval);
    report[7] = device->config.selfHeating ? 1 : 0;
    if (device->spec.info.release == 0x0200) {
        report[9] = device->config.radio ? 1 : 0;
        report[10] = device->config.discoverable ? 1 : 0;
        report[12] = device->config.charging ? 1 : 0;
    }
    return report;
}

void SimulatedHidController::sendScheduledReports()
{
    if (!m_autoReports)
        return;
    const QDateTime now = m_now();
    const auto plugged = m_plugged;
    for (const DevicePtr& device : plugged) {
        if (!device->nextAutoReport.isValid()) {
            device->nextAutoReport = now.addSecs(device->config.interval);
            continue;
        }
        if (now < device->nextAutoReport)
            continue;
        device->nextAutoReport = now.addSecs(device->config.interval);
        pushReport(device->id, nextReport(device->id));
    }
}
