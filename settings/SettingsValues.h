#pragma once

// Every value the program keeps in its settings store, with its stored name,
// its kind and what the control shows when the value is missing. Readers and
// writers take these; no call site types a value's name.

namespace Settings {

enum class Kind { Boolean, Integer, Colour, Text };

struct Value {
    const char* name;
    Kind kind;
    // Default for booleans, integers and colours; textDefault for texts.
    long long fallback = 0;
    const char* textDefault = "";
};

namespace Values {
// Main window, in the order in which they are read.
inline constexpr Value colore_temp{"colore_temp", Kind::Colour, 255};
inline constexpr Value colore_RH{"colore_RH", Kind::Colour, 16711680};
inline constexpr Value icona_temp{"icona_temp", Kind::Boolean, 1};
inline constexpr Value icona_RH{"icona_RH", Kind::Boolean, 1};
inline constexpr Value popup{"popup", Kind::Boolean, 1};
inline constexpr Value grafico_temp{"grafico_temp", Kind::Boolean, 1};
inline constexpr Value grafico_RH{"grafico_RH", Kind::Boolean, 1};
inline constexpr Value AutoStartMonitor{"AutoStartMonitor", Kind::Boolean, 1};
inline constexpr Value StartMinimized{"StartMinimized", Kind::Boolean, 0};
inline constexpr Value AutoUpdate{"AutoUpdate", Kind::Boolean, 1};
inline constexpr Value lingua{"lingua", Kind::Integer, 1};
inline constexpr Value unita_misura{"unita_misura", Kind::Text, 0, "C"};
inline constexpr Value calibrazione{"calibrazione", Kind::Integer, 0};
inline constexpr Value ritardo_acq{"ritardo_acq", Kind::Integer, 2};
inline constexpr Value customautosavefilename{"customautosavefilename", Kind::Text, 0, ""};
inline constexpr Value AsseV_auto{"AsseV_auto", Kind::Boolean, 1};
inline constexpr Value AsseV_min{"AsseV_min", Kind::Text, 0, "0"};
inline constexpr Value AsseV_max{"AsseV_max", Kind::Text, 0, "60"};
inline constexpr Value AsseO_auto{"AsseO_auto", Kind::Boolean, 1};
inline constexpr Value AsseO_perc{"AsseO_perc", Kind::Boolean, 0};
inline constexpr Value AsseO_min{"AsseO_min", Kind::Text, 0, "0"};
inline constexpr Value AsseO_max{"AsseO_max", Kind::Text, 0, "100"};
inline constexpr Value AsseO_sec{"AsseO_sec", Kind::Text, 0, "30"};
inline constexpr Value AsseO_mis{"AsseO_mis", Kind::Integer, 0};
inline constexpr Value AutoSaveLog{"AutoSaveLog", Kind::Boolean, 0};
inline constexpr Value AutoSaveLog_min{"AutoSaveLog_min", Kind::Text, 0, "1"};
inline constexpr Value web_user{"web_user", Kind::Text, 0, ""};
inline constexpr Value web_pass{"web_pass", Kind::Text, 0, ""};
inline constexpr Value invia_web{"invia_web", Kind::Boolean, 0};
inline constexpr Value invia_push{"invia_push", Kind::Boolean, 0};
inline constexpr Value Allarme_email{"Allarme_email", Kind::Boolean, 0};
// The update server's address, under which the control file lives.
inline constexpr Value UpdateServer{"UpdateServer", Kind::Text, 0, "http://update.quelmo.example"};
// Base addresses of the monitoring web service and of the SMS gateway, read
// each time a request is built, so that the program can be pointed elsewhere.
inline constexpr Value ServiceBase{"ServiceBase", Kind::Text, 0, "http://service.quelmo.example"};
inline constexpr Value SmsGatewayBase{"SmsGatewayBase", Kind::Text, 0, "http://sms.quelmo.example"};
} // namespace Values

} // namespace Settings
