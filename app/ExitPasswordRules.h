#pragma once

#include <QString>

#include <optional>

class SettingsStore;

// The exit password's rules, without the window: what the stored password
// allows, and what the exit window reads and writes in the settings store.
// Comparisons are exact, letter case included.
class ExitPasswordRules
{
public:
    // The password as stored; empty means none. Read once at start-up and
    // afterwards changed only by a reset.
    QString StoredExitPassword;

    // Reads the stored password; returns the stored state of the option
    // when there is one. An unreadable store leaves no password.
    std::optional<bool> load(const SettingsStore& settings);

    // Exit may close the program with this option state and typed text.
    bool mayExit(bool optionOn, const QString& typed) const;

    enum class OptionChange { Stands, NoPassword, WrongPassword };
    // Whether the user may switch the option, either way, with this text.
    OptionChange optionChange(const QString& typed) const;

    bool mayReset(const QString& typed) const;
    // Forgets the stored password for this run and removes it from the store.
    void reset(const SettingsStore& settings);

    // The writes of every closing of the exit window. The stored password of
    // this run does not change: a new one is demanded from the next start.
    void save(const SettingsStore& settings, bool optionOn, const QString& typed) const;

private:
    bool typedDiffers(const QString& typed) const;
};
