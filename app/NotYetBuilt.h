#pragma once

#include <QString>

// Steps of the program's sequences whose subsystems are not built yet. Each
// is called at its place and does nothing until its subsystem lands; the
// name says so, and each goes away with the subsystem that fills it.
namespace NotYetBuilt {

// Alarm actions and the alarm window's e-mail, SMS and program steps.
inline bool emailBusy() { return false; }
inline void sendAlarmEmail() {}
inline void sendSms() {}
inline void prepareEmailMessage() {}
inline void regularEmailClick() {}

// The language selector's change handler, with the language switch.
inline void cmdLinguaChange() {}

} // namespace NotYetBuilt
