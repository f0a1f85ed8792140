#include "Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

QString SystemFolders::dataHome() const
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty())
        return xdg;
    return QDir::homePath() + QStringLiteral("/.local/share");
}

QString SystemFolders::executableFolder() const
{
    return QCoreApplication::applicationDirPath();
}

QString SystemFolders::currentFolder() const
{
    return QDir::currentPath();
}
