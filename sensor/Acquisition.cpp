#include "Acquisition.h"

#include "i18n/MainMessages.h"
#include "log/EventLog.h"
#include "platform/Clock.h"
#include "platform/Led.h"
#include "platform/TextTrayIcon.h"
#include "sensor/TDispInfoForm.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>


Acquisition::Acquisition(EventLog& log, const Clock& clock, const MainMessages& messages,
    AcquisitionControls controls, AcquisitionHooks hooks)
    : m_log(log)
    , m_clock(clock)
    , m_messages(messages)
    , m_controls(std::move(controls))
    , m_hooks(std::move(hooks))
{
}

bool Acquisition::isAcquiring() const
{
    return m_controls.RDbutton->text() == QLatin1String("Stop");
}

void Acquisition::RDbuttonClick()
{
    if (!m_controls.RDbutton->isEnabled())
        return;
    CurrentDevice = nullptr;
    if (!m_window || m_window->entryCount() == 0 || m_window->selectedIndex() < 0)
        return;
    const int index = m_window->selectedIndex();
    CurrentDevice = m_window->device(index);
    m_log.logEvent(QStringLiteral("currentdevice=") + QString::number(index));
    if (CurrentDevice)
        CurrentDevice->detachReportHandler();
    const bool starting = m_controls.RDbutton->text() == QLatin1String("Start");
    if (starting && CurrentDevice && CurrentDevice->isOpenForReadWrite()) {
        start();
        return;
    }
    stop();
    if (starting && CurrentDevice
        && CurrentDevice->openFailure() == HidDevice::OpenFailure::AccessDenied)
        tellAccessDenied(CurrentDevice->info());
}

QString Acquisition::accessDeniedText(const HidDeviceInfo& info)
{
    return QStringLiteral(
        "%1: no read and write access to %2, the udev rule 70-quelmo-sensor.rules is missing")
        .arg(info.product, info.path);
}

void Acquisition::tellAccessDenied(const HidDeviceInfo& info)
{
    const QString text = accessDeniedText(info);
    m_log.logEvent(text);
    if (m_controls.messagePanel) {
        m_controls.messagePanel->setText(text);
        m_controls.messagePanel->setToolTip(text);
    }
}

void Acquisition::start()
{
    const AcquisitionControls& c = m_controls;
    m_log.logEvent(QStringLiteral("started"));
    CurrentDevice->attachReportHandler(m_hooks.reportHandler);
    // A refusal told before is over once a start succeeds.
    if (c.messagePanel && c.messagePanel->text() == accessDeniedText(CurrentDevice->info())) {
        c.messagePanel->clear();
        c.messagePanel->setToolTip({});
    }
    c.RDbutton->setText(QStringLiteral("Stop"));
    c.RDbutton->setToolTip(m_messages.strsStopAcq);
    m_hooks.clearMemo();
    c.time->clear();
    c.statusPanel->setText(m_messages.strsStatoInFunz);
    c.Timer1->start();
    FirstReport = true;
    if (m_hooks.hasHumidity()) {
        c.TextTrayRH->setVisible(c.CheckRHTrayIcon->isChecked());
        c.CheckRHTrayIcon->setEnabled(true);
    } else {
        c.CheckRHTrayIcon->setEnabled(false);
    }
    c.Termina1->setEnabled(true);
    c.Inizia1->setEnabled(false);
    AcquisitionStart = m_clock.now();
}

void Acquisition::stop()
{
    const AcquisitionControls& c = m_controls;
    m_log.logEvent(QStringLiteral("stopped"));
    if (CurrentDevice)
        CurrentDevice->detachReportHandler();
    c.RDbutton->setText(QStringLiteral("Start"));
    c.RDbutton->setToolTip(m_messages.strsStartAcq);
    c.statusPanel->setText(c.iLedPortOpen->isActive() ? m_messages.strsStatoConnesso : m_messages.strsStatoDisconnesso);
    c.TextTrayTemp->setHint(m_messages.strsNoAcq);
    c.TextTrayRH->setHint(m_messages.strsNoAcq);
    c.TextTrayTemp->setText(QStringLiteral("OF"));
    c.TextTrayRH->setText(QStringLiteral("OF"));
    c.TextTrayRH->setVisible(false);
    c.CheckRHTrayIcon->setEnabled(false);
    m_hooks.showStoppedReadout();
    c.countdown->setValue(0);
    c.Termina1->setEnabled(false);
    c.Inizia1->setEnabled(true);
    c.Timer1->stop();
}

void Acquisition::Timer1Timer()
{
    const AcquisitionControls& c = m_controls;
    c.TextTrayRH->setVisible(c.CheckRHTrayIcon->isChecked());
    c.time->setText(elapsedText(AcquisitionStart.msecsTo(m_clock.now())));
    if (!c.AsseOrizAutomatico->isChecked())
        m_hooks.applyHorizontalAxis();
    if (c.countdown->value() < c.countdown->maximum())
        c.countdown->setValue(c.countdown->value() + 1);
}

QString Acquisition::elapsedText(qint64 milliseconds)
{
    // Whole milliseconds keep the truncation exact: 3725 s is 1h 2m 5s, and
    // 4999 ms are 4 s. A clock set back before the start shows zero.
    const qint64 ms = std::max<qint64>(milliseconds, 0);
    return QStringLiteral(" %1h %2m %3s ")
        .arg(ms / 3600000)
        .arg(ms % 3600000 / 60000)
        .arg(ms % 60000 / 1000);
}
