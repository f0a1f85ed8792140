#include "DeviceDiscovery.h"

#include "i18n/MainMessages.h"
#include "log/EventLog.h"
#include "platform/Led.h"
#include "platform/TextTrayIcon.h"
#include "platform/ThermometerGauge.h"
#include "sensor/TDispInfoForm.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

QString fourHex(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

DeviceDiscovery::DeviceDiscovery(HidController& hid, EventLog& log, const MainMessages& messages,
    DiscoveryControls controls, DiscoveryHooks hooks, QObject* parent)
    : QObject(parent)
    , m_hid(hid)
    , m_log(log)
    , m_messages(messages)
    , m_controls(std::move(controls))
    , m_hooks(std::move(hooks))
{
    connect(&m_hid, &HidController::deviceChange, this, &DeviceDiscovery::HidCtlDeviceChange);
}

void DeviceDiscovery::setDeviceWindow(TDispInfoForm* window)
{
    m_window = window;
    connect(window, &TDispInfoForm::entryClicked, this, &DeviceDiscovery::ListaDeviceClick);
}

void DeviceDiscovery::HidCtlDeviceChange()
{
    m_log.logEvent(QStringLiteral("HidCtlDeviceChange"));
    if (!m_window)
        return;
    m_window->releaseDevices();
    m_window->Info->clear();

    m_controls.iLedPortOpen->setActive(false);
    m_controls.statusPanel->setText(m_messages.strsStatoDisconnesso);
    m_controls.RDbutton->setText(QStringLiteral("Start"));
    m_controls.Timer1->stop();
    m_controls.time->clear();

    const QList<HidDeviceInfo> devices = m_hid.enumerate();
    for (int index = 0; index < devices.size(); ++index) {
        if (!HidCtlEnumerate(devices.at(index), index))
            break;
    }

    if (m_window->entryCount() > 0)
        m_window->selectEntry(0);

    // Only the sensor's entry is acted on: entries that are not the sensor
    // never run Start or Stop.
    for (int index = 0; index < m_window->entryCount(); ++index) {
        if (!isSensorText(m_window->entryText(index)))
            continue;
        m_window->selectEntry(index);
        m_controls.iLedPortOpen->setActive(true);
        m_controls.statusPanel->setText(m_messages.strsStatoConnesso);
        m_controls.RDbutton->setEnabled(true);
        m_controls.Inizia1->setEnabled(true);
        if (m_controls.ChkAutoStartMonitor->isChecked()) {
            m_log.logEvent(QStringLiteral("AutoStart"));
            m_hooks.startStop();
        }
        break;
    }

    if (m_window->entryCount() > 0)
        ListaDeviceClick();
}

bool DeviceDiscovery::HidCtlEnumerate(const HidDeviceInfo& info, int index)
{
    m_controls.Timer1->stop();
    const QString text = deviceListText(info.product, info.vendorId, info.productId);
    m_log.logEvent(QStringLiteral("HidCtlEnumerate: ") + text);
    m_window->addEntry(text, m_hid.checkOut(index));
    return true;
}

void DeviceDiscovery::ListaDeviceClick()
{
    if (!m_window)
        return;
    const int index = m_window->selectedIndex();
    m_window->Info->clear();
    if (m_window->entryCount() == 0 || index < 0)
        return;
    const QString text = m_window->entryText(index);
    m_log.logEvent(QStringLiteral("selected \"%1\" [%2]").arg(text).arg(index));

    applyKind(sensorKindOf(text));
    m_hooks.updateChartTitle();

    HidDevice* device = m_window->device(index);
    const HidDeviceInfo info = device ? device->info() : HidDeviceInfo();
    m_window->Info->setPlainText(infoLines(info).join(QLatin1Char('\n')));
    DeviceVersion = info.release;
}

QStringList DeviceDiscovery::infoLines(const HidDeviceInfo& info) const
{
    return {
        m_messages.strsHIDProduttore + info.manufacturer,
        m_messages.strsHIDProdotto + info.product,
        m_messages.strsHIDSeriale + info.serial,
        m_messages.strsHIDVendorID + fourHex(info.vendorId),
        m_messages.strsHIDProductID + fourHex(info.productId),
        m_messages.strsHIDVersione + fourHex(info.release),
    };
}

void DeviceDiscovery::applyKind(SensorKind kind)
{
    const DiscoveryControls& c = m_controls;
    if (kind == SensorKind::NotSensor) {
        c.RDbutton->setEnabled(false);
        c.Inizia1->setEnabled(false);
        return;
    }
    const bool humidity = kind == SensorKind::TempRH;
    c.RDbutton->setEnabled(true);
    c.chkRH->setChecked(humidity);
    c.chkRH->setEnabled(humidity);
    m_hooks.showHumiditySeries(humidity);
    c.CheckRHTrayIcon->setEnabled(humidity);
    if (humidity) {
        if (RhIconWish)
            c.CheckRHTrayIcon->setChecked(true);
    } else {
        c.CheckRHTrayIcon->setChecked(false);
    }
    c.vrThermoMeterRH->setVisible(humidity);
    c.ChkSelfHeat->setEnabled(humidity);
    for (QWidget* label : c.humidityLabels)
        label->setVisible(humidity);
    c.TextTrayRH->setVisible(humidity && c.CheckRHTrayIcon->isChecked());
    HasHumidity = humidity;
    c.AdvToolBarBluettoth->setEnabled(kind == SensorKind::TempBT);
    if (humidity)
        c.LogMemo->setGeometry(c.LogMemo->x(), 96, c.LogMemo->width(), 100);
    else
        c.LogMemo->setGeometry(c.LogMemo->x(), 46, c.LogMemo->width(), 150);
    c.BtnVisualizzaLog->move(c.BtnVisualizzaLog->x(), c.LogMemo->y());
    c.BtnClearLog->move(c.BtnClearLog->x(), c.BtnVisualizzaLog->y() + 27);
}
