#include "readings/MeasurementLog.h"
#include "fixture/ProgramFixture.h"

#include "platform/ColourSelector.h"
#include "sensor/DeviceDiscovery.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

namespace {

void exitThroughTheExitWindow(ProgramFixture& f)
{
    f.dialogs.modalScripts.push_back([](QDialog& window) {
        window.findChild<QPushButton*>(QStringLiteral("btnExit"))->click();
    });
    f.main().ExitBtn->click();
    QVERIFY(!f.main().isVisible());
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The log lines from the first one equal to `from`, `count` of them.
QStringList logFrom(const ProgramFixture& f, const QString& from, int count)
{
    const QStringList log = f.logMessages();
    const qsizetype first = log.lastIndexOf(from);
    return first < 0 ? QStringList() : log.mid(first, count);
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void colourReferences_data()
    {
        QTest::addColumn<quint32>("reference");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("red") << 255u << QColor(255, 0, 0);
        QTest::newRow("blue") << 16711680u << QColor(0, 0, 255);
        QTest::newRow("mixed") << 0x00336699u << QColor(0x99, 0x66, 0x33);
    }
    void colourReferences()
    {
        QFETCH(quint32, reference);
        QFETCH(QColor, colour);
        QCOMPARE(SettingsStore::fromColourReference(reference), colour);
        QCOMPARE(SettingsStore::colourReference(colour), reference);
    }

    void emptyStoreGivesTheDefaults()
    {
        ProgramFixture f;
        QVERIFY(!QFile::exists(f.settingsPath()));
        f.start();
        const TMainForm& main = f.main();
        // The apply step logs out of the web service (no credentials) and runs
        // the auto-save handlers, which log their state.
        const QStringList reading = logFrom(f, QStringLiteral("Reading setting..."), 100);
        const qsizetype read = reading.indexOf(QStringLiteral("Setting read"));
        QVERIFY(read > 3);
        QCOMPARE(reading.mid(0, 3),
            (QStringList{QStringLiteral("Reading setting..."), QStringLiteral("o ") + f.settingsPath(),
                QStringLiteral("Logout")}));
        QCOMPARE(reading.mid(read - 2, 3),
            (QStringList{QStringLiteral("AutoSave time 1"), QStringLiteral("AutoSave 0"), QStringLiteral("Setting read")}));
        QCOMPARE(main.cmdLingua->currentIndex(), 1);
        QCOMPARE(main.cmbGradi->currentIndex(), 0);
        for (const QAbstractButton* on : std::initializer_list<const QAbstractButton*>{
                 main.CheckTempTrayIcon, main.CheckRHTrayIcon, main.MostraPopUp, main.chkTemp,
                 main.chkRH, main.AsseVertAutomatico, main.AsseOrizAutomatico,
                 main.ChkAutoStartMonitor, main.ChkAutoUpdate, main.AsseOrizSec})
            QVERIFY2(on->isChecked(), qPrintable(on->objectName()));
        for (const QAbstractButton* off :
            std::initializer_list<const QAbstractButton*>{main.chkAutoSaveLog, main.ChkAvviaRidotto,
                main.AsseOrizPerc, main.chkSendWeb, main.chkAbilitaPush})
            QVERIFY2(!off->isChecked(), qPrintable(off->objectName()));
        QCOMPARE(main.TrackBarRitardo->value(), 2);
        QCOMPARE(main.TrackBarCalib->value(), 0);
        QCOMPARE(ColourSelector::colour(*main.ColorTemp), QColor(Qt::red));
        QCOMPARE(ColourSelector::colour(*main.ColorRH), QColor(Qt::blue));
        QCOMPARE(main.AyMax->text(), QStringLiteral("60"));
        QCOMPARE(main.AxValore->text(), QStringLiteral("30"));
        QCOMPARE(main.EditAutoSaveLog->text(), QStringLiteral("1"));
        QVERIFY(!f.program->settings().busy());
    }

    void storedValueIsApplied_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("shown");
        QTest::newRow("unita_misura F") << "unita_misura" << QVariant("F") << "cmbGradi"
                                        << QByteArray("currentIndex") << QVariant(1);
        QTest::newRow("unita_misura F runs its handler")
            << "unita_misura" << QVariant("F") << "Label12" << QByteArray("text") << QVariant("°F");
        QTest::newRow("unita_misura K ignored") << "unita_misura" << QVariant("K") << "cmbGradi"
                                                << QByteArray("currentIndex") << QVariant(0);
        QTest::newRow("lingua 0") << "lingua" << QVariant(0) << "cmdLingua"
                                  << QByteArray("currentIndex") << QVariant(0);
        QTest::newRow("lingua beyond the list")
            << "lingua" << QVariant(3) << "cmdLingua" << QByteArray("currentIndex") << QVariant(1);
        QTest::newRow("calibrazione 45 clamped")
            << "calibrazione" << QVariant(45) << "TrackBarCalib" << QByteArray("value")
            << QVariant(30);
        QTest::newRow("calibrazione runs its handler")
            << "calibrazione" << QVariant(45) << "LblCal" << QByteArray("text") << QVariant("3°C");
        QTest::newRow("calibrazione negative") << "calibrazione" << QVariant(-15) << "LblCal"
                                               << QByteArray("text") << QVariant("-1.5°C");
        QTest::newRow("calibrazione not a number")
            << "calibrazione" << QVariant("abc") << "TrackBarCalib" << QByteArray("value")
            << QVariant(0);
        QTest::newRow("ritardo_acq 0 clamped")
            << "ritardo_acq" << QVariant(0) << "LblRitardo" << QByteArray("text") << QVariant("1");
        QTest::newRow("ritardo_acq tip")
            << "ritardo_acq" << QVariant(125) << "LblRitardo" << QByteArray("toolTip")
            << QVariant("[ 2 minuti e 5 secondi ]");
        QTest::newRow("AsseO_mis beyond the list") << "AsseO_mis" << QVariant(3) << "AxValoreMisura"
                                                   << QByteArray("currentIndex") << QVariant(0);
        QTest::newRow("AsseO_perc") << "AsseO_perc" << QVariant(1) << "AsseOrizPerc"
                                    << QByteArray("checked") << QVariant(true);
        QTest::newRow("AsseO_perc leaves seconds otherwise")
            << "AsseO_perc" << QVariant(0) << "AsseOrizSec" << QByteArray("checked")
            << QVariant(true);
        QTest::newRow("boolean non-zero is true")
            << "AutoSaveLog" << QVariant(7) << "chkAutoSaveLog" << QByteArray("checked")
            << QVariant(true);
    }
    void storedValueIsApplied()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, stored);
        QFETCH(QString, control);
        QFETCH(QByteArray, property);
        QFETCH(QVariant, shown);
        ProgramFixture f;
        f.storeSetting(name, stored);
        f.start();
        QObject* widget = f.main().findChild<QObject*>(control);
        QVERIFY(widget);
        QCOMPARE(widget->property(property.constData()), shown);
    }

    void valueOfAnotherTypeIsIgnoredWithOneLine()
    {
        ProgramFixture f;
        f.storeSetting(QStringLiteral("ritardo_acq"), QStringLiteral("fast"));
        f.storeSetting(
            QStringLiteral("AsseV_min"), QStringList{QStringLiteral("1"), QStringLiteral("2")});
        f.start();
        QCOMPARE(f.main().TrackBarRitardo->value(), 2);
        QCOMPARE(f.main().AyMin->text(), QStringLiteral("0"));
        const QStringList log = f.logMessages();
        QCOMPARE(log.count(QStringLiteral("setting ignored, not a number: ritardo_acq")), 1);
        QCOMPARE(log.count(QStringLiteral("setting ignored, not a text: AsseV_min")), 1);
    }

    void humidityIconWishFollowsTheStore()
    {
        ProgramFixture f;
        f.storeSetting(QStringLiteral("icona_RH"), 0);
        f.start();
        QVERIFY(!f.main().discovery().RhIconWish);
        QVERIFY(!f.main().CheckRHTrayIcon->isChecked());
    }

    void readingWritesNothingBack()
    {
        ProgramFixture f;
        f.storeSetting(QStringLiteral("colore_temp"), 0x00336699);
        f.storeSetting(QStringLiteral("icona_temp"), 0);
        f.storeSetting(QStringLiteral("grafico_temp"), 0);
        f.storeSetting(QStringLiteral("AsseV_auto"), 0);
        f.storeSetting(QStringLiteral("unita_misura"), QStringLiteral("F"));
        f.storeSetting(QStringLiteral("calibrazione"), 12);
        const QByteArray before = fileBytes(f.settingsPath());
        f.start();
        QCOMPARE(ColourSelector::colour(*f.main().ColorTemp), QColor(0x99, 0x66, 0x33));
        QVERIFY(!f.main().chkTemp->isChecked());
        QVERIFY(!f.main().AsseVertAutomatico->isChecked());
        QCOMPARE(fileBytes(f.settingsPath()), before);
    }

    void onChangeAtOnceOnSaveAtClose()
    {
        ProgramFixture f;
        f.start();
        TMainForm& main = f.main();
        const std::pair<QAbstractButton*, QString> onChange[] = {
            {main.chkTemp, QStringLiteral("grafico_temp")},
            {main.chkRH, QStringLiteral("grafico_RH")}, {main.MostraPopUp, QStringLiteral("popup")},
            {main.AsseVertAutomatico, QStringLiteral("AsseV_auto")},
            {main.AsseOrizAutomatico, QStringLiteral("AsseO_auto")},
            {main.ChkAutoUpdate, QStringLiteral("AutoUpdate")}};
        for (const auto& [toggle, name] : onChange) {
            toggle->click();
            QCOMPARE(f.storedSetting(name).toString(), QStringLiteral("0"));
            toggle->click();
            QCOMPARE(f.storedSetting(name).toString(), QStringLiteral("1"));
        }
        main.AyMin->setText(QStringLiteral("7"));
        main.TrackBarRitardo->setValue(30);
        QVERIFY(!f.hasStoredSetting(QStringLiteral("AsseV_min")));
        QVERIFY(!f.hasStoredSetting(QStringLiteral("ritardo_acq")));
        exitThroughTheExitWindow(f);
        QCOMPARE(f.storedSetting(QStringLiteral("AsseV_min")).toString(), QStringLiteral("7"));
        QCOMPARE(f.storedSetting(QStringLiteral("ritardo_acq")).toString(), QStringLiteral("30"));
        // Values stored only on change stay out of the save (Allarme_email
        // comes with the alarm window's save).
        for (const char* name : {"icona_temp", "icona_RH"})
            QVERIFY2(!f.hasStoredSetting(QLatin1String(name)), name);
    }

    void exitSavesEveryValueAndTheNextRunComesBack()
    {
        ProgramFixture f;
        f.start();
        {
            TMainForm& m = f.main();
            // First, as the switch converts the vertical axis edits.
            m.cmbGradi->setCurrentIndex(1);
            m.AsseVertAutomatico->setChecked(false);
            m.AyMin->setText(QStringLiteral("5"));
            m.AyMax->setText(QStringLiteral("40"));
            m.AsseOrizAutomatico->setChecked(false);
            m.AsseOrizPerc->setChecked(true);
            m.AxMin->setText(QStringLiteral("10"));
            m.AxMax->setText(QStringLiteral("90"));
            m.AxValore->setText(QStringLiteral("15"));
            m.AxValoreMisura->setCurrentIndex(2);
            ColourSelector::setColour(*m.ColorTemp, QColor(0x11, 0x22, 0x33));
            ColourSelector::setColour(*m.ColorRH, QColor(0x44, 0x55, 0x66));
            m.chkAutoSaveLog->setChecked(true);
            m.EditAutoSaveLog->setText(QStringLiteral("5"));
            m.ChkAutoStartMonitor->setChecked(false);
            m.ChkAvviaRidotto->setChecked(true);
            m.ChkAutoUpdate->setChecked(false);
            m.cmdLingua->setCurrentIndex(2);
            m.TrackBarRitardo->setValue(60);
            m.TrackBarCalib->setValue(-15);
            m.measurementLog().setCustomAutoSavePath(f.tempPath() + QStringLiteral("/mine.txt"));
            m.WebUsername->setText(QStringLiteral("anna"));
            m.WebPassword->setText(QStringLiteral("p=ss, w;rd"));
            m.chkSendWeb->setChecked(true);
            m.chkAbilitaPush->setChecked(true);
        }
        exitThroughTheExitWindow(f);
        const QStringList log = f.logMessages();
        const qsizetype saving = log.lastIndexOf(QStringLiteral("Saving setting..."));
        QVERIFY(saving > 0);
        QCOMPARE(log.mid(saving, 4),
            (QStringList{QStringLiteral("Saving setting..."), QStringLiteral("o ") + f.settingsPath(),
                QStringLiteral("Setting saved"), QStringLiteral("Saving setting (alarm)...")}));
        QCOMPARE(log.last(), QStringLiteral("Exit"));

        const std::pair<const char*, QString> stored[]
            = {{"AsseV_auto", QStringLiteral("0")}, {"AsseV_min", QStringLiteral("5")},
                {"AsseV_max", QStringLiteral("40")}, {"AsseO_auto", QStringLiteral("0")},
                {"AsseO_perc", QStringLiteral("1")}, {"AsseO_min", QStringLiteral("10")},
                {"AsseO_max", QStringLiteral("90")}, {"AsseO_sec", QStringLiteral("15")},
                {"AsseO_mis", QStringLiteral("2")}, {"colore_temp", QString::number(0x332211)},
                {"colore_RH", QString::number(0x665544)}, {"AutoSaveLog", QStringLiteral("1")},
                {"AutoSaveLog_min", QStringLiteral("5")}, {"AutoStartMonitor", QStringLiteral("0")},
                {"StartMinimized", QStringLiteral("1")}, {"AutoUpdate", QStringLiteral("0")},
                {"unita_misura", QStringLiteral("F")}, {"lingua", QStringLiteral("2")},
                {"ritardo_acq", QStringLiteral("60")}, {"calibrazione", QStringLiteral("-15")},
                {"customautosavefilename", f.tempPath() + QStringLiteral("/mine.txt")},
                {"web_user", QStringLiteral("anna")}, {"web_pass", QStringLiteral("p=ss, w;rd")},
                {"invia_web", QStringLiteral("1")}, {"invia_push", QStringLiteral("1")}};
        for (const auto& [name, value] : stored)
            QCOMPARE(f.storedSetting(QLatin1String(name)).toString(), value);

        f.stop();
        f.start();
        const TMainForm& m = f.main();
        QVERIFY(!m.AsseVertAutomatico->isChecked());
        QCOMPARE(m.AyMin->text(), QStringLiteral("5"));
        QCOMPARE(m.AyMax->text(), QStringLiteral("40"));
        QVERIFY(!m.AsseOrizAutomatico->isChecked());
        QVERIFY(m.AsseOrizPerc->isChecked());
        QCOMPARE(m.AxMin->text(), QStringLiteral("10"));
        QCOMPARE(m.AxMax->text(), QStringLiteral("90"));
        QCOMPARE(m.AxValore->text(), QStringLiteral("15"));
        QCOMPARE(m.AxValoreMisura->currentIndex(), 2);
        QCOMPARE(ColourSelector::colour(*m.ColorTemp), QColor(0x11, 0x22, 0x33));
        QCOMPARE(ColourSelector::colour(*m.ColorRH), QColor(0x44, 0x55, 0x66));
        QVERIFY(m.chkAutoSaveLog->isChecked());
        QCOMPARE(m.EditAutoSaveLog->text(), QStringLiteral("5"));
        QVERIFY(!m.ChkAutoStartMonitor->isChecked());
        QVERIFY(m.ChkAvviaRidotto->isChecked());
        QVERIFY(!m.ChkAutoUpdate->isChecked());
        QCOMPARE(m.cmbGradi->currentIndex(), 1);
        QCOMPARE(m.Label12->text(), QStringLiteral("°F"));
        QCOMPARE(m.cmdLingua->currentIndex(), 2);
        QCOMPARE(m.TrackBarRitardo->value(), 60);
        QCOMPARE(m.TrackBarCalib->value(), -15);
        QCOMPARE(m.measurementLog().customAutoSavePath(), f.tempPath() + QStringLiteral("/mine.txt"));
        QCOMPARE(m.WebUsername->text(), QStringLiteral("anna"));
        QCOMPARE(m.WebPassword->text(), QStringLiteral("p=ss, w;rd"));
        QVERIFY(m.chkSendWeb->isChecked());
        QVERIFY(m.chkAbilitaPush->isChecked());
    }

    void storeThatCannotBeOpened()
    {
        ProgramFixture f;
        // A file where the settings folder should be.
        writeFile(f.tempPath() + QStringLiteral("/blocked"), "x");
        f.setSettingsPath(f.tempPath() + QStringLiteral("/blocked/Quelmo.conf"));
        f.start();
        const QStringList reading = logFrom(f, QStringLiteral("Reading setting..."), 100);
        QCOMPARE(reading.value(1), QStringLiteral("Logout")); // no "o " line
        const qsizetype read = reading.indexOf(QStringLiteral("Setting read"));
        QCOMPARE(reading.mid(read - 2, 3),
            (QStringList{QStringLiteral("AutoSave time 1"), QStringLiteral("AutoSave 0"), QStringLiteral("Setting read")}));
        QCOMPARE(f.main().TrackBarRitardo->value(), 2);
        f.main().chkTemp->click();
        exitThroughTheExitWindow(f);
        QCOMPARE(logFrom(f, QStringLiteral("Saving setting..."), 2),
            (QStringList{QStringLiteral("Saving setting..."), QStringLiteral("Setting saved")}));
        QVERIFY(f.dialogs.messages.isEmpty());
        QVERIFY(!QFile::exists(f.settingsPath()));
    }

    void fileThatCannotBeWrittenIsNotReportedSaved()
    {
        ProgramFixture f;
        // Readable, but too long a name for the file beside it that every
        // write goes through.
        const QString path = f.tempPath() + QLatin1Char('/') + QString(250, QLatin1Char('q'))
            + QStringLiteral(".conf");
        writeFile(path, "ritardo_acq=60\n");
        f.setSettingsPath(path);
        f.start();
        QCOMPARE(f.main().TrackBarRitardo->value(), 60);
        f.main().chkTemp->click();
        QVERIFY(f.logMessages().contains(
            QStringLiteral("setting not written: grafico_temp to ") + path));
        f.main().TrackBarRitardo->setValue(30);
        exitThroughTheExitWindow(f);
        const QStringList log = f.logMessages();
        QVERIFY(!log.contains(QStringLiteral("Setting saved")));
        QCOMPARE(log.count(QStringLiteral("Setting not saved: cannot write ") + path), 2);
        QCOMPARE(log.last(), QStringLiteral("Exit"));
        QCOMPARE(fileBytes(path), QByteArray("ritardo_acq=60\n"));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void corruptFileStartsOnDefaultsAndIsRepairedByTheSave()
    {
        ProgramFixture f;
        QByteArray garbage(300, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = static_cast<char>(i * 37 + 11);
        QVERIFY(QDir().mkpath(QFileInfo(f.settingsPath()).absolutePath()));
        writeFile(f.settingsPath(), garbage);
        f.start();
        QVERIFY(f.logMessages().contains(
            QStringLiteral("settings unreadable, defaults used: ") + f.settingsPath()));
        QCOMPARE(f.main().TrackBarRitardo->value(), 2);
        QCOMPARE(f.main().cmbGradi->currentIndex(), 0);
        f.main().TrackBarRitardo->setValue(40);
        exitThroughTheExitWindow(f);
        f.stop();
        f.start();
        QCOMPARE(f.main().TrackBarRitardo->value(), 40);
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
