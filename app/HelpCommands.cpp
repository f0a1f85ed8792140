#include "HelpCommands.h"

#include "i18n/MainMessages.h"
#include "log/EventLog.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Shell.h"

#include <QDialog>
#include <QDir>
#include <QTimer>

HelpCommands::HelpCommands(const PlatformServices& services, EventLog& log,
    const MainMessages& messages, QWidget* owner, HelpHooks hooks)
    : m_services(services)
    , m_log(log)
    , m_messages(messages)
    , m_owner(owner)
    , m_hooks(std::move(hooks))
{
}

void HelpCommands::setWindows(QDialog* about, QDialog* deviceInfo)
{
    m_about = about;
    m_deviceInfo = deviceInfo;
}

QString HelpCommands::manualFile(Language language)
{
    return language == Language::Spanish ? QStringLiteral("manual_es.pdf")
                                         : QStringLiteral("manuale.pdf");
}

QString HelpCommands::serviceProgramPath(const QString& currentFolder)
{
#ifdef Q_OS_WIN
    const QString program = QStringLiteral("/service/Quelmo_Service.exe");
#else
    const QString program = QStringLiteral("/service/Quelmo_Service");
#endif
    return QDir::cleanPath(currentFolder) + program;
}

void HelpCommands::Guida1Click()
{
    const QString file = manualFile(m_hooks.language());
    if (!m_services.shell->hasPdfHandler()) {
        m_services.dialogs->message(
            m_owner, MessageKind::Error, m_messages.strsInstallaPDF, QStringLiteral(""));
        return;
    }
    // The manual is looked up in the current folder, as the program's own
    // documents are.
    m_services.shell->openDocument(QDir(m_services.folders->currentFolder()).filePath(file));
    m_log.logEvent(QStringLiteral("open ") + file);
}

void HelpCommands::Guidainlinea1Click()
{
    m_services.dialogs->message(m_owner, MessageKind::Plain, m_messages.strsGetHelp);
}

void HelpCommands::AdvBtnWebClick()
{
    m_services.shell->openUrl(Maker::WebSite);
}

void HelpCommands::Contatti1Click()
{
    m_services.shell->openMailto(Maker::ContactAddress);
}

void HelpCommands::Informazioni1Click()
{
    if (m_about)
        m_services.dialogs->execModal(*m_about);
}

void HelpCommands::Informazioni2Click()
{
    if (m_deviceInfo)
        m_services.dialogs->execModal(*m_deviceInfo);
}

void HelpCommands::AdvBtnUpdateClick()
{
    m_log.logEvent(QStringLiteral("Update wizard"));
    if (m_hooks.runUpdateWizard)
        m_hooks.runUpdateWizard();
}

void HelpCommands::TimerAutoUpdateTimer(QTimer& timer)
{
    m_log.logEvent(QStringLiteral("Autoupdate check"));
    timer.stop();
    if (m_hooks.checkForUpdate) {
        m_hooks.checkForUpdate([this](bool newer) {
            if (!newer)
                return;
            m_services.dialogs->message(
                m_owner, MessageKind::Information, m_messages.strsAggiornamento);
            if (m_hooks.startBackgroundUpdate)
                m_hooks.startBackgroundUpdate();
            m_log.logEvent(QStringLiteral("Autoupdate NewVersionAvailable"));
        });
    }
    timer.setInterval(WeeklyCheckMs);
    timer.start();
}

void HelpCommands::AdvBtnServizioClick()
{
    m_log.logEvent(QStringLiteral("Open Quelmo_Service"));
    m_hooks.saveAllSettings();
    m_services.shell->startProgram(serviceProgramPath(m_services.folders->currentFolder()));
}
