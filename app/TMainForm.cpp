#include "TMainForm.h"

#include "app/HelpCommands.h"
#include "alarms/TAllarmeForm.h"
#include "app/MainSettings.h"
#include "app/NotYetBuilt.h"
#include "app/TAboutForm.h"
#include "notify/EmailChannel.h"
#include "notify/EmailPage.h"
#include "notify/RegularEmail.h"
#include "notify/HttpGet.h"
#include "notify/RequestPool.h"
#include "app/UpdateWizard.h"
#include "app/Updater.h"
#include "app/TEsciForm.h"
#include "log/EventLog.h"
#include "notify/WebServiceClient.h"
#include "platform/Clock.h"
#include "platform/ColourSelector.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/HidController.h"
#include "platform/Led.h"
#include "platform/Shell.h"
#include "platform/TextTrayIcon.h"
#include "platform/ThermometerGauge.h"
#include "platform/Version.h"
#include "readings/HistoryChart.h"
#include "readings/LiveReadout.h"
#include "readings/MeasurementLog.h"
#include "readings/MemoView.h"
#include "sensor/Acquisition.h"
#include "sensor/DeviceDiscovery.h"
#include "sensor/InputReport.h"
#include "sensor/SensorCommands.h"
#include "sensor/SensorKind.h"
#include "sensor/TDispInfoForm.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSysInfo>
#include <QTabWidget>
#include <QToolButton>

#include <qcustomplot.h>

TMainForm::TMainForm(const PlatformServices& services, EventLog& log, SettingsStore& settings, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_log(log)
    , m_settings(settings)
    , m_messageTable(MessageTable::load(QStringLiteral(":/i18n/main.json")))
{
    buildLayout();
    createSubsystems();
    wireHandlers();
    bool show = true;
    TextTrayTempStartup(show);
    m_showAtStart = show;
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::setDeviceWindow(TDispInfoForm* window)
{
    m_deviceWindow = window;
    m_discovery->setDeviceWindow(window);
    m_acquisition->setDeviceWindow(window);
}

void TMainForm::setAlarmWindow(TAllarmeForm* window)
{
    m_alarmWindow = window;
}

void TMainForm::setExitWindow(TEsciForm* window)
{
    m_exitWindow = window;
}

void TMainForm::setAboutWindow(TAboutForm* window)
{
    m_aboutWindow = window;
    m_help->setWindows(window, m_deviceWindow);
}

void TMainForm::setTurnOffWindow(TTurnOffForm* window)
{
    m_turnOffWindow = window;
}

void TMainForm::createUpdater()
{
    m_updateRequests = new RequestPool(this);
    Updater::Fetch fetch = [this](const QString& url, qsizetype maxBytes,
                               std::function<void(bool, const QByteArray&, const QString&)> done) {
        HttpLimits limits;
        limits.maxBytes = maxBytes;
        limits.totalMs = maxBytes > Updater::ControlFileLimit ? 600000 : 20000;
        m_updateRequests->start(url, limits,
            [done](const HttpAnswer& answer) { done(answer.ok, answer.body, answer.error); });
    };
    m_updater = std::make_unique<Updater>(std::move(fetch), *m_services.shell, fileVersion());
    m_updateWizard = new UpdateWizard(*m_updater, *m_services.dialogs, this);
}

QString TMainForm::updateServer() const
{
    return m_settings.textOrDefault(Settings::Values::UpdateServer);
}

void TMainForm::saveAllSettings()
{
    m_mainSettings->SaveSettings();
    if (m_alarmWindow)
        m_alarmWindow->SaveAlarmSettings();
}

void TMainForm::createSubsystems()
{
    const auto convertChart = [this](const std::function<double(double)>& convert) {
        m_chart->convertTemperatures(convert);
    };
    m_readout = std::make_unique<LiveReadout>(messages, m_settings,
        ReadoutControls{LblTemp, LblRH, LblDP, LbLTP, vrThermoMeterTemp, vrThermoMeterRH,
            TextTrayTemp, TextTrayRH, cmbGradi, CheckTempTrayIcon, CheckRHTrayIcon, ChkAvviaRidotto,
            RDbutton, AyMin, AyMax, Label12, Label15},
        ReadoutHooks{convertChart,
            [this](const std::function<double(double)>& convert) { convertAlarmLimits(convert); }});

    DiscoveryControls discoveryControls{iLedPortOpen, statusPanel0, RDbutton, Inizia1, &Timer1,
        time, ChkAutoStartMonitor, chkRH, CheckRHTrayIcon, vrThermoMeterRH, ChkSelfHeat,
        {LblRH, LblRHs, LblDP, LblDPs, LbLTP, LbLTPs}, TextTrayRH, AdvToolBarBluettoth, LogMemo,
        BtnVisualizzaLog, BtnClearLog};
    DiscoveryHooks discoveryHooks{
        [this] { guarded([this] { m_acquisition->RDbuttonClick(); }); },
        [this] { UpdateChartTitle(); },
        [this](bool shown) { m_chart->showHumiditySeries(shown); },
    };
    m_discovery = std::make_unique<DeviceDiscovery>(
        *m_services.hid, m_log, messages, std::move(discoveryControls), std::move(discoveryHooks));

    AcquisitionControls acquisitionControls{RDbutton, Inizia1, Termina1, time, statusPanel0, statusPanel1, &Timer1,
        iLedPortOpen, TextTrayTemp, TextTrayRH, CheckRHTrayIcon, AsseOrizAutomatico, statusPanel2};
    const HidDevice::ReportHandler reportHandler
        = [this](HidDevice* device, quint8 reportId, const QByteArray& data) {
              guarded([&] { HandleInputReport(device, reportId, data); });
          };
    AcquisitionHooks acquisitionHooks{
        reportHandler,
        [this] { m_measurementLog->clear(); },
        [this] { m_readout->showStopped(); },
        [this] { m_chart->ApplyHorizontalAxis(); },
        [this] { return m_discovery->HasHumidity; },
    };
    m_acquisition = std::make_unique<Acquisition>(
        m_log, *m_services.clock, messages, std::move(acquisitionControls), std::move(acquisitionHooks));

    const auto unitSuffix = [this] {
        return m_readout->UnitSuffix();
    };
    const auto hasHumidity = [this] {
        return m_discovery->HasHumidity;
    };
    MeasurementLogContext logContext{m_log, *m_services.clock, m_services.dialogs, m_services.shell,
        messages, language, this, unitSuffix, hasHumidity};
    MeasurementLogControls logControls{LogMemo, BtnVisualizzaLog, BtnClearLog, AdvBtnSalva,
        AdvBtnVisualizzaStampa, chkAutoSaveLog, EditAutoSaveLog, LblAutoSaveTime, AdvGlowButton1,
        CodiceSens, statusPanel2, &TimerAutoSave};
    m_measurementLog
        = std::make_unique<MeasurementLog>(std::move(logContext), std::move(logControls));

    const auto acquisitionStart = [this] {
        return m_acquisition->AcquisitionStart;
    };
    ChartContext chartContext{m_log, *m_services.clock, m_services.dialogs, m_settings, messages,
        language, this, acquisitionStart};
    ChartControls chartControls{Grafico, btnFullScreen, Abilitato2, Svuota1, chkTemp, chkRH,
        DrawAll, ColorTemp, ColorRH, AsseVertAutomatico, AyMin, AyMax, AsseOrizAutomatico,
        AsseOrizSec, AsseOrizPerc, AxValore, AxValoreMisura, AxMin, AxMax, cmbGradi};
    m_chart = std::make_unique<HistoryChart>(std::move(chartContext), std::move(chartControls));

    m_sensorCommands = std::make_unique<SensorCommands>(m_log, m_services.dialogs, this,
        *m_acquisition, *m_discovery,
        SensorCommandControls{TrackBarRitardo, LblRitardo, Label18, ChkSelfHeat, CheckBTon,
            CheckBTrilevabile, CheckRicaricaON, TrackBarCalib, LblCal, PanelAttesa, statusPanel1},
        reportHandler);
    m_mainSettings = std::make_unique<MainSettings>(*this, m_settings, m_log);

    createUpdater();
    connect(&TimerEmailFunzionamRegolare, &QTimer::timeout, this, [this] {
        guarded([this] {
            if (m_emailPage)
                m_emailPage->TimerEmailFunzionamRegolareTimer();
        });
    });
    HelpHooks helpHooks;
    helpHooks.language = [this] { return language; };
    helpHooks.saveAllSettings = [this] { saveAllSettings(); };
    helpHooks.runUpdateWizard = [this] {
        m_updateWizard->setItalian(language == Language::Italian);
        m_updater->setServer(updateServer());
        m_updater->setLogFile(m_log.updateLogPath());
        m_services.dialogs->execModal(*m_updateWizard);
    };
    helpHooks.checkForUpdate = [this](std::function<void(bool)> answer) {
        m_updater->setServer(updateServer());
        m_updater->setLogFile(m_log.updateLogPath());
        m_updater->check([answer](const Updater::Result& result) {
            answer(result.outcome == Updater::Outcome::NewVersion);
        });
    };
    helpHooks.startBackgroundUpdate = [this] { m_updater->startBackgroundUpdate(); };
    m_help = std::make_unique<HelpCommands>(m_services, m_log, messages, this, std::move(helpHooks));

    WebServiceControls webControls{this, WebUsername, WebPassword, btnLogin, shStatoLogin,
        ProgressBarLogin, &TimerProgressBarLogin, CodiceSens, btnVerifica, shStatoSens, chkSendWeb,
        chkAbilitaPush};
    WebServiceHooks webHooks{
        [this] { return UploadLimits{alarmLimits.Tmax, alarmLimits.Tmin}; },
        [this](const std::function<void()>& handler) { guarded(handler); },
    };
    m_webService = std::make_unique<WebServiceClient>(m_log, m_settings, *m_services.dialogs,
        messages, std::move(webControls), std::move(webHooks));
}

void TMainForm::wireHandlers()
{
    const auto onClick = [this](QAbstractButton* button, auto handler) {
        connect(button, &QAbstractButton::clicked, this, [this, handler] { guarded(handler); });
    };
    const auto startStop = [this] {
        m_acquisition->RDbuttonClick();
    };
    onClick(RDbutton, startStop);
    onClick(Inizia1, startStop);
    onClick(Termina1, startStop);
    onClick(ExitBtn, [this] { ExitBtnClick(); });
    onClick(CheckTempTrayIcon, [this] { m_readout->CheckTempTrayIconClick(); });
    onClick(CheckRHTrayIcon, [this] { m_readout->CheckRHTrayIconClick(); });
    onClick(AdvGlowButton2, [this] { m_help->Informazioni2Click(); });
    onClick(AdvGlowManuale, [this] { m_help->Guida1Click(); });
    onClick(AdvBtnGuida, [this] { m_help->Guidainlinea1Click(); });
    onClick(AdvBtnWeb, [this] { m_help->AdvBtnWebClick(); });
    onClick(AdvBtnEmail, [this] { m_help->Contatti1Click(); });
    onClick(AdvBtnInfo, [this] { m_help->Informazioni1Click(); });
    onClick(AdvBtnUpdate, [this] { m_help->AdvBtnUpdateClick(); });
    onClick(AdvBtnServizio, [this] { m_help->AdvBtnServizioClick(); });
    connect(&TimerAutoUpdate, &QTimer::timeout, this,
        [this] { guarded([this] { m_help->TimerAutoUpdateTimer(TimerAutoUpdate); }); });
    onClick(btnLogin, [this] { m_webService->btnLoginClick(); });
    onClick(btnVerifica, [this] { m_webService->btnVerificaClick(); });
    onClick(chkSendWeb, [this] { m_webService->chkSendWebClick(); });
    connect(CodiceSens, &QComboBox::editTextChanged, this,
        [this] { guarded([this] { m_webService->CodiceSensChange(); }); });
    connect(&TimerProgressBarLogin, &QTimer::timeout, this,
        [this] { guarded([this] { m_webService->TimerProgressBarLoginTimer(); }); });
    connect(cmbGradi, &QComboBox::currentIndexChanged, this,
        [this] { guarded([this] { m_readout->cmbGradiChange(reading); }); });
    connect(
        cmdLingua, &QComboBox::currentIndexChanged, this, [] { NotYetBuilt::cmdLinguaChange(); });

    for (QAbstractButton* sender : std::initializer_list<QAbstractButton*>{
             BtnSet, CheckBTon, CheckBTrilevabile, CheckRicaricaON})
        onClick(sender, [this] { m_sensorCommands->InviaImpostazioni(); });
    connect(TrackBarRitardo, &QSlider::valueChanged, this,
        [this] { guarded([this] { m_sensorCommands->TrackBarRitardoChange(); }); });
    connect(TrackBarCalib, &QSlider::valueChanged, this,
        [this] { guarded([this] { m_sensorCommands->TrackBarCalibChange(); }); });
    m_mainSettings->connectOnChangeWriters();

    // Measurement log.
    MeasurementLog& memo = *m_measurementLog;
    onClick(AdvBtnSalva, [&memo] { memo.AdvBtnSalvaClick(); });
    onClick(BtnVisualizzaLog, [&memo] { memo.BtnVisualizzaLogClick(); });
    onClick(BtnClearLog, [&memo] { memo.BtnClearLogClick(); });
    onClick(AdvGlowButton1, [&memo] { memo.AdvGlowButton1Click(); });
    onClick(chkAutoSaveLog, [&memo] { memo.chkAutoSaveLogClick(); });
    onClick(AdvBtnVisualizzaStampa, [&memo] { memo.AdvBtnVisualizzaStampaClick(); });
    connect(EditAutoSaveLog, &QLineEdit::textChanged, this,
        [this, &memo] { guarded([&memo] { memo.EditAutoSaveLogChange(); }); });
    connect(&TimerAutoSave, &QTimer::timeout, this,
        [this, &memo] { guarded([&memo] { memo.TimerAutoSaveTimer(); }); });

    // History chart.
    HistoryChart& chart = *m_chart;
    onClick(chkTemp, [&chart] { chart.chkTempClick(); });
    onClick(chkRH, [&chart] { chart.chkRHClick(); });
    onClick(Svuota1, [&chart] { chart.Svuota1Click(); });
    onClick(DrawAll, [&chart] { chart.DrawAllClick(); });
    onClick(AsseVertAutomatico, [&chart] { chart.AsseVertAutomaticoClick(); });
    onClick(AsseOrizAutomatico, [&chart] { chart.AsseOrizAutomaticoClick(); });
    onClick(AsseOrizPerc, [&chart] { chart.ApplyHorizontalAxis(); });
    onClick(AsseOrizSec, [&chart] { chart.ApplyHorizontalAxis(); });
    onClick(btnFullScreen, [&chart] { chart.btnFullScreenClick(); });
    onClick(AdvBtnStampa, [&chart] { chart.AdvBtnStampaClick(); });
    onClick(AdvBtnEsporta, [&chart] { chart.AdvBtnEsportaClick(); });
    const auto onEdit = [this](QLineEdit* edit, auto handler) {
        connect(edit, &QLineEdit::textChanged, this, [this, handler] { guarded(handler); });
    };
    onEdit(AyMin, [&chart] { chart.AyMinChange(); });
    onEdit(AyMax, [&chart] { chart.AyMaxChange(); });
    onEdit(AxMin, [&chart] { chart.AxMinChange(); });
    onEdit(AxMax, [&chart] { chart.AxMaxChange(); });
    onEdit(AxValore, [&chart] { chart.AxValoreChange(); });
    connect(AxValoreMisura, &QComboBox::currentIndexChanged, this,
        [this, &chart] { guarded([&chart] { chart.ApplyHorizontalAxis(); }); });
    connect(Grafico, &QCustomPlot::mouseDoubleClick, this,
        [this, &chart] { guarded([&chart] { chart.GraficoDblClick(); }); });

    connect(&Timer1, &QTimer::timeout, this, [this] { guarded([this] { m_acquisition->Timer1Timer(); }); });
    Timer1.setInterval(1000);
    TimerAttesaAllarme.setInterval(3600000);
    TimerAutoUpdate.setInterval(HelpCommands::FirstCheckMs);
    TimerEmailFunzionamRegolare.setInterval(1000);
    TimerProgressBarLogin.setInterval(100);

    connect(MostraFinestra1, &QAction::triggered, this,
        [this] { guarded([this] { MostraFinestra1Click(); }); });
    connect(NascondiFinestra1, &QAction::triggered, this,
        [this] { guarded([this] { NascondiFinestra1Click(); }); });
    connect(Esci1, &QAction::triggered, this, [this] { guarded([this] { ExitBtnClick(); }); });
    connect(TextTrayTemp, &TextTrayIcon::doubleClicked, this,
        [this] { guarded([this] { MostraFinestra1Click(); }); });
    connect(TextTrayRH, &TextTrayIcon::doubleClicked, this,
        [this] { guarded([this] { TextTrayRHDblClick(); }); });

    wireAlarmHandlers();

    connect(&m_log, &EventLog::writeFailed, this, &TMainForm::logWriteFailed);
    connect(&m_log, &EventLog::writeRecovered, this, [this] { statusPanel2->clear(); });

    m_clockTimer.setInterval(1000);
    connect(&m_clockTimer, &QTimer::timeout, this, &TMainForm::updateClockPanel);
}

void TMainForm::logWriteFailed(const QString& path, const QString& reason)
{
    // Told once per run of failures, in the status bar: a box per lost line
    // would pile up while nobody watches the program.
    statusPanel2->setText(QStringLiteral("Log non scrivibile: ") + reason);
    statusPanel2->setToolTip(path + QStringLiteral(": ") + reason);
}

void TMainForm::TextTrayTempStartup(bool& show)
{
    // The date and time formats of the whole program are the fixed ones of
    // the log and memo lines ("dd/MM/yy", ":"), set where the texts are made.
    m_log.init(m_services.folders->dataHome(), m_services.folders->executableFolder(),
        m_services.clock->now().time());
    m_log.logEvent(QStringLiteral("Startup"));
    earlySettingsRead();
    m_readout->ApplyTrayIcons();

    const bool anyIcon = TextTrayTemp->isVisible() || TextTrayRH->isVisible();
    const bool tray = m_services.shell->hasNotificationArea();
    if (ChkAvviaRidotto->isChecked() && anyIcon && !tray)
        m_log.logEvent(QStringLiteral("no notification area: starting shown"));
    if (ChkAvviaRidotto->isChecked() && anyIcon && tray) {
        show = false;
        NascondiFinestra1->setEnabled(false);
        MostraFinestra1->setEnabled(true);
        m_log.logEvent(QStringLiteral("hidden form"));
    } else {
        show = true;
        NascondiFinestra1->setEnabled(true);
        MostraFinestra1->setEnabled(false);
        m_log.logEvent(QStringLiteral("visible form"));
    }
}

void TMainForm::earlySettingsRead()
{
    using namespace Settings::Values;
    auto session = m_settings.open();
    if (!session.isOpen())
        return;
    if (auto value = session.readBool(StartMinimized))
        ChkAvviaRidotto->setChecked(*value);
    if (auto value = session.readBool(icona_temp))
        CheckTempTrayIcon->setChecked(*value);
    if (auto value = session.readBool(icona_RH))
        CheckRHTrayIcon->setChecked(*value);
}

void TMainForm::FormCreate()
{
    m_log.logEvent(QStringLiteral("Starting app - show=")
        + (m_showAtStart ? QStringLiteral("-1") : QStringLiteral("0")));
    m_log.logEvent(QStringLiteral("App vers ") + fileVersion());
    m_log.logEvent(QStringLiteral("dir ") + m_services.folders->currentFolder());
#ifdef Q_OS_WIN
    m_log.logEvent(QStringLiteral("win ") + QSysInfo::kernelVersion());
#else
    m_log.logEvent(QStringLiteral("os ") + QSysInfo::prettyProductName() + QLatin1Char(' ')
        + QSysInfo::kernelVersion());
#endif
    UpdateStrings();
    AdvToolBarPager1->setCurrentIndex(0);
    m_acquisition->CurrentDevice = nullptr;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.width() / 2 - width() / 2, area.height() / 2 - height() / 2);
    }
    statusPanel1->setMaximum(TrackBarRitardo->value());
    LblRitardo->setText(QString::number(TrackBarRitardo->value()));

    vrThermoMeterRH->setScale(0, 100);
    vrThermoMeterRH->setSteps(5, 20);
    vrThermoMeterRH->setValue(0);
    vrThermoMeterRH->setPeaks(0, 100);
    vrThermoMeterTemp->setScale(0, 60);
    vrThermoMeterTemp->setSteps(2.5, 10);
    vrThermoMeterTemp->setValue(0);
    vrThermoMeterTemp->setPeaks(0, 60);
    vrThermoMeterTemp->setCaption(messages.strsTemp);
    vrThermoMeterRH->setCaption(messages.strsUmi);

    TextTrayTemp->setText(QStringLiteral("OF"));
    TextTrayRH->setText(QStringLiteral("OF"));
    CheckRHTrayIcon->setEnabled(false);
    TextTrayRH->setVisible(false);

    m_mainSettings->ReadSettings();
    ColourSelector::setColour(*ColorTemp, m_chart->temperatureColour());
    ColourSelector::setColour(*ColorRH, m_chart->humidityColour());
    TimerAttesaAllarme.start();
    if (ChkAutoUpdate->isChecked())
        TimerAutoUpdate.start();
    m_log.logEvent(QStringLiteral("App started"));
}

void TMainForm::UpdateStrings()
{
    messages.load(m_messageTable, language);
}

void TMainForm::UpdateChartTitle()
{
    m_chart->UpdateChartTitle();
}

void TMainForm::HandleInputReport(
    HidDevice* /*device*/, quint8 /*reportId*/, const QByteArray& data)
{
    Acquisition& acquisition = *m_acquisition;
    if (acquisition.ReportsToSkip > 0) {
        acquisition.ReportsToSkip = 0;
        return;
    }
    PanelAttesa->hide();

    const InputReport report = InputReport::decode(data);
    const double celsius = report.rawTemperature / 100.0 + TrackBarCalib->value() / 10.0;
    if (!InputReport::isValidCelsius(celsius))
        return;

    m_readout->computeReading(reading, celsius, report.rawHumidity);
    m_measurementLog->addLine(reading);
    m_chart->addPoints(reading);
    m_readout->show(reading);

    statusPanel1->setMaximum(report.interval);
    statusPanel1->setValue(0);

    if (acquisition.FirstReport)
        firstReport(report);

    if (m_webService->uploadWanted())
        m_webService->UploadReading(reading);
    EvaluateAlarms();
}

void TMainForm::SendPushNotification()
{
    m_webService->SendPushNotification(reading);
}

void TMainForm::firstReport(const InputReport& report)
{
    m_log.logEvent(QStringLiteral("primodatoricevuto"));
    m_sensorCommands->alignInterval(report.interval);
    ChkSelfHeat->setChecked(report.selfHeating);
    if (m_discovery->DeviceVersion == BluetoothFirmware) {
        CheckBTon->setChecked(report.radio);
        CheckBTrilevabile->setChecked(report.discoverable);
        CheckRicaricaON->setChecked(report.charging);
    }
    m_readout->resetPeaks(reading);
    m_acquisition->FirstReport = false;
}

void TMainForm::showTrayIconsFromToggles()
{
    TextTrayRH->setVisible(CheckRHTrayIcon->isChecked());
    TextTrayTemp->setVisible(CheckTempTrayIcon->isChecked());
}

void TMainForm::minimizeApplication()
{
    // With an icon to come back through, the window goes into the
    // notification area; otherwise it minimises to the task bar.
    if (TextTrayTemp->minimizeToTray() && m_services.shell->hasNotificationArea()) {
        hide();
        TextTrayTempMinimizeToTray();
    } else {
        showMinimized();
    }
}

void TMainForm::MostraFinestra1Click()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    NascondiFinestra1->setEnabled(true);
    MostraFinestra1->setEnabled(false);
}

void TMainForm::TextTrayRHDblClick()
{
    MostraFinestra1Click();
}

void TMainForm::NascondiFinestra1Click()
{
    minimizeApplication();
    showTrayIconsFromToggles();
}

void TMainForm::TextTrayTempMinimizeToTray()
{
    NascondiFinestra1->setEnabled(false);
    MostraFinestra1->setEnabled(true);
}

void TMainForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()
        && TextTrayTemp->minimizeToTray() && m_services.shell->hasNotificationArea()) {
        // Leave the state change first, then hide.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isMinimized()) {
                    hide();
                    TextTrayTempMinimizeToTray();
                }
            },
            Qt::QueuedConnection);
    }
}

void TMainForm::ExitBtnClick()
{
    close();
}

bool TMainForm::FormCloseQuery()
{
    if (m_exitWindow)
        m_services.dialogs->execModal(*m_exitWindow);
    const bool canClose = ExitConfirmed;
    m_log.logEvent(QStringLiteral("canCloseQuery: ")
        + (canClose ? QStringLiteral("-1") : QStringLiteral("0")));
    return canClose;
}

void TMainForm::FormClose()
{
    saveAllSettings();
    m_log.logEvent(QStringLiteral("Exit"));
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    bool canClose = m_endingSession;
    if (!canClose) {
        guarded([&] { canClose = FormCloseQuery(); });
    }
    if (!canClose) {
        event->ignore();
        return;
    }
    m_closing = true;
    guarded([this] { FormClose(); });
    event->accept();
    TextTrayTemp->setVisible(false);
    TextTrayRH->setVisible(false);
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void TMainForm::endSession()
{
    m_endingSession = true;
    if (m_exitWindow && m_exitWindow->isVisible())
        m_exitWindow->reject();
    if (!m_closing)
        close();
}

void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_exitWindow && m_exitWindow->isVisible())
        m_exitWindow->reject();
    updateClockPanel();
    m_clockTimer.start();
}

void TMainForm::updateClockPanel()
{
    if (!isVisible()) {
        m_clockTimer.stop();
        return;
    }
    statusPanel3->setText(m_services.clock->now().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TMainForm::FormResize()
{
    AdvToolBarInfoT->move(AdvToolBarInfoT->x(), vrThermoMeterTemp->y() - 1);
    AdvToolBar1->move(width() - AdvToolBar1->width() - 14, vrThermoMeterTemp->y() - 1);
    AdvToolBarInfoT->resize(
        AdvToolBar1->x() - AdvToolBarInfoT->x() - 10, AdvToolBarInfoT->height());
    LogMemo->resize(AdvToolBarInfoT->width() - LogMemo->x() - 13, LogMemo->height());
}
