#include "UpdateWizard.h"

#include "platform/Dialogs.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

UpdateWizard::UpdateWizard(Updater& updater, Dialogs& dialogs, QWidget* owner)
    : QDialog(owner)
    , m_updater(updater)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("UpdateWizard"));
    setWindowTitle(QStringLiteral("Quelmo - Update"));
    QFont bold(QStringLiteral("Verdana"));
    bold.setBold(true);
    setFont(bold);
    resize(420, 260);

    QFile table(QStringLiteral(":/i18n/update.json"));
    if (table.open(QIODevice::ReadOnly)) {
        const QJsonObject texts = QJsonDocument::fromJson(table.readAll())
                                      .object()
                                      .value(QStringLiteral("texts"))
                                      .toObject();
        for (auto it = texts.begin(); it != texts.end(); ++it) {
            QStringList cells;
            for (const QJsonValue& cell : it.value().toArray())
                cells.append(cell.toString());
            m_texts.insert(it.key(), cells);
        }
    }

    auto* layout = new QVBoxLayout(this);
    Message = new QLabel(this);
    Message->setObjectName(QStringLiteral("Message"));
    Message->setWordWrap(true);
    News = new QPlainTextEdit(this);
    News->setObjectName(QStringLiteral("News"));
    News->setReadOnly(true);
    News->hide();
    auto* buttons = new QHBoxLayout;
    StartButton = new QPushButton(this);
    StartButton->setObjectName(QStringLiteral("StartButton"));
    GetUpdateButton = new QPushButton(this);
    GetUpdateButton->setObjectName(QStringLiteral("GetUpdateButton"));
    GetUpdateButton->hide();
    ExitButton = new QPushButton(this);
    ExitButton->setObjectName(QStringLiteral("ExitButton"));
    buttons->addStretch(1);
    buttons->addWidget(StartButton);
    buttons->addWidget(GetUpdateButton);
    buttons->addWidget(ExitButton);
    layout->addWidget(Message);
    layout->addWidget(News, 1);
    layout->addLayout(buttons);

    connect(StartButton, &QPushButton::clicked, this, &UpdateWizard::start);
    connect(GetUpdateButton, &QPushButton::clicked, this, &UpdateWizard::getUpdate);
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::reject);
    applyTexts();
}

QString UpdateWizard::text(const QString& key) const
{
    const QStringList cells = m_texts.value(key);
    return cells.value(m_italian ? 0 : 1);
}

void UpdateWizard::setItalian(bool italian)
{
    m_italian = italian;
    applyTexts();
}

void UpdateWizard::applyTexts()
{
    StartButton->setText(text(QStringLiteral("StartButton")));
    GetUpdateButton->setText(text(QStringLiteral("GetUpdateButton")));
    ExitButton->setText(text(QStringLiteral("ExitButton")));
    Message->setText(text(QStringLiteral("Welcome")));
}

void UpdateWizard::showEvent(QShowEvent* event)
{
    applyTexts();
    News->hide();
    News->clear();
    GetUpdateButton->hide();
    StartButton->setEnabled(true);
    QDialog::showEvent(event);
}

void UpdateWizard::start()
{
    StartButton->setEnabled(false);
    QPointer<UpdateWizard> self(this);
    m_updater.check([self](const Updater::Result& result) {
        if (!self)
            return;
        switch (result.outcome) {
        case Updater::Outcome::NewVersion:
            self->Message->setText(self->text(QStringLiteral("NewVersionAvail")) + QLatin1Char('\n')
                + self->text(QStringLiteral("CurrentVersion")) + QLatin1Char(' ')
                + self->m_updater.currentVersion() + QLatin1Char('\n')
                + self->text(QStringLiteral("NewVersion")) + QLatin1Char(' ')
                + result.info.version);
            self->News->setPlainText(self->text(QStringLiteral("WhatsNew")) + QStringLiteral(":\n")
                + result.info.whatsNew);
            self->News->show();
            self->GetUpdateButton->show();
            break;
        case Updater::Outcome::NoNewVersion:
            self->Message->setText(self->text(QStringLiteral("NoNewVersionAvail")));
            break;
        case Updater::Outcome::NoUpdateOnServer:
            self->Message->setText(self->text(QStringLiteral("NoUpdateOnServer")));
            break;
        case Updater::Outcome::CannotConnect:
            self->Message->setText(self->text(QStringLiteral("CannotConnect")));
            break;
        }
    });
}

void UpdateWizard::getUpdate()
{
    // Asked once, before the package is applied.
    if (!m_dialogs.confirm(this,
            text(QStringLiteral("NewVersionFound")) + QLatin1Char('\n')
                + text(QStringLiteral("GetUpdateButton")) + QStringLiteral("?")))
        return;
    GetUpdateButton->setEnabled(false);
    Message->setText(text(QStringLiteral("DownloadingFiles")));
    QPointer<UpdateWizard> self(this);
    m_updater.startBackgroundUpdate([self](bool ok, const QString&) {
        if (!self)
            return;
        self->Message->setText(ok ? self->text(QStringLiteral("UpdateComplete")) + QLatin1Char('\n')
                    + self->text(QStringLiteral("RestartInfo"))
                                  : self->text(QStringLiteral("FailedDownload")));
        self->GetUpdateButton->setEnabled(true);
    });
}
