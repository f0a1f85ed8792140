#pragma once

#include <QString>
#include <QStringList>

// What the program asks of the desktop: open a document, a web or mailto
// address, start a program, open a text file in the editor.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool openDocument(const QString& path) = 0;
    virtual bool openUrl(const QString& url) = 0;
    virtual bool openMailto(const QString& address) = 0;
    // Starts the program itself, never through a command interpreter.
    virtual bool startProgram(const QString& path, const QStringList& arguments = {}) = 0;
    virtual bool openInTextEditor(const QString& path) = 0;
    virtual bool hasPdfHandler() = 0;
    // Whether the desktop has a notification area for the tray icons.
    virtual bool hasNotificationArea() = 0;
};

class DesktopShell : public Shell {
public:
    bool openDocument(const QString& path) override;
    bool openUrl(const QString& url) override;
    bool openMailto(const QString& address) override;
    bool startProgram(const QString& path, const QStringList& arguments = {}) override;
    bool openInTextEditor(const QString& path) override;
    bool hasPdfHandler() override;
    bool hasNotificationArea() override;
};
