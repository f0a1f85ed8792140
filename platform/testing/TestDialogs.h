#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>

// Records what the program asked to show and answers from a script.
class TestDialogs : public Dialogs {
public:
    struct Shown {
        MessageKind kind;
        QString text;
        QString title;
    };

    void message(QWidget* owner, MessageKind kind, const QString& text, const QString& title = {}) override;
    bool confirm(QWidget* owner, const QString& text, const QString& title = {}) override;
    std::optional<QString> saveFileName(QWidget* owner, const SaveRequest& request) override;
    int execModal(QDialog& dialog) override;

    // Answers for the next confirmations and save dialogs, in order; when
    // the script is empty a confirmation answers No and a save is cancelled.
    std::deque<bool> confirmAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    // Plays the user's part in a modal window of the program (click its
    // buttons); without a script the window closes at once as Cancel.
    std::deque<std::function<void(QDialog&)>> modalScripts;

    QList<Shown> messages;
    QList<QString> confirmations;
    QList<SaveRequest> saveRequests;
    QList<QString> modalWindows; // objectName of each window shown

    // A message shown at once calls this, so a test can react inside it.
    std::function<void(const Shown&)> onMessage;
};
