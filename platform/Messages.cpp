#include "platform/Messages.h"

#include "core/Texts.h"
#include "platform/DrawnIcons.h"
#include "platform/WindowLanguage.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextEdit>

namespace {
MessageRecorder *activeRecorder = nullptr;
}


namespace {

QString boxTitle(const QString &title)
{
    return title.isEmpty() ? langText("操作提示", "Operate prompt") : title;
}

// Qt's details text takes no focus and is 100 pixels high: a person on the
// keyboard could not read the checklist, and at 1024 x 768 only part of it
// showed. Here Tab reaches it, its keys scroll and select, and it is as
// high as its lines, unwrapped, up to half the screen.
void openDetailsToTheKeyboard(QMessageBox &box)
{
    auto *details = box.findChild<QTextEdit *>();
    if (!details)
        return;
    details->setFocusPolicy(Qt::StrongFocus);
    details->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    details->setLineWrapMode(QTextEdit::NoWrap);
    const QRect screen = box.screen()->availableGeometry();
    const QSize text = details->document()->documentLayout()->documentSize().toSize();
    const int frame = 2 * details->frameWidth();
    const int width = qMin(text.width() + frame, screen.width() * 3 / 4);
    const bool fits = width == text.width() + frame;
    const int scrollBar = fits ? 0 : details->horizontalScrollBar()->sizeHint().height();
    details->setHorizontalScrollBarPolicy(fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    details->setMinimumWidth(width);
    details->setFixedHeight(qMin(text.height() + frame + scrollBar, screen.height() / 2));
}

void showBox(const QString &text, const QString &title, const QString &summary, const QString &details)
{
    if (activeRecorder) {
        activeRecorder->messages.append({text, boxTitle(title), summary, details});
        return;
    }
    messageBox(text, title, summary, details)->exec();
}

} // namespace

std::unique_ptr<QMessageBox> messageBox(const QString &text, const QString &title, const QString &summary,
                                        const QString &details)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, boxTitle(title), text, QMessageBox::Ok,
                                             QApplication::activeWindow());
    // Visible at once, whatever the size of the box: the details may be cut.
    box->setInformativeText(summary);
    box->setDetailedText(details);
    openDetailsToTheKeyboard(*box);
    // Drawn at the screen's scale rather than a small bitmap scaled up.
    const qreal scale = box->devicePixelRatioF();
    const int side = box->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, box.get());
    box->setIconPixmap(warningIcon().pixmap(QSize(side, side), scale));
    box->button(QMessageBox::Ok)->setIcon(confirmIcon());
    return box;
}

std::unique_ptr<QMessageBox> saveQuestionBox(const QString &text)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, boxTitle(QString()), text,
                                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                             QApplication::activeWindow());
    box->button(QMessageBox::Save)->setText(langText("保存", "Save"));
    box->button(QMessageBox::Discard)->setText(langText("不保存", "Don't Save"));
    box->button(QMessageBox::Cancel)->setText(langText("取消", "Cancel"));
    box->setDefaultButton(QMessageBox::Save);
    box->setEscapeButton(QMessageBox::Cancel);
    return box;
}

SaveAnswer askToSave(const QString &text)
{
    if (activeRecorder) {
        activeRecorder->messages.append({text, boxTitle(QString()), QString(), QString()});
        return activeRecorder->answer;
    }
    const auto box = saveQuestionBox(text);
    box->exec();
    if (box->clickedButton() == box->button(QMessageBox::Save))
        return SaveAnswer::Save;
    if (box->clickedButton() == box->button(QMessageBox::Discard))
        return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

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
