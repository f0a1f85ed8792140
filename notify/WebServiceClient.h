#pragma once

#include "notify/HttpGet.h"
#include "notify/WebSession.h"
#include "settings/SettingsStore.h"

#include <QObject>

#include <functional>
#include <optional>

class Dialogs;
class EventLog;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressBar;
class QTimer;
class QWidget;
class RequestPool;
class StatusShape;
struct MainMessages;
struct Reading;

// The controls of the page "Web && App" that the client owns.
struct WebServiceControls
{
    QWidget* owner = nullptr; // of the message boxes
    QLineEdit* WebUsername = nullptr;
    QLineEdit* WebPassword = nullptr;
    QAbstractButton* btnLogin = nullptr;
    StatusShape* shStatoLogin = nullptr;
    QProgressBar* ProgressBarLogin = nullptr;
    QTimer* TimerProgressBarLogin = nullptr;
    QComboBox* CodiceSens = nullptr;
    QAbstractButton* btnVerifica = nullptr;
    StatusShape* shStatoSens = nullptr;
    QCheckBox* chkSendWeb = nullptr;
    QCheckBox* chkAbilitaPush = nullptr;
};

// The temperature limits in effect, sent with every upload.
struct UploadLimits
{
    double Tmax = 35;
    double Tmin = 10;
};

struct WebServiceHooks
{
    // The alarm limits in effect; 35 and 10 until the alarm window gives them.
    std::function<UploadLimits()> limits;
    // Runs a completion handler at the program's error boundary.
    std::function<void(const std::function<void()>&)> guard;
};

// The client of the monitoring web service: login, the choice and
// confirmation of the sensor code, the upload of every reading and the push
// request on an alarm. Each request runs on its own InviaWebServerThread;
// the answers come back here, on the user-interface thread, and only here
// is the page changed because of an answer.
class WebServiceClient : public QObject
{
    Q_OBJECT
public:
    // Uploads that may be outstanding at once; one beyond is skipped.
    static constexpr int MaxOutstandingUploads = 8;

    WebServiceClient(EventLog& log, SettingsStore& settings, Dialogs& dialogs,
        const MainMessages& messages, WebServiceControls controls, WebServiceHooks hooks,
        QObject* parent = nullptr);
    ~WebServiceClient() override;

    void btnLoginClick();
    void LogoutWebService();
    void CodiceSensChange();
    void btnVerificaClick() { CheckSensorCode(); }
    void CheckSensorCode();
    void SetSendToServerEnabled(bool on);
    void chkSendWebClick();
    void TimerProgressBarLoginTimer();
    void UploadReading(const Reading& reading);
    void SendPushNotification(const Reading& reading);

    // The typed-character rule of CodiceSens: the character to insert (a
    // capital), or nothing when it is dropped. Backspace always passes.
    static std::optional<QChar> CodiceSensKeyPress(QChar typed, qsizetype currentLength);

    WebState state() const { return m_state; }
    bool LoggedIn() const { return isLoggedIn(m_state); }
    bool SendToServerEnabled() const { return m_state == WebState::Confirmed; }
    // The conditions of the upload step of a sensor report and of the push
    // request of an alarm.
    bool uploadWanted() const;
    bool pushWanted() const;
    int outstandingUploads() const;

    // The page's stored values: the two edits and the two check boxes.
    void readSettings(const SettingsStore::Session& session);
    void saveSettings(SettingsStore::Session& session) const;

    // Where the limits of the uploads come from (the alarm limits in effect).
    void setLimitsSource(std::function<UploadLimits()> limits)
    {
        m_hooks.limits = std::move(limits);
    }

    QString serviceBase() const;
    void setHttpLimits(const HttpLimits& limits) { m_limits = limits; }
    const HttpLimits& httpLimits() const { return m_limits; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoginCompleted(quint64 login, const HttpAnswer& answer);
    void SensorCheckCompleted(quint64 check, const HttpAnswer& answer);
    void enterLoggedIn();
    void setCodeList(const QStringList& codes);
    void stopProgress();
    void runGuarded(const std::function<void()>& handler);

    EventLog& m_log;
    SettingsStore& m_settings;
    Dialogs& m_dialogs;
    const MainMessages& m_messages;
    WebServiceControls m_controls;
    WebServiceHooks m_hooks;
    HttpLimits m_limits;
    WebState m_state = WebState::LoggedOut;
    // Every login start and logout, and every code change, makes the answers
    // of requests started before it stale.
    quint64 m_login = 0;
    quint64 m_check = 0;
    RequestPool* m_requests = nullptr;
    RequestPool* m_uploads = nullptr;
};
