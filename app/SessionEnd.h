#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM (the desktop session ending, or the system shutting down)
// into a signal on the user-interface thread.
class SessionEnd : public QObject
{
    Q_OBJECT
public:
    explicit SessionEnd(QObject* parent = nullptr);
    ~SessionEnd() override;

Q_SIGNALS:
    void ending();

private:
    QSocketNotifier* m_notifier = nullptr;
};
