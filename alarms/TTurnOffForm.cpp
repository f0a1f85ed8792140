#include "TTurnOffForm.h"

#include <QLabel>
#include <QPushButton>

TTurnOffForm::TTurnOffForm(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TTurnOffForm"));
    setWindowTitle(QStringLiteral("Chiusura computer..."));
    setFixedSize(265, 163);
    Label1 = new QLabel(QStringLiteral("Il computer sta per chiudersi a causa del superamento della soglia di allarme "
                                       "impostata. Puoi annullare lo spegnimento prima che il timer si azzeri."),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setGeometry(10, 8, 245, 70);
    LblSecRim = new QLabel(QStringLiteral("X secondi allo spegnimento"), this);
    LblSecRim->setObjectName(QStringLiteral("LblSecRim"));
    QFont bold = LblSecRim->font();
    bold.setBold(true);
    LblSecRim->setFont(bold);
    LblSecRim->setGeometry(10, 84, 245, 24);
    BtnAnnullaTurnOff = new QPushButton(QStringLiteral("Annulla Spegnimento"), this);
    BtnAnnullaTurnOff->setObjectName(QStringLiteral("BtnAnnullaTurnOff"));
    BtnAnnullaTurnOff->setGeometry(60, 120, 145, 30);
    if (mainWindow) {
        const QRect main = mainWindow->frameGeometry();
        move(main.left() + main.width() / 2 - width() / 2, main.top() + main.height() / 2 - frameGeometry().height());
    }
}
