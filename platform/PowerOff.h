#pragma once

#include <functional>

#include <QString>

// Powers the PC off. flags: 8 power off, 4 forced.
class PowerOff {
public:
    virtual ~PowerOff() = default;
    virtual bool requestPowerOff(int flags) = 0;
};

// The desktop's own way: systemd-logind's PowerOff over D-Bus.
class LogindPowerOff : public PowerOff {
public:
    bool requestPowerOff(int flags) override;
};

// Only tells what it was asked; used with the simulated sensor, which must
// never power off a real PC.
class LoggingPowerOff : public PowerOff {
public:
    explicit LoggingPowerOff(std::function<void(const QString&)> log)
        : m_log(std::move(log))
    {
    }
    bool requestPowerOff(int flags) override;

private:
    std::function<void(const QString&)> m_log;
};
