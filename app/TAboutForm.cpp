#include "TAboutForm.h"

#include "platform/Version.h"

#include <QLabel>
#include <QPushButton>

TAboutForm::TAboutForm(QWidget* mainWindow)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("TAboutForm"));
    setWindowTitle(QStringLiteral("Infomazioni sul programma"));
    setFixedSize(320, 200);
    setStyleSheet(QStringLiteral("TAboutForm { background: white; }"));
    QFont bold = font();
    bold.setBold(true);
    Label1 = new QLabel(QStringLiteral("Quelmo and Temperature Monitor"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(bold);
    Label1->setGeometry(16, 80, 290, 20);
    Lblversione = new QLabel(QStringLiteral(" v ") + fileVersion(), this);
    Lblversione->setObjectName(QStringLiteral("Lblversione"));
    Lblversione->setFont(bold);
    Lblversione->setGeometry(16, 104, 290, 20);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(16, 128, 290, 20);
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);
    OK->setGeometry(120, 160, 80, 28);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
}
