#pragma once

#include <functional>

#include <QString>

// The flags of a power-off request, as the Windows shutdown call takes them.
namespace PowerOffFlags {
inline constexpr int Force = 4;
inline constexpr int PowerOff = 8;
} // namespace PowerOffFlags

// Powers the PC off. Returns whether the system accepted the request.
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

#ifdef Q_OS_WIN
// Windows: enables the shutdown privilege of the process token, then asks
// ExitWindowsEx with the given flags.
class WindowsPowerOff : public PowerOff
{
public:
    bool requestPowerOff(int flags) override;
};
#endif

// Only tells what it was asked, and answers that nothing was powered off; used with the simulated
// sensor, which must never power off a real PC.
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
