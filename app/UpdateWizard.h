#pragma once

#include "app/Updater.h"

#include <QDialog>
#include <QHash>

class Dialogs;
class QLabel;
class QPushButton;
class QPlainTextEdit;

// The update wizard: checks, shows what is new, asks once, then fetches
// and opens the package. Its texts are Italian or English.
class UpdateWizard : public QDialog
{
    Q_OBJECT
public:
    UpdateWizard(Updater& updater, Dialogs& dialogs, QWidget* owner);

    // Italian texts for Italian, English ones for every other language.
    void setItalian(bool italian);
    QString text(const QString& key) const;

    QLabel* Message = nullptr;
    QPlainTextEdit* News = nullptr;
    QPushButton* StartButton = nullptr;
    QPushButton* GetUpdateButton = nullptr;
    QPushButton* ExitButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void start();
    void getUpdate();
    void applyTexts();

    Updater& m_updater;
    Dialogs& m_dialogs;
    QHash<QString, QStringList> m_texts;
    bool m_italian = true;
};
