#pragma once

#include <QString>

#include <optional>

class QDialog;
class QWidget;

enum class MessageKind { Plain, Information, Warning, Error };

struct SaveRequest {
    QString title;
    QString defaultSuffix; // without the dot
    QString filter;        // "File di Testo (.txt) (*.txt)"
    QString initialPath;
    bool overwritePrompt = true;
};

// Every message box, confirmation, save dialog and modal window of the
// program goes through this service, so that tests can answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void message(QWidget* owner, MessageKind kind, const QString& text, const QString& title = {}) = 0;
    // Yes / No question; true for Yes.
    virtual bool confirm(QWidget* owner, const QString& text, const QString& title = {}) = 0;
    virtual std::optional<QString> saveFileName(QWidget* owner, const SaveRequest& request) = 0;
    // Shows one of the program's own windows modally; returns its result.
    virtual int execModal(QDialog& dialog) = 0;
};

// The desktop's own dialogs.
class QtDialogs : public Dialogs {
public:
    void message(QWidget* owner, MessageKind kind, const QString& text, const QString& title = {}) override;
    bool confirm(QWidget* owner, const QString& text, const QString& title = {}) override;
    std::optional<QString> saveFileName(QWidget* owner, const SaveRequest& request) override;
    int execModal(QDialog& dialog) override;

    // Titles of the standard boxes, in the active language.
    struct Captions {
        QString warning = QStringLiteral("Attenzione");
        QString error = QStringLiteral("Errore");
        QString information = QStringLiteral("Informatione");
        QString confirm = QStringLiteral("Confirm");
        QString yes = QStringLiteral("&Si");
        QString no = QStringLiteral("&No");
    };
    void setCaptions(const Captions& captions) { m_captions = captions; }

private:
    Captions m_captions;
};
