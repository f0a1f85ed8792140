#pragma once

#include "i18n/Language.h"
#include "i18n/MessageTable.h"
#include "i18n/ShutdownMessages.h"

#include <QDialog>
#include <QTimer>

class Dialogs;
class EventLog;
class PowerOff;
class QLabel;
class QPushButton;

// The shutdown countdown window: borderless, placed once at creation. Shown
// modally by the shutdown alarm; ten seconds after showing it asks for a
// forced power-off, and asks again every second while it stays open.
class TTurnOffForm : public QDialog
{
    Q_OBJECT
public:
    TTurnOffForm(QWidget* mainWindow, EventLog& log, PowerOff& powerOff, Dialogs& dialogs,
        Language language = Language::Italian);

    // Shows the countdown modally; returns when the user cancels. A countdown
    // already open is left to run: a second one never opens over it.
    void showCountdown();

    // Reloads the window's message for the active language.
    void UpdateStrings(Language language);

    void TimerTurnOffTimer();
    void BtnAnnullaTurnOffClick();

    QLabel* Label1 = nullptr;
    QLabel* LblSecRim = nullptr;
    QPushButton* BtnAnnullaTurnOff = nullptr;
    QTimer TimerTurnOff;
    int SecondsLeft = 10;
    ShutdownMessages messages;

    static constexpr int CountdownSeconds = 10;

public Q_SLOTS:
    // Closing by the window system counts as cancel, and only while cancel
    // is possible.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void showSecondsLeft();

    EventLog& m_log;
    PowerOff& m_powerOff;
    Dialogs& m_dialogs;
    MessageTable m_messageTable;
    bool m_poweringOff = false;
};
