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

QString SettingsStore::displayPath() const
{
#ifdef Q_OS_WIN
    QString key = QDir::toNativeSeparators(m_path);
    const QString root = QStringLiteral("\\HKEY_CURRENT_USER\\");
    if (key.startsWith(root, Qt::CaseInsensitive))
        key.remove(0, root.size());
    while (key.startsWith(QLatin1Char('\\')))
        key.remove(0, 1);
    return key;
#else
    return m_path;
#endif
}

SettingsStore::Session SettingsStore::open() const
{
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath()))
        return Session(nullptr, m_log);
    if (info.exists() && (!info.isReadable() || info.isDir()))
        return Session(nullptr, m_log);
    auto settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
    // The file is read on first use; its status is known only then.
    static_cast<void>(settings->childKeys());
    // A readable file whose earlier changes could not be written still
    // opens: its values read, and the next commit tells the failure again.
    if (settings->status() == QSettings::AccessError && !info.exists())
        return Session(nullptr, m_log);
    if (settings->status() == QSettings::FormatError)
        m_log(QStringLiteral("settings unreadable, defaults used: ") + m_path);
    return Session(std::move(settings), m_log);
}

template <class Write>
void SettingsStore::writeOne(const Settings::Value& value, Write&& write) const
{
    if (m_busy)
        return;
    auto session = open();
    if (!session.isOpen())
        return;
    write(session);
    if (!session.commit())
        m_log(QStringLiteral("setting not written: ") + QLatin1String(value.name)
            + QStringLiteral(" to ") + m_path);
}

void SettingsStore::writeBool(const Settings::Value& value, bool on) const
{
    writeOne(value, [&](Session& session) { session.writeBool(value, on); });
}

void SettingsStore::writeInteger(const Settings::Value& value, int number) const
{
    writeOne(value, [&](Session& session) { session.writeInteger(value, number); });
}

void SettingsStore::writeColour(const Settings::Value& value, const QColor& colour) const
{
    writeOne(value, [&](Session& session) { session.writeColour(value, colour); });
}

quint32 SettingsStore::colourReference(const QColor& colour)
{
    return static_cast<quint32>(colour.red()) | static_cast<quint32>(colour.green()) << 8
        | static_cast<quint32>(colour.blue()) << 16;
}

QColor SettingsStore::fromColourReference(quint32 reference)
{
    return QColor(static_cast<int>(reference & 0xFF), static_cast<int>(reference >> 8 & 0xFF),
        static_cast<int>(reference >> 16 & 0xFF));
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

void SettingsStore::Session::writeColour(const Settings::Value& value, const QColor& colour)
{
    writeInteger(value, static_cast<int>(colourReference(colour)));
}

std::optional<QColor> SettingsStore::Session::readColour(const Settings::Value& value) const
{
    const auto number = readInteger(value);
    if (!number)
        return std::nullopt;
    return fromColourReference(static_cast<quint32>(*number));
}

void SettingsStore::Session::remove(const Settings::Value& value)
{
    m_settings->remove(QLatin1String(value.name));
}

bool SettingsStore::Session::commit()
{
    if (!m_settings)
        return false;
    m_settings->sync();
    // A file that was unreadable keeps its format status, yet it is written.
    return m_settings->status() != QSettings::AccessError;
}

QString SettingsStore::textOrDefault(const Settings::Value& value) const
{
    const Session session = open();
    const std::optional<QString> stored = session.isOpen() ? session.readText(value) : std::nullopt;
    return stored.value_or(QString::fromUtf8(value.textDefault));
}
