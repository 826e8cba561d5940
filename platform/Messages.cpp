#include "platform/Messages.h"

#include "core/Texts.h"

#include <QApplication>
#include <QMessageBox>

namespace {
MessageRecorder *activeRecorder = nullptr;
}

void showMessage(const QString &text, const QString &title)
{
    const QString boxTitle = title.isEmpty() ? langText("操作提示", "Operate prompt") : title;
    if (activeRecorder) {
        activeRecorder->messages.append({text, boxTitle});
        return;
    }
    QMessageBox box(QMessageBox::Warning, boxTitle, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void showMessage(const char *chinese, const char *english)
{
    showMessage(langText(chinese, english));
}

MessageRecorder::MessageRecorder() : m_previous(activeRecorder)
{
    activeRecorder = this;
}

MessageRecorder::~MessageRecorder()
{
    activeRecorder = m_previous;
}

QStringList MessageRecorder::texts() const
{
    QStringList result;
    for (const RecordedMessage &m : messages)
        result << m.text;
    return result;
}
