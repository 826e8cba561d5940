#pragma once
#include <QList>
#include <QString>

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
    QStringList texts() const;
    void clear() { messages.clear(); }

private:
    MessageRecorder *m_previous;
};
