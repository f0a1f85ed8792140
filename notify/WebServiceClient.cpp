#include "WebServiceClient.h"

#include "platform/ErrorBoundary.h"
#include "i18n/MainMessages.h"
#include "log/EventLog.h"
#include "notify/RequestPool.h"
#include "notify/WebServiceProtocol.h"
#include "platform/Dialogs.h"
#include "platform/StatusShape.h"
#include "readings/Reading.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QTimer>

namespace {

const QColor red(255, 0, 0);
const QColor green(0, 128, 0);

} // namespace

WebServiceClient::WebServiceClient(EventLog& log, SettingsStore& settings, Dialogs& dialogs,
    const MainMessages& messages, WebServiceControls controls, WebServiceHooks hooks,
    QObject* parent)
    : QObject(parent)
    , m_log(log)
    , m_settings(settings)
    , m_dialogs(dialogs)
    , m_messages(messages)
    , m_controls(controls)
    , m_hooks(std::move(hooks))
    , m_requests(new RequestPool(this))
    , m_uploads(new RequestPool(this))
{
    m_controls.CodiceSens->installEventFilter(this);
    if (QLineEdit* edit = m_controls.CodiceSens->lineEdit())
        edit->installEventFilter(this);
}

WebServiceClient::~WebServiceClient() = default;

void WebServiceClient::runGuarded(const std::function<void()>& handler)
{
    ErrorBoundary::runThrough(m_hooks.guard, handler);
}

QString WebServiceClient::serviceBase() const
{
    return m_settings.textOrDefault(Settings::Values::ServiceBase);
}

void WebServiceClient::btnLoginClick()
{
    if (LoggedIn()) {
        LogoutWebService();
        return;
    }
    if (m_controls.WebUsername->text().isEmpty() || m_controls.WebPassword->text().isEmpty()) {
        LogoutWebService();
        return;
    }
    m_log.logEvent(QStringLiteral("Login..."));
    m_controls.ProgressBarLogin->setValue(0);
    m_controls.ProgressBarLogin->setVisible(true);
    m_controls.TimerProgressBarLogin->start();

    m_state = nextWebState(m_state, WebEvent::LoginStarted);
    const quint64 login = ++m_login;
    const QString url = WebServiceProtocol::loginUrl(
        serviceBase(), m_controls.WebUsername->text(), m_controls.WebPassword->text());
    m_requests->start(url, m_limits, [this, login](const HttpAnswer& answer) {
        runGuarded([&] { LoginCompleted(login, answer); });
    });
}

void WebServiceClient::TimerProgressBarLoginTimer()
{
    QProgressBar* bar = m_controls.ProgressBarLogin;
    bar->setValue(bar->value() + 1);
    if (bar->value() >= bar->maximum())
        bar->setValue(0);
}

void WebServiceClient::stopProgress()
{
    m_controls.ProgressBarLogin->setVisible(false);
    m_controls.TimerProgressBarLogin->stop();
}

void WebServiceClient::LoginCompleted(quint64 login, const HttpAnswer& answer)
{
    // The answer of a login that a newer login or a logout has replaced
    // changes nothing: it must not log in a page the user logged out.
    if (login != m_login || m_state != WebState::LoginOutstanding) {
        m_log.logEvent(QStringLiteral("login answer ignored"));
        return;
    }
    stopProgress();

    using Kind = WebServiceProtocol::LoginAnswer::Kind;
    const WebServiceProtocol::LoginAnswer read = answer.ok
        ? WebServiceProtocol::readLogin(answer.body)
        : WebServiceProtocol::LoginAnswer{};
    switch (read.kind) {
    case Kind::Accepted:
        enterLoggedIn();
        setCodeList(read.codes);
        CodiceSensChange();
        break;
    case Kind::AcceptedNoList:
        enterLoggedIn();
        m_log.logEvent(QStringLiteral("login exp"));
        LogoutWebService();
        break;
    case Kind::Refused:
        m_log.logEvent(QStringLiteral("login invalid user"));
        m_state = nextWebState(m_state, WebEvent::LoginRejected);
        m_dialogs.message(m_controls.owner, MessageKind::Warning, m_messages.strsUserPassInvalid);
        LogoutWebService();
        break;
    case Kind::Unreadable:
        m_log.logEvent(QStringLiteral("login exp"));
        LogoutWebService();
        break;
    }
}

void WebServiceClient::enterLoggedIn()
{
    m_log.logEvent(QStringLiteral("login OK"));
    m_state = nextWebState(m_state, WebEvent::LoginAccepted);
    m_controls.btnLogin->setText(QStringLiteral("Logout"));
    m_controls.WebUsername->setEnabled(false);
    m_controls.WebPassword->setEnabled(false);
    m_controls.shStatoLogin->setColour(green);
}

void WebServiceClient::LogoutWebService()
{
    m_log.logEvent(QStringLiteral("Logout"));
    m_state = nextWebState(m_state, WebEvent::Logout);
    ++m_login;
    stopProgress();
    m_controls.btnLogin->setText(QStringLiteral("Login"));
    m_controls.WebUsername->setEnabled(true);
    m_controls.WebPassword->setEnabled(true);
    m_controls.shStatoLogin->setColour(red);
    setCodeList({});
    CodiceSensChange();
}

void WebServiceClient::setCodeList(const QStringList& codes)
{
    // The edit text and the selection stay as they are: an editable combo
    // box would otherwise take the first code, or lose its text when
    // emptied.
    QComboBox* box = m_controls.CodiceSens;
    const QString text = box->currentText();
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(codes);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

void WebServiceClient::CodiceSensChange()
{
    m_log.logEvent(QStringLiteral("CodiceSensChange"));
    ++m_check;
    m_state = nextWebState(m_state, WebEvent::CodeChanged);
    SetSendToServerEnabled(false);
    m_controls.btnVerifica->setEnabled(
        m_controls.CodiceSens->currentText().size() == 5 && LoggedIn());
}

void WebServiceClient::CheckSensorCode()
{
    m_log.logEvent(QStringLiteral("Checking server"));
    const quint64 check = m_check;
    const QString url = WebServiceProtocol::sensorCheckUrl(
        serviceBase(), m_controls.WebUsername->text(), m_controls.CodiceSens->currentText());
    m_requests->start(url, m_limits, [this, check](const HttpAnswer& answer) {
        runGuarded([&] { SensorCheckCompleted(check, answer); });
    });
}

void WebServiceClient::SensorCheckCompleted(quint64 check, const HttpAnswer& answer)
{
    // An answer about a code that is no longer shown, or that arrives after
    // a logout, confirms nothing.
    if (check != m_check || !LoggedIn()) {
        m_log.logEvent(QStringLiteral("check answer ignored"));
        return;
    }
    const WebServiceProtocol::CheckAnswer read = answer.ok
        ? WebServiceProtocol::readCheck(answer.body)
        : WebServiceProtocol::CheckAnswer::Unreadable;
    switch (read) {
    case WebServiceProtocol::CheckAnswer::Accepted:
        SetSendToServerEnabled(true);
        m_log.logEvent(QStringLiteral("check OK"));
        break;
    case WebServiceProtocol::CheckAnswer::Refused:
        SetSendToServerEnabled(false);
        m_log.logEvent(QStringLiteral("check KO"));
        break;
    case WebServiceProtocol::CheckAnswer::Unreadable:
        SetSendToServerEnabled(false);
        m_log.logEvent(QStringLiteral("check exp"));
        break;
    }
}

void WebServiceClient::SetSendToServerEnabled(bool on)
{
    m_state = nextWebState(m_state, on ? WebEvent::CheckAccepted : WebEvent::CheckRejected);
    const bool enabled = SendToServerEnabled();
    m_controls.shStatoSens->setColour(enabled ? green : red);
    m_controls.chkSendWeb->setEnabled(enabled);
    m_log.logEvent(enabled ? QStringLiteral("Send to server enabled")
                           : QStringLiteral("Send to server disabled"));
    m_controls.chkAbilitaPush->setEnabled(m_controls.chkSendWeb->isEnabled());
}

void WebServiceClient::chkSendWebClick()
{
    m_controls.chkAbilitaPush->setEnabled(m_controls.chkSendWeb->isChecked());
}

bool WebServiceClient::uploadWanted() const
{
    return m_controls.chkSendWeb->isChecked() && SendToServerEnabled();
}

bool WebServiceClient::pushWanted() const
{
    return m_controls.chkAbilitaPush->isChecked() && uploadWanted();
}

int WebServiceClient::outstandingUploads() const
{
    return m_uploads->outstanding();
}

void WebServiceClient::UploadReading(const Reading& reading)
{
    // A service slower than the sensor must not pile up threads without end;
    // the next reading sends the next upload.
    if (m_uploads->outstanding() >= MaxOutstandingUploads) {
        m_log.logEvent(
            QStringLiteral("Upload skipped: %1 uploads outstanding").arg(m_uploads->outstanding()));
        return;
    }
    const UploadLimits limits = m_hooks.limits ? m_hooks.limits() : UploadLimits{};
    m_uploads->start(WebServiceProtocol::uploadUrl(serviceBase(), m_controls.WebUsername->text(),
                         m_controls.CodiceSens->currentText(), reading.temperatureText,
                         reading.humidityText, limits.Tmax, limits.Tmin),
        m_limits);
}

void WebServiceClient::SendPushNotification(const Reading& reading)
{
    m_log.logEvent(QStringLiteral("Sending push notification"));
    m_requests->start(
        WebServiceProtocol::pushUrl(serviceBase(), m_controls.WebUsername->text(),
            m_controls.CodiceSens->currentText(), reading.temperatureText, reading.humidityText),
        m_limits);
}

std::optional<QChar> WebServiceClient::CodiceSensKeyPress(QChar typed, qsizetype currentLength)
{
    if (typed == QChar(u'\b'))
        return typed;
    const QChar capital = typed.toUpper();
    const char16_t c = capital.unicode();
    const bool allowed = (c >= u'2' && c <= u'9') || (c >= u'A' && c <= u'H')
        || (c >= u'J' && c <= u'N') || (c >= u'P' && c <= u'Z');
    if (!allowed || currentLength >= 5)
        return std::nullopt;
    return capital;
}

bool WebServiceClient::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Keys that type nothing (arrows, Delete) and shortcuts are not typed
    // characters.
    if (key->key() == Qt::Key_Backspace || key->text().isEmpty()
        || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    QLineEdit* edit = m_controls.CodiceSens->lineEdit();
    if (!edit)
        return false;
    const QString text = key->text();
    const std::optional<QChar> accepted
        = text.size() == 1 ? CodiceSensKeyPress(text.at(0), edit->text().size()) : std::nullopt;
    if (!accepted)
        return true;
    if (*accepted != text.at(0)) {
        edit->insert(QString(*accepted));
        return true;
    }
    return false;
}

void WebServiceClient::readSettings(const SettingsStore::Session& session)
{
    using namespace Settings::Values;
    if (auto user = session.readText(web_user))
        m_controls.WebUsername->setText(*user);
    if (auto password = session.readText(web_pass))
        m_controls.WebPassword->setText(*password);
    if (auto on = session.readBool(invia_web))
        m_controls.chkSendWeb->setChecked(*on);
    if (auto on = session.readBool(invia_push))
        m_controls.chkAbilitaPush->setChecked(*on);
}

void WebServiceClient::saveSettings(SettingsStore::Session& session) const
{
    using namespace Settings::Values;
    session.writeText(web_user, m_controls.WebUsername->text());
    session.writeText(web_pass, m_controls.WebPassword->text());
    session.writeBool(invia_web, m_controls.chkSendWeb->isChecked());
    session.writeBool(invia_push, m_controls.chkAbilitaPush->isChecked());
}
