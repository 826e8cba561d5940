#include "settings/InputHooks.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>

namespace {

class KeyHook : public QObject {
public:
    KeyHook(QWidget *target, CharacterKeyHandler handler)
        : QObject(target), m_handler(std::move(handler))
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        QChar ch;
        if (key->key() == Qt::Key_Backspace)
            ch = QChar(8);
        else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            ch = QChar(13);
        else if (!key->text().isEmpty() && key->text().at(0).isPrint())
            ch = key->text().at(0);
        else
            return false;
        return m_handler(ch);
    }

private:
    CharacterKeyHandler m_handler;
};

class FocusHook : public QObject {
public:
    FocusHook(QWidget *target, std::function<void()> handler)
        : QObject(target), m_handler(std::move(handler))
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                m_handler();
        }
        return false;
    }

private:
    std::function<void()> m_handler;
};

} // namespace

void onCharacterKey(QWidget *target, CharacterKeyHandler handler)
{
    new KeyHook(target, std::move(handler));
}

void onFocusLost(QWidget *target, std::function<void()> handler)
{
    new FocusHook(target, std::move(handler));
}

void discardTypedKeys(QComboBox *list)
{
    onCharacterKey(list, [](QChar) { return true; });
}

void onListTextTyped(QComboBox *list, std::function<void()> changed)
{
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    QObject::connect(list->lineEdit(), &QLineEdit::textEdited, list,
                     [list, changed = std::move(changed)](const QString &text) {
                         const int index = list->findText(text, Qt::MatchExactly);
                         list->setCurrentIndex(index >= 0 ? index : 0);
                         changed();
                     });
}

void setFieldEnabled(QWidget *field, bool enabled)
{
    field->setEnabled(enabled);
    QPalette p = field->palette();
    const QColor fill = enabled ? QPalette().color(QPalette::Active, QPalette::Base)
                                : QPalette().color(QPalette::Active, QPalette::Button);
    p.setColor(QPalette::Base, fill);
    field->setPalette(p);
}
