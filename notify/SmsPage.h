#pragma once

#include "notify/SmsGateway.h"

#include <QObject>
#include <QString>

#include <functional>

class Dialogs;
class EventLog;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTextBrowser;
class QWidget;
class SettingsStore;
class SmsRequester;

// The controls of the alarm window's SMS page that the channel works on.
struct SmsPageControls
{
    QWidget* owner = nullptr; // of the message boxes
    QLineEdit* lblUserSMS = nullptr;
    QLineEdit* lblPasswordSMS = nullptr;
    QLineEdit* edtMittenteSMS = nullptr;
    QLineEdit* edtDestSMS = nullptr;
    QPlainTextEdit* TestoSMS = nullptr;
    QLabel* lblNumChar = nullptr;
    QTextBrowser* WebBrowser1 = nullptr; // shows the gateway's answer, read-only
    QAbstractButton* InviaSMS = nullptr;
    QAbstractButton* btnCreditoSMS = nullptr;
};

// The page's messages in the active language.
struct SmsTexts
{
    QString sNoValidPassword = QStringLiteral("Inserire nome utente e password");
    QString sNoValidNumber
        = QStringLiteral("Inserire un numero di telefono valido (nel formato 39YYYXXXXXXX)");
    QString sNoValidMittente = QStringLiteral("Inserire un valore numerico di max 14 caratteri, o "
                                              "un valore alfanumerico di max 11 caratteri");
    QString sCaratteri = QStringLiteral("caratteri");
};

struct SmsPageHooks
{
    // Fills the placeholders of the SMS text with the latest reading and the
    // current date and time.
    std::function<QString(const QString&)> fill;
    std::function<SmsTexts()> texts;
    // Runs a handler at the program's error boundary.
    std::function<void(const std::function<void()>&)> guard;
};

// The SMS channel on the alarm window's SMS page: the test send and the
// alarm send (InviaSMSClick), the credit query, the live character count
// with the accent rewriting, and the key filters of the memo, the
// destination and the sender. The requests run in the background through
// an SmsRequester; the answer, or the error, is shown in WebBrowser1.
class SmsPage : public QObject
{
    Q_OBJECT
public:
    SmsPage(EventLog& log, SettingsStore& settings, Dialogs& dialogs, SmsPageControls controls,
        SmsPageHooks hooks, QObject* parent = nullptr);
    ~SmsPage() override;

    void InviaSMSClick();
    void btnCreditoSMSClick();
    void TestoSMSChange();
    // The count before the first change: the template's own length.
    void showTemplateCount();

    QString gatewayBase() const;
    // The memo's text as it is sent: lines joined by CR LF.
    QString memoText() const;
    SmsRequester& requester() { return *m_requester; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void carryOut(const SmsGateway::Plan& plan);
    QString messageText(SmsGateway::Message message) const;
    SmsTexts texts() const;
    QString filled(const QString& text) const;
    void runGuarded(const std::function<void()>& handler);

    EventLog& m_log;
    SettingsStore& m_settings;
    Dialogs& m_dialogs;
    SmsPageControls m_controls;
    SmsPageHooks m_hooks;
    SmsRequester* m_requester = nullptr;
};
