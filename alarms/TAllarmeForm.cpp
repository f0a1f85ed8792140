#include "TAllarmeForm.h"

#include "alarms/AlarmFields.h"
#include "log/EventLog.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBoundary.h"
#include "platform/StatusShape.h"
#include "settings/AlarmSettingsValues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <cmath>

namespace {

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* label(const char* name, const QString& caption)
{
    return named(new QLabel(caption), name);
}

QLineEdit* edit(const char* name, const QString& text = {})
{
    auto* field = named(new QLineEdit(text), name);
    return field;
}

QCheckBox* checkBox(const char* name, const QString& caption)
{
    return named(new QCheckBox(caption), name);
}

QComboBox* selector(const char* name, bool editable)
{
    auto* box = named(new QComboBox, name);
    box->setEditable(editable);
    return box;
}

QString boolText(bool on)
{
    return on ? QStringLiteral("-1") : QStringLiteral("0");
}

// Memo texts are stored with CR LF line ends.
QString storedLines(const QPlainTextEdit* memo)
{
    return memo->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QString memoLines(QString stored)
{
    stored.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return stored;
}

} // namespace

TAllarmeForm::TAllarmeForm(QWidget* mainWindow, EventLog& log, SettingsStore& settings,
    Dialogs& dialogs, AlarmLimits& limits, AlarmWindowLinks links)
    : QDialog(mainWindow)
    , m_log(log)
    , m_settings(settings)
    , m_dialogs(dialogs)
    , m_limits(limits)
    , m_links(std::move(links))
    , m_table(MessageTable::load(QStringLiteral(":/i18n/alarm.json")))
{
    setObjectName(QStringLiteral("TAllarmeForm"));
    setWindowTitle(QStringLiteral("Imposta Allarme"));
    setWindowFlags(
        (windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
    buildLayout();

    using AlarmFields::Rule;
    m_fields = {{
        {LimiteTempMin, LimiteTempMax, static_cast<int>(Rule::TakeSmallerPartner),
            &AlarmLimits::Tmin, "LimiteTempMin "},
        {LimiteTempMax, LimiteTempMin, static_cast<int>(Rule::TakeGreaterPartner),
            &AlarmLimits::Tmax, "LimiteTempMax "},
        {LimiteRHMin, LimiteRHMax, static_cast<int>(Rule::TakeSmallerPartner), &AlarmLimits::RHmin,
            "LimiteRHMin "},
        {LimiteRHMax, LimiteRHMin, static_cast<int>(Rule::TakeGreaterPartner), &AlarmLimits::RHmax,
            "LimiteRHMax "},
        {EditTempShutdown, LimiteTempMax, static_cast<int>(Rule::TakeGreaterPartner),
            &AlarmLimits::Tmax_shutdown, "TempShutdown "},
        {EditTempStartApp, nullptr, static_cast<int>(Rule::None), &AlarmLimits::Tmax_progr,
            "TempStartApp "},
    }};

    using namespace Settings::Values;
    m_bindings = {{&popup, chkPopUp}, {&Allarme_sms, chkSMS}, {&Allarme_email, CheckAllarme},
        {&Allarme_email_OK, ChkEmailOK}, {&Spegni_PC, ChkShutDown},
        {&intervallo, IntervalloAllarme}, {&Start_prog, ChkStartProgr},
        {&programma, EditStartProgr}, {&EmailFunzionamRegolare, chkEmailFunzionamRegolare},
        {&tipo_emailOK, AdvOfSel_htipo_emailok}, {&intervallo_emailOK, AdvOfSel_h_emailok},
        {&Tmin, LimiteTempMin}, {&Tmax, LimiteTempMax}, {&RHmin, LimiteRHMin},
        {&RHmax, LimiteRHMax}, {&Isteresi, EditIsteresi}, {&Tmax_shutdown, EditTempShutdown},
        {&Tmax_progr, EditTempStartApp}, {&smtp, LblSMTP}, {&porta, LblPorta}, {&user, Lblusername},
        {&email, LblDest}, {&from, LblFrom}, {&oggetto, LblOggetto}, {&testo, TestoEmail},
        {&save_smtppass, chkSavePassword}, {&smtppass, Lblpassword}, {&email_ssl, cmbSSL},
        {&email_auth, cmbAuth}, {&sms_user, lblUserSMS}, {&sms_from, edtMittenteSMS},
        {&sms_to, edtDestSMS}, {&sms_testo, TestoSMS}, {&save_smspass, chkSavePasswordSMS},
        {&sms_pass, lblPasswordSMS}};

    wireHandlers();
    FormCreate();
}

TAllarmeForm::~TAllarmeForm() = default;

// Layout ------------------------------------------------------------------

void TAllarmeForm::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    AdvOfficePager1 = named(new QTabWidget, "AdvOfficePager1");
    AdvPageAlarm = buildAlarmPage();
    AdvPageMail = buildMailPage();
    AdvPageSMS = buildSmsPage();
    AdvOfficePager1->addTab(AdvPageAlarm, QStringLiteral("Impostazioni Allarmi"));
    AdvOfficePager1->addTab(AdvPageMail, QStringLiteral("Impostazioni eMail"));
    AdvOfficePager1->addTab(AdvPageSMS, QStringLiteral("SMS"));
    layout->addWidget(AdvOfficePager1);

    OK = named(new QPushButton(QStringLiteral("Salva Impostazioni")), "OK");
    OK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OK);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* TAllarmeForm::buildAlarmPage()
{
    auto* page = named(new QWidget, "AdvPageAlarm");
    auto* grid = new QGridLayout(page);

    GroupBox1 = named(new QGroupBox, "GroupBox1");
    auto* temp = new QGridLayout(GroupBox1);
    LimiteTempMin = edit("LimiteTempMin", QStringLiteral("10"));
    LimiteTempMax = edit("LimiteTempMax", QStringLiteral("35"));
    temp->addWidget(label("Minimo", QStringLiteral("Minimo")), 0, 0);
    temp->addWidget(LimiteTempMin, 0, 1);
    temp->addWidget(label("Massimo", QStringLiteral("Massimo")), 0, 2);
    temp->addWidget(LimiteTempMax, 0, 3);
    grid->addWidget(GroupBox1, 0, 0, 1, 4);

    GroupBox2
        = named(new QGroupBox(QStringLiteral("  Limite di Umidità tollerato (%)  ")), "GroupBox2");
    auto* rh = new QGridLayout(GroupBox2);
    LimiteRHMin = edit("LimiteRHMin", QStringLiteral("0"));
    LimiteRHMax = edit("LimiteRHMax", QStringLiteral("100"));
    rh->addWidget(label("Label1", QStringLiteral("Minimo")), 0, 0);
    rh->addWidget(LimiteRHMin, 0, 1);
    rh->addWidget(label("Label2", QStringLiteral("Massimo")), 0, 2);
    rh->addWidget(LimiteRHMax, 0, 3);
    grid->addWidget(GroupBox2, 1, 0, 1, 4);

    CheckAllarme = checkBox("CheckAllarme", QStringLiteral("Abilita Allarme email"));
    chkSMS = checkBox("chkSMS", QStringLiteral("Allarme SMS"));
    chkPopUp = checkBox("chkPopUp", QStringLiteral("Allarme pop-up"));
    grid->addWidget(CheckAllarme, 2, 0);
    grid->addWidget(chkSMS, 2, 1);
    grid->addWidget(chkPopUp, 2, 2);

    IntervalloAllarme = edit("IntervalloAllarme");
    LabelIntervallo = label("LabelIntervallo", QStringLiteral("tempo in ore, min e sec"));
    grid->addWidget(label("Label3", QStringLiteral("Intervallo minimo tra ogni invio ")), 3, 0);
    grid->addWidget(IntervalloAllarme, 3, 1);
    grid->addWidget(label("Label4", QStringLiteral("(secondi)")), 3, 2);
    grid->addWidget(LabelIntervallo, 3, 3);

    auto* wait = new QHBoxLayout;
    AdvOfSel_h = selector("AdvOfSel_h", true);
    AdvOfSel_m = selector("AdvOfSel_m", true);
    AdvOfSel_s = selector("AdvOfSel_s", true);
    // The entries "0" to "59" are there from the start: filling an empty
    // editable selector would select its first entry and lose its text.
    for (QComboBox* box : {AdvOfSel_h, AdvOfSel_m, AdvOfSel_s}) {
        for (int i = 0; i < 60; ++i)
            box->addItem(QString::number(i));
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
    wait->addWidget(AdvOfSel_h);
    wait->addWidget(label("Label5", QStringLiteral("ore")));
    wait->addWidget(AdvOfSel_m);
    wait->addWidget(label("Label6", QStringLiteral("minuti")));
    wait->addWidget(AdvOfSel_s);
    wait->addWidget(label("Label7", QStringLiteral("secondi")));
    grid->addLayout(wait, 4, 0, 1, 4);

    auto* regular = new QHBoxLayout;
    chkEmailFunzionamRegolare = checkBox(
        "chkEmailFunzionamRegolare", QStringLiteral("Invia email anche in assenza di allarme"));
    AdvOfSel_htipo_emailok = selector("AdvOfSel_htipo_emailok", false);
    AdvOfSel_htipo_emailok->addItems({QStringLiteral("ogni"), QStringLiteral("alle")});
    AdvOfSel_h_emailok = selector("AdvOfSel_h_emailok", true);
    AdvOfSel_h_emailok->setEditText(QStringLiteral("24"));
    Label23 = label("Label23", QStringLiteral("ore"));
    regular->addWidget(chkEmailFunzionamRegolare);
    regular->addWidget(AdvOfSel_htipo_emailok);
    regular->addWidget(AdvOfSel_h_emailok);
    regular->addWidget(Label23);
    grid->addLayout(regular, 5, 0, 1, 4);

    ChkEmailOK = checkBox("ChkEmailOK", QStringLiteral("Invia email al rientro nei parametri"));
    grid->addWidget(ChkEmailOK, 6, 0, 1, 4);

    auto* shutdown = new QHBoxLayout;
    ChkShutDown = checkBox("ChkShutDown", QStringLiteral("Spegni il computer"));
    EditTempShutdown = edit("EditTempShutdown", QStringLiteral("50"));
    LblUnitShutdown = label("LblUnitShutdown", QStringLiteral("°C"));
    shutdown->addWidget(ChkShutDown);
    shutdown->addWidget(label("Label8", QStringLiteral("a")));
    shutdown->addWidget(EditTempShutdown);
    shutdown->addWidget(LblUnitShutdown);
    grid->addLayout(shutdown, 7, 0, 1, 4);

    auto* program = new QHBoxLayout;
    ChkStartProgr = checkBox(
        "ChkStartProgr", QStringLiteral("Avvia il seguente programma al raggiungimento di:"));
    EditTempStartApp = edit("EditTempStartApp", QStringLiteral("50"));
    LblUnitStartApp = label("LblUnitStartApp", QStringLiteral("°C"));
    program->addWidget(ChkStartProgr);
    program->addWidget(EditTempStartApp);
    program->addWidget(LblUnitStartApp);
    grid->addLayout(program, 8, 0, 1, 4);

    auto* path = new QHBoxLayout;
    EditStartProgr = edit("EditStartProgr");
    BtnStartProgr = named(new QPushButton(QStringLiteral("...")), "BtnStartProgr");
    path->addWidget(EditStartProgr);
    path->addWidget(BtnStartProgr);
    grid->addLayout(path, 9, 0, 1, 4);

    // The hysteresis is stored and read back; nothing uses it.
    EditIsteresi = edit("EditIsteresi", QStringLiteral("0"));
    LblIsteresi = label("LblIsteresi", QStringLiteral("Isteresi"));
    EditIsteresi->setEnabled(false);
    EditIsteresi->setVisible(false);
    LblIsteresi->setVisible(false);
    grid->addWidget(LblIsteresi, 10, 0);
    grid->addWidget(EditIsteresi, 10, 1);
    return page;
}

QWidget* TAllarmeForm::buildMailPage()
{
    auto* page = named(new QWidget, "AdvPageMail");
    auto* grid = new QGridLayout(page);
    LblSMTP = edit("LblSMTP");
    LblPorta = edit("LblPorta", QStringLiteral("25"));
    cmbSSL = selector("cmbSSL", false);
    cmbSSL->addItems(
        {QStringLiteral("Default"), QStringLiteral("Abilitato"), QStringLiteral("Disabilitato")});
    cmbSSL->setCurrentIndex(0);
    cmbAuth = selector("cmbAuth", false);
    cmbAuth->addItems({QStringLiteral("Nessuna"), QStringLiteral("Login")});
    cmbAuth->setCurrentIndex(1);
    Lblusername = edit("Lblusername");
    Lblpassword = edit("Lblpassword");
    Lblpassword->setEchoMode(QLineEdit::Password);
    chkSavePassword = checkBox("chkSavePassword", QStringLiteral("Salva Password"));
    LblFrom = edit("LblFrom");
    LblDest = edit("LblDest");
    LblOggetto = edit("LblOggetto", QString::fromUtf8(Settings::Values::oggetto.textDefault));
    TestoEmail = named(
        new QPlainTextEdit(memoLines(QString::fromUtf8(Settings::Values::testo.textDefault))),
        "TestoEmail");
    InviaEmail = named(new QPushButton(QStringLiteral("Invia email di prova")), "InviaEmail");
    StatusMemo = named(new QPlainTextEdit, "StatusMemo");
    StatusMemo->setReadOnly(true);
    shStatoEmail = new StatusShape(QStringLiteral("shStatoEmail"), QColor(128, 128, 128));

    int row = 0;
    grid->addWidget(label("Label12", QStringLiteral("SMTP Server")), row, 0);
    grid->addWidget(LblSMTP, row, 1);
    grid->addWidget(label("Label13", QStringLiteral("Porta")), row, 2);
    grid->addWidget(LblPorta, row++, 3);
    grid->addWidget(label("Label14", QStringLiteral("SSL/TLS")), row, 0);
    grid->addWidget(cmbSSL, row, 1);
    grid->addWidget(label("Label15", QStringLiteral("Auth")), row, 2);
    grid->addWidget(cmbAuth, row++, 3);
    grid->addWidget(label("Label16", QStringLiteral("Username:")), row, 0);
    grid->addWidget(Lblusername, row++, 1);
    grid->addWidget(label("Label17", QStringLiteral("Password:")), row, 0);
    grid->addWidget(Lblpassword, row, 1);
    grid->addWidget(chkSavePassword, row++, 2, 1, 2);
    grid->addWidget(
        label("Label18", QStringLiteral("La password viene salvata in chiaro, senza crittografia")),
        row++, 0, 1, 4);
    grid->addWidget(label("Label19", QStringLiteral("Da:")), row, 0);
    grid->addWidget(LblFrom, row++, 1, 1, 3);
    grid->addWidget(label("Label20", QStringLiteral("A:")), row, 0);
    grid->addWidget(LblDest, row++, 1, 1, 3);
    grid->addWidget(label("Label21", QStringLiteral("Oggetto:")), row, 0);
    grid->addWidget(LblOggetto, row++, 1, 1, 3);
    grid->addWidget(label("Label22", QStringLiteral("Testo:")), row, 0);
    grid->addWidget(TestoEmail, row, 1, 1, 2);
    grid->addWidget(
        label("Label24",
            QStringLiteral(
                "$temp$ = Temperatura\n$RH$   = Umidità Relativa\n$data$ = Data e Ora Allarme")),
        row++, 3);
    grid->addWidget(InviaEmail, row, 0);
    grid->addWidget(StatusMemo, row, 1, 1, 2);
    grid->addWidget(shStatoEmail, row, 3);
    return page;
}

QWidget* TAllarmeForm::buildSmsPage()
{
    auto* page = named(new QWidget, "AdvPageSMS");
    auto* grid = new QGridLayout(page);
    lblUserSMS = edit("lblUserSMS");
    lblPasswordSMS = edit("lblPasswordSMS");
    lblPasswordSMS->setEchoMode(QLineEdit::Password);
    chkSavePasswordSMS = checkBox("chkSavePasswordSMS", QStringLiteral("Salva Password"));
    edtMittenteSMS
        = edit("edtMittenteSMS", QString::fromUtf8(Settings::Values::sms_from.textDefault));
    edtDestSMS = edit("edtDestSMS");
    TestoSMS = named(
        new QPlainTextEdit(memoLines(QString::fromUtf8(Settings::Values::sms_testo.textDefault))),
        "TestoSMS");
    lblNumChar = label("lblNumChar", QString());
    InviaSMS = named(new QPushButton(QStringLiteral("Invia SMS di prova")), "InviaSMS");
    btnCreditoSMS = named(new QPushButton(QStringLiteral("Credito SMS")), "btnCreditoSMS");
    // The gateway's answer, or the error of a failed request.
    WebBrowser1 = named(new QTextBrowser, "WebBrowser1");
    WebBrowser1->setReadOnly(true);
    WebBrowser1->setMinimumHeight(60);

    int row = 0;
    grid->addWidget(label("Label25", QStringLiteral("Username:")), row, 0);
    grid->addWidget(lblUserSMS, row++, 1);
    grid->addWidget(label("Label26", QStringLiteral("Password:")), row, 0);
    grid->addWidget(lblPasswordSMS, row, 1);
    grid->addWidget(chkSavePasswordSMS, row++, 2);
    grid->addWidget(
        label("Label27", QStringLiteral("La password viene salvata in chiaro, senza crittografia")),
        row++, 0, 1, 3);
    grid->addWidget(label("Label9", QStringLiteral("Da:")), row, 0);
    grid->addWidget(edtMittenteSMS, row++, 1);
    grid->addWidget(label("Label10", QStringLiteral("A:")), row, 0);
    grid->addWidget(edtDestSMS, row++, 1);
    grid->addWidget(label("Label11", QStringLiteral("Testo:")), row, 0);
    grid->addWidget(TestoSMS, row, 1, 1, 2);
    grid->addWidget(lblNumChar, row++, 3);
    grid->addWidget(InviaSMS, row, 0);
    grid->addWidget(btnCreditoSMS, row++, 1);
    grid->addWidget(WebBrowser1, row, 0, 1, 4);
    return page;
}

// Wiring ------------------------------------------------------------------

template <class Handler> void TAllarmeForm::guarded(Handler&& handler)
{
    ErrorBoundary::run(&m_dialogs, this, std::forward<Handler>(handler));
}

void TAllarmeForm::log(const QString& line) const
{
    m_log.logEvent(line);
}

void TAllarmeForm::wireHandlers()
{
    connect(OK, &QPushButton::clicked, this, [this] { guarded([this] { OKClick(); }); });
    connect(CheckAllarme, &QCheckBox::toggled, this,
        [this] { guarded([this] { CheckAllarmeChange(); }); });
    connect(chkPopUp, &QCheckBox::clicked, this, [this] { guarded([this] { chkPopUpClick(); }); });
    connect(ChkShutDown, &QCheckBox::clicked, this,
        [this] { guarded([this] { ChkShutDownClick(); }); });
    connect(BtnStartProgr, &QPushButton::clicked, this,
        [this] { guarded([this] { BtnStartProgrClick(); }); });
    connect(IntervalloAllarme, &QLineEdit::textChanged, this,
        [this] { guarded([this] { IntervalloAllarmeChange(); }); });
    for (QComboBox* box : {AdvOfSel_h, AdvOfSel_m, AdvOfSel_s}) {
        connect(box, &QComboBox::editTextChanged, this,
            [this] { guarded([this] { selectorChange(); }); });
        box->installEventFilter(this);
    }
    for (const LimitField& field : m_fields) {
        QLineEdit* limit = field.edit;
        connect(limit, &QLineEdit::textChanged, this,
            [this, limit] { guarded([this, limit] { limitChange(limit); }); });
        limit->installEventFilter(this);
    }
    for (QObject* watched : {static_cast<QObject*>(EditIsteresi),
             static_cast<QObject*>(IntervalloAllarme), static_cast<QObject*>(AdvOfSel_h_emailok),
             static_cast<QObject*>(LblDest), static_cast<QObject*>(edtDestSMS)})
        watched->installEventFilter(this);
}

bool TAllarmeForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return filterKey(watched, key->text());
    }
    if (event->type() == QEvent::FocusOut) {
        // Leaving a field means moving to another control of this window;
        // switching to another window or opening a context menu is not.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        if (const LimitField* field = limitField(watched))
            guarded([this, field] { commitField(*field); });
        else if (watched == LblDest || watched == edtDestSMS)
            guarded([this] { recipientExit(); });
    }
    return false;
}

bool TAllarmeForm::integerFilterOn() const
{
    return AdvOfSel_htipo_emailok->currentIndex() == 0;
}

bool TAllarmeForm::filterKey(QObject* watched, const QString& text) const
{
    // Keys that type nothing visible (backspace, Tab, Enter, Escape, the
    // arrows and the editing shortcuts) always pass.
    if (text.size() != 1 || !text.at(0).isPrint())
        return false;
    const QChar c = text.at(0);
    const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (limitField(watched) || watched == EditIsteresi)
        return !(digit || c == QLatin1Char('.'));
    if (watched == IntervalloAllarme || watched == AdvOfSel_s || watched == AdvOfSel_m
        || watched == AdvOfSel_h || watched == AdvOfSel_h_emailok)
        return integerFilterOn() && !digit;
    return false;
}

const TAllarmeForm::LimitField* TAllarmeForm::limitField(const QObject* edit) const
{
    for (const LimitField& field : m_fields) {
        if (field.edit == edit)
            return &field;
    }
    return nullptr;
}

// Creation and showing ----------------------------------------------------

void TAllarmeForm::FormCreate()
{
    if (m_links.pagesBuilt)
        m_links.pagesBuilt(*this);
    log(QStringLiteral("Alarm setting"));
    UpdateStrings();
    AdvOfSel_htipo_emailok->setCurrentIndex(-1);
    ReadAlarmSettings();
    CommitAlarmLimits();
    AlarmFormReady = true;
    const QString suffix = m_links.unitSuffix ? m_links.unitSuffix() : QStringLiteral("°C");
    GroupBox1->setTitle(
        m_messages.strsLimiteTemp + QStringLiteral("(") + suffix + QStringLiteral(") "));
    // The thresholds are compared with readings in the display unit, so
    // their unit labels show it.
    LblUnitShutdown->setText(suffix);
    LblUnitStartApp->setText(suffix);
    if (m_links.regularEmailClick)
        m_links.regularEmailClick();
    AdvOfficePager1->setCurrentWidget(AdvPageAlarm);
    lblNumChar->setText(
        QString::number(TestoSMS->toPlainText().size()) + QLatin1Char(' ') + m_messages.sCaratteri);
}

void TAllarmeForm::UpdateStrings()
{
    m_messages.load(m_table, m_links.language ? m_links.language() : Language::Italian);
}

void TAllarmeForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    guarded([this] { FormShow(); });
}

void TAllarmeForm::FormShow()
{
    if (m_links.emailAlarmToggle)
        CheckAllarme->setChecked(m_links.emailAlarmToggle());

    if (m_links.waitPeriodMs) {
        // A text whose interval the timer cannot count runs the timer at its
        // bound and keeps its own text.
        const int period = m_links.waitPeriodMs();
        const QString text = IntervalloAllarme->text();
        const bool usable = !AlarmFields::intervalReplacement(text).has_value();
        if (!usable || AlarmFields::waitPeriodMs(AlarmFields::intervalSeconds(text)) != period)
            IntervalloAllarme->setText(QString::number(period / 1000));
    }

    if (const QWidget* main = parentWidget()) {
        const QRect area = main->frameGeometry();
        const QSize own = frameGeometry().size();
        move(area.left() + area.width() / 2 - own.width() / 2,
            area.top() + area.height() / 2 - own.height() / 2);
    }
    shStatoEmail->setColour(QColor(128, 128, 128));
}

// Stored values -----------------------------------------------------------

QWidget* TAllarmeForm::controlOf(const Settings::Value& value) const
{
    for (const auto& [bound, control] : m_bindings) {
        if (bound == &value)
            return control;
    }
    return nullptr;
}

void TAllarmeForm::readValue(const SettingsStore::Session& session, const Settings::Value& value)
{
    QWidget* control = controlOf(value);
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        if (auto on = session.readBool(value))
            box->setChecked(*on);
    } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
        if (auto text = session.readText(value))
            field->setText(*text);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
        if (auto text = session.readText(value)) {
            const QString lines = memoLines(*text);
            if (memo->toPlainText() != lines)
                memo->setPlainText(lines);
        }
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        if (value.kind == Settings::Kind::Integer) {
            // An index the selector does not have leaves it as it is.
            if (auto index = session.readInteger(value);
                index && *index >= -1 && *index < list->count())
                list->setCurrentIndex(*index);
        } else if (auto text = session.readText(value)) {
            list->setEditText(*text);
        }
    }
}

void TAllarmeForm::ReadAlarmSettings()
{
    log(QStringLiteral("Reading setting (alarm)..."));
    m_settings.setBusy(true);
    {
        auto session = m_settings.open();
        if (session.isOpen()) {
            log(QStringLiteral("o ") + m_settings.displayPath());
            for (const Settings::Value* value : Settings::Values::alarmReadOrder)
                readValue(session, *value);
        }
    }
    m_settings.setBusy(false);
    if (m_links.prepareEmailMessage)
        m_links.prepareEmailMessage();
    log(QStringLiteral("Setting read"));
}

void TAllarmeForm::SaveAlarmSettings()
{
    using namespace Settings::Values;
    log(QStringLiteral("Saving setting (alarm)..."));
    bool written = true;
    {
        auto session = m_settings.open();
        if (session.isOpen()) {
            log(QStringLiteral("o ") + m_settings.displayPath());
            for (const Settings::Value* value : alarmSaveOrder) {
                // A password is kept only while its save box is checked.
                if ((value == &smtppass && !chkSavePassword->isChecked())
                    || (value == &sms_pass && !chkSavePasswordSMS->isChecked())) {
                    session.remove(*value);
                    continue;
                }
                QWidget* control = controlOf(*value);
                if (auto* box = qobject_cast<QCheckBox*>(control))
                    session.writeBool(*value, box->isChecked());
                else if (auto* field = qobject_cast<QLineEdit*>(control))
                    session.writeText(*value, field->text());
                else if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
                    session.writeText(*value, storedLines(memo));
                else if (auto* list = qobject_cast<QComboBox*>(control);
                         list && value->kind == Settings::Kind::Integer)
                    session.writeInteger(*value, list->currentIndex());
                else if (list)
                    session.writeText(*value, list->currentText());
            }
            written = session.commit();
        }
    }
    // As for the main window's values: a file that cannot be written is
    // never reported saved.
    if (written)
        log(QStringLiteral("Setting saved"));
    else
        log(QStringLiteral("Setting not saved: cannot write ") + m_settings.displayPath());
}

void TAllarmeForm::OKClick()
{
    if (m_links.prepareEmailMessage)
        m_links.prepareEmailMessage();
    SaveAlarmSettings();
    accept();
}

// Limits ------------------------------------------------------------------

void TAllarmeForm::commitField(const LimitField& field)
{
    const QString partner = field.partner ? field.partner->text() : QString();
    const QString text = AlarmFields::committedText(
        field.edit->text(), partner, static_cast<AlarmFields::Rule>(field.rule));
    if (text != field.edit->text())
        field.edit->setText(text);
    m_limits.*field.limit = AlarmFields::numberOrZero(field.edit->text());
    log(QLatin1String(field.logPrefix) + field.edit->text());
}

void TAllarmeForm::CommitAlarmLimits()
{
    for (const LimitField& field : m_fields)
        commitField(field);
}

void TAllarmeForm::limitChange(QLineEdit* field)
{
    const QString text = field->text();
    if (text.contains(QLatin1Char(','))) {
        // Setting the repaired text runs this handling again for it.
        field->setText(AlarmFields::repairCommas(text));
        field->setCursorPosition(static_cast<int>(field->text().size()));
        return;
    }
    if (field == LimiteTempMax && !m_converting) {
        const auto maximum = AlarmFields::number(text);
        if (maximum && *maximum > AlarmFields::numberOrZero(EditTempShutdown->text()))
            EditTempShutdown->setText(text);
    }
}

void TAllarmeForm::convertTemperatureLimits(const std::function<double(double)>& convert,
    const QString& groupCaption, const QString& unitSuffix)
{
    // A text that is no number is left as it stands; the commit below
    // repairs it.
    // The four are converted as they stood: the maximum's new text must not
    // pull the threshold before the threshold itself is converted.
    m_converting = true;
    for (QLineEdit* field : {LimiteTempMin, LimiteTempMax, EditTempShutdown, EditTempStartApp}) {
        if (const auto value = AlarmFields::number(field->text()))
            field->setText(QString::number(std::round(convert(*value)), 'f', 0));
    }
    m_converting = false;
    CommitAlarmLimits();
    GroupBox1->setTitle(groupCaption);
    LblUnitShutdown->setText(unitSuffix);
    LblUnitStartApp->setText(unitSuffix);
}

// Interval ----------------------------------------------------------------

void TAllarmeForm::IntervalloAllarmeChange()
{
    const QString text = IntervalloAllarme->text();
    if (const auto replacement = AlarmFields::intervalReplacement(text)) {
        // Setting the replacement runs this handling again for it.
        IntervalloAllarme->setText(*replacement);
        return;
    }
    const qint64 seconds = AlarmFields::intervalSeconds(text);
    LabelIntervallo->setText(AlarmFields::intervalLabel(seconds));
    const AlarmFields::Split parts = AlarmFields::split(seconds);
    m_selectorsSuppressed = true;
    AdvOfSel_s->setEditText(QString::number(parts.s));
    AdvOfSel_m->setEditText(QString::number(parts.m));
    AdvOfSel_h->setEditText(QString::number(parts.h));
    m_selectorsSuppressed = false;
    const int period = AlarmFields::waitPeriodMs(seconds);
    // Setting the same period again must not restart the count.
    if (m_links.setWaitPeriodMs && (!m_links.waitPeriodMs || m_links.waitPeriodMs() != period))
        m_links.setWaitPeriodMs(period);
    log(QStringLiteral("intervallo min allarme ") + text);
}

void TAllarmeForm::selectorChange()
{
    if (m_selectorsSuppressed)
        return;
    m_selectorsSuppressed = true;
    for (QComboBox* box : {AdvOfSel_s, AdvOfSel_m, AdvOfSel_h}) {
        if (box->currentText().isEmpty())
            box->setEditText(QStringLiteral("0"));
    }
    m_selectorsSuppressed = false;
    const qint64 sum = AlarmFields::selectorSum(
        AdvOfSel_s->currentText(), AdvOfSel_m->currentText(), AdvOfSel_h->currentText());
    IntervalloAllarme->setText(QString::number(sum));
}

// Check boxes and recipients ---------------------------------------------

void TAllarmeForm::CheckAllarmeChange()
{
    if (CheckAllarme->isChecked() && !LblDest->text().contains(QLatin1Char('@'))) {
        CheckAllarme->setChecked(false);
        m_dialogs.message(this, MessageKind::Warning, m_messages.strsNoValidEmail2);
        AdvOfficePager1->setCurrentWidget(AdvPageMail);
    }
    if (m_links.setEmailAlarmToggle)
        m_links.setEmailAlarmToggle(CheckAllarme->isChecked());
    log(QStringLiteral("CheckAllarmeEmail ") + boolText(CheckAllarme->isChecked()));
}

void TAllarmeForm::chkPopUpClick()
{
    if (m_links.setPopUpToggle)
        m_links.setPopUpToggle(chkPopUp->isChecked());
}

void TAllarmeForm::ChkShutDownClick()
{
    if (ChkShutDown->isChecked()) {
        const QString question
            = m_messages.sWarningTutnOff1 + QStringLiteral("\n\r") + m_messages.sWarningTutnOff2;
        if (!m_dialogs.confirm(this, question))
            ChkShutDown->setChecked(false);
    }
    log(QStringLiteral("Auto ShutDown ") + boolText(ChkShutDown->isChecked()));
}

void TAllarmeForm::recipientExit()
{
    if (!LblDest->text().isEmpty())
        return;
    CheckAllarme->setChecked(false);
    m_dialogs.message(this, MessageKind::Warning, m_messages.sAlarmDisabled);
}

void TAllarmeForm::BtnStartProgrClick()
{
    if (m_links.startProgram)
        m_links.startProgram(EditStartProgr->text());
}

// For the main window -----------------------------------------------------

QString TAllarmeForm::recipients() const
{
    return LblDest->text();
}

void TAllarmeForm::setEmailAlarm(bool on)
{
    CheckAllarme->setChecked(on);
}

void TAllarmeForm::setPopUp(bool on)
{
    chkPopUp->setChecked(on);
}

AlarmSwitches TAllarmeForm::switches() const
{
    return {chkSMS->isChecked(), ChkEmailOK->isChecked(), ChkStartProgr->isChecked(),
        ChkShutDown->isChecked(), LimiteTempMin->text(), LimiteTempMax->text(), LimiteRHMin->text(),
        LimiteRHMax->text()};
}
