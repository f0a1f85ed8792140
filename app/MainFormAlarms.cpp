// The main window's side of the alarms: the evaluation of every reading and
// the actions it asks for, the wait timer, the two alarm toggles and the
// link to the alarm window.

#include "TMainForm.h"

#include "alarms/ProgramLaunch.h"
#include "alarms/TTurnOffForm.h"
#include "notify/EmailChannel.h"
#include "notify/EmailPage.h"
#include "notify/EmailTemplate.h"
#include "notify/RegularEmail.h"
#include "notify/SmsPage.h"
#include "notify/WebServiceClient.h"
#include "platform/Clock.h"

#include "alarms/TAllarmeForm.h"
#include "log/EventLog.h"
#include "platform/Dialogs.h"
#include "platform/TextTrayIcon.h"
#include "readings/LiveReadout.h"
#include "sensor/DeviceDiscovery.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>

namespace {

QString boolText(bool on)
{
    return on ? QStringLiteral("-1") : QStringLiteral("0");
}

} // namespace

AlarmWindowLinks TMainForm::alarmWindowLinks()
{
    AlarmWindowLinks links;
    links.language = [this] {
        return language;
    };
    links.unitSuffix = [this] {
        return m_readout->UnitSuffix();
    };
    links.emailAlarmToggle = [this] {
        return CheckAllarmeEmail->isChecked();
    };
    links.setEmailAlarmToggle = [this](bool on) {
        CheckAllarmeEmail->setChecked(on);
    };
    links.setPopUpToggle = [this](bool on) {
        MostraPopUp->setChecked(on);
    };
    links.waitPeriodMs = [this] {
        return TimerAttesaAllarme.interval();
    };
    links.pagesBuilt = [this](TAllarmeForm& window) { buildChannelPages(window); };
    links.prepareEmailMessage = [this] {
        if (m_emailPage)
            m_emailPage->PrepareEmailMessage();
    };
    links.regularEmailClick = [this] {
        if (m_emailPage)
            m_emailPage->chkEmailFunzionamRegolareClick();
    };
    links.startProgram = [this](const QString& path) {
        ProgramLaunch(*m_services.shell, m_log).BtnStartProgrClick(path);
    };
    links.setWaitPeriodMs = [this](int period) {
        TimerAttesaAllarme.setInterval(period);
    };
    return links;
}

void TMainForm::wireAlarmHandlers()
{
    connect(&TimerAttesaAllarme, &QTimer::timeout, this,
        [this] { guarded([this] { TimerAttesaAllarmeTimer(); }); });
    connect(CheckAllarmeEmail, &QToolButton::clicked, this,
        [this] { guarded([this] { CheckAllarmeEmailClick(); }); });
    connect(MostraPopUp, &QToolButton::clicked, this,
        [this] { guarded([this] { MostraPopUpClick(); }); });
    connect(AdvBtnImpostazioni, &QToolButton::clicked, this,
        [this] { guarded([this] { AdvBtnImpostazioniClick(); }); });
}

AlarmTexts TMainForm::alarmTexts() const
{
    const MainMessages& m = messages;
    return {m.strsAllarme, m.strsTemp, m.strsUmi, m.strsTempUmi, m.strsTempSuperata,
        m.strsUmiSuperata, m.strsTempUmiSuperata, m.strsSuperataSoglia, m.strsSuperateSoglie,
        m.strsEmailInviata, m.strssSMSInviato, m.strsPushInviata, m.strsValoriRange};
}

void TMainForm::EvaluateAlarms()
{
    if (!m_alarmWindow)
        return;
    const AlarmSwitches switches = m_alarmWindow->switches();
    AlarmInputs in;
    in.temperature = reading.temperature;
    in.humidity = reading.humidity;
    in.temperatureText = reading.temperatureText;
    in.humidityText = reading.humidityText;
    in.unitText = m_readout->UnitSuffix();
    in.hasHumidity = m_discovery->HasHumidity;
    in.emailAlarm = CheckAllarmeEmail->isChecked();
    in.emailBusy = EmailBusy();
    in.smsAlarm = switches.smsAlarm;
    in.pushAlarm = chkAbilitaPush->isChecked() && chkSendWeb->isChecked();
    in.serverEnabled = m_webService->SendToServerEnabled();
    in.popUp = MostraPopUp->isChecked();
    in.emailOnReturn = switches.emailOnReturn;
    in.startProgram = switches.startProgram;
    in.shutdown = switches.shutdown;
    in.tempMinText = switches.tempMinText;
    in.tempMaxText = switches.tempMaxText;
    in.rhMinText = switches.rhMinText;
    in.rhMaxText = switches.rhMaxText;

    const AlarmActions actions = evaluateAlarms(alarmState, alarmLimits, in, alarmTexts());

    if (actions.sendEmail)
        SendAlarmEmail();
    if (actions.sendSms && m_smsPage)
        m_smsPage->InviaSMSClick();
    if (actions.sendPush)
        SendPushNotification();
    if (actions.showBalloon)
        ShowAlarmBalloon(actions.balloon.title, actions.balloon.text);
    if (actions.startProgram)
        m_alarmWindow->BtnStartProgrClick();
    if (actions.sendReturnEmail)
        SendAlarmEmail();
    if (actions.showReturnBalloon)
        ShowAlarmBalloon(actions.returnBalloon.title, actions.returnBalloon.text);
    // Readings go on being handled while the countdown window is open; they
    // leave the running countdown alone and open no second one.
    if (actions.showCountdown && m_turnOffWindow)
        m_turnOffWindow->showCountdown();
}

void TMainForm::ShowAlarmBalloon(const QString& title, const QString& text)
{
    TextTrayTemp->hideBalloon();
    if (!text.isEmpty())
        TextTrayTemp->showBalloon(title.left(63), text.left(255), 10000);
}

void TMainForm::TimerAttesaAllarmeTimer()
{
    alarmState.AlarmWait = false;
}

void TMainForm::CheckAllarmeEmailClick()
{
    if (CheckAllarmeEmail->isChecked()
        && !(m_alarmWindow && m_alarmWindow->recipients().contains(QLatin1Char('@')))) {
        CheckAllarmeEmail->setChecked(false);
        m_services.dialogs->message(this, MessageKind::Warning, messages.strsNoValidEmail2);
    }
    if (m_alarmWindow)
        m_alarmWindow->setEmailAlarm(CheckAllarmeEmail->isChecked());
    m_settings.writeBool(Settings::Values::Allarme_email, CheckAllarmeEmail->isChecked());
    m_log.logEvent(QStringLiteral("CheckAllarmeEmail ") + boolText(CheckAllarmeEmail->isChecked()));
}

void TMainForm::MostraPopUpClick()
{
    m_settings.writeBool(Settings::Values::popup, MostraPopUp->isChecked());
    if (m_alarmWindow)
        m_alarmWindow->setPopUp(MostraPopUp->isChecked());
}

void TMainForm::AdvBtnImpostazioniClick()
{
    if (m_alarmWindow)
        m_services.dialogs->execModal(*m_alarmWindow);
}

void TMainForm::convertAlarmLimits(const std::function<double(double)>& convert)
{
    if (!m_alarmWindow || !m_alarmWindow->AlarmFormReady)
        return;
    const QString suffix = m_readout->UnitSuffix();
    const QString unit = m_readout->unit() == TempUnit::Fahrenheit ? QStringLiteral("(°F)  ")
                                                                   : QStringLiteral("(°C) ");
    m_alarmWindow->convertTemperatureLimits(convert, messages.strsLimiteTemp + unit, suffix);
}

void TMainForm::SendAlarmEmail()
{
    if (m_emailPage)
        m_emailPage->SendAlarmEmail();
}

void TMainForm::buildChannelPages(TAllarmeForm& w)
{
    // One e-mail channel (one SMTP client, one queue) serves the program.
    m_emailChannel = std::make_unique<EmailChannel>(m_log, m_services.clock);
    m_emailChannel->setErrorPrefix(messages.strsErrore);
    m_regularEmail = std::make_unique<RegularEmailSchedule>(TimerEmailFunzionamRegolare, m_log);
    const auto guard = [this](const std::function<void()>& handler) { guarded(handler); };
    EmailPageHooks emailHooks;
    emailHooks.reading = [this]() -> const Reading& { return reading; };
    emailHooks.now = [this] { return m_services.clock->now().time(); };
    emailHooks.texts = [&w] {
        return EmailPageTextsOfWindow{w.alarmMessages().strsNoValidEmail, w.alarmMessages().sNoValidServer,
            w.alarmMessages().strsNoValidEmail2};
    };
    emailHooks.guard = guard;
    m_emailPage = new EmailPage(m_log, *m_services.dialogs, *m_emailChannel, *m_regularEmail,
        EmailPageControls{&w, w.AdvOfficePager1, w.AdvPageMail, w.LblSMTP, w.LblPorta, w.cmbSSL, w.cmbAuth,
            w.Lblusername, w.Lblpassword, w.LblFrom, w.LblDest, w.LblOggetto, w.TestoEmail, w.InviaEmail,
            w.StatusMemo, w.shStatoEmail, w.chkEmailFunzionamRegolare, w.AdvOfSel_htipo_emailok,
            w.AdvOfSel_h_emailok, w.Label23},
        std::move(emailHooks), this);

    SmsPageHooks smsHooks;
    smsHooks.fill = [this](const QString& text) {
        return EmailTemplate::fill(text, reading, m_services.clock->now(), QLocale::system());
    };
    smsHooks.texts = [&w] {
        return SmsTexts{w.alarmMessages().sNoValidPassword, w.alarmMessages().sNoValidNumber, w.alarmMessages().sNoValidMittente,
            w.alarmMessages().sCaratteri};
    };
    smsHooks.guard = guard;
    m_smsPage = new SmsPage(m_log, m_settings, *m_services.dialogs,
        SmsPageControls{&w, w.lblUserSMS, w.lblPasswordSMS, w.edtMittenteSMS, w.edtDestSMS, w.TestoSMS,
            w.lblNumChar, w.WebBrowser1, w.InviaSMS, w.btnCreditoSMS},
        std::move(smsHooks), this);
}

bool TMainForm::EmailBusy() const
{
    return m_emailChannel && m_emailChannel->EmailBusy();
}
