#pragma once

#include "notify/HttpGet.h"

#include <QObject>
#include <QSet>

#include <functional>

class InviaWebServerThread;

// The requests of one kind that are running, one InviaWebServerThread each.
// A finished thread frees itself; the pool ends those still running (soon,
// through their cancel flag) when it goes, so no thread outlives its owner.
class RequestPool : public QObject
{
    Q_OBJECT
public:
    using Completion = std::function<void(const HttpAnswer&)>;

    explicit RequestPool(QObject* parent = nullptr);
    ~RequestPool() override;

    // Starts one request; completion, when given, runs on this object's
    // thread (the user-interface thread) with the answer.
    InviaWebServerThread* start(
        const QString& url, const HttpLimits& limits, Completion completion = {});
    int outstanding() const { return static_cast<int>(m_running.size()); }
    void cancelAll();

private:
    QSet<InviaWebServerThread*> m_running;
};
