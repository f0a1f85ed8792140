#include "fixture/ProgramFixture.h"

#include "settings/SettingsStore.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <sys/stat.h>

namespace {

// The file's mode bits as the system keeps them.
int modeOf(const QString& path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return static_cast<int>(info.st_mode & 07777);
}

// Runs with the umask given, as a user's session may have set it.
class Umask
{
public:
    explicit Umask(mode_t mask)
        : m_previous(::umask(mask))
    {
    }
    ~Umask() { ::umask(m_previous); }

private:
    mode_t m_previous;
};

} // namespace

// The settings file holds passwords in clear text: whoever writes it, it
// is readable by its owner only.
class TestSettingsMode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void savedFileIsPrivate_data()
    {
        QTest::addColumn<int>("umask");
        QTest::addColumn<int>("modeBefore"); // -1: no file yet
        QTest::newRow("created, umask 022") << 022 << -1;
        QTest::newRow("created, umask 000") << 0 << -1;
        QTest::newRow("rewritten, was 0644") << 022 << 0644;
        QTest::newRow("rewritten, was 0666") << 0 << 0666;
        QTest::newRow("rewritten, was 0600") << 022 << 0600;
    }

    void savedFileIsPrivate()
    {
        QFETCH(int, umask);
        QFETCH(int, modeBefore);
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/Calvenor/Quelmo.conf");
        if (modeBefore >= 0) {
            QSettings(path, QSettings::IniFormat).setValue(QStringLiteral("Lingua"), 2);
            QVERIFY(
                ::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(modeBefore)) == 0);
        }
        Umask mask(static_cast<mode_t>(umask));
        SettingsStore store(path);
        {
            auto session = store.open();
            QVERIFY(session.isOpen());
            session.writeBool(Settings::Values::popup, false);
        }
        QCOMPARE(modeOf(path), 0600);
        QCOMPARE(QSettings(path, QSettings::IniFormat).value(QStringLiteral("popup")).toInt(), 0);

        // A second save, a single value this time, keeps it so.
        store.writeBool(Settings::Values::icona_temp, false);
        QCOMPARE(modeOf(path), 0600);
        QCOMPARE(
            QSettings(path, QSettings::IniFormat).value(QStringLiteral("icona_temp")).toInt(), 0);
    }

    // The program writes a setting the moment the user flips a tray switch.
    void programWritesPrivately()
    {
        Umask mask(022);
        ProgramFixture f;
        f.start();
        f.main().CheckTempTrayIcon->click();
        QVERIFY(f.hasStoredSetting(QStringLiteral("icona_temp")));
        QCOMPARE(modeOf(f.settingsPath()), 0600);
    }
};

QTEST_MAIN(TestSettingsMode)
#include "test_settings_mode.moc"
