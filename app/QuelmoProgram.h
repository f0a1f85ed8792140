#pragma once

#include "log/EventLog.h"
#include "platform/PlatformServices.h"
#include "settings/SettingsStore.h"

#include <memory>

class TAboutForm;
class TAllarmeForm;
class TDispInfoForm;
class TEsciForm;
class TMainForm;
class TTurnOffForm;

// The whole program on a given set of platform services: the six windows,
// created once in their order, and the log and settings they share.
class QuelmoProgram
{
public:
    explicit QuelmoProgram(const PlatformServices& services, const QString& settingsPath = {});
    ~QuelmoProgram();

    // Starts watching the HID devices and shows the main window unless the
    // start-up decided to live in the notification area.
    void start();

    TMainForm& mainForm() const { return *m_main; }
    TDispInfoForm& deviceWindow() const { return *m_deviceWindow; }
    TAllarmeForm& alarmWindow() const { return *m_alarmWindow; }
    TEsciForm& exitWindow() const { return *m_exitWindow; }
    TAboutForm& aboutWindow() const { return *m_aboutWindow; }
    TTurnOffForm& turnOffWindow() const { return *m_turnOffWindow; }
    EventLog& log() { return m_log; }
    SettingsStore& settings() { return m_settings; }

private:
    PlatformServices m_services;
    EventLog m_log;
    SettingsStore m_settings;
    std::unique_ptr<TMainForm> m_main;
    TDispInfoForm* m_deviceWindow = nullptr;
    TAllarmeForm* m_alarmWindow = nullptr;
    TEsciForm* m_exitWindow = nullptr;
    TAboutForm* m_aboutWindow = nullptr;
    TTurnOffForm* m_turnOffWindow = nullptr;
};
