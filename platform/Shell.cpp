#include "Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QUrl>

bool DesktopShell::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

bool DesktopShell::openUrl(const QString& url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

bool DesktopShell::openMailto(const QString& address)
{
    return QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + address));
}

bool DesktopShell::startProgram(const QString& path, const QStringList& arguments)
{
    if (path.isEmpty())
        return false;
    return QProcess::startDetached(path, arguments);
}

bool DesktopShell::openInTextEditor(const QString& path)
{
    // The desktop's handler for plain text is its text editor.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopShell::hasPdfHandler()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                                QStringLiteral("application/pdf")});
    if (!query.waitForFinished(3000))
        return false;
    return query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
}

bool DesktopShell::hasNotificationArea()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}
