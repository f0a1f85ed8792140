#pragma once

#include "alarms/AlarmEvaluation.h"
#include "i18n/Language.h"
#include "i18n/MainMessages.h"
#include "i18n/MessageTable.h"
#include "platform/PlatformServices.h"
#include "readings/Reading.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class Acquisition;
struct AlarmWindowLinks;
class DeviceDiscovery;
class HelpCommands;
class EmailChannel;
class EmailPage;
class RegularEmailSchedule;
class SmsPage;
class RequestPool;
class Updater;
class UpdateWizard;
class EventLog;
class HidDevice;
class HistoryChart;
class Led;
class LiveReadout;
class MainSettings;
class MeasurementLog;
class MemoView;
class QCheckBox;
class QComboBox;
class QCustomPlot;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QProgressBar;
class QPushButton;
class QSlider;
class QTabWidget;
class QToolButton;
class SensorCommands;
class SettingsStore;
class StatusShape;
class TAboutForm;
class TAllarmeForm;
class TDispInfoForm;
class TEsciForm;
class TTurnOffForm;
class TextTrayIcon;
class ThermometerGauge;
class WebServiceClient;

// The main window: hosts every control of daily use and owns the program's
// process-wide state. The road of one sensor report is HandleInputReport.
class TMainForm : public QWidget
{
    Q_OBJECT
public:
    TMainForm(const PlatformServices& services, EventLog& log, SettingsStore& settings,
        QWidget* parent = nullptr);
    ~TMainForm() override;

    // The windows created after this one, handed over in their order.
    void setDeviceWindow(TDispInfoForm* window);
    void setAlarmWindow(TAllarmeForm* window);
    void setExitWindow(TEsciForm* window);
    void setAboutWindow(TAboutForm* window);
    void setTurnOffWindow(TTurnOffForm* window);

    // Whether the window is shown at start (decided by TextTrayTempStartup).
    bool showAtStart() const { return m_showAtStart; }

    void HandleInputReport(HidDevice* device, quint8 reportId, const QByteArray& data);
    // The push request of an alarm, with the latest reading.
    void SendPushNotification();
    // A send of the e-mail channel is running.
    bool EmailBusy() const;
    EmailChannel& emailChannel() { return *m_emailChannel; }

    void MostraFinestra1Click();
    void TextTrayRHDblClick();
    void NascondiFinestra1Click();
    void TextTrayTempMinimizeToTray();
    void ExitBtnClick();
    // The user session ends (log-off, shut-down, SIGTERM): close without
    // asking.
    void endSession();
    // Runs an event handler at the program's error boundary.
    template <class Handler> void guarded(Handler&& handler);

    // Process-wide state owned by the main window.
    Reading reading;
    bool ExitConfirmed = false;
    Language language = Language::Italian;
    MainMessages messages;

    // The auto-save file chosen by the user; empty means the automatic name.

    // Ribbon.
    QTabWidget* AdvToolBarPager1 = nullptr;
    QWidget* AdvPageAcq = nullptr;
    QWidget* AdvPageImp = nullptr;
    QWidget* AdvPageGraf = nullptr;
    QWidget* AdvPageDisp = nullptr;
    QWidget* AdvPageWeb = nullptr;
    QWidget* AdvPageHelp = nullptr;
    // Page "Acquisizione".
    QToolButton* Inizia1 = nullptr;
    QToolButton* Termina1 = nullptr;
    QToolButton* AdvBtnSalva = nullptr;
    QToolButton* AdvBtnVisualizzaStampa = nullptr;
    QCheckBox* chkAutoSaveLog = nullptr;
    QLineEdit* EditAutoSaveLog = nullptr;
    QLabel* LblAutoSaveTime = nullptr;
    QToolButton* AdvGlowButton1 = nullptr;
    QToolButton* AdvBtnEsporta = nullptr;
    QToolButton* AdvBtnStampa = nullptr;
    // Page "Impostazioni".
    QToolButton* AdvBtnImpostazioni = nullptr;
    QToolButton* CheckAllarmeEmail = nullptr;
    QToolButton* MostraPopUp = nullptr;
    QToolButton* CheckTempTrayIcon = nullptr;
    QToolButton* CheckRHTrayIcon = nullptr;
    QComboBox* cmbGradi = nullptr;
    QComboBox* cmdLingua = nullptr;
    QCheckBox* ChkAvviaRidotto = nullptr;
    QCheckBox* ChkAutoStartMonitor = nullptr;
    QCheckBox* ChkAutoUpdate = nullptr;
    QToolButton* AdvBtnServizio = nullptr;
    // Page "Grafico".
    QToolButton* Abilitato2 = nullptr;
    QToolButton* Svuota1 = nullptr;
    QToolButton* chkTemp = nullptr;
    QToolButton* chkRH = nullptr;
    QToolButton* DrawAll = nullptr;
    QToolButton* ColorTemp = nullptr;
    QToolButton* ColorRH = nullptr;
    QToolButton* AsseVertAutomatico = nullptr;
    QLineEdit* AyMin = nullptr;
    QLineEdit* AyMax = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label15 = nullptr;
    QToolButton* AsseOrizAutomatico = nullptr;
    QPushButton* AsseOrizSec = nullptr;
    QLineEdit* AxValore = nullptr;
    QComboBox* AxValoreMisura = nullptr;
    QPushButton* AsseOrizPerc = nullptr;
    QLineEdit* AxMin = nullptr;
    QLineEdit* AxMax = nullptr;
    // Page "Dispositivo".
    QToolButton* AdvGlowButton2 = nullptr;
    QGroupBox* AdvToolBarBluettoth = nullptr;
    QToolButton* CheckBTon = nullptr;
    QToolButton* CheckBTrilevabile = nullptr;
    QToolButton* CheckRicaricaON = nullptr;
    QSlider* TrackBarRitardo = nullptr;
    QLabel* LblRitardo = nullptr;
    QLabel* Label18 = nullptr;
    QToolButton* BtnSet = nullptr;
    QCheckBox* ChkSelfHeat = nullptr;
    QSlider* TrackBarCalib = nullptr;
    QLabel* LblCal = nullptr;
    // Page "Web && App".
    QComboBox* CodiceSens = nullptr;
    QToolButton* btnVerifica = nullptr;
    StatusShape* shStatoSens = nullptr;
    QCheckBox* chkSendWeb = nullptr;
    QCheckBox* chkAbilitaPush = nullptr;
    QLineEdit* WebUsername = nullptr;
    QLineEdit* WebPassword = nullptr;
    QToolButton* btnLogin = nullptr;
    StatusShape* shStatoLogin = nullptr;
    QProgressBar* ProgressBarLogin = nullptr;
    // Page "Help".
    QToolButton* AdvGlowManuale = nullptr;
    QToolButton* AdvBtnGuida = nullptr;
    QToolButton* AdvBtnWeb = nullptr;
    QToolButton* AdvBtnEmail = nullptr;
    QToolButton* AdvBtnInfo = nullptr;
    QToolButton* AdvBtnUpdate = nullptr;
    // Middle.
    QCustomPlot* Grafico = nullptr;
    QFrame* PanelAttesa = nullptr;
    QPushButton* btnFullScreen = nullptr;
    // Bottom row.
    ThermometerGauge* vrThermoMeterTemp = nullptr;
    ThermometerGauge* vrThermoMeterRH = nullptr;
    QFrame* AdvToolBarInfoT = nullptr;
    QLabel* LblTemps = nullptr;
    QLabel* LblTemp = nullptr;
    QLabel* LblRHs = nullptr;
    QLabel* LblRH = nullptr;
    QLabel* LblDPs = nullptr;
    QLabel* LblDP = nullptr;
    QLabel* LbLTPs = nullptr;
    QLabel* LbLTP = nullptr;
    MemoView* LogMemo = nullptr;
    QToolButton* BtnVisualizzaLog = nullptr;
    QToolButton* BtnClearLog = nullptr;
    QFrame* AdvToolBar1 = nullptr;
    Led* iLedPortOpen = nullptr;
    QPushButton* RDbutton = nullptr;
    QLineEdit* time = nullptr;
    QPushButton* ExitBtn = nullptr;
    // Status bar.
    QFrame* AdvOfficeStatusBar1 = nullptr;
    QLabel* statusPanel0 = nullptr;
    QProgressBar* statusPanel1 = nullptr;
    QLabel* statusPanel2 = nullptr;
    QLabel* statusPanel3 = nullptr;
    // Notification area.
    TextTrayIcon* TextTrayTemp = nullptr;
    TextTrayIcon* TextTrayRH = nullptr;
    QMenu* AdvPopupMenu1 = nullptr;
    QAction* MostraFinestra1 = nullptr;
    QAction* NascondiFinestra1 = nullptr;
    QAction* Esci1 = nullptr;
    // Timers.
    QTimer Timer1;
    QTimer TimerAttesaAllarme;
    QTimer TimerAutoSave;
    QTimer TimerAutoUpdate;
    QTimer TimerEmailFunzionamRegolare;
    QTimer TimerProgressBarLogin;

    // Alarms: the limits in effect (committed by the alarm window), the
    // evaluation's flags and the main window's side of the alarm window.
    AlarmLimits alarmLimits;
    AlarmState alarmState;
    AlarmWindowLinks alarmWindowLinks();
    void EvaluateAlarms();
    void ShowAlarmBalloon(const QString& title, const QString& text);
    void TimerAttesaAllarmeTimer();
    void CheckAllarmeEmailClick();
    void MostraPopUpClick();
    void AdvBtnImpostazioniClick();

    DeviceDiscovery& discovery() { return *m_discovery; }
    Acquisition& acquisition() { return *m_acquisition; }
    LiveReadout& readout() { return *m_readout; }
    HelpCommands& help() { return *m_help; }
    Updater& updater() { return *m_updater; }
    UpdateWizard& updateWizard() { return *m_updateWizard; }
    SensorCommands& sensorCommands() { return *m_sensorCommands; }
    MainSettings& mainSettings() { return *m_mainSettings; }
    MeasurementLog& measurementLog() const { return *m_measurementLog; }
    HistoryChart& chart() { return *m_chart; }
    WebServiceClient& webService() { return *m_webService; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildLayout();
    void buildRibbon();
    void buildMiddleAndBottom();
    void buildStatusBar();
    void buildTrayIcons();
    void createSubsystems();
    void wireHandlers();

    void TextTrayTempStartup(bool& show);
    void earlySettingsRead();
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void FormResize();
    void saveAllSettings();
    void createUpdater();
    QString updateServer() const;
    void UpdateStrings();
    void UpdateChartTitle();
    void updateClockPanel();
    void minimizeApplication();
    void showTrayIconsFromToggles();
    void firstReport(const class InputReport& report);
    void logWriteFailed(const QString& path, const QString& reason);

    void wireAlarmHandlers();
    void buildChannelPages(TAllarmeForm& window);
    void SendAlarmEmail();
    void convertAlarmLimits(const std::function<double(double)>& convert);
    AlarmTexts alarmTexts() const;

    PlatformServices m_services;
    EventLog& m_log;
    SettingsStore& m_settings;
    MessageTable m_messageTable;
    bool m_showAtStart = true;
    bool m_endingSession = false;
    bool m_closing = false;
    QTimer m_clockTimer;

    TDispInfoForm* m_deviceWindow = nullptr;
    TAllarmeForm* m_alarmWindow = nullptr;
    TEsciForm* m_exitWindow = nullptr;
    TAboutForm* m_aboutWindow = nullptr;
    TTurnOffForm* m_turnOffWindow = nullptr;

    std::unique_ptr<DeviceDiscovery> m_discovery;
    std::unique_ptr<Acquisition> m_acquisition;
    std::unique_ptr<LiveReadout> m_readout;
    std::unique_ptr<HelpCommands> m_help;
    std::unique_ptr<EmailChannel> m_emailChannel;
    std::unique_ptr<RegularEmailSchedule> m_regularEmail;
    EmailPage* m_emailPage = nullptr;
    SmsPage* m_smsPage = nullptr;
    RequestPool* m_updateRequests = nullptr;
    std::unique_ptr<Updater> m_updater;
    UpdateWizard* m_updateWizard = nullptr;
    std::unique_ptr<SensorCommands> m_sensorCommands;
    std::unique_ptr<MainSettings> m_mainSettings;
    std::unique_ptr<MeasurementLog> m_measurementLog;
    std::unique_ptr<HistoryChart> m_chart;
    std::unique_ptr<WebServiceClient> m_webService;
};

#include "platform/ErrorBoundary.h"

template <class Handler> void TMainForm::guarded(Handler&& handler)
{
    ErrorBoundary::run(m_services.dialogs, this, std::forward<Handler>(handler));
}
