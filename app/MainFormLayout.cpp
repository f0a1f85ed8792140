// The main window's controls, each under its name, placed as the window was
// designed: a ribbon of six pages, the chart, and the bottom row.

#include "TMainForm.h"

#include "platform/ColourSelector.h"
#include "platform/Led.h"
#include "platform/Shell.h"
#include "platform/StatusShape.h"
#include "platform/TextTrayIcon.h"
#include "platform/ThermometerGauge.h"
#include "readings/MemoView.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <qcustomplot.h>

namespace {

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QToolButton* glowButton(const char* name, const QString& caption, bool toggle = false)
{
    auto* button = named(new QToolButton, name);
    button->setText(caption);
    button->setCheckable(toggle);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setMinimumHeight(24);
    return button;
}

QCheckBox* checkBox(const char* name, const QString& caption)
{
    auto* box = named(new QCheckBox(caption), name);
    return box;
}

QLabel* label(const char* name, const QString& caption)
{
    return named(new QLabel(caption), name);
}

QLineEdit* edit(const char* name, const QString& text, int width)
{
    auto* line = named(new QLineEdit(text), name);
    line->setFixedWidth(width);
    return line;
}

QGroupBox* toolbar(const char* name, const QString& caption, QWidget* page)
{
    auto* box = named(new QGroupBox(caption, page), name);
    page->layout()->addWidget(box);
    return box;
}

QWidget* page(QTabWidget* pager, const char* name, const QString& caption)
{
    auto* widget = named(new QWidget, name);
    auto* row = new QHBoxLayout(widget);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(6);
    pager->addTab(widget, caption);
    return widget;
}

void finishPage(QWidget* page)
{
    static_cast<QHBoxLayout*>(page->layout())->addStretch(1);
}

// A toolbar laid out in rows of controls.
QGridLayout* grid(QGroupBox* box)
{
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(2);
    return layout;
}

} // namespace

void TMainForm::buildLayout()
{
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(QStringLiteral("Quelmo and Temperature Monitor"));
    setFixedSize(694, 637);
    buildRibbon();
    buildMiddleAndBottom();
    buildStatusBar();
    buildTrayIcons();
}

void TMainForm::buildRibbon()
{
    AdvToolBarPager1 = named(new QTabWidget(this), "AdvToolBarPager1");
    AdvToolBarPager1->setGeometry(0, 0, 694, 110);

    // Acquisizione.
    AdvPageAcq = page(AdvToolBarPager1, "AdvPageAcq", QStringLiteral("Acquisizione"));
    {
        auto* g = grid(toolbar("AdvToolBar2", QStringLiteral("Acquisizione"), AdvPageAcq));
        Inizia1 = glowButton("Inizia1", QStringLiteral("Inizia"));
        Termina1 = glowButton("Termina1", QStringLiteral("Termina"));
        Inizia1->setEnabled(false);
        Termina1->setEnabled(false);
        g->addWidget(Inizia1, 0, 0);
        g->addWidget(Termina1, 1, 0);
    }
    {
        auto* g = grid(toolbar("AdvToolBar3", QStringLiteral("LOG"), AdvPageAcq));
        AdvBtnSalva = glowButton("AdvBtnSalva", QStringLiteral("Salva con nome..."));
        AdvBtnVisualizzaStampa = glowButton("AdvBtnVisualizzaStampa", QStringLiteral("Visualizza"));
        chkAutoSaveLog = checkBox("chkAutoSaveLog", QStringLiteral("Salva automaticamente"));
        EditAutoSaveLog = edit("EditAutoSaveLog", QStringLiteral("1"), 40);
        LblAutoSaveTime = label("LblAutoSaveTime", QStringLiteral("[ 1m ]"));
        AdvGlowButton1 = glowButton("AdvGlowButton1", QStringLiteral("..."));
        g->addWidget(AdvBtnSalva, 0, 0);
        g->addWidget(AdvBtnVisualizzaStampa, 1, 0);
        g->addWidget(chkAutoSaveLog, 0, 1, 1, 4);
        g->addWidget(label("Label1", QStringLiteral("ogni")), 1, 1);
        g->addWidget(EditAutoSaveLog, 1, 2);
        g->addWidget(label("Label2", QStringLiteral("min.")), 1, 3);
        g->addWidget(LblAutoSaveTime, 1, 4);
        g->addWidget(AdvGlowButton1, 1, 5);
    }
    {
        auto* g = grid(toolbar("AdvToolBar4", QStringLiteral("Grafico"), AdvPageAcq));
        AdvBtnEsporta = glowButton("AdvBtnEsporta", QStringLiteral("Esporta"));
        AdvBtnStampa = glowButton("AdvBtnStampa", QStringLiteral("Stampa"));
        g->addWidget(AdvBtnEsporta, 0, 0);
        g->addWidget(AdvBtnStampa, 1, 0);
    }
    finishPage(AdvPageAcq);

    // Impostazioni.
    AdvPageImp = page(AdvToolBarPager1, "AdvPageImp", QStringLiteral("Impostazioni"));
    {
        auto* g = grid(toolbar("AdvToolBar5", QStringLiteral("Allarmi"), AdvPageImp));
        AdvBtnImpostazioni
            = glowButton("AdvBtnImpostazioni", QStringLiteral("Impostazioni Avanzate"));
        CheckAllarmeEmail = glowButton("CheckAllarmeEmail", QStringLiteral("Allarme email"), true);
        MostraPopUp = glowButton("MostraPopUp", QStringLiteral("Allarme pop-up"), true);
        MostraPopUp->setChecked(true);
        g->addWidget(AdvBtnImpostazioni, 0, 0, 2, 1);
        g->addWidget(CheckAllarmeEmail, 0, 1);
        g->addWidget(MostraPopUp, 1, 1);
    }
    {
        auto* g = grid(toolbar("AdvToolBar6", QStringLiteral("Area di notifica"), AdvPageImp));
        CheckTempTrayIcon = glowButton("CheckTempTrayIcon", QStringLiteral("Icona Temp."), true);
        CheckRHTrayIcon = glowButton("CheckRHTrayIcon", QStringLiteral("Icona Umidità"), true);
        CheckTempTrayIcon->setChecked(true);
        CheckRHTrayIcon->setChecked(true);
        g->addWidget(CheckTempTrayIcon, 0, 0);
        g->addWidget(CheckRHTrayIcon, 1, 0);
    }
    {
        auto* g = grid(toolbar("AdvToolBar7", QStringLiteral("Altre Preferenze"), AdvPageImp));
        cmbGradi = named(new QComboBox, "cmbGradi");
        cmbGradi->addItems({QStringLiteral(" °C "), QStringLiteral(" °F ")});
        cmdLingua = named(new QComboBox, "cmdLingua");
        cmdLingua->addItems({QStringLiteral(" English "), QStringLiteral(" Italiano "),
            QStringLiteral(" Español ")});
        cmdLingua->setCurrentIndex(1);
        ChkAvviaRidotto = checkBox("ChkAvviaRidotto", QStringLiteral("Avvia ridotto ad icona"));
        ChkAutoStartMonitor
            = checkBox("ChkAutoStartMonitor", QStringLiteral("Inizia acquisizione all'avvio"));
        ChkAutoStartMonitor->setChecked(true);
        ChkAutoUpdate = checkBox("ChkAutoUpdate", QStringLiteral("Aggiornamenti automatici"));
        ChkAutoUpdate->setChecked(true);
        g->addWidget(cmbGradi, 0, 0);
        g->addWidget(cmdLingua, 1, 0);
        g->addWidget(ChkAvviaRidotto, 0, 1);
        g->addWidget(ChkAutoStartMonitor, 1, 1);
        g->addWidget(ChkAutoUpdate, 0, 2);
    }
    {
        auto* g = grid(toolbar("AdvToolBar8", QStringLiteral("Servizio"), AdvPageImp));
        AdvBtnServizio = glowButton("AdvBtnServizio", QStringLiteral("⚙"));
        g->addWidget(AdvBtnServizio, 0, 0);
    }
    finishPage(AdvPageImp);

    // Grafico.
    AdvPageGraf = page(AdvToolBarPager1, "AdvPageGraf", QStringLiteral("Grafico"));
    {
        auto* g = grid(toolbar("AdvToolBar9", QStringLiteral("Grafico"), AdvPageGraf));
        Abilitato2 = glowButton("Abilitato2", QStringLiteral("Grafico ON/OFF"), true);
        Abilitato2->setChecked(true);
        Svuota1 = glowButton("Svuota1", QStringLiteral("Svuota"));
        chkTemp = glowButton("chkTemp", QStringLiteral("Temperatura"), true);
        chkRH = glowButton("chkRH", QStringLiteral("Umidità"), true);
        chkTemp->setChecked(true);
        chkRH->setChecked(true);
        DrawAll = glowButton("DrawAll", QStringLiteral("Veloce"), true);
        ColorTemp = glowButton("ColorTemp", QStringLiteral("Colore T"));
        ColorRH = glowButton("ColorRH", QStringLiteral("Colore RH"));
        ColourSelector::setColour(*ColorTemp, QColor(Qt::red));
        ColourSelector::setColour(*ColorRH, QColor(Qt::blue));
        g->addWidget(Abilitato2, 0, 0);
        g->addWidget(Svuota1, 1, 0);
        g->addWidget(chkTemp, 0, 1);
        g->addWidget(chkRH, 1, 1);
        g->addWidget(DrawAll, 0, 2);
        g->addWidget(ColorTemp, 0, 3);
        g->addWidget(ColorRH, 1, 3);
    }
    {
        auto* g = grid(toolbar("AdvToolBar10", QStringLiteral("Asse Verticale"), AdvPageGraf));
        AsseVertAutomatico = glowButton("AsseVertAutomatico", QStringLiteral("Automatico"), true);
        AsseVertAutomatico->setChecked(true);
        AyMin = edit("AyMin", QStringLiteral("0"), 40);
        AyMax = edit("AyMax", QStringLiteral("60"), 40);
        AyMin->setEnabled(false);
        AyMax->setEnabled(false);
        Label12 = label("Label12", QStringLiteral("°C"));
        Label15 = label("Label15", QStringLiteral("°C"));
        g->addWidget(AsseVertAutomatico, 0, 0, 2, 1);
        g->addWidget(label("Label10", QStringLiteral("Min")), 0, 1);
        g->addWidget(AyMin, 0, 2);
        g->addWidget(Label12, 0, 3);
        g->addWidget(label("Label11", QStringLiteral("Max")), 1, 1);
        g->addWidget(AyMax, 1, 2);
        g->addWidget(Label15, 1, 3);
    }
    {
        auto* g = grid(toolbar("AdvToolBar11", QStringLiteral("Asse Orizzontale"), AdvPageGraf));
        AsseOrizAutomatico = glowButton("AsseOrizAutomatico", QStringLiteral("Automatico"), true);
        AsseOrizAutomatico->setChecked(true);
        AsseOrizSec = named(new QPushButton(QStringLiteral("Ultimi secondi")), "AsseOrizSec");
        AsseOrizPerc = named(new QPushButton(QStringLiteral("Percentuale")), "AsseOrizPerc");
        for (QPushButton* radio : {AsseOrizSec, AsseOrizPerc}) {
            radio->setCheckable(true);
            radio->setAutoExclusive(true);
            radio->setFlat(true);
        }
        AsseOrizSec->setChecked(true);
        AxValore = edit("AxValore", QStringLiteral("30"), 40);
        AxValoreMisura = named(new QComboBox, "AxValoreMisura");
        AxValoreMisura->addItems(
            {QStringLiteral("sec"), QStringLiteral("min"), QStringLiteral("ore")});
        AxMin = edit("AxMin", QStringLiteral("0"), 32);
        AxMax = edit("AxMax", QStringLiteral("100"), 32);
        for (QWidget* w : std::initializer_list<QWidget*>{
                 AsseOrizSec, AsseOrizPerc, AxValore, AxValoreMisura, AxMin, AxMax})
            w->setEnabled(false);
        g->addWidget(AsseOrizAutomatico, 0, 0, 2, 1);
        g->addWidget(AsseOrizSec, 0, 1);
        g->addWidget(AxValore, 0, 2);
        g->addWidget(AxValoreMisura, 0, 3, 1, 2);
        g->addWidget(AsseOrizPerc, 1, 1);
        g->addWidget(AxMin, 1, 2);
        g->addWidget(AxMax, 1, 3);
        g->addWidget(label("Label14", QStringLiteral("%")), 1, 4);
    }
    finishPage(AdvPageGraf);

    // Dispositivo.
    AdvPageDisp = page(AdvToolBarPager1, "AdvPageDisp", QStringLiteral("Dispositivo"));
    {
        auto* g = grid(toolbar("AdvToolBar12", QStringLiteral("Dispositivo"), AdvPageDisp));
        AdvGlowButton2 = glowButton("AdvGlowButton2", QStringLiteral("Informazioni"));
        g->addWidget(AdvGlowButton2, 0, 0);
    }
    {
        AdvToolBarBluettoth
            = toolbar("AdvToolBarBluettoth", QStringLiteral("Bluetooth"), AdvPageDisp);
        auto* g = grid(AdvToolBarBluettoth);
        CheckBTon = glowButton("CheckBTon", QStringLiteral("Abilita"), true);
        CheckBTrilevabile = glowButton("CheckBTrilevabile", QStringLiteral("Rilevab."), true);
        CheckRicaricaON = glowButton("CheckRicaricaON", QStringLiteral("Carica"), true);
        g->addWidget(CheckBTon, 0, 0);
        g->addWidget(CheckBTrilevabile, 1, 0);
        g->addWidget(CheckRicaricaON, 0, 1);
        g->addWidget(label("Label16", QStringLiteral("Batteria")), 1, 1);
        g->addWidget(label("Label17", QStringLiteral("99%")), 1, 2);
        AdvToolBarBluettoth->setEnabled(false);
    }
    {
        auto* g = grid(
            toolbar("AdvToolBar13", QStringLiteral("Impostazioni del sensore"), AdvPageDisp));
        TrackBarRitardo = named(new QSlider(Qt::Horizontal), "TrackBarRitardo");
        TrackBarRitardo->setRange(1, 250);
        TrackBarRitardo->setValue(2);
        TrackBarRitardo->setPageStep(25);
        TrackBarRitardo->setTickInterval(25);
        TrackBarRitardo->setTickPosition(QSlider::TicksBelow);
        TrackBarRitardo->setFixedWidth(120);
        TrackBarRitardo->setToolTip(
            QStringLiteral("Imposta ogni quanto tempo leggere il sensore. Attenzione: valori "
                           "troppo bassi potrebbero provocare un auto-riscaldamento del sensore"));
        LblRitardo = label("LblRitardo", QStringLiteral("2"));
        Label18 = label("Label18", QStringLiteral("secondi"));
        BtnSet = glowButton("BtnSet", QStringLiteral("Invia al sensore"));
        ChkSelfHeat = checkBox("ChkSelfHeat", QStringLiteral("Self Heating"));
        ChkSelfHeat->setToolTip(
            QStringLiteral("Abilita una modalità TEST che aumenta di circa 10°C la temperatura"));
        g->addWidget(TrackBarRitardo, 0, 0);
        g->addWidget(LblRitardo, 0, 1);
        g->addWidget(Label18, 0, 2);
        g->addWidget(BtnSet, 1, 0);
        g->addWidget(ChkSelfHeat, 1, 1, 1, 2);
    }
    {
        auto* g = grid(toolbar("AdvToolBar14", QStringLiteral("Calibrazione"), AdvPageDisp));
        TrackBarCalib = named(new QSlider(Qt::Horizontal), "TrackBarCalib");
        TrackBarCalib->setRange(-30, 30);
        TrackBarCalib->setValue(0);
        TrackBarCalib->setPageStep(10);
        TrackBarCalib->setTickInterval(10);
        TrackBarCalib->setTickPosition(QSlider::TicksBelow);
        TrackBarCalib->setFixedWidth(110);
        LblCal = label("LblCal", QStringLiteral("0°C"));
        g->addWidget(TrackBarCalib, 0, 0);
        g->addWidget(LblCal, 1, 0);
    }
    finishPage(AdvPageDisp);

    // Web && App.
    AdvPageWeb = page(AdvToolBarPager1, "AdvPageWeb", QStringLiteral("Web && App"));
    {
        auto* g = grid(toolbar("AdvToolBar15", QStringLiteral("Invio dati"), AdvPageWeb));
        CodiceSens = named(new QComboBox, "CodiceSens");
        CodiceSens->setEditable(true);
        CodiceSens->setFixedWidth(80);
        btnVerifica = glowButton("btnVerifica", QStringLiteral("Associa/Verifica"));
        btnVerifica->setEnabled(false);
        shStatoSens = new StatusShape(QStringLiteral("shStatoSens"), QColor(255, 0, 0));
        chkSendWeb = checkBox("chkSendWeb", QStringLiteral("Invia dati al server"));
        chkAbilitaPush = checkBox("chkAbilitaPush", QStringLiteral("Abilita notifiche push"));
        chkSendWeb->setEnabled(false);
        chkAbilitaPush->setEnabled(false);
        g->addWidget(label("Label19", QStringLiteral("Codice Sensore")), 0, 0);
        g->addWidget(CodiceSens, 0, 1);
        g->addWidget(btnVerifica, 0, 2);
        g->addWidget(shStatoSens, 0, 3);
        g->addWidget(chkSendWeb, 1, 0, 1, 2);
        g->addWidget(chkAbilitaPush, 1, 2, 1, 2);
    }
    {
        auto* g = grid(toolbar("AdvToolBar16", QStringLiteral("Login"), AdvPageWeb));
        WebUsername = edit("WebUsername", QString(), 110);
        WebPassword = edit("WebPassword", QString(), 110);
        WebPassword->setEchoMode(QLineEdit::Password);
        btnLogin = glowButton("btnLogin", QStringLiteral("Login"));
        shStatoLogin = new StatusShape(QStringLiteral("shStatoLogin"), QColor(255, 0, 0));
        ProgressBarLogin = named(new QProgressBar, "ProgressBarLogin");
        ProgressBarLogin->setRange(0, 10);
        ProgressBarLogin->setTextVisible(false);
        ProgressBarLogin->setFixedWidth(60);
        ProgressBarLogin->setVisible(false);
        g->addWidget(label("Label20", QStringLiteral("Username: ")), 0, 0);
        g->addWidget(WebUsername, 0, 1);
        g->addWidget(btnLogin, 0, 2);
        g->addWidget(shStatoLogin, 0, 3);
        g->addWidget(label("Label21", QStringLiteral("Password:")), 1, 0);
        g->addWidget(WebPassword, 1, 1);
        g->addWidget(ProgressBarLogin, 1, 2, 1, 2);
    }
    finishPage(AdvPageWeb);

    // Help.
    AdvPageHelp = page(AdvToolBarPager1, "AdvPageHelp", QStringLiteral("Help"));
    {
        auto* g = grid(toolbar("AdvToolBar17", QStringLiteral("Guida"), AdvPageHelp));
        AdvGlowManuale = glowButton("AdvGlowManuale", QStringLiteral("Manuale"));
        AdvBtnGuida = glowButton("AdvBtnGuida", QStringLiteral("Guida"));
        g->addWidget(AdvGlowManuale, 0, 0);
        g->addWidget(AdvBtnGuida, 1, 0);
    }
    {
        auto* g = grid(toolbar("AdvToolBar18", QStringLiteral("Contatti"), AdvPageHelp));
        AdvBtnWeb = glowButton("AdvBtnWeb", QStringLiteral("Sito Web"));
        AdvBtnEmail = glowButton("AdvBtnEmail", QStringLiteral("E-mail"));
        g->addWidget(AdvBtnWeb, 0, 0);
        g->addWidget(AdvBtnEmail, 1, 0);
    }
    {
        auto* g = grid(toolbar("AdvToolBar19", QStringLiteral("Programma"), AdvPageHelp));
        AdvBtnInfo = glowButton("AdvBtnInfo", QStringLiteral("Informazioni"));
        AdvBtnUpdate = glowButton("AdvBtnUpdate", QStringLiteral("Update"));
        g->addWidget(AdvBtnInfo, 0, 0);
        g->addWidget(AdvBtnUpdate, 1, 0);
    }
    finishPage(AdvPageHelp);
}

void TMainForm::buildMiddleAndBottom()
{
    Grafico = named(new QCustomPlot(this), "Grafico");
    Grafico->setGeometry(5, 112, 685, 289);
    Grafico->plotLayout()->insertRow(0);
    Grafico->plotLayout()->addElement(0, 0,
        new QCPTextElement(Grafico, QStringLiteral("Storico Temperature e Umidità Rilevate")));
    for (const auto& [name, colour] : {std::pair{QStringLiteral("Temp"), QColor(Qt::red)},
             std::pair{QStringLiteral("RH"), QColor(Qt::blue)}}) {
        QCPGraph* graph = Grafico->addGraph();
        graph->setName(name);
        graph->setPen(QPen(colour));
    }
    auto ticker = QSharedPointer<QCPAxisTickerDateTime>::create();
    ticker->setDateTimeFormat(QStringLiteral("h:mm"));
    Grafico->xAxis->setTicker(ticker);

    PanelAttesa = named(new QFrame(Grafico), "PanelAttesa");
    PanelAttesa->setFrameShape(QFrame::Panel);
    PanelAttesa->setAutoFillBackground(true);
    PanelAttesa->setGeometry(192, 110, 300, 60);
    PanelAttesa->setToolTip(
        QStringLiteral("Attendere che le nuove impostazioni diventino operative"));
    auto* waiting = new QHBoxLayout(PanelAttesa);
    auto* spinner = named(new QProgressBar, "AdvCircularProgress1");
    spinner->setRange(0, 0);
    spinner->setFixedWidth(60);
    waiting->addWidget(spinner);
    waiting->addWidget(label("Label22", QStringLiteral("Salvataggio impostazioni in corso....")));
    PanelAttesa->hide();

    btnFullScreen
        = named(new QPushButton(QStringLiteral("Chiudi FullScreen"), Grafico), "btnFullScreen");
    btnFullScreen->setGeometry(4, 289 - 28, 120, 24);
    btnFullScreen->hide();

    vrThermoMeterTemp = new ThermometerGauge(QStringLiteral("vrThermoMeterTemp"), this);
    vrThermoMeterTemp->setGeometry(16, 408, 97, 196);
    vrThermoMeterRH = new ThermometerGauge(QStringLiteral("vrThermoMeterRH"), this);
    vrThermoMeterRH->setGeometry(128, 408, 97, 196);

    AdvToolBarInfoT = named(new QFrame(this), "AdvToolBarInfoT");
    AdvToolBarInfoT->setFrameShape(QFrame::StyledPanel);
    AdvToolBarInfoT->setGeometry(248, 407, 273, 201);
    const struct
    {
        QLabel** caption;
        const char* captionName;
        QString text;
        QLabel** value;
        const char* valueName;
        QString initial;
    } rows[] = {
        {&LblTemps, "LblTemps", QStringLiteral("Temperatura:"), &LblTemp, "LblTemp",
            QStringLiteral("- °C")},
        {&LblRHs, "LblRHs", QStringLiteral("Umidità:"), &LblRH, "LblRH", QStringLiteral("- %")},
        {&LblDPs, "LblDPs", QStringLiteral("Punto di rugiada:"), &LblDP, "LblDP",
            QStringLiteral("- °C")},
        {&LbLTPs, "LbLTPs", QStringLiteral("Temp percepita:"), &LbLTP, "LbLTP",
            QStringLiteral("- °C")},
    };
    int y = 4;
    for (const auto& row : rows) {
        *row.caption = label(row.captionName, row.text);
        (*row.caption)->setParent(AdvToolBarInfoT);
        (*row.caption)->setGeometry(6, y, 110, 20);
        *row.value = label(row.valueName, row.initial);
        (*row.value)->setParent(AdvToolBarInfoT);
        (*row.value)->setGeometry(118, y, 140, 20);
        QFont bold = (*row.value)->font();
        bold.setBold(true);
        (*row.value)->setFont(bold);
        y += 22;
    }
    LogMemo = named(new MemoView(AdvToolBarInfoT), "LogMemo");
    LogMemo->setGeometry(32, 96, 227, 100);
    BtnVisualizzaLog = named(new QToolButton(AdvToolBarInfoT), "BtnVisualizzaLog");
    BtnVisualizzaLog->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    BtnVisualizzaLog->setGeometry(4, 96, 25, 25);
    BtnClearLog = named(new QToolButton(AdvToolBarInfoT), "BtnClearLog");
    BtnClearLog->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
    BtnClearLog->setGeometry(4, 123, 25, 25);

    AdvToolBar1 = named(new QFrame(this), "AdvToolBar1");
    AdvToolBar1->setFrameShape(QFrame::StyledPanel);
    AdvToolBar1->setGeometry(530, 407, 150, 201);
    iLedPortOpen = new Led(QStringLiteral("iLedPortOpen"), AdvToolBar1);
    iLedPortOpen->setGeometry(10, 8, 20, 20);
    auto* connected = label("Label3", QStringLiteral("Connesso"));
    connected->setParent(AdvToolBar1);
    connected->setGeometry(36, 8, 100, 20);
    RDbutton = named(new QPushButton(QStringLiteral("Start"), AdvToolBar1), "RDbutton");
    RDbutton->setGeometry(10, 36, 130, 40);
    RDbutton->setEnabled(false);
    auto* elapsed = label("Label4", QStringLiteral("Tempo Trascorso"));
    elapsed->setParent(AdvToolBar1);
    elapsed->setGeometry(10, 84, 130, 18);
    time = named(new QLineEdit(AdvToolBar1), "time");
    time->setReadOnly(true);
    time->setGeometry(10, 104, 130, 24);
    ExitBtn = named(new QPushButton(QStringLiteral("Esci"), AdvToolBar1), "ExitBtn");
    ExitBtn->setGeometry(10, 150, 130, 36);
}

void TMainForm::buildStatusBar()
{
    AdvOfficeStatusBar1 = named(new QFrame(this), "AdvOfficeStatusBar1");
    AdvOfficeStatusBar1->setFrameShape(QFrame::StyledPanel);
    AdvOfficeStatusBar1->setGeometry(0, 637 - 22, 694, 22);
    auto* row = new QHBoxLayout(AdvOfficeStatusBar1);
    row->setContentsMargins(2, 0, 2, 0);
    statusPanel0 = label("Panel0", QStringLiteral("Stato: Disconnesso"));
    statusPanel0->setFixedWidth(150);
    statusPanel1 = named(new QProgressBar, "Panel1");
    statusPanel1->setTextVisible(false);
    statusPanel1->setFixedWidth(125);
    statusPanel1->setRange(0, 2);
    statusPanel1->setValue(0);
    statusPanel2 = label("Panel2", QString());
    statusPanel2->setAlignment(Qt::AlignCenter);
    statusPanel2->setMinimumWidth(270);
    statusPanel3 = label("Panel3", QString());
    statusPanel3->setMinimumWidth(50);
    row->addWidget(statusPanel0);
    row->addWidget(statusPanel1);
    row->addWidget(statusPanel2, 1);
    row->addWidget(statusPanel3);
}

void TMainForm::buildTrayIcons()
{
    const bool tray = m_services.shell->hasNotificationArea();
    TextTrayTemp
        = new TextTrayIcon(QStringLiteral("TextTrayTemp"), QColor(255, 217, 217), tray, this);
    TextTrayRH = new TextTrayIcon(QStringLiteral("TextTrayRH"), QColor(204, 232, 255), tray, this);
    TextTrayTemp->setText(QStringLiteral("OF"));
    TextTrayRH->setText(QStringLiteral("OF"));
    TextTrayTemp->setHint(QStringLiteral("Temperatura Rilevata"));
    TextTrayRH->setHint(QStringLiteral("Umidità Rilevata"));

    AdvPopupMenu1 = named(new QMenu(this), "AdvPopupMenu1");
    MostraFinestra1 = AdvPopupMenu1->addAction(QStringLiteral("Mostra Finestra"));
    MostraFinestra1->setObjectName(QStringLiteral("MostraFinestra1"));
    NascondiFinestra1 = AdvPopupMenu1->addAction(QStringLiteral("Nascondi Finestra"));
    NascondiFinestra1->setObjectName(QStringLiteral("NascondiFinestra1"));
    AdvPopupMenu1->addSeparator();
    Esci1 = AdvPopupMenu1->addAction(QStringLiteral("Esci"));
    Esci1->setObjectName(QStringLiteral("Esci1"));
    TextTrayTemp->setPopupMenu(AdvPopupMenu1);
    TextTrayRH->setPopupMenu(AdvPopupMenu1);
}
