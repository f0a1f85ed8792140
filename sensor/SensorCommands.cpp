#include "SensorCommands.h"

#include "log/EventLog.h"
#include "platform/Dialogs.h"
#include "platform/SystemError.h"
#include "sensor/Acquisition.h"
#include "sensor/DeviceDiscovery.h"
#include "sensor/SensorCommand.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QLabel>
#include <QProgressBar>

SensorCommands::SensorCommands(EventLog& log, Dialogs* dialogs, QWidget* owner,
    Acquisition& acquisition, const DeviceDiscovery& discovery, SensorCommandControls controls,
    HidDevice::ReportHandler reportHandler)
    : m_log(log)
    , m_dialogs(dialogs)
    , m_owner(owner)
    , m_acquisition(acquisition)
    , m_discovery(discovery)
    , m_controls(std::move(controls))
    , m_reportHandler(std::move(reportHandler))
{
}

void SensorCommands::tell(const QString& text)
{
    m_log.logEvent(text);
    if (m_dialogs)
        m_dialogs->message(m_owner, MessageKind::Warning, text);
}

void SensorCommands::WriteSensorCommand(const QByteArray& command)
{
    m_log.logEvent(QStringLiteral("Send to sensor..."));
    // A device change releases the device object; a command never goes to
    // a released one.
    HidDevice* device = m_acquisition.CurrentDevice.data();
    if (!device) {
        m_log.logEvent(QStringLiteral("not assigned"));
        return;
    }
    const int length = device->outputReportLength();
    const QString problem = SensorCommand::lengthProblem(static_cast<int>(command.size()), length);
    if (!problem.isEmpty()) {
        tell(problem);
        return;
    }
    const HidWriteResult result
        = device->writeOutputReport(SensorCommand::outputReport(command, length));
    if (result.ok)
        m_log.logEvent(SensorCommand::logText(command));
    else
        tell(SystemError::writeErrorText(result.errorCode, result.errorText));
}

void SensorCommands::InviaImpostazioni()
{
    const SensorCommandControls& c = m_controls;
    HidDevice* device = m_acquisition.CurrentDevice.data();
    if (!device)
        return;
    device->detachReportHandler();
    SensorCommand::Configuration configuration;
    configuration.interval = c.TrackBarRitardo->value();
    configuration.selfHeating = c.ChkSelfHeat->isChecked();
    configuration.radio = c.CheckBTon->isChecked();
    configuration.discoverable = c.CheckBTrilevabile->isChecked();
    configuration.charging = c.CheckRicaricaON->isChecked();
    WriteSensorCommand(SensorCommand::bytes(m_discovery.DeviceVersion, configuration));
    // The sensor answers its first report in the old configuration: drop it
    // and keep the waiting panel until one in the new configuration comes.
    m_acquisition.ReportsToSkip = 1;
    c.countdown->setMaximum(c.TrackBarRitardo->value());
    c.countdown->setValue(0);
    // The message box of a failed write lets a device change run meanwhile.
    if (HidDevice* current = m_acquisition.CurrentDevice.data())
        current->attachReportHandler(m_reportHandler);
    c.PanelAttesa->show();
}

void SensorCommands::alignInterval(int reportedInterval)
{
    const SensorCommandControls& c = m_controls;
    if (reportedInterval != c.TrackBarRitardo->value())
        WriteSensorCommand(SensorCommand::intervalCorrection(
            c.TrackBarRitardo->value(), c.ChkSelfHeat->isChecked()));
}

void SensorCommands::TrackBarRitardoChange()
{
    const SensorCommandControls& c = m_controls;
    const int seconds = c.TrackBarRitardo->value();
    c.LblRitardo->setText(QString::number(seconds));
    const QString tip = SensorCommand::intervalTip(seconds);
    c.LblRitardo->setToolTip(tip);
    c.Label18->setToolTip(tip);
}

void SensorCommands::TrackBarCalibChange()
{
    m_controls.LblCal->setText(SensorCommand::calibrationText(m_controls.TrackBarCalib->value()));
}
