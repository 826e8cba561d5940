#include "settings/frm_option.h"

#include "platform/Layouts.h"
#include "core/Texts.h"
#include "platform/WindowLanguage.h"
#include "settings/OptionGeneralPanel.h"
#include "settings/OptionRangePanel.h"
#include "settings/OptionVfoPanel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

frm_option::frm_option(WindowRegistry &registry)
    : ChildWindow(WindowId::frm_option, registry)
{
    setObjectName(QStringLiteral("frm_option"));
    general = new OptionGeneralPanel(this);
    frequencyMode = new OptionVfoPanel(this);
    workingRange = new OptionRangePanel(this);
    Command_close = new QPushButton(this);
    Command_close->setObjectName(QStringLiteral("Command_close"));
    Command_help = new QPushButton(this);
    Command_help->setObjectName(QStringLiteral("Command_help"));
    buildLayout();

    for (OptionPanel *panel : std::initializer_list<OptionPanel *>{frequencyMode, workingRange})
        connect(panel, &OptionPanel::imageChanged, this, &frm_option::LoadFromImage);
    connect(Command_close, &QPushButton::clicked, this, &ChildWindow::closeWindow);
    setEscapeButton(Command_close); // Close is always allowed
}

void frm_option::buildLayout()
{
    // Three columns of groups: two of general options, then the frequency
    // mode over the working range; each column is topped up with free space.
    auto *columns = new QHBoxLayout;
    general->addColumns(columns);
    auto *third = new QVBoxLayout;
    third->addWidget(frequencyMode->Frame_vfo);
    third->addWidget(workingRange->Frame_Freq_range);
    third->addStretch();
    columns->addLayout(third, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(centeredButtonRow({Command_close, Command_help}));
}

void frm_option::Form_Load()
{
    ChildWindow::Form_Load();
    const QSize main = mainWindowSize();
    const int w = qRound(main.width() / 1.04);
    const int h = qRound(main.height() / 1.5);
    placeWindow(qMax(0, (main.width() - w) / 2 - twips(100)), (main.height() - h) / 4, w, h);
    setCaptions();
    general->fillLists();
    frequencyMode->fillLists();
    LoadFromImage();
}

void frm_option::Form_Activate()
{
    LoadFromImage();
}

bool frm_option::Form_Unload()
{
    frequencyMode->windowClosing();
    workingRange->windowClosing();
    return ChildWindow::Form_Unload();
}

void frm_option::showDocumentChange(int, int)
{
    // Not a load: the working range stays as it is.
    general->loadFromImage();
    workingRange->showRange();
    frequencyMode->loadFromImage();
}

void frm_option::LoadFromImage()
{
    general->loadFromImage();
    workingRange->loadFromImage();
    frequencyMode->loadFromImage();
}

void frm_option::setCaptions()
{
    setWindowTitle(langText("可选参数", "Optional Features"));
    general->setCaptions();
    frequencyMode->setCaptions();
    workingRange->setCaptions();
    Command_close->setText(langText("关闭", "Close"));
    Command_help->setText(langText("帮助", "Help"));
}

#include "moc_frm_option.cpp"
