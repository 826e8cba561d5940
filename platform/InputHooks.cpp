#include "platform/InputHooks.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPalette>

namespace {

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
        if (event->type() == QEvent::FocusOut && isRealFocusLoss(event))
            m_handler();
        return false;
    }

private:
    std::function<void()> m_handler;
};

} // namespace

bool isRealFocusLoss(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

void onFocusLost(QWidget *target, std::function<void()> handler)
{
    new FocusHook(target, std::move(handler));
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
