#include "settings/Form_Edit_Message.h"

#include "platform/CodeplugDocument.h"
#include "platform/Layouts.h"
#include "core/Texts.h"
#include "platform/KeyFilter.h"
#include "core/SettingsRules.h"
#include "core/SettingsCaptions.h"
#include "platform/WindowLanguage.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace SettingBytes;

Form_Edit_Message::Form_Edit_Message(WindowRegistry &registry)
    : ChildWindow(WindowId::Form_Edit_Message, registry),
      Text_MS1(new QLineEdit(this)), Command_close(new QPushButton(this)),
      Command_help(new QPushButton(this))
{
    setObjectName(QStringLiteral("Form_Edit_Message"));
    Text_MS1->setObjectName(QStringLiteral("Text_MS1"));
    Command_close->setObjectName(QStringLiteral("Command_close"));
    Command_help->setObjectName(QStringLiteral("Command_help"));
    QFont font = Text_MS1->font();
    font.setPointSize(12);
    Text_MS1->setFont(font);

    auto *buttons = centeredButtonRow({Command_close, Command_help});
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(Text_MS1);
    layout->addStretch();
    layout->addLayout(buttons);

    onCharacterKey(Text_MS1, [this](QChar key) { return Text_MS1_KeyPress(key); });
    connect(Text_MS1, &QLineEdit::textEdited, this, &Form_Edit_Message::Text_MS1_Change);
    connect(Command_close, &QPushButton::clicked, this, &ChildWindow::closeWindow);
    setEscapeButton(Command_close); // Close is always allowed
}

void Form_Edit_Message::Form_Load()
{
    ChildWindow::Form_Load();
    const QSize main = mainWindowSize();
    const int w = main.width() / 2;
    const int h = qRound(main.height() / 2.8);
    placeWindow((main.width() - w) / 2, (main.height() - h) / 4, w, h);
    setWindowTitle(langText(MessageCaption));
    Command_close->setText(langText("关闭", "Close"));
    Command_help->setText(langText("帮助", "Help"));
    ShowMessage();
}

void Form_Edit_Message::Form_Activate()
{
    ShowMessage();
}

void Form_Edit_Message::ShowMessage()
{
    Text_MS1->setText(messageText(image()));
}

void Form_Edit_Message::showDocumentChange(int, int)
{
    ShowMessage();
}

bool Form_Edit_Message::Text_MS1_KeyPress(QChar key)
{
    const QString text = Text_MS1->text().trimmed();
    StoreMessage(text);
    if (key != QChar(8) && key != QChar(13) && !isMessageCharacter(key))
        return true;
    return text.size() > MessageLength - 1;
}

void Form_Edit_Message::Text_MS1_Change()
{
    // Pasted text keeps only what one byte per character can hold.
    QString text = Text_MS1->text();
    text.removeIf([](QChar ch) { return !isMessageCharacter(ch); });
    if (text != Text_MS1->text())
        Text_MS1->setText(text);
}

void Form_Edit_Message::StoreMessage(const QString &text)
{
    // Typed key by key, undone at once.
    editSetting(MessageCaption, [&](Codeplug &image) { storeMessage(image, text); }, true);
}

#include "moc_Form_Edit_Message.cpp"
