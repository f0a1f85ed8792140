#pragma once

#include "settings/SettingsValues.h"

#include <QColor>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

class QSettings;

// The settings store: one file of named values (the registry key on
// Windows). Each operation opens the store, works and closes it again, as
// the scope of a Session; no handle stays open between operations.
class SettingsStore {
public:
    using Log = std::function<void(const QString&)>;

    // path: the settings file; empty means the user's standard location
    // (Calvenor/Quelmo.conf under the configuration folder).
    explicit SettingsStore(QString path = {}, Log log = {});

    static QString standardPath();
    QString path() const { return m_path; }
    // Where the values live, as the log names it: the file's path, or on
    // Windows the key's path below its root (Software\Calvenor\Quelmo).
    QString displayPath() const;

    class Session {
    public:
        Session(Session&&) noexcept;
        ~Session();
        bool isOpen() const { return m_settings != nullptr; }

        bool contains(const Settings::Value& value) const;
        // The value with its kind, or nothing when it is missing or stored
        // with another type than its kind (one log line names it then).
        std::optional<bool> readBool(const Settings::Value& value) const;
        std::optional<int> readInteger(const Settings::Value& value) const;
        std::optional<QString> readText(const Settings::Value& value) const;
        std::optional<QColor> readColour(const Settings::Value& value) const;

        void writeBool(const Settings::Value& value, bool on);
        void writeInteger(const Settings::Value& value, int number);
        void writeText(const Settings::Value& value, const QString& text);
        void writeColour(const Settings::Value& value, const QColor& colour);
        void remove(const Settings::Value& value);

        // Writes what the session changed to the file; false when the file
        // could not be written (the values are lost then).
        bool commit();

    private:
        friend class SettingsStore;
        Session(std::unique_ptr<QSettings> settings, const Log& log);
        std::optional<long long> readNumber(const Settings::Value& value) const;

        std::unique_ptr<QSettings> m_settings;
        const Log& m_log;
    };

    // Opens the store, creating its folder when missing. The session is not
    // open when the store cannot be opened or created.
    Session open() const;

    // One value written at once; silently nothing when the store cannot be
    // opened or while settings are being read or saved.
    void writeBool(const Settings::Value& value, bool on) const;
    void writeInteger(const Settings::Value& value, int number) const;
    // A text value read at once: the stored text, or the value's default when
    // it is missing or the store cannot be opened.
    QString textOrDefault(const Settings::Value& value) const;
    void writeColour(const Settings::Value& value, const QColor& colour) const;

    // A colour as the store keeps it: red in the low byte, then green, then
    // blue (0x00BBGGRR).
    static quint32 colourReference(const QColor& colour);
    static QColor fromColourReference(quint32 reference);

    bool busy() const { return m_busy; }
    void setBusy(bool busy) { m_busy = busy; }

private:
    template <class Write> void writeOne(const Settings::Value& value, Write&& write) const;

    QString m_path;
    Log m_log;
    bool m_busy = false;
};
