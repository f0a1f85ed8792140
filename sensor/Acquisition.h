#pragma once

#include "platform/HidController.h"

#include <QDateTime>
#include <QPointer>

#include <functional>

class Clock;
class EventLog;
class Led;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTimer;
class TDispInfoForm;
class TextTrayIcon;
struct MainMessages;

struct AcquisitionControls {
    QAbstractButton* RDbutton = nullptr;
    QAbstractButton* Inizia1 = nullptr;
    QAbstractButton* Termina1 = nullptr;
    QLineEdit* time = nullptr;
    QLabel* statusPanel = nullptr;
    QProgressBar* countdown = nullptr; // status bar panel 1
    QTimer* Timer1 = nullptr;
    Led* iLedPortOpen = nullptr;
    TextTrayIcon* TextTrayTemp = nullptr;
    TextTrayIcon* TextTrayRH = nullptr;
    QAbstractButton* CheckRHTrayIcon = nullptr;
    QAbstractButton* AsseOrizAutomatico = nullptr;
    QLabel* messagePanel = nullptr; // status bar panel 2
};

struct AcquisitionHooks {
    HidDevice::ReportHandler reportHandler; // HandleInputReport
    std::function<void()> clearMemo;
    std::function<void()> showStoppedReadout; // labels at "0 "
    std::function<void()> applyHorizontalAxis;
    std::function<bool()> hasHumidity;
};

// Start and Stop of the acquisition, and the one-second tick while it runs.
class Acquisition {
public:
    Acquisition(EventLog& log, const Clock& clock, const MainMessages& messages, AcquisitionControls controls,
        AcquisitionHooks hooks);

    void setDeviceWindow(TDispInfoForm* window) { m_window = window; }

    void RDbuttonClick();
    void Timer1Timer();
    bool isAcquiring() const;

    // " 1h 2m 5s ": the time since the start, each part truncated.
    static QString elapsedText(qint64 milliseconds);
    // The one line, in the log and the status bar, for a sensor that is
    // listed but whose node the user may not open.
    static QString accessDeniedText(const HidDeviceInfo& info);

    // The device that the last Start or Stop took; null once released.
    QPointer<HidDevice> CurrentDevice;
    bool FirstReport = true;
    int ReportsToSkip = 0;
    QDateTime AcquisitionStart;

private:
    void start();
    void stop();
    void tellAccessDenied(const HidDeviceInfo& info);

    EventLog& m_log;
    const Clock& m_clock;
    const MainMessages& m_messages;
    AcquisitionControls m_controls;
    AcquisitionHooks m_hooks;
    TDispInfoForm* m_window = nullptr;
};
