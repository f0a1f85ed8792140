#pragma once

#include "settings/SettingsValues.h"

// The exit window's values: whether closing the program needs the exit
// password, and that password as the user typed it.
namespace Settings::Values {
inline constexpr Value ExitPasswordON{"ExitPasswordON", Kind::Boolean, 0};
inline constexpr Value ExitPassword{"ExitPassword", Kind::Text, 0, ""};
} // namespace Settings::Values
