#pragma once

#include <QString>

// Steps of the program's sequences whose subsystems are not built yet. Each
// is called at its place and does nothing until its subsystem lands; the
// name says so, and each goes away with the subsystem that fills it.
namespace NotYetBuilt {

inline void uploadReading() {}

// Alarm actions and the alarm window's e-mail, SMS and program steps.
inline bool emailBusy() { return false; }
inline bool sendToServerEnabled() { return false; }
inline void sendAlarmEmail() {}
inline void sendSms() {}
inline void sendPushNotification() {}
inline void prepareEmailMessage() {}
inline void regularEmailClick() {}

// The web service login at the end of reading the settings (issue 8).
inline void btnLoginClick() {}
// The language selector's change handler (issue 10).
inline void cmdLinguaChange() {}

} // namespace NotYetBuilt
