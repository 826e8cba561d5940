#include "link/Form_Adjust_Txp.h"

#include "core/ModuleState.h"
#include "platform/CodeplugDocument.h"
#include "platform/Layouts.h"
#include "core/Texts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

Form_Adjust_Txp::Form_Adjust_Txp(WindowRegistry &registry, const LinkTiming &timing)
    : RadioLinkWindow(WindowId::Form_Adjust_Txp, LinkKind::Power, timing, registry),
      Label_Low(new QLabel(this)),
      HScroll_L(new QScrollBar(Qt::Horizontal, this)), Label_L(new QLabel(this)),
      Label_High(new QLabel(this)), HScroll_H(new QScrollBar(Qt::Horizontal, this)),
      Label_H(new QLabel(this)), ProgressBar1(new QProgressBar(this)),
      Command_Close(new QPushButton(this)), Command_Help(new QPushButton(this))
{
    setObjectName(QStringLiteral("Form_Adjust_Txp"));
    Label_Low->setObjectName(QStringLiteral("Label_Low"));
    HScroll_L->setObjectName(QStringLiteral("HScroll_L"));
    Label_L->setObjectName(QStringLiteral("Label_L"));
    Label_High->setObjectName(QStringLiteral("Label_High"));
    HScroll_H->setObjectName(QStringLiteral("HScroll_H"));
    Label_H->setObjectName(QStringLiteral("Label_H"));
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    Command_Close->setObjectName(QStringLiteral("Command_Close"));
    Command_Help->setObjectName(QStringLiteral("Command_Help"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setVisible(false);
    for (QLabel *value : {Label_L, Label_H}) {
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    auto *grid = new QGridLayout;
    grid->addWidget(Label_Low, 0, 0);
    grid->addWidget(HScroll_L, 0, 1);
    grid->addWidget(Label_L, 0, 2);
    grid->addWidget(Label_High, 1, 0);
    grid->addWidget(HScroll_H, 1, 1);
    grid->addWidget(Label_H, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(24);
    auto *buttons = centeredButtonRow({Command_Close, Command_Help});
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(grid);
    layout->addWidget(ProgressBar1);
    layout->addStretch();
    layout->addLayout(buttons);

    // The bars take the focus, so the arrow and page keys move them; each
    // move is a change like a move by the mouse.
    // Qt's scroll bars take Right as a step back by default.
    for (QScrollBar *bar : {HScroll_L, HScroll_H}) {
        bar->setFocusPolicy(Qt::StrongFocus);
        bar->setInvertedControls(false);
    }
    setEscapeButton(Command_Close);
    connect(HScroll_L, &QScrollBar::valueChanged, this, &Form_Adjust_Txp::HScroll_L_Change);
    connect(HScroll_H, &QScrollBar::valueChanged, this, &Form_Adjust_Txp::HScroll_H_Change);
    connect(Command_Close, &QPushButton::clicked, this, &ChildWindow::closeWindow);
    connect(link, &LinkEngine::identified, this, &Form_Adjust_Txp::takeReportedValues);
    connect(link, &LinkEngine::failed, ProgressBar1, &QWidget::hide);
    // The window lives only while the link is up: the radio answers before
    // Timer4 first runs out after the load, and once the port closes the
    // window closes Timer4's time later, before a restart could happen.
    connect(link, &LinkEngine::identified, Timer4, &QTimer::stop);
    connect(link, &LinkEngine::restartPauseStarted, Timer4, qOverload<>(&QTimer::start));
    connect(link, &LinkEngine::portLost, Timer4, qOverload<>(&QTimer::start));
    connect(link, &LinkEngine::failed, Timer4, qOverload<>(&QTimer::start));
    connect(link, &LinkEngine::openFailed, Timer4, qOverload<>(&QTimer::start));
}

void Form_Adjust_Txp::Form_Load()
{
    ChildWindow::Form_Load();
    link->setCodeplug(image());
    startLink();
    HScroll_L->setRange(0, 255);
    HScroll_H->setRange(0, 255);
    const QSize main = mainWindowSize();
    const int w = qRound(main.width() / 1.8);
    const int h = main.height() / 2;
    placeWindow((main.width() - w) / 2, (main.height() - h) / 3, w, h);
    setWindowTitle(langText("发射功率调整", "Power Adjust"));
    Label_Low->setText(langText("低功率", "Low Power"));
    Label_High->setText(langText("高功率", "High Power"));
    Command_Close->setText(langText("关闭", "Close"));
    Command_Help->setText(langText("帮助", "Help"));
    show();
    showValues();
    HScroll_L->setFocus();
    Timer4->start();
}

void Form_Adjust_Txp::takeReportedValues()
{
    using Region::PowerRow;
    editImage(plainLabel("对讲机的发射功率", "the radio's power values"), [this](Codeplug &image) {
        image.at(PowerRow, 0) = link->codeplug().at(PowerRow, 0);
        image.at(PowerRow, 1) = link->codeplug().at(PowerRow, 1);
    });
    showValues();
    // Showing the values may have changed the record the link sends next.
    link->setCodeplug(image());
}

void Form_Adjust_Txp::sendPowerRecord()
{
    link->sendPowerRecord(image());
}

void Form_Adjust_Txp::showValues()
{
    using Region::PowerRow;
    HScroll_L->setValue(image().cell(PowerRow, 0));
    Label_L->setText(QString::number(image().cell(PowerRow, 0)));
    HScroll_H->setValue(image().cell(PowerRow, 1));
    Label_H->setText(QString::number(image().cell(PowerRow, 1)));
}

void Form_Adjust_Txp::storePowerValue(int byte, int value)
{
    editImage(byte == 0 ? plainLabel("低功率", "low power") : plainLabel("高功率", "high power"),
              [&](Codeplug &image) {
                  image.at(Region::PowerRow, byte) = qint16(value);
                  image.at(Region::PowerRow, 2) = qint16(byte);
              });
}

void Form_Adjust_Txp::HScroll_L_Change()
{
    storePowerValue(0, HScroll_L->value());
    Label_L->setText(QString::number(HScroll_L->value()));
    sendPowerRecord();
}

void Form_Adjust_Txp::HScroll_H_Change()
{
    storePowerValue(1, HScroll_H->value());
    Label_H->setText(QString::number(HScroll_H->value()));
    sendPowerRecord();
}

bool Form_Adjust_Txp::Form_Unload()
{
    link->endPowerLink();
    Timer4->stop();
    return ChildWindow::Form_Unload();
}
