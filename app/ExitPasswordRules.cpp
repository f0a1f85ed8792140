#include "ExitPasswordRules.h"

#include "settings/ExitPasswordValues.h"
#include "settings/SettingsStore.h"

using namespace Settings::Values;

std::optional<bool> ExitPasswordRules::load(const SettingsStore& settings)
{
    StoredExitPassword.clear();
    auto session = settings.open();
    if (!session.isOpen())
        return std::nullopt;
    const std::optional<bool> optionOn = session.readBool(ExitPasswordON);
    if (auto password = session.readText(ExitPassword))
        StoredExitPassword = *password;
    return optionOn;
}

bool ExitPasswordRules::typedDiffers(const QString& typed) const
{
    return !StoredExitPassword.isEmpty()
        && typed.compare(StoredExitPassword, Qt::CaseSensitive) != 0;
}

bool ExitPasswordRules::mayExit(bool optionOn, const QString& typed) const
{
    return !(optionOn && typedDiffers(typed));
}

ExitPasswordRules::OptionChange ExitPasswordRules::optionChange(const QString& typed) const
{
    if (StoredExitPassword.isEmpty() && typed.isEmpty())
        return OptionChange::NoPassword;
    if (typedDiffers(typed))
        return OptionChange::WrongPassword;
    return OptionChange::Stands;
}

bool ExitPasswordRules::mayReset(const QString& typed) const
{
    return !typedDiffers(typed);
}

void ExitPasswordRules::reset(const SettingsStore& settings)
{
    StoredExitPassword.clear();
    auto session = settings.open();
    if (session.isOpen() && session.contains(ExitPassword))
        session.remove(ExitPassword);
}

void ExitPasswordRules::save(
    const SettingsStore& settings, bool optionOn, const QString& typed) const
{
    auto session = settings.open();
    if (!session.isOpen())
        return;
    session.writeBool(ExitPasswordON, optionOn);
    if (optionOn && !typed.isEmpty() && !typedDiffers(typed))
        session.writeText(ExitPassword, typed);
}
