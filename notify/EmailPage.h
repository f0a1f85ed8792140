#pragma once

#include "notify/EmailChannel.h"

#include <QObject>

#include <functional>

class Dialogs;
class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QTimer;
class QWidget;
class RegularEmailSchedule;
class StatusShape;

// The controls of the alarm window's e-mail page that the channel works on.
struct EmailPageControls
{
    QWidget* owner = nullptr; // of the message boxes
    QTabWidget* pager = nullptr;
    QWidget* AdvPageMail = nullptr;
    QLineEdit* LblSMTP = nullptr;
    QLineEdit* LblPorta = nullptr;
    QComboBox* cmbSSL = nullptr;
    QComboBox* cmbAuth = nullptr;
    QLineEdit* Lblusername = nullptr;
    QLineEdit* Lblpassword = nullptr;
    QLineEdit* LblFrom = nullptr;
    QLineEdit* LblDest = nullptr;
    QLineEdit* LblOggetto = nullptr;
    QPlainTextEdit* TestoEmail = nullptr;
    QAbstractButton* InviaEmail = nullptr;
    QPlainTextEdit* StatusMemo = nullptr;
    StatusShape* shStatoEmail = nullptr;
    QAbstractButton* chkEmailFunzionamRegolare = nullptr;
    QComboBox* AdvOfSel_htipo_emailok = nullptr;
    QComboBox* AdvOfSel_h_emailok = nullptr;
    QLabel* Label23 = nullptr;
};

struct EmailPageTextsOfWindow
{
    QString strsNoValidEmail;
    QString sNoValidServer;
    QString strsNoValidEmail2;
};

struct EmailPageHooks
{
    std::function<const Reading&()> reading;
    std::function<QTime()> now;
    std::function<EmailPageTextsOfWindow()> texts;
    std::function<void(const std::function<void()>&)> guard;
};

// The e-mail page of the alarm window on the program's one e-mail channel:
// the page's texts taken for each message, the test button, the status memo
// and shape, and the regular-operation e-mail's three controls.
class EmailPage : public QObject
{
    Q_OBJECT
public:
    EmailPage(EventLog& log, Dialogs& dialogs, EmailChannel& channel,
        RegularEmailSchedule& schedule, EmailPageControls controls, EmailPageHooks hooks,
        QObject* parent = nullptr);

    EmailPageTexts pageTexts() const;
    void PrepareEmailMessage();
    void SendAlarmEmail();
    void InviaEmailClick();
    void chkEmailFunzionamRegolareClick();
    void AdvOfSel_htipo_emailokChange();
    void AdvOfSel_h_emailokChange();
    void TimerEmailFunzionamRegolareTimer();

private:
    EventLog& m_log;
    Dialogs& m_dialogs;
    EmailChannel& m_channel;
    RegularEmailSchedule& m_schedule;
    EmailPageControls m_controls;
    EmailPageHooks m_hooks;
};
