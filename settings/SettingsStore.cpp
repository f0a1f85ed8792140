#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// The file holds passwords in clear text: it is made readable by its owner
// only, and a file an earlier version left open to others is closed again.
void syncPrivately(QSettings& settings)
{
#ifdef Q_OS_UNIX
    const mode_t previous = ::umask(077);
    settings.sync();
    ::umask(previous);
    const QString path = settings.fileName();
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
        | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther
        | QFileDevice::ExeOther;
    if (QFileInfo::exists(path) && (QFile::permissions(path) & others))
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
#else
    settings.sync();
#endif
}

} // namespace

SettingsStore::SettingsStore(QString path, Log log)
    : m_path(path.isEmpty() ? standardPath() : std::move(path))
    , m_log(log ? std::move(log) : Log([](const QString&) {}))
{
}

QString SettingsStore::standardPath()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Calvenor"),
        QStringLiteral("Quelmo"))
        .fileName();
}

SettingsStore::Session SettingsStore::open() const
{
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath()))
        return Session(nullptr, m_log);
    if (info.exists() && !info.isReadable())
        return Session(nullptr, m_log);
    auto settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
    if (settings->status() == QSettings::AccessError)
        return Session(nullptr, m_log);
    if (settings->status() == QSettings::FormatError)
        m_log(QStringLiteral("settings unreadable, defaults used: ") + m_path);
    return Session(std::move(settings), m_log);
}

void SettingsStore::writeBool(const Settings::Value& value, bool on) const
{
    if (m_busy)
        return;
    auto session = open();
    if (session.isOpen())
        session.writeBool(value, on);
}

void SettingsStore::writeInteger(const Settings::Value& value, int number) const
{
    if (m_busy)
        return;
    auto session = open();
    if (session.isOpen())
        session.writeInteger(value, number);
}

SettingsStore::Session::Session(std::unique_ptr<QSettings> settings, const Log& log)
    : m_settings(std::move(settings))
    , m_log(log)
{
}

SettingsStore::Session::Session(Session&& other) noexcept = default;

SettingsStore::Session::~Session()
{
    if (m_settings)
        syncPrivately(*m_settings);
}

bool SettingsStore::Session::contains(const Settings::Value& value) const
{
    return m_settings && m_settings->contains(QLatin1String(value.name));
}

std::optional<long long> SettingsStore::Session::readNumber(const Settings::Value& value) const
{
    if (!contains(value))
        return std::nullopt;
    const QVariant stored = m_settings->value(QLatin1String(value.name));
    bool ok = false;
    const long long number = stored.toString().trimmed().toLongLong(&ok, 0);
    const bool fits = number >= -2147483648LL && number <= 4294967295LL;
    if (!ok || !fits || stored.typeId() == QMetaType::QStringList) {
        m_log(QStringLiteral("setting ignored, not a number: ") + QLatin1String(value.name));
        return std::nullopt;
    }
    return number;
}

std::optional<bool> SettingsStore::Session::readBool(const Settings::Value& value) const
{
    const auto number = readNumber(value);
    if (!number)
        return std::nullopt;
    return *number != 0;
}

std::optional<int> SettingsStore::Session::readInteger(const Settings::Value& value) const
{
    const auto number = readNumber(value);
    if (!number)
        return std::nullopt;
    // A colour or a DWORD above 2^31 keeps its 32 bits.
    return static_cast<int>(static_cast<quint32>(*number));
}

std::optional<QString> SettingsStore::Session::readText(const Settings::Value& value) const
{
    if (!contains(value))
        return std::nullopt;
    const QVariant stored = m_settings->value(QLatin1String(value.name));
    if (stored.typeId() != QMetaType::QString) {
        m_log(QStringLiteral("setting ignored, not a text: ") + QLatin1String(value.name));
        return std::nullopt;
    }
    return stored.toString();
}

void SettingsStore::Session::writeBool(const Settings::Value& value, bool on)
{
    m_settings->setValue(QLatin1String(value.name), on ? 1 : 0);
}

void SettingsStore::Session::writeInteger(const Settings::Value& value, int number)
{
    m_settings->setValue(QLatin1String(value.name), number);
}

void SettingsStore::Session::writeText(const Settings::Value& value, const QString& text)
{
    m_settings->setValue(QLatin1String(value.name), text);
}

void SettingsStore::Session::remove(const Settings::Value& value)
{
    m_settings->remove(QLatin1String(value.name));
}
