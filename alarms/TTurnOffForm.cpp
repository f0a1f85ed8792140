#include "TTurnOffForm.h"

#include "log/EventLog.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBoundary.h"
#include "platform/PowerOff.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TTurnOffForm::TTurnOffForm(
    QWidget* mainWindow, EventLog& log, PowerOff& powerOff, Dialogs& dialogs, Language language)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint)
    , m_log(log)
    , m_powerOff(powerOff)
    , m_dialogs(dialogs)
    , m_messageTable(MessageTable::load(QStringLiteral(":/i18n/shutdown.json")))
{
    setObjectName(QStringLiteral("TTurnOffForm"));
    setWindowTitle(QStringLiteral("Chiusura computer..."));
    setFixedSize(265, 163);
    Label1 = new QLabel(
        QStringLiteral(
            "Il computer sta per chiudersi a causa del superamento della soglia di allarme "
            "impostata. Puoi annullare lo spegnimento prima che il timer si azzeri."),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setGeometry(10, 8, 245, 70);
    LblSecRim = new QLabel(QStringLiteral("X secondi allo spegnimento"), this);
    LblSecRim->setObjectName(QStringLiteral("LblSecRim"));
    QFont bold = LblSecRim->font();
    bold.setBold(true);
    LblSecRim->setFont(bold);
    LblSecRim->setGeometry(10, 84, 245, 24);
    BtnAnnullaTurnOff = new QPushButton(QStringLiteral("Annulla Spegnimento"), this);
    BtnAnnullaTurnOff->setObjectName(QStringLiteral("BtnAnnullaTurnOff"));
    BtnAnnullaTurnOff->setGeometry(60, 120, 145, 30);
    BtnAnnullaTurnOff->setAutoDefault(false);
    if (mainWindow) {
        const QRect main = mainWindow->frameGeometry();
        move(main.left() + main.width() / 2 - width() / 2,
            main.top() + main.height() / 2 - frameGeometry().height());
    }

    TimerTurnOff.setObjectName(QStringLiteral("TimerTurnOff"));
    TimerTurnOff.setInterval(1000);
    connect(&TimerTurnOff, &QTimer::timeout, this,
        [this] { ErrorBoundary::run(&m_dialogs, this, [this] { TimerTurnOffTimer(); }); });
    connect(BtnAnnullaTurnOff, &QPushButton::clicked, this,
        [this] { ErrorBoundary::run(&m_dialogs, this, [this] { BtnAnnullaTurnOffClick(); }); });

    SecondsLeft = CountdownSeconds;
    UpdateStrings(language);
}

void TTurnOffForm::UpdateStrings(Language language)
{
    messages.load(m_messageTable, language);
    if (TimerTurnOff.isActive() && !m_poweringOff)
        showSecondsLeft();
}

void TTurnOffForm::showCountdown()
{
    if (isVisible())
        return;
    m_dialogs.execModal(*this);
}

void TTurnOffForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TTurnOffForm::FormShow()
{
    m_log.logEvent(QStringLiteral("Turn off pc show"));
    TimerTurnOff.start();
    SecondsLeft = CountdownSeconds;
    m_poweringOff = false;
    BtnAnnullaTurnOff->setEnabled(true);
    showSecondsLeft();
}

void TTurnOffForm::showSecondsLeft()
{
    LblSecRim->setText(QString::number(SecondsLeft) + QLatin1Char(' ') + messages.XsecSpegnim);
}

void TTurnOffForm::TimerTurnOffTimer()
{
    if (SecondsLeft != 0) {
        --SecondsLeft;
        showSecondsLeft();
        return;
    }
    m_poweringOff = true;
    m_log.logEvent(QStringLiteral("PC off"));
    LblSecRim->setText(QStringLiteral("Spegnimento in corso"));
    BtnAnnullaTurnOff->setEnabled(false);
    const bool accepted
        = m_powerOff.requestPowerOff(PowerOffFlags::PowerOff | PowerOffFlags::Force);
    // A refused request leaves the PC running: the user may leave the
    // countdown, while the request goes on repeating until then.
    BtnAnnullaTurnOff->setEnabled(!accepted);
}

void TTurnOffForm::BtnAnnullaTurnOffClick()
{
    m_log.logEvent(QStringLiteral("Turn off pc cancel"));
    TimerTurnOff.stop();
    SecondsLeft = CountdownSeconds;
    QDialog::reject();
}

void TTurnOffForm::reject()
{
    if (BtnAnnullaTurnOff->isEnabled())
        BtnAnnullaTurnOffClick();
}

void TTurnOffForm::hideEvent(QHideEvent* event)
{
    // However the window went away, a countdown nobody sees never reaches
    // the power-off.
    if (!event->spontaneous()) {
        TimerTurnOff.stop();
        SecondsLeft = CountdownSeconds;
    }
    QDialog::hideEvent(event);
}

void TTurnOffForm::keyPressEvent(QKeyEvent* event)
{
    // Only the cancel button stops the countdown, not a stray Escape.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
