#include "ProgramLaunch.h"

#include "log/EventLog.h"
#include "platform/Shell.h"

#include <QFileInfo>

ProgramLaunch::ProgramLaunch(Shell& shell, EventLog& log)
    : m_shell(shell)
    , m_log(log)
{
}

ProgramLaunch::Outcome ProgramLaunch::BtnStartProgrClick(const QString& path)
{
    m_log.logEvent(QStringLiteral("Open app ") + path);
    if (path.isEmpty())
        return Outcome::Nothing;
    const QFileInfo file(path);
    if (!file.exists())
        return Outcome::Nothing;
    if (file.isFile() && file.isExecutable())
        return m_shell.startProgram(file.absoluteFilePath()) ? Outcome::ProgramStarted
                                                             : Outcome::Failed;
    return m_shell.openDocument(file.absoluteFilePath()) ? Outcome::DocumentOpened
                                                         : Outcome::Failed;
}
