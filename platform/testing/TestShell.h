#pragma once

#include "platform/Shell.h"

#include <QList>

// Records what the program asked the desktop to open; opens nothing.
class TestShell : public Shell {
public:
    struct Call {
        QString what; // "document", "url", "mailto", "program", "editor"
        QString target;
        QStringList arguments;
    };

    bool openDocument(const QString& path) override { return record({QStringLiteral("document"), path, {}}); }
    bool openUrl(const QString& url) override { return record({QStringLiteral("url"), url, {}}); }
    bool openMailto(const QString& address) override { return record({QStringLiteral("mailto"), address, {}}); }
    bool startProgram(const QString& path, const QStringList& arguments = {}) override
    {
        return record({QStringLiteral("program"), path, arguments});
    }
    bool openInTextEditor(const QString& path) override { return record({QStringLiteral("editor"), path, {}}); }
    bool hasPdfHandler() override { return pdfHandler; }
    bool hasNotificationArea() override { return notificationArea; }

    bool pdfHandler = true;
    bool notificationArea = true;
    bool succeed = true;
    QList<Call> calls;

private:
    bool record(Call call)
    {
        calls.append(std::move(call));
        return succeed;
    }
};
