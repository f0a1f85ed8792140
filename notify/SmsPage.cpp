#include "SmsPage.h"

#include "platform/ErrorBoundary.h"
#include "log/EventLog.h"
#include "notify/SmsRequester.h"
#include "platform/Dialogs.h"
#include "settings/SettingsStore.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QTextCursor>

SmsPage::SmsPage(EventLog& log, SettingsStore& settings, Dialogs& dialogs, SmsPageControls controls,
    SmsPageHooks hooks, QObject* parent)
    : QObject(parent)
    , m_log(log)
    , m_settings(settings)
    , m_dialogs(dialogs)
    , m_controls(controls)
    , m_hooks(std::move(hooks))
    , m_requester(new SmsRequester(this))
{
    if (m_controls.WebBrowser1) {
        m_controls.WebBrowser1->setReadOnly(true);
        m_controls.WebBrowser1->setOpenLinks(false);
        connect(m_requester, &SmsRequester::answered, m_controls.WebBrowser1,
            &QTextBrowser::setPlainText);
    }
    if (m_controls.InviaSMS)
        connect(m_controls.InviaSMS, &QAbstractButton::clicked, this,
            [this] { runGuarded([this] { InviaSMSClick(); }); });
    if (m_controls.btnCreditoSMS) {
        connect(m_controls.btnCreditoSMS, &QAbstractButton::clicked, this,
            [this] { runGuarded([this] { btnCreditoSMSClick(); }); });
    }
    connect(m_controls.TestoSMS, &QPlainTextEdit::textChanged, this,
        [this] { runGuarded([this] { TestoSMSChange(); }); });
    m_controls.TestoSMS->installEventFilter(this);
    m_controls.edtDestSMS->installEventFilter(this);
    m_controls.edtMittenteSMS->installEventFilter(this);
}

SmsPage::~SmsPage() = default;

void SmsPage::runGuarded(const std::function<void()>& handler)
{
    ErrorBoundary::runThrough(m_hooks.guard, handler);
}

SmsTexts SmsPage::texts() const
{
    return m_hooks.texts ? m_hooks.texts() : SmsTexts{};
}

QString SmsPage::filled(const QString& text) const
{
    return m_hooks.fill ? m_hooks.fill(text) : text;
}

QString SmsPage::gatewayBase() const
{
    return m_settings.textOrDefault(Settings::Values::SmsGatewayBase);
}

QString SmsPage::memoText() const
{
    return m_controls.TestoSMS->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QString SmsPage::messageText(SmsGateway::Message message) const
{
    const SmsTexts current = texts();
    switch (message) {
    case SmsGateway::Message::NoValidPassword:
        return current.sNoValidPassword;
    case SmsGateway::Message::NoValidNumber:
        return current.sNoValidNumber;
    case SmsGateway::Message::NoValidMittente:
        return current.sNoValidMittente;
    }
    return {};
}

void SmsPage::carryOut(const SmsGateway::Plan& plan)
{
    for (const SmsGateway::Step& step : plan.steps) {
        switch (step.kind) {
        case SmsGateway::Step::Kind::Show:
            m_dialogs.message(m_controls.owner, MessageKind::Warning, messageText(step.message));
            break;
        case SmsGateway::Step::Kind::Log:
            m_log.logEvent(step.text);
            break;
        case SmsGateway::Step::Kind::SetDestination:
            m_controls.edtDestSMS->setText(step.text);
            break;
        }
    }
    if (!plan.url.isEmpty())
        m_requester->request(plan.url);
}

static SmsGateway::Fields fieldsOf(const SmsPageControls& controls, const QString& text)
{
    return {controls.lblUserSMS->text(), controls.lblPasswordSMS->text(),
        controls.edtMittenteSMS->text(), controls.edtDestSMS->text(), text};
}

void SmsPage::InviaSMSClick()
{
    carryOut(SmsGateway::InviaSMS(fieldsOf(m_controls, memoText()), gatewayBase(),
        [this](const QString& text) { return filled(text); }));
}

void SmsPage::btnCreditoSMSClick()
{
    carryOut(SmsGateway::CreditoSMS(fieldsOf(m_controls, {}), gatewayBase()));
}

void SmsPage::TestoSMSChange()
{
    QPlainTextEdit* memo = m_controls.TestoSMS;
    const QString text = memo->toPlainText();
    const QString rewritten = SmsGateway::rewriteAccents(text);
    if (rewritten != text) {
        // Writing the text back is a change of the memo and runs this
        // handler again, which then shows the count of the final text.
        QTextCursor cursor = memo->textCursor();
        const int position = cursor.position();
        const int grown
            = static_cast<int>(SmsGateway::rewriteAccents(text.left(position)).size()) - position;
        memo->setPlainText(rewritten);
        cursor = memo->textCursor();
        cursor.setPosition(position + grown);
        memo->setTextCursor(cursor);
        return;
    }
    m_controls.lblNumChar->setText(
        SmsGateway::countText(filled(memoText()).size(), texts().sCaratteri));
}

void SmsPage::showTemplateCount()
{
    m_controls.lblNumChar->setText(SmsGateway::countText(memoText().size(), texts().sCaratteri));
}

bool SmsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Keys that type nothing (arrows, Delete) and shortcuts are not typed
    // characters; backspace always passes.
    if (key->key() == Qt::Key_Backspace || key->text().isEmpty()
        || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    const QString typed = key->text();
    if (watched == m_controls.edtDestSMS) {
        for (const QChar c : typed) {
            if (!SmsGateway::destinationKeyAccepted(c))
                return true;
        }
        return false;
    }
    if (watched == m_controls.edtMittenteSMS)
        return !SmsGateway::senderKeyAccepted(
            typed.at(0), m_controls.edtMittenteSMS->text().size());
    if (watched == m_controls.TestoSMS) {
        const QTextCursor cursor = m_controls.TestoSMS->textCursor();
        const qsizetype selected = cursor.selectionEnd() - cursor.selectionStart();
        // A typed line break is stored as CR LF.
        const bool lineBreak = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const qsizetype added = lineBreak ? 2 : typed.size();
        return !SmsGateway::memoKeyAccepted(memoText().size() - selected + added);
    }
    return QObject::eventFilter(watched, event);
}
