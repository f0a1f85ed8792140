// Renders the program's windows to PNG files, on the simulated sensor with
// a few minutes of readings: the pictures of the README.
//   screenshot <output folder> [minutes]

#include "fixture/ProgramFixture.h"

#include "alarms/TAllarmeForm.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const int minutes = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 10;
    QDir().mkpath(folder);

    ProgramFixture f;
    f.clock.current = QDateTime(QDate(2026, 6, 15), QTime(14, 0, 0));
    f.hid.setClock([&f] { return f.clock.now(); });
    const int sensor = f.hid.plug(SimulatedHidController::sensorSpec());
    f.start();
    for (int second = 0; second < minutes * 60; second += 2) {
        f.clock.advance(2000);
        f.push(sensor, f.hid.nextReport(sensor));
    }
    QApplication::processEvents();
    f.main().grab().save(folder + QStringLiteral("/main-window.png"));
    TAllarmeForm& alarms = f.program->alarmWindow();
    alarms.show();
    QApplication::processEvents();
    alarms.grab().save(folder + QStringLiteral("/alarm-window.png"));
    alarms.hide();
    return 0;
}
