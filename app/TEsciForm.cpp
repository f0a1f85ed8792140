#include "TEsciForm.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

TEsciForm::TEsciForm(QWidget* mainWindow)
    : QDialog(mainWindow)
    , m_mainWindow(mainWindow)
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

    connect(btnExit, &QPushButton::clicked, this, &TEsciForm::btnExitClick);
    connect(btAnnula, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnIcon, &QPushButton::clicked, this, &TEsciForm::reduceToIcon);
}

void TEsciForm::btnExitClick()
{
    Q_EMIT exitConfirmed();
    accept();
}

void TEsciForm::showEvent(QShowEvent* event)
{
    if (m_mainWindow) {
        const QRect main = m_mainWindow->frameGeometry();
        move(main.left() + main.width() / 2 - width() / 2,
            main.top() + main.height() / 2 - frameGeometry().height());
    }
    QDialog::showEvent(event);
}
