#pragma once

#include "settings/SettingsValues.h"

#include <array>

// The alarm window's stored values: limits, wait, actions and the e-mail and
// SMS channel settings. popup and Allarme_email are shared with the main
// window's toggles and live in SettingsValues.h.

namespace Settings {

namespace Values {
inline constexpr Value Allarme_sms{"Allarme_sms", Kind::Boolean, 0};
inline constexpr Value Allarme_email_OK{"Allarme_email_OK", Kind::Boolean, 0};
inline constexpr Value Spegni_PC{"Spegni_PC", Kind::Boolean, 0};
inline constexpr Value intervallo{"intervallo", Kind::Text, 0, ""};
inline constexpr Value Start_prog{"Start_prog", Kind::Boolean, 0};
inline constexpr Value programma{"programma", Kind::Text, 0, ""};
inline constexpr Value EmailFunzionamRegolare{"EmailFunzionamRegolare", Kind::Boolean, 0};
inline constexpr Value tipo_emailOK{"tipo_emailOK", Kind::Integer, -1};
inline constexpr Value intervallo_emailOK{"intervallo_emailOK", Kind::Text, 0, "24"};
inline constexpr Value Tmin{"Tmin", Kind::Text, 0, "10"};
inline constexpr Value Tmax{"Tmax", Kind::Text, 0, "35"};
inline constexpr Value RHmin{"RHmin", Kind::Text, 0, "0"};
inline constexpr Value RHmax{"RHmax", Kind::Text, 0, "100"};
inline constexpr Value Isteresi{"Isteresi", Kind::Text, 0, "0"};
inline constexpr Value Tmax_shutdown{"Tmax_shutdown", Kind::Text, 0, "50"};
inline constexpr Value Tmax_progr{"Tmax_progr", Kind::Text, 0, "50"};
inline constexpr Value smtp{"smtp", Kind::Text, 0, ""};
inline constexpr Value porta{"porta", Kind::Text, 0, "25"};
inline constexpr Value user{"user", Kind::Text, 0, ""};
inline constexpr Value email{"email", Kind::Text, 0, ""};
inline constexpr Value from{"from", Kind::Text, 0, ""};
inline constexpr Value oggetto{"oggetto", Kind::Text, 0, "Allarme Temperatura/Umidità"};
inline constexpr Value testo{"testo", Kind::Text, 0,
    "Allarme Temperatura/Umidità\r\n"
    "\r\n"
    "La temperatura e/o l'umidità rilevate dal sensore sono oltre la soglia impostata.\r\n"
    "\r\n"
    "\r\n"
    "Temperatura rilevata:    $temp$ °C\r\n"
    "Umidità rilevata:        $RH$ %\r\n"
    "\r\n"
    "Data e Ora: $data$"};
inline constexpr Value save_smtppass{"save_smtppass", Kind::Boolean, 0};
inline constexpr Value smtppass{"smtppass", Kind::Text, 0, ""};
inline constexpr Value email_ssl{"email_ssl", Kind::Integer, 0};
inline constexpr Value email_auth{"email_auth", Kind::Integer, 1};
inline constexpr Value sms_user{"sms_user", Kind::Text, 0, ""};
inline constexpr Value sms_pass{"sms_pass", Kind::Text, 0, ""};
inline constexpr Value sms_from{"sms_from", Kind::Text, 0, "Allarme"};
inline constexpr Value sms_to{"sms_to", Kind::Text, 0, ""};
inline constexpr Value sms_testo{"sms_testo", Kind::Text, 0,
    "La temperatura e/o l'umidità rilevate dal sensore sono oltre la soglia impostata.\r\n"
    "Temperatura: $temp$°C\r\n"
    "Umidità: $RH$%\r\n"
    "Data: $data$"};
inline constexpr Value save_smspass{"save_smspass", Kind::Boolean, 0};

// The order in which the alarm window reads its values.
inline constexpr std::array<const Value*, 35> alarmReadOrder{&smtp, &porta, &user, &email, &from,
    &oggetto, &testo, &smtppass, &save_smtppass, &email_ssl, &email_auth, &sms_user, &sms_pass,
    &sms_from, &sms_to, &sms_testo, &save_smspass, &popup, &Allarme_sms, &Allarme_email,
    &Allarme_email_OK, &Spegni_PC, &intervallo, &Start_prog, &programma, &EmailFunzionamRegolare,
    &tipo_emailOK, &intervallo_emailOK, &Tmin, &Tmax, &RHmin, &RHmax, &Isteresi, &Tmax_shutdown,
    &Tmax_progr};

// The order in which the alarm window writes them.
inline constexpr std::array<const Value*, 35> alarmSaveOrder{&popup, &Allarme_sms, &Allarme_email,
    &Allarme_email_OK, &Spegni_PC, &intervallo, &Start_prog, &programma, &EmailFunzionamRegolare,
    &tipo_emailOK, &intervallo_emailOK, &Tmin, &Tmax, &RHmin, &RHmax, &Isteresi, &Tmax_shutdown,
    &Tmax_progr, &smtp, &porta, &user, &email, &from, &oggetto, &testo, &save_smtppass, &smtppass,
    &email_ssl, &email_auth, &sms_user, &sms_from, &sms_to, &sms_testo, &save_smspass, &sms_pass};
} // namespace Values

} // namespace Settings
