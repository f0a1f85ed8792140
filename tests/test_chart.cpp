#include "fixture/ProgramFixture.h"

#include "readings/ChartAxes.h"
#include "readings/HistoryChart.h"
#include "readings/MemoView.h"
#include "sensor/Acquisition.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <qcustomplot.h>

class TestChart : public QObject
{
    Q_OBJECT

    struct Running
    {
        ProgramFixture f;
        int sensor = 0;
        explicit Running(const QString& product = QStringLiteral("Tessaro RH"))
        {
            sensor = f.plugSensor(product);
            f.start();
        }
        TMainForm& main() { return f.main(); }
        QCPGraph& series(int index) { return *main().Grafico->graph(index); }
        QCPRange xRange() { return main().Grafico->xAxis->range(); }
        QCPRange yRange() { return main().Grafico->yAxis->range(); }
        QString title()
        {
            return qobject_cast<QCPTextElement*>(main().Grafico->plotLayout()->element(0, 0))
                ->text();
        }
        void report(double celsius, double humidity = 50.0)
        {
            f.push(sensor, ProgramFixture::report(celsius, humidity));
            f.clock.advance(1000);
        }
        double now() { return ChartAxes::key(f.clock.now()); }
    };

private Q_SLOTS:
    void axisEditCorrections_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<bool>("fahrenheit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("partner");
        QTest::addColumn<QString>("partnerShows");
        // AyMin/AyMax start at "0"/"60", AxMin/AxMax at "0"/"100".
        QTest::newRow("AyMin 130 in °C becomes 125, pulls AyMax") << "AyMin" << false << "130"
                                                                  << "125"
                                                                  << "AyMax"
                                                                  << "125";
        QTest::newRow("AyMin 130 in °F stays") << "AyMin" << true << "130"
                                               << "130"
                                               << "AyMax"
                                               << "130";
        QTest::newRow("AyMin 300 in °F becomes 250") << "AyMin" << true << "300"
                                                     << "250"
                                                     << "AyMax"
                                                     << "250";
        QTest::newRow("AyMax below AyMin pulls AyMin down") << "AyMax" << false << "-5"
                                                            << "-5"
                                                            << "AyMin"
                                                            << "-5";
        QTest::newRow("AyMax within range") << "AyMax" << false << "42.5"
                                            << "42.5"
                                            << "AyMin"
                                            << "0";
        QTest::newRow("AyMax empty becomes 0") << "AyMax" << false << ""
                                               << "0"
                                               << "AyMin"
                                               << "0";
        QTest::newRow("AyMin lone point counts as 0") << "AyMin" << false << "."
                                                      << "."
                                                      << "AyMax"
                                                      << "60";
        QTest::newRow("AxMin 150 becomes 100, pulls AxMax") << "AxMin" << false << "150"
                                                            << "100"
                                                            << "AxMax"
                                                            << "100";
        QTest::newRow("AxMax below AxMin pulls AxMin") << "AxMax" << false << "0"
                                                       << "0"
                                                       << "AxMin"
                                                       << "0";
        QTest::newRow("AxValore 12345 becomes 9999") << "AxValore" << false << "12345"
                                                     << "9999"
                                                     << "AxMin"
                                                     << "0";
        QTest::newRow("AxValore empty becomes 0") << "AxValore" << false << ""
                                                  << "0"
                                                  << "AxMin"
                                                  << "0";
    }
    void axisEditCorrections()
    {
        QFETCH(QString, edit);
        QFETCH(bool, fahrenheit);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, partner);
        QFETCH(QString, partnerShows);
        Running r;
        TMainForm& main = r.main();
        main.cmbGradi->setCurrentIndex(fahrenheit ? 1 : 0);
        main.AyMin->setText(QStringLiteral("0"));
        main.AyMax->setText(QStringLiteral("60"));
        main.AsseVertAutomatico->click();
        main.AsseOrizAutomatico->click();
        if (edit.startsWith(QLatin1String("AxM")))
            main.AsseOrizPerc->click();
        if (edit == QLatin1String("AxMax"))
            main.AxMin->setText(QStringLiteral("40"));
        if (edit == QLatin1String("AyMax") && typed == QLatin1String("-5"))
            main.AyMin->setText(QStringLiteral("10"));

        auto* target = r.f.find<QLineEdit>(edit.toLatin1().constData());
        target->setText(typed);
        QCOMPARE(target->text(), shown);
        QCOMPARE(target->cursorPosition(), shown.size());
        QCOMPARE(r.f.find<QLineEdit>(partner.toLatin1().constData())->text(), partnerShows);
        if (edit.startsWith(QLatin1String("Ay"))) {
            QCOMPARE(r.yRange().lower, ChartAxes::decimalValue(main.AyMin->text()));
            QCOMPARE(r.yRange().upper, ChartAxes::decimalValue(main.AyMax->text()));
        }
    }

    void horizontalEditsIgnoredInTheOtherMode()
    {
        Running r;
        TMainForm& main = r.main();
        main.AsseOrizAutomatico->click();
        // "Ultimi secondi" is checked: the percentage edits correct nothing.
        main.AxMin->setText(QStringLiteral("150"));
        QCOMPARE(main.AxMin->text(), QStringLiteral("150"));
        main.AsseOrizPerc->click();
        main.AxValore->setText(QStringLiteral("12345"));
        QCOMPARE(main.AxValore->text(), QStringLiteral("12345"));
    }

    void keyFilters()
    {
        Running r;
        TMainForm& main = r.main();
        main.AsseVertAutomatico->click();
        main.AyMax->selectAll();
        QTest::keyClicks(main.AyMax, QStringLiteral("4-2.5.x"));
        QCOMPARE(main.AyMax->text(), QStringLiteral("42.5"));
        main.AsseOrizAutomatico->click();
        main.AxValore->selectAll();
        QTest::keyClicks(main.AxValore, QStringLiteral("1.5a"));
        QCOMPARE(main.AxValore->text(), QStringLiteral("15"));
    }

    // Going from 0..10 to 50..60 and back never puts the minimum above the
    // maximum, which would swap the bounds.
    void verticalRangeOrdering()
    {
        Running r;
        TMainForm& main = r.main();
        main.AsseVertAutomatico->click();
        QVERIFY(main.AyMin->isEnabled());
        main.AyMin->setText(QStringLiteral("0"));
        main.AyMax->setText(QStringLiteral("10"));
        QCOMPARE(r.yRange(), QCPRange(0, 10));
        main.AyMax->setText(QStringLiteral("60"));
        main.AyMin->setText(QStringLiteral("50"));
        QCOMPARE(r.yRange(), QCPRange(50, 60));
        HistoryChart& chart = main.chart();
        main.AyMin->blockSignals(true);
        main.AyMax->blockSignals(true);
        main.AyMin->setText(QStringLiteral("0"));
        main.AyMax->setText(QStringLiteral("10"));
        chart.ApplyVerticalAxis();
        QCOMPARE(r.yRange(), QCPRange(0, 10));
        main.AyMin->setText(QStringLiteral("50"));
        main.AyMax->setText(QStringLiteral("60"));
        chart.ApplyVerticalAxis();
        QCOMPARE(r.yRange(), QCPRange(50, 60));
        QCOMPARE(r.f.storedSetting(QStringLiteral("AsseV_auto")).toInt(), 0);
    }

    void timeWindowSlides()
    {
        Running r;
        TMainForm& main = r.main();
        main.AsseOrizAutomatico->click();
        QCOMPARE(r.f.storedSetting(QStringLiteral("AsseO_auto")).toInt(), 0);
        main.AxValoreMisura->setCurrentIndex(1);
        QCOMPARE(r.xRange(), QCPRange(r.now() - 1800, r.now()));
        r.f.clock.advance(1000);
        main.Timer1.setInterval(1);
        QTRY_COMPARE(r.xRange(), QCPRange(r.now() - 1800, r.now()));
        main.AxValoreMisura->setCurrentIndex(2);
        main.AxValore->setText(QStringLiteral("12345"));
        QCOMPARE(r.xRange(), QCPRange(r.now() - 9999.0 * 3600, r.now()));
    }

    void percentageWindow()
    {
        Running r;
        TMainForm& main = r.main();
        const double start = ChartAxes::key(main.acquisition().AcquisitionStart);
        QCOMPARE(start, r.now());
        main.AsseOrizAutomatico->click();
        main.AsseOrizPerc->click();
        main.AxMin->setText(QStringLiteral("50"));
        r.f.clock.advance(2 * 3600 * 1000);
        main.acquisition().Timer1Timer();
        QCOMPARE(r.xRange(), QCPRange(start + 3600, start + 7200));
        r.f.clock.advance(3600 * 1000);
        main.acquisition().Timer1Timer();
        QCOMPARE(r.xRange(), QCPRange(start + 5400, start + 10800));
    }

    void percentageBeforeAnyStart()
    {
        const ChartAxes::Range whole{100, 200};
        const QDateTime now = QDateTime(QDate(2025, 12, 9), QTime(12, 0));
        QCOMPARE(ChartAxes::percentage(QDateTime(), now, 50, 100, whole), whole);
        const ChartAxes::Range half
            = ChartAxes::percentage(now.addSecs(-7200), now, 50, 100, whole);
        QCOMPARE(half.max - half.min, 3600.0);
    }

    void title_data()
    {
        QTest::addColumn<bool>("temperature");
        QTest::addColumn<bool>("humidity");
        QTest::addColumn<QString>("title");
        QTest::newRow("both") << true << true
                              << QStringLiteral("Storico Temperature e Umidità Rilevate");
        QTest::newRow("humidity") << false << true << QStringLiteral("Storico Umidità Rilevate");
        QTest::newRow("temperature")
            << true << false << QStringLiteral("Storico Temperature Rilevate");
        QTest::newRow("neither") << false << false << QString();
    }
    void title()
    {
        QFETCH(bool, temperature);
        QFETCH(bool, humidity);
        QFETCH(QString, title);
        Running r;
        TMainForm& main = r.main();
        if (!temperature)
            main.chkTemp->click();
        if (!humidity)
            main.chkRH->click();
        QCOMPARE(r.title(), title);
        QCOMPARE(r.series(0).visible(), temperature);
        QCOMPARE(r.series(1).visible(), humidity);
        QCOMPARE(r.f.storedSetting(QStringLiteral("grafico_temp")).isValid(), !temperature);
        if (!humidity)
            QCOMPARE(r.f.storedSetting(QStringLiteral("grafico_RH")).toInt(), 0);
    }

    void sensorWithoutHumidityHidesSeries1()
    {
        Running r(QStringLiteral("Tessaro"));
        QVERIFY(!r.series(1).visible());
        QCOMPARE(r.title(), QStringLiteral("Storico Temperature Rilevate"));
        r.report(21.0);
        // The humidity point is appended all the same.
        QCOMPARE(r.series(1).dataCount(), 1);
    }

    void pointsFollowAbilitato2()
    {
        Running r;
        TMainForm& main = r.main();
        r.report(21.0, 40.0);
        QCOMPARE(r.series(0).dataCount(), 1);
        QCOMPARE(r.series(0).data()->at(0)->key, r.now() - 1);
        QCOMPARE(r.series(0).data()->at(0)->value, 21.0);
        QCOMPARE(r.series(1).data()->at(0)->value, 40.0);
        main.Abilitato2->click();
        r.report(22.0, 41.0);
        QCOMPARE(r.series(0).dataCount(), 1);
        QCOMPARE(r.series(1).dataCount(), 1);
        QCOMPARE(main.LogMemo->lineCount(), 2);
        main.Abilitato2->click();
        r.report(23.0, 42.0);
        QCOMPARE(r.series(0).dataCount(), 2);
        // Automatic axes hold every point.
        QCOMPARE(r.yRange(), QCPRange(21.0, 42.0));
        QCOMPARE(r.xRange(), QCPRange(r.now() - 3, r.now() - 1));

        main.Svuota1->click();
        QCOMPARE(r.series(0).dataCount(), 0);
        QCOMPARE(r.series(1).dataCount(), 0);
    }

    void unitSwitchConvertsTemperatures()
    {
        Running r;
        TMainForm& main = r.main();
        r.report(25.0, 40.0);
        main.cmbGradi->setCurrentIndex(1);
        QCOMPARE(r.series(0).data()->at(0)->value, 77.0);
        QCOMPARE(r.series(1).data()->at(0)->value, 40.0);
        r.report(25.0, 40.0);
        QCOMPARE(r.series(0).data()->at(1)->value, 77.0);
        main.cmbGradi->setCurrentIndex(0);
        QCOMPARE(r.series(0).data()->at(1)->value, 25.0);
    }

    void coloursAndDrawAll()
    {
        Running r;
        TMainForm& main = r.main();
        HistoryChart& chart = main.chart();
        QCOMPARE(chart.temperatureColour(), QColor(Qt::red));
        QCOMPARE(chart.humidityColour(), QColor(Qt::blue));
        main.ColorTemp->menu()->actions().at(8)->trigger(); // green
        QCOMPARE(r.series(0).pen().color(), QColor(Qt::green));
        QCOMPARE(r.f.storedSetting(QStringLiteral("colore_temp")).toInt(), 0x00FF00);
        chart.ColorRHSelect(QColor(0x11, 0x22, 0x33));
        QCOMPARE(r.f.storedSetting(QStringLiteral("colore_RH")).toInt(), 0x332211);
        QCOMPARE(HistoryChart::fromColourRef(0x332211), QColor(0x11, 0x22, 0x33));

        QVERIFY(!r.series(0).adaptiveSampling());
        main.DrawAll->click();
        QVERIFY(r.series(0).adaptiveSampling());
        QVERIFY(r.series(1).adaptiveSampling());
    }

    void exportWritesBitmapOfChartSize()
    {
        Running r;
        TMainForm& main = r.main();
        r.report(21.0);
        r.report(22.0);
        const QString path = r.f.tempPath() + QStringLiteral("/chart.bmp");
        r.f.dialogs.saveAnswers.push_back(path);
        main.AdvBtnEsporta->click();
        QCOMPARE(r.f.dialogs.saveRequests.last().defaultSuffix, QStringLiteral("bmp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(2), QByteArray("BM"));
        const QImage image(path);
        QCOMPARE(image.size(), main.Grafico->size());
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(r.f.logMessages().last(), QStringLiteral("Save bmp"));

        const qsizetype logged = r.f.logMessages().size();
        main.AdvBtnEsporta->click();
        QCOMPARE(r.f.logMessages().size(), logged);
    }

    void printPreviewIsAModalWindow()
    {
        Running r;
        r.main().AdvBtnStampa->click();
        QCOMPARE(r.f.dialogs.modalWindows, QList<QString>{QStringLiteral("PrintPreview")});
    }

    void fullScreen()
    {
        Running r;
        TMainForm& main = r.main();
        const QRect geometry = main.Grafico->geometry();
        QTest::mouseDClick(main.Grafico, Qt::LeftButton, {}, QPoint(200, 150));
        QVERIFY(main.chart().isFullScreen());
        QVERIFY(main.btnFullScreen->isVisible());
        QVERIFY(main.Grafico->isWindow());
        main.btnFullScreen->click();
        QVERIFY(!main.btnFullScreen->isVisible());
        QVERIFY(!main.Grafico->isWindow());
        QCOMPARE(main.Grafico->geometry(), geometry);
    }

    void pointTip()
    {
        Running r;
        TMainForm& main = r.main();
        r.report(21.0, 40.0);
        r.report(23.0, 45.0);
        main.Grafico->replot();
        QCPAxis* x = main.Grafico->xAxis;
        QCPAxis* y = main.Grafico->yAxis;
        const QPoint onPoint(static_cast<int>(x->coordToPixel(r.now() - 1)),
            static_cast<int>(y->coordToPixel(23.0)));
        QCOMPARE(main.chart().pointTipAt(onPoint), QStringLiteral("09/12/25 12:00:01\n23"));
        QCOMPARE(main.chart().pointTipAt(onPoint + QPoint(0, 40)), QString());
    }
};

QTEST_MAIN(TestChart)
#include "test_chart.moc"
