#include "EmailPage.h"

#include "log/EventLog.h"
#include "notify/RegularEmail.h"
#include "platform/Dialogs.h"
#include "platform/StatusShape.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabWidget>

EmailPage::EmailPage(EventLog& log, Dialogs& dialogs, EmailChannel& channel,
    RegularEmailSchedule& schedule, EmailPageControls controls, EmailPageHooks hooks,
    QObject* parent)
    : QObject(parent)
    , m_log(log)
    , m_dialogs(dialogs)
    , m_channel(channel)
    , m_schedule(schedule)
    , m_controls(std::move(controls))
    , m_hooks(std::move(hooks))
{
    const EmailPageControls& c = m_controls;
    const auto guarded = [this](auto handler) {
        return [this, handler] {
            m_hooks.guard(handler);
        };
    };
    connect(c.InviaEmail, &QAbstractButton::clicked, this, guarded([this] { InviaEmailClick(); }));
    connect(c.chkEmailFunzionamRegolare, &QAbstractButton::clicked, this,
        guarded([this] { chkEmailFunzionamRegolareClick(); }));
    connect(c.AdvOfSel_htipo_emailok, &QComboBox::currentIndexChanged, this,
        guarded([this] { AdvOfSel_htipo_emailokChange(); }));
    connect(c.AdvOfSel_h_emailok, &QComboBox::currentTextChanged, this,
        guarded([this] { AdvOfSel_h_emailokChange(); }));
    // The status memo and shape change only here, on the user-interface
    // thread, from what the sending thread handed back.
    connect(&m_channel, &EmailChannel::statusCleared, c.StatusMemo, &QPlainTextEdit::clear);
    connect(
        &m_channel, &EmailChannel::statusLineAdded, c.StatusMemo, &QPlainTextEdit::appendPlainText);
    connect(&m_channel, &EmailChannel::shapeChanged, c.shStatoEmail,
        [shape = c.shStatoEmail](EmailShape colour) { shape->setColour(shapeColour(colour)); });
}

EmailPageTexts EmailPage::pageTexts() const
{
    const EmailPageControls& c = m_controls;
    EmailPageTexts page;
    page.LblDest = c.LblDest->text();
    page.LblSMTP = c.LblSMTP->text();
    page.Lblusername = c.Lblusername->text();
    page.Lblpassword = c.Lblpassword->text();
    page.LblFrom = c.LblFrom->text();
    page.LblPorta = c.LblPorta->text();
    page.LblOggetto = c.LblOggetto->text();
    page.TestoEmail
        = c.TestoEmail->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    page.cmbSSL = c.cmbSSL->currentIndex();
    page.cmbAuth = c.cmbAuth->currentIndex();
    return page;
}

void EmailPage::PrepareEmailMessage()
{
    m_channel.PrepareEmailMessage(pageTexts(), m_hooks.reading());
}

void EmailPage::SendAlarmEmail()
{
    m_channel.SendAlarmEmail(pageTexts(), m_hooks.reading());
}

void EmailPage::InviaEmailClick()
{
    m_controls.shStatoEmail->setColour(shapeColour(EmailShape::Grey));
    const EmailPageTextsOfWindow texts = m_hooks.texts();
    switch (m_channel.InviaEmailClick(pageTexts(), m_hooks.reading())) {
    case EmailChannel::TestVerdict::NoValidEmail:
        m_dialogs.message(m_controls.owner, MessageKind::Warning, texts.strsNoValidEmail);
        break;
    case EmailChannel::TestVerdict::NoValidServer:
        m_dialogs.message(m_controls.owner, MessageKind::Warning, texts.sNoValidServer);
        break;
    case EmailChannel::TestVerdict::Started:
    case EmailChannel::TestVerdict::Busy:
        break;
    }
}

void EmailPage::chkEmailFunzionamRegolareClick()
{
    const EmailPageControls& c = m_controls;
    if (c.chkEmailFunzionamRegolare->isChecked() && !c.LblDest->text().contains(QLatin1Char('@'))) {
        c.chkEmailFunzionamRegolare->setChecked(false);
        m_dialogs.message(c.owner, MessageKind::Warning, m_hooks.texts().strsNoValidEmail2);
        c.pager->setCurrentWidget(c.AdvPageMail);
        return;
    }
    m_schedule.chkEmailFunzionamRegolareClick(c.chkEmailFunzionamRegolare->isChecked(),
        c.AdvOfSel_htipo_emailok->currentIndex(), c.AdvOfSel_h_emailok->currentText(),
        m_hooks.now());
}

void EmailPage::AdvOfSel_htipo_emailokChange()
{
    const EmailPageControls& c = m_controls;
    const int mode = c.AdvOfSel_htipo_emailok->currentIndex();
    if (mode < 0)
        return;
    c.Label23->setVisible(mode == 0);
    {
        const QSignalBlocker quiet(c.AdvOfSel_h_emailok);
        c.AdvOfSel_h_emailok->clear();
        c.AdvOfSel_h_emailok->addItems(RegularEmail::hourItems(mode));
    }
    c.AdvOfSel_h_emailok->setCurrentIndex(-1);
    c.AdvOfSel_h_emailok->setCurrentIndex(23); // evaluates the hour field
    m_log.logEvent(QStringLiteral("EmailFunzionamRegolare Tipo=") + QString::number(mode));
}

void EmailPage::AdvOfSel_h_emailokChange()
{
    const EmailPageControls& c = m_controls;
    if (c.AdvOfSel_htipo_emailok->currentIndex() < 0 && c.AdvOfSel_h_emailok->currentIndex() < 0)
        return; // the design text while no mode is chosen: nothing to time yet
    m_schedule.AdvOfSel_h_emailokChange(c.AdvOfSel_htipo_emailok->currentIndex(),
        c.AdvOfSel_h_emailok->currentText(), m_hooks.now());
}

void EmailPage::TimerEmailFunzionamRegolareTimer()
{
    m_schedule.TimerEmailFunzionamRegolareTimer(m_controls.AdvOfSel_htipo_emailok->currentIndex(),
        m_hooks.reading(), m_hooks.now(), [this] { SendAlarmEmail(); });
}
