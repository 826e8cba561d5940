#include "settings/Form_edit_Key.h"

#include "platform/CodeplugDocument.h"
#include "core/Codeplug.h"
#include "platform/InputHooks.h"
#include "platform/Layouts.h"
#include "core/Texts.h"
#include "core/SettingsChoices.h"
#include "core/SettingsCaptions.h"
#include "platform/WindowLanguage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Form_edit_Key::Form_edit_Key(WindowRegistry &registry)
    : ChildWindow(WindowId::Form_edit_Key, registry),
      Label_PF1(new QLabel(this)), Combo_pf1(new QComboBox(this)), Label_PF2(new QLabel(this)),
      Combo_pf2(new QComboBox(this)), Command_close(new QPushButton(this)),
      Command_help(new QPushButton(this))
{
    setObjectName(QStringLiteral("Form_edit_Key"));
    Label_PF1->setObjectName(QStringLiteral("Label_PF1"));
    Combo_pf1->setObjectName(QStringLiteral("Combo_pf1"));
    Label_PF2->setObjectName(QStringLiteral("Label_PF2"));
    Combo_pf2->setObjectName(QStringLiteral("Combo_pf2"));
    Command_close->setObjectName(QStringLiteral("Command_close"));
    Command_help->setObjectName(QStringLiteral("Command_help"));

    auto *grid = new QGridLayout;
    grid->addWidget(Label_PF1, 0, 0);
    grid->addWidget(Combo_pf1, 0, 1);
    grid->addWidget(Label_PF2, 1, 0);
    grid->addWidget(Combo_pf2, 1, 1);
    grid->setColumnStretch(1, 1);
    auto *buttons = centeredButtonRow({Command_close, Command_help});
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    for (QComboBox *list : {Combo_pf1, Combo_pf2}) {
        connect(list, &QComboBox::activated, this, &Form_edit_Key::StoreKeys);
        onListTextTyped(list, [this] { StoreKeys(); });
    }
    connect(Command_close, &QPushButton::clicked, this, &ChildWindow::closeWindow);
    setEscapeButton(Command_close); // Close is always allowed
}

void Form_edit_Key::Form_Load()
{
    ChildWindow::Form_Load();
    const QSize main = mainWindowSize();
    const int w = qRound(main.width() / 1.5);
    const int h = qRound(main.height() / 1.4);
    placeWindow((main.width() - w) / 2, twips(200), w, h);

    setWindowTitle(langText("键设定", "Key Assingment"));
    Label_PF1->setText(langText(KeyCaption::Pf1));
    Label_PF2->setText(langText(KeyCaption::Pf2));
    Command_close->setText(langText("关闭", "Close"));
    Command_help->setText(langText("帮助", "Help"));
    for (QComboBox *list : {Combo_pf1, Combo_pf2}) {
        list->clear();
        list->addItems(keyFunctionItems(windowLanguage()));
    }
    LoadKeys();
}

void Form_edit_Key::Form_Activate()
{
    LoadKeys();
}

void Form_edit_Key::LoadKeys()
{
    for (const auto &[list, id] : boundLists())
        list->setCurrentIndex(settingValue(image(), id));
}

void Form_edit_Key::showDocumentChange(int, int)
{
    LoadKeys();
}

void Form_edit_Key::StoreKeys()
{
    editImage(plainLabel("键设定", "key assignment"), [this](Codeplug &image) {
        for (const auto &[list, id] : boundLists())
            if (list->currentIndex() >= 0)
                setSetting(image, id, list->currentIndex());
    });
}

std::vector<std::pair<QComboBox *, SettingId>> Form_edit_Key::boundLists() const
{
    return {{Combo_pf1, SettingId::Pf1}, {Combo_pf2, SettingId::Pf2}};
}

#include "moc_Form_edit_Key.cpp"
