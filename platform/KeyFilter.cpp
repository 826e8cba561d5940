#include "platform/KeyFilter.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

const char *const Digits = "0123456789";
const char *const DecimalDigits = "0123456789.";

QChar typedCharacter(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return QChar();
    switch (event->key()) {
    case Qt::Key_Backspace:
        return TypedKey::Backspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return TypedKey::Enter;
    default:
        break;
    }
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint() ? text.at(0) : QChar();
}

KeyRule KeyRule::only(const char *characters)
{
    KeyRule rule;
    rule.characters = QString::fromLatin1(characters);
    return rule;
}

KeyRule KeyRule::anything()
{
    KeyRule rule;
    rule.anyCharacter = true;
    rule.enter = true;
    return rule;
}

namespace {

// True when the rule discards `ch` typed into a box holding `text`.
bool discards(const KeyRule &rule, QChar ch, const QString &text)
{
    const QString trimmed = text.trimmed();
    if (ch == TypedKey::Backspace) {
        if (!rule.backspace)
            return true;
    } else if (ch == TypedKey::Enter) {
        if (!rule.enter)
            return true;
    } else {
        if (!rule.anyCharacter && !rule.characters.contains(ch))
            return true;
        if (rule.limit > 0 && trimmed.size() >= rule.limit
            && (rule.limited.isEmpty() || rule.limited.contains(ch)))
            return true;
        if (rule.noLeadingPoint && ch == QLatin1Char('.') && trimmed.isEmpty())
            return true;
    }
    return rule.handler && rule.handler(ch);
}

// Qt's key code of a printable ASCII character is its upper-case code.
int keyOf(QChar ch)
{
    const QChar upper = ch.toUpper();
    return upper.unicode() > 0x20 && upper.unicode() < 0x7F ? int(upper.unicode()) : int(Qt::Key_unknown);
}

} // namespace

QAction *pasteAction(QMenu *lineEditMenu)
{
    // Qt names the item by its (translated) text only.
    const QString paste = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction *action : lineEditMenu->actions())
        if (action->text().startsWith(paste))
            return action;
    return nullptr;
}

namespace {

class KeyFilter : public QObject {
public:
    KeyFilter(QWidget *box, KeyRule rule) : QObject(box), m_box(box), m_rule(std::move(rule))
    {
        m_edit = qobject_cast<QLineEdit *>(box);
        if (auto *list = qobject_cast<QComboBox *>(box))
            m_edit = list->lineEdit();
        // A list passes the keys on to its edit field: the list's filter
        // sees them first.
        box->installEventFilter(this);
        if (m_edit)
            m_edit->setAcceptDrops(false); // a drop would bypass the rule
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPress(static_cast<QKeyEvent *>(event));
        case QEvent::ContextMenu:
            if (watched == m_edit) {
                contextMenu(static_cast<QContextMenuEvent *>(event));
                return true;
            }
            return false;
        case QEvent::MouseButtonRelease:
            // The X11 primary selection is pasted with the middle button.
            if (watched == m_edit && static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton
                && QApplication::clipboard()->supportsSelection()) {
                pasteAsTyping(QApplication::clipboard()->text(QClipboard::Selection));
                return true;
            }
            return false;
        default:
            return false;
        }
    }

private:
    bool keyPress(QKeyEvent *key)
    {
        if (m_edit && key->matches(QKeySequence::Paste)) {
            pasteAsTyping(QApplication::clipboard()->text());
            return true;
        }
        const QChar ch = typedCharacter(key);
        if (ch.isNull())
            return false;
        const QString text = m_edit ? m_edit->text() : QString();
        if (discards(m_rule, ch, text))
            return true;
        if (m_rule.upperCase && ch.isLower() && m_edit) {
            m_edit->insert(QString(ch.toUpper())); // an edit, as typing is
            return true;
        }
        return false;
    }

    void contextMenu(QContextMenuEvent *event)
    {
        QPointer<QMenu> menu = m_edit->createStandardContextMenu();
        if (QAction *paste = pasteAction(menu)) {
            paste->disconnect();
            connect(paste, &QAction::triggered, this,
                    [this] { pasteAsTyping(QApplication::clipboard()->text()); });
        }
        menu->exec(event->globalPos());
        delete menu;
    }

    // Each printable character goes to the box as a key press of its own;
    // line breaks and other control characters are no typing.
    void pasteAsTyping(const QString &text)
    {
        QPointer<QLineEdit> edit = m_edit;
        for (const QChar ch : text) {
            if (!edit || !ch.isPrint())
                continue;
            QKeyEvent press(QEvent::KeyPress, keyOf(ch), Qt::NoModifier, QString(ch));
            QApplication::sendEvent(m_box, &press);
            QKeyEvent release(QEvent::KeyRelease, keyOf(ch), Qt::NoModifier, QString(ch));
            QApplication::sendEvent(m_box, &release);
        }
    }

    QWidget *m_box;
    QLineEdit *m_edit = nullptr;
    KeyRule m_rule;
};

} // namespace

void filterKeys(QWidget *box, KeyRule rule)
{
    new KeyFilter(box, std::move(rule));
}

void discardTypedKeys(QComboBox *list)
{
    filterKeys(list, KeyRule());
}

void onCharacterKey(QWidget *box, std::function<bool(QChar)> handler)
{
    KeyRule rule = KeyRule::anything();
    rule.handler = std::move(handler);
    filterKeys(box, std::move(rule));
}
