#include "QuelmoProgram.h"

#include "alarms/TAllarmeForm.h"
#include "alarms/TTurnOffForm.h"
#include "app/TAboutForm.h"
#include "app/TEsciForm.h"
#include "app/TMainForm.h"
#include "platform/Accessibility.h"
#include "platform/Clock.h"
#include "platform/HidController.h"
#include "sensor/TDispInfoForm.h"

#include <QToolButton>

QuelmoProgram::QuelmoProgram(const PlatformServices& services, const QString& settingsPath)
    : m_services(services)
    , m_log([clock = services.clock] { return clock->now(); })
    , m_settings(settingsPath, [this](const QString& line) { m_log.logEvent(line); })
{
    Accessibility::install();
    m_main = std::make_unique<TMainForm>(m_services, m_log, m_settings);
    TMainForm* main = m_main.get();

    m_deviceWindow = new TDispInfoForm(main);
    main->setDeviceWindow(m_deviceWindow);

    m_alarmWindow
        = new TAllarmeForm(main, m_log, m_settings, *m_services.dialogs, main->alarmLimits, main->alarmWindowLinks());
    main->setAlarmWindow(m_alarmWindow);

    m_exitWindow = new TEsciForm(main,
        {m_log, m_settings, *m_services.dialogs,
            [main] {
                return main->CheckTempTrayIcon->isChecked() || main->CheckRHTrayIcon->isChecked();
            }},
        main->language);
    QObject::connect(m_exitWindow, &TEsciForm::exitConfirmed, main, [main] { main->ExitConfirmed = true; });
    QObject::connect(m_exitWindow, &TEsciForm::reduceToIcon, main, [main] { main->NascondiFinestra1Click(); });
    main->setExitWindow(m_exitWindow);

    m_aboutWindow = new TAboutForm(main, m_services.shell, m_services.dialogs);
    main->setAboutWindow(m_aboutWindow);

    m_turnOffWindow
        = new TTurnOffForm(main, m_log, *m_services.powerOff, *m_services.dialogs, main->language);
    main->setTurnOffWindow(m_turnOffWindow);
}

QuelmoProgram::~QuelmoProgram() = default;

void QuelmoProgram::start()
{
    Accessibility::nameControls(m_main.get());
    m_services.hid->start();
    if (m_main->showAtStart())
        m_main->show();
}
