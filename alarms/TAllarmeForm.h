#pragma once

#include "alarms/AlarmEvaluation.h"
#include "i18n/AlarmMessages.h"
#include "i18n/Language.h"
#include "i18n/MessageTable.h"
#include "settings/SettingsStore.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class Dialogs;
class EventLog;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class StatusShape;

// What the alarm window needs of the main window, handed in at creation.
class TAllarmeForm;

struct AlarmWindowLinks
{
    std::function<Language()> language;
    std::function<QString()> unitSuffix;
    // The e-mail alarm toggle CheckAllarmeEmail: its state, and setting it
    // without running its click handling.
    std::function<bool()> emailAlarmToggle;
    std::function<void(bool)> setEmailAlarmToggle;
    // The popup toggle MostraPopUp, set without its click handling.
    std::function<void(bool)> setPopUpToggle;
    // The period of the wait timer TimerAttesaAllarme in milliseconds.
    std::function<int()> waitPeriodMs;
    std::function<void(int)> setWaitPeriodMs;
    // Starts the program (or opens the document) whose path the user chose.
    std::function<void(const QString&)> startProgram;
    // The e-mail and SMS pages are built: their channels take them over.
    std::function<void(TAllarmeForm&)> pagesBuilt;
    // The e-mail composition step and the regular e-mail's check box handling.
    std::function<void()> prepareEmailMessage;
    std::function<void()> regularEmailClick;
};

// The switches of this window that the alarm evaluation reads at every
// reading, with the limit texts as typed.
struct AlarmSwitches
{
    bool smsAlarm = false;
    bool emailOnReturn = false;
    bool startProgram = false;
    bool shutdown = false;
    QString tempMinText;
    QString tempMaxText;
    QString rhMinText;
    QString rhMaxText;
};

// The alarm settings window. Created once at start-up, after the device
// information window; shown modally and hidden when closed. Its controls are
// the working copy of the alarm settings; the limits in effect are committed
// from its fields into the main window's AlarmLimits.
class TAllarmeForm : public QDialog
{
    Q_OBJECT
public:
    TAllarmeForm(QWidget* mainWindow, EventLog& log, SettingsStore& settings, Dialogs& dialogs,
        AlarmLimits& limits, AlarmWindowLinks links);
    ~TAllarmeForm() override;

    void ReadAlarmSettings();
    void SaveAlarmSettings();
    void CommitAlarmLimits();
    void UpdateStrings();

    // True once the creation has committed the limits.
    bool AlarmFormReady = false;

    // For the main window --------------------------------------------------
    QString recipients() const;
    // Sets CheckAllarme; its own handling runs when the state changes.
    void setEmailAlarm(bool on);
    // Sets chkPopUp without any handling.
    void setPopUp(bool on);
    AlarmSwitches switches() const;
    // The temperature unit switch: converts the temperature limits and the
    // two thresholds, commits them and relabels the group and the units.
    void convertTemperatureLimits(const std::function<double(double)>& convert,
        const QString& groupCaption, const QString& unitSuffix);
    // Starts the chosen program.
    void BtnStartProgrClick();

    const AlarmMessages& alarmMessages() const { return m_messages; }

    // Pager and buttons.
    QTabWidget* AdvOfficePager1 = nullptr;
    QWidget* AdvPageAlarm = nullptr;
    QWidget* AdvPageMail = nullptr;
    QWidget* AdvPageSMS = nullptr;
    QPushButton* OK = nullptr;
    // Page "Impostazioni Allarmi".
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* LimiteTempMin = nullptr;
    QLineEdit* LimiteTempMax = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLineEdit* LimiteRHMin = nullptr;
    QLineEdit* LimiteRHMax = nullptr;
    QCheckBox* CheckAllarme = nullptr;
    QLineEdit* IntervalloAllarme = nullptr;
    QLabel* LabelIntervallo = nullptr;
    QComboBox* AdvOfSel_h = nullptr;
    QComboBox* AdvOfSel_m = nullptr;
    QComboBox* AdvOfSel_s = nullptr;
    QCheckBox* chkEmailFunzionamRegolare = nullptr;
    QComboBox* AdvOfSel_htipo_emailok = nullptr;
    QComboBox* AdvOfSel_h_emailok = nullptr;
    QLabel* Label23 = nullptr;
    QCheckBox* ChkEmailOK = nullptr;
    QCheckBox* ChkShutDown = nullptr;
    QLineEdit* EditTempShutdown = nullptr;
    QLabel* LblUnitShutdown = nullptr;
    QCheckBox* ChkStartProgr = nullptr;
    QLineEdit* EditTempStartApp = nullptr;
    QLabel* LblUnitStartApp = nullptr;
    QLineEdit* EditStartProgr = nullptr;
    QPushButton* BtnStartProgr = nullptr;
    QCheckBox* chkPopUp = nullptr;
    QCheckBox* chkSMS = nullptr;
    QLineEdit* EditIsteresi = nullptr;
    QLabel* LblIsteresi = nullptr;
    // Page "Impostazioni eMail".
    QLineEdit* LblSMTP = nullptr;
    QLineEdit* LblPorta = nullptr;
    QComboBox* cmbSSL = nullptr;
    QComboBox* cmbAuth = nullptr;
    QLineEdit* Lblusername = nullptr;
    QLineEdit* Lblpassword = nullptr;
    QCheckBox* chkSavePassword = nullptr;
    QLineEdit* LblFrom = nullptr;
    QLineEdit* LblDest = nullptr;
    QLineEdit* LblOggetto = nullptr;
    QPlainTextEdit* TestoEmail = nullptr;
    QPushButton* InviaEmail = nullptr;
    QPlainTextEdit* StatusMemo = nullptr;
    StatusShape* shStatoEmail = nullptr;
    // Page "SMS".
    QLineEdit* lblUserSMS = nullptr;
    QLineEdit* lblPasswordSMS = nullptr;
    QCheckBox* chkSavePasswordSMS = nullptr;
    QLineEdit* edtMittenteSMS = nullptr;
    QLineEdit* edtDestSMS = nullptr;
    QPlainTextEdit* TestoSMS = nullptr;
    QLabel* lblNumChar = nullptr;
    QPushButton* InviaSMS = nullptr;
    QPushButton* btnCreditoSMS = nullptr;
    QTextBrowser* WebBrowser1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    QWidget* buildAlarmPage();
    QWidget* buildMailPage();
    QWidget* buildSmsPage();
    void wireHandlers();
    void FormCreate();
    void FormShow();

    void OKClick();
    void CheckAllarmeChange();
    void chkPopUpClick();
    void ChkShutDownClick();
    void recipientExit();
    void limitChange(QLineEdit* field);
    void IntervalloAllarmeChange();
    void selectorChange();

    // One limit field: its partner, its rule, where it commits and what it
    // logs.
    struct LimitField
    {
        QLineEdit* edit;
        QLineEdit* partner;
        int rule; // AlarmFields::Rule
        double AlarmLimits::*limit;
        const char* logPrefix;
    };
    void commitField(const LimitField& field);
    const LimitField* limitField(const QObject* edit) const;

    bool integerFilterOn() const;
    bool filterKey(QObject* watched, const QString& text) const;

    // The control that holds each stored value.
    QWidget* controlOf(const Settings::Value& value) const;
    void readValue(const SettingsStore::Session& session, const Settings::Value& value);

    template <class Handler> void guarded(Handler&& handler);
    void log(const QString& line) const;

    EventLog& m_log;
    SettingsStore& m_settings;
    Dialogs& m_dialogs;
    AlarmLimits& m_limits;
    AlarmWindowLinks m_links;
    MessageTable m_table;
    AlarmMessages m_messages;
    std::array<LimitField, 6> m_fields{};
    std::vector<std::pair<const Settings::Value*, QWidget*>> m_bindings;
    bool m_selectorsSuppressed = false;
    bool m_converting = false;
};
