#pragma once

#include "i18n/Language.h"
#include "platform/PlatformServices.h"

#include <QString>

#include <functional>

class EventLog;
class QDialog;
class QTimer;
class QWidget;
struct MainMessages;

// The maker's addresses.
namespace Maker {
inline const QString WebSite = QStringLiteral("https://www.quelmo.example");
inline const QString ContactAddress = QStringLiteral("info@quelmo.example");
} // namespace Maker

struct HelpHooks
{
    std::function<Language()> language;
    std::function<void()> saveAllSettings; // the main window's and the alarm window's
    std::function<void()> runUpdateWizard;
    // Asks whether a newer version is offered and, when it is, answers with
    // true on the user-interface thread.
    std::function<void(std::function<void(bool)>)> checkForUpdate;
    std::function<void()> startBackgroundUpdate;
};

// The Help page's commands and the two information windows, the automatic
// update check and the service utility launcher.
class HelpCommands
{
public:
    HelpCommands(const PlatformServices& services, EventLog& log, const MainMessages& messages,
        QWidget* owner, HelpHooks hooks);

    void setWindows(QDialog* about, QDialog* deviceInfo);

    // "manual_es.pdf" for Spanish, "manuale.pdf" otherwise.
    static QString manualFile(Language language);
    // The service utility under the given folder.
    static QString serviceProgramPath(const QString& currentFolder);

    void Guida1Click();
    void Guidainlinea1Click();
    void AdvBtnWebClick();
    void Contatti1Click();
    void Informazioni1Click();
    void Informazioni2Click();
    void AdvBtnUpdateClick();
    void TimerAutoUpdateTimer(QTimer& timer);
    void AdvBtnServizioClick();

    static constexpr int FirstCheckMs = 2000;
    static constexpr int WeeklyCheckMs = 604800000;

private:
    PlatformServices m_services;
    EventLog& m_log;
    const MainMessages& m_messages;
    QWidget* m_owner;
    HelpHooks m_hooks;
    QDialog* m_about = nullptr;
    QDialog* m_deviceInfo = nullptr;
};
