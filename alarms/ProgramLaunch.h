#pragma once

#include <QString>

class EventLog;
class Shell;

// Opens the file the user chose for the program-start alarm. The whole text
// is the file: it is never split into a program and its arguments and never
// handed to a command interpreter.
class ProgramLaunch
{
public:
    enum class Outcome { Nothing, ProgramStarted, DocumentOpened, Failed };

    ProgramLaunch(Shell& shell, EventLog& log);

    // The alarm window's BtnStartProgr and the alarm's program step: logs
    // the attempt, then starts an executable file with no arguments or opens
    // any other existing file with the desktop's associated program. An
    // empty text or a missing file opens nothing.
    Outcome BtnStartProgrClick(const QString& path);

private:
    Shell& m_shell;
    EventLog& m_log;
};
