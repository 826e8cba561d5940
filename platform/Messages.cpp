#include "platform/Messages.h"

#include "core/Texts.h"
#include "platform/DrawnIcons.h"
#include "platform/WindowLanguage.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

namespace {
MessageRecorder *activeRecorder = nullptr;
}


namespace {

void showBox(const QString &text, const QString &title, const QString &summary, const QString &details)
{
    const QString boxTitle = title.isEmpty() ? langText("操作提示", "Operate prompt") : title;
    if (activeRecorder) {
        activeRecorder->messages.append({text, boxTitle, summary, details});
        return;
    }
    QMessageBox box(QMessageBox::Warning, boxTitle, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    // Visible at once, whatever the size of the box: the details may be cut.
    box.setInformativeText(summary);
    box.setDetailedText(details);
    // Drawn at the screen's scale rather than a small bitmap scaled up.
    const qreal scale = box.devicePixelRatioF();
    const int side = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    box.setIconPixmap(warningIcon().pixmap(QSize(side, side), scale));
    box.button(QMessageBox::Ok)->setIcon(confirmIcon());
    box.exec();
}

} // namespace

void showMessage(const QString &text, const QString &title)
{
    showBox(text, title, QString(), QString());
}

void showMessage(const char *chinese, const char *english)
{
    showBox(langText(chinese, english), QString(), QString(), QString());
}

void showMessageWithSummary(const QString &text, const QString &summary)
{
    showBox(text, QString(), summary, QString());
}

void showMessageWithDetails(const char *chinese, const char *english, const QString &summary,
                            const QString &details)
{
    showBox(langText(chinese, english), QString(), summary, details);
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
