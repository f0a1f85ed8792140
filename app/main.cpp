#include "app/QuelmoProgram.h"
#include "app/SessionEnd.h"
#include "app/TMainForm.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/HidapiController.h"
#include "platform/PowerOff.h"
#include "platform/Shell.h"
#include "platform/SimulatedHidController.h"
#include "platform/Version.h"

#include <QApplication>
#include <QSessionManager>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("quelmo"));
    application.setApplicationDisplayName(QStringLiteral("Quelmo and Temperature Monitor"));
    application.setApplicationVersion(fileVersion());
    // The program lives on in the notification area when its window hides.
    application.setQuitOnLastWindowClosed(false);

    const bool simulate = application.arguments().contains(QStringLiteral("--simulate"));

    SystemClock clock;
    SystemFolders folders;
    QtDialogs dialogs;
    DesktopShell shell;
    std::unique_ptr<HidController> hid;
    std::unique_ptr<PowerOff> powerOff;
    std::unique_ptr<QuelmoProgram> program;
    if (simulate) {
        auto simulated = std::make_unique<SimulatedHidController>();
        simulated->plug(SimulatedHidController::sensorSpec());
        simulated->setAutoReports(true);
        hid = std::move(simulated);
        // A simulated sensor never powers off a real PC.
        powerOff = std::make_unique<LoggingPowerOff>([&program](const QString& line) {
            if (program)
                program->log().logEvent(line);
        });
    } else {
        hid = std::make_unique<HidapiController>();
#ifdef Q_OS_WIN
        powerOff = std::make_unique<WindowsPowerOff>();
#else
        powerOff = std::make_unique<LogindPowerOff>();
#endif
    }

    PlatformServices services{hid.get(), &dialogs, &shell, powerOff.get(), &clock, &folders};
    program = std::make_unique<QuelmoProgram>(services);

    SessionEnd sessionEnd;
    TMainForm* main = &program->mainForm();
    QObject::connect(&sessionEnd, &SessionEnd::ending, main, &TMainForm::endSession);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, main,
        [main](QSessionManager&) { main->endSession(); });

    program->start();
    const int result = application.exec();
    program.reset();
    return result;
}
