#include "TEsciForm.h"

#include "log/EventLog.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBoundary.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

TEsciForm::TEsciForm(QWidget* mainWindow, Services services, Language language)
    : QDialog(mainWindow)
    , m_mainWindow(mainWindow)
    , m_services(std::move(services))
    , m_messageTable(MessageTable::load(QStringLiteral(":/i18n/exit.json")))
{
    setObjectName(QStringLiteral("TEsciForm"));
    setWindowTitle(QStringLiteral("Sei sicuro di volere uscire?"));
    setFixedSize(281, 137);

    ChkExitPassword = new QCheckBox(QStringLiteral("Chiusura con password"), this);
    ChkExitPassword->setObjectName(QStringLiteral("ChkExitPassword"));
    ChkExitPassword->setGeometry(10, 12, 150, 22);
    ExitPassword = new QLineEdit(this);
    ExitPassword->setObjectName(QStringLiteral("ExitPassword"));
    ExitPassword->setEchoMode(QLineEdit::Password);
    ExitPassword->setToolTip(QStringLiteral("Inserisci la password per la chiusura"));
    ExitPassword->setGeometry(10, 46, 150, 24);
    btnReset = new QPushButton(QStringLiteral("Resetta Password"), this);
    btnReset->setObjectName(QStringLiteral("btnReset"));
    btnReset->setGeometry(10, 90, 150, 28);

    btnExit = new QPushButton(QStringLiteral("Esci"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setGeometry(170, 10, 100, 32);
    btnIcon = new QPushButton(QStringLiteral("Riduci ad icona"), this);
    btnIcon->setObjectName(QStringLiteral("btnIcon"));
    btnIcon->setGeometry(170, 50, 100, 32);
    btAnnula = new QPushButton(QStringLiteral("Annulla"), this);
    btAnnula->setObjectName(QStringLiteral("btAnnula"));
    btAnnula->setGeometry(170, 90, 100, 32);
    for (QPushButton* button : {btnReset, btnExit, btnIcon, btAnnula}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    connect(btnExit, &QPushButton::clicked, this, [this] { guarded([this] { btnExitClick(); }); });
    connect(
        btAnnula, &QPushButton::clicked, this, [this] { guarded([this] { btAnnulaClick(); }); });
    connect(btnIcon, &QPushButton::clicked, this, [this] { guarded([this] { btnIconClick(); }); });
    connect(
        btnReset, &QPushButton::clicked, this, [this] { guarded([this] { btnResetClick(); }); });
    // Only the user's click: programmatic changes go through setOption.
    connect(ChkExitPassword, &QCheckBox::clicked, this,
        [this] { guarded([this] { ChkExitPasswordClick(); }); });

    UpdateStrings(language);
    FormCreate();
}

template <class Handler> void TEsciForm::guarded(Handler&& handler)
{
    ErrorBoundary::run(&m_services.dialogs, this, std::forward<Handler>(handler));
}

void TEsciForm::UpdateStrings(Language language)
{
    messages.load(m_messageTable, language);
}

void TEsciForm::setOption(bool on)
{
    const QSignalBlocker blocker(ChkExitPassword);
    ChkExitPassword->setChecked(on);
}

void TEsciForm::FormCreate()
{
    if (const std::optional<bool> optionOn = m_rules.load(m_services.settings))
        setOption(*optionOn);
}

void TEsciForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
    QDialog::showEvent(event);
}

void TEsciForm::FormShow()
{
    m_services.log.logEvent(QStringLiteral("Close form"));
    btnIcon->setEnabled(m_services.anyTrayIconWanted && m_services.anyTrayIconWanted());
    // Centred horizontally on the main window, its lower edge on the main
    // window's middle; both windows measured with their frames.
    if (m_mainWindow) {
        const QRect main = m_mainWindow->frameGeometry();
        const QRect own = frameGeometry();
        move(main.left() + main.width() / 2 - own.width() / 2,
            main.top() + main.height() / 2 - own.height());
    }
}

void TEsciForm::btnExitClick()
{
    if (!m_rules.mayExit(ChkExitPassword->isChecked(), ExitPassword->text())) {
        m_services.dialogs.message(this, MessageKind::Warning, messages.strsWrongPasswordApp);
        return;
    }
    Q_EMIT exitConfirmed();
    m_services.log.logEvent(QStringLiteral("Close btn"));
    accept();
}

void TEsciForm::btAnnulaClick()
{
    reject();
}

void TEsciForm::btnIconClick()
{
    Q_EMIT reduceToIcon();
    // The program goes into the notification area and this window with it.
    // A modal window cannot stay open while hidden, so it closes as Cancel
    // would: the program keeps running.
    reject();
}

void TEsciForm::ChkExitPasswordClick()
{
    switch (m_rules.optionChange(ExitPassword->text())) {
    case ExitPasswordRules::OptionChange::Stands:
        return;
    case ExitPasswordRules::OptionChange::NoPassword:
        m_services.dialogs.message(this, MessageKind::Warning, messages.strsNoPassword);
        setOption(!ChkExitPassword->isChecked());
        return;
    case ExitPasswordRules::OptionChange::WrongPassword:
        setOption(!ChkExitPassword->isChecked());
        m_services.dialogs.message(this, MessageKind::Warning, messages.strsWrongPasswordPref);
        return;
    }
}

void TEsciForm::btnResetClick()
{
    if (!m_rules.mayReset(ExitPassword->text())) {
        m_services.dialogs.message(this, MessageKind::Warning, messages.strsWrongPasswordReset);
        return;
    }
    m_services.log.logEvent(QStringLiteral("Reset close pwd"));
    ExitPassword->clear();
    setOption(false);
    m_rules.reset(m_services.settings);
}

void TEsciForm::done(int result)
{
    guarded([this] { FormClose(); });
    QDialog::done(result);
}

void TEsciForm::FormClose()
{
    m_rules.save(m_services.settings, ChkExitPassword->isChecked(), ExitPassword->text());
}

void TEsciForm::keyPressEvent(QKeyEvent* event)
{
    // No button answers Enter or Escape: the window closes only by a button
    // or its close box.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return
        || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
