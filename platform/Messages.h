#pragma once
#include <QList>
#include <QString>
#include <memory>

class QMessageBox;

// Every message box of the program goes through showMessage: a warning
// icon, one OK button and the title "操作提示" / "Operate prompt" unless
// another title is given.
void showMessage(const QString &text, const QString &title = QString());
void showMessage(const char *chinese, const char *english);
// The box with a line below the text that says what is expected.
void showMessageWithSummary(const QString &text, const QString &summary);
// The same box with a line below the text that a person can act on (the
// port, the cause, the one thing to do), and Qt's "Show Details..." text.
void showMessageWithDetails(const char *chinese, const char *english, const QString &summary,
                            const QString &details);

// The box showMessage shows. Its details, once shown, are a stop of Tab and
// scroll by keys, and stand whole where the screen has room for them.
std::unique_ptr<QMessageBox> messageBox(const QString &text, const QString &title, const QString &summary,
                                        const QString &details);

// What a person answered to a question whether to save first.
enum class SaveAnswer { Save, Discard, Cancel };
// The question `text` with Save, Don't Save and Cancel in the windows'
// language; the keyboard starts on Save and Escape is Cancel.
std::unique_ptr<QMessageBox> saveQuestionBox(const QString &text);
SaveAnswer askToSave(const QString &text);

// While a MessageRecorder lives, message boxes are recorded instead of
// shown, so that a test never waits on a modal box.
struct RecordedMessage {
    QString text;
    QString title;
    QString summary;
    QString details;
};

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QList<RecordedMessage> messages;
    // What every question is answered; questions are recorded as messages.
    SaveAnswer answer = SaveAnswer::Discard;
    QStringList texts() const;
    void clear() { messages.clear(); }

private:
    MessageRecorder *m_previous;
};
