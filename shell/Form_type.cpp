#include "shell/Form_type.h"

#include "platform/CodeplugDocument.h"
#include "core/NumberText.h"
#include "core/ModelTable.h"
#include "platform/Layouts.h"
#include "core/Texts.h"
#include "platform/WindowRegistry.h"
#include "shell/MDImain.h"
#include "platform/WindowLanguage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Form_type::Form_type(WindowRegistry &registry)
    : ChildWindow(WindowId::Form_type, registry),
      Label1(new QLabel(this)), Combo_type(new QComboBox(this)), Label2(new QLabel(this)),
      Label_band(new QLabel(this)), Command_enter(new QPushButton(this)),
      Command_Cancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("Form_type"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Combo_type->setObjectName(QStringLiteral("Combo_type"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label_band->setObjectName(QStringLiteral("Label_band"));
    Command_enter->setObjectName(QStringLiteral("Command_enter"));
    Command_Cancel->setObjectName(QStringLiteral("Command_Cancel"));
    Combo_type->setEditable(true);
    Combo_type->setInsertPolicy(QComboBox::NoInsert);
    Combo_type->setCompleter(nullptr);

    auto *grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Combo_type, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Label_band, 1, 1);
    grid->setColumnStretch(1, 1);
    auto *buttons = centeredButtonRow({Command_enter, Command_Cancel});
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    // Nothing can be typed: the model is chosen from the list only. The
    // reset waits until the line edit has finished its own edit.
    connect(Combo_type->lineEdit(), &QLineEdit::textEdited, this, &Form_type::Combo_type_Change,
            Qt::QueuedConnection);
    connect(Command_enter, &QPushButton::clicked, this, &ChildWindow::closeWindow);
    connect(Command_Cancel, &QPushButton::clicked, this, &ChildWindow::closeWindow);
    setMainAction(Command_enter);
    setEscapeButton(Command_Cancel);
}

void Form_type::Form_Load()
{
    ChildWindow::Form_Load();
    setWindowTitle(langText("机型选择", "Model Select"));
    Label1->setText(langText("机  型", "Model"));
    Label2->setText(langText("频  段", "Band"));
    Command_enter->setText(langText("确 定", "Confirm"));
    Command_Cancel->setText(langText("取 消", "Cancel"));

    const QSize inner = mainInnerSize();
    const int w = inner.width() / 2;
    const int h = qRound(inner.height() / 1.8);
    placeWindow((inner.width() - w) / 2, qMax(0, (inner.height() - h) / 2 - twips(500)), w, h);

    Combo_type->clear();
    Combo_type->addItem(QString::fromLatin1(ModelNames[0]));
    Combo_type->setCurrentIndex(qobject_cast<MDImain *>(registry().mainWindow())->ModelIndex);

    document().adoptWorkRange(workRangeOf(document().image()));
    const WorkRange range = document().workRange();
    Label_band->setText(QLatin1Char(' ') + signedNumberText(range.low) + QStringLiteral(" -- ")
                        + signedNumberText(range.high));
}

void Form_type::Combo_type_Change()
{
    Combo_type->lineEdit()->clear();
    Combo_type->setFocus();
}

#include "moc_Form_type.cpp"
