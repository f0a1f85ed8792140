#pragma once

#include "platform/Dialogs.h"

#include <QString>

#include <functional>
#include <stdexcept>

class QWidget;

// An error that ends the handling of one event (a conversion that fails, a
// file that cannot be written). It is caught at the handler's boundary and
// shown in one error box; it never unwinds through the toolkit's code.
class HandlerError : public std::runtime_error {
public:
    explicit HandlerError(const QString& text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    {
    }
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

namespace ErrorBoundary {

// A hook that runs a handler at the program's error boundary.
using Guard = std::function<void(const std::function<void()>&)>;

// Runs the handler through the guard, or directly where none was given.
inline void runThrough(const Guard& guard, const std::function<void()>& handler)
{
    if (guard)
        guard(handler);
    else
        handler();
}

// Runs one event handler; an error it raises is shown through the dialogs
// service and the program goes on.
template <class Handler>
void run(Dialogs* dialogs, QWidget* owner, Handler&& handler) noexcept
{
    QString text;
    try {
        handler();
        return;
    } catch (const HandlerError& error) {
        text = error.text();
    } catch (const std::exception& error) {
        text = QString::fromLocal8Bit(error.what());
    } catch (...) {
        text = QStringLiteral("Unknown error");
    }
    try {
        if (dialogs)
            dialogs->message(owner, MessageKind::Error, text);
    } catch (...) {
    }
}

} // namespace ErrorBoundary
