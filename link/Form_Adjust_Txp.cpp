#include "link/Form_Adjust_Txp.h"

#include "core/Codeplug.h"
#include "core/SettingPlaces.h"
#include "core/SettingsCaptions.h"
#include "core/SettingsRules.h"
#include "link/LinkOutcome.h"
#include "platform/CodeplugDocument.h"
#include "platform/Layouts.h"
#include "core/Texts.h"
#include "platform/WindowLanguage.h"

#include <QEvent>
#include <QFrame>
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
    grid->addWidget(focusFrame(HScroll_L), 0, 1);
    grid->addWidget(Label_L, 0, 2);
    grid->addWidget(Label_High, 1, 0);
    grid->addWidget(focusFrame(HScroll_H), 1, 1);
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
    connect(Timer4, &QTimer::timeout, this, &Form_Adjust_Txp::reportLinkEnd);
}

QFrame *Form_Adjust_Txp::focusFrame(QScrollBar *bar)
{
    // Scroll bars draw no focus of their own: a frame in the highlight
    // colour shows which bar the arrow keys move; unfocused it takes the
    // window's colour, so nothing moves when the focus does.
    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    auto *inner = new QVBoxLayout(frame);
    inner->setContentsMargins(2, 2, 2, 2);
    inner->addWidget(bar);
    bar->installEventFilter(this);
    m_focusFrames.insert(bar, frame);
    showFocus(bar, false);
    return frame;
}

void Form_Adjust_Txp::showFocus(QScrollBar *bar, bool focused)
{
    QFrame *frame = m_focusFrames.value(bar);
    QPalette pal = frame->palette();
    pal.setColor(QPalette::WindowText, focused ? pal.color(QPalette::Highlight) : pal.color(QPalette::Window));
    frame->setPalette(pal);
}

bool Form_Adjust_Txp::eventFilter(QObject *watched, QEvent *event)
{
    auto *bar = qobject_cast<QScrollBar *>(watched);
    if (bar && m_focusFrames.contains(bar)
        && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        showFocus(bar, event->type() == QEvent::FocusIn);
    return RadioLinkWindow::eventFilter(watched, event);
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
    Label_Low->setText(langText(PowerCaption::Low));
    Label_High->setText(langText(PowerCaption::High));
    Command_Close->setText(langText("关闭", "Close"));
    Command_Help->setText(langText("帮助", "Help"));
    show();
    showValues();
    HScroll_L->setFocus();
    Timer4->start();
}

void Form_Adjust_Txp::takeReportedValues()
{
    m_answered = true;
    // The values are the radio's: the image follows them, the history does
    // not, since no undo could change the radio back.
    document().followRadio([this](Codeplug &image) {
        for (const SettingId id : {SettingId::PowerLow, SettingId::PowerHigh})
            storeSetting(image, id, storedSetting(link->codeplug(), id));
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
    const int low = storedSetting(image(), SettingId::PowerLow), high = storedSetting(image(), SettingId::PowerHigh);
    HScroll_L->setValue(low);
    Label_L->setText(QString::number(low));
    HScroll_H->setValue(high);
    Label_H->setText(QString::number(high));
}

void Form_Adjust_Txp::storePowerValue(PowerLevel level, int value)
{
    document().followRadio([&](Codeplug &image) { storePowerLevel(image, level, value); });
}

void Form_Adjust_Txp::HScroll_L_Change()
{
    storePowerValue(PowerLevel::Low, HScroll_L->value());
    Label_L->setText(QString::number(HScroll_L->value()));
    sendPowerRecord();
    if (link->isConnected())
        reportOutcome(langText("低功率 %1 已发送", "Low power %1 sent").arg(HScroll_L->value()));
}

void Form_Adjust_Txp::HScroll_H_Change()
{
    storePowerValue(PowerLevel::High, HScroll_H->value());
    Label_H->setText(QString::number(HScroll_H->value()));
    sendPowerRecord();
    if (link->isConnected())
        reportOutcome(langText("高功率 %1 已发送", "High power %1 sent").arg(HScroll_H->value()));
}

void Form_Adjust_Txp::reportLinkEnd()
{
    if (!portFailed())
        reportOutcome(m_answered ? linkFailedText(LinkKind::Power, LinkFailure::LostReply)
                                 : noRadioAnswerText(linkPort().spec));
}

bool Form_Adjust_Txp::Form_Unload()
{
    link->endPowerLink();
    Timer4->stop();
    return RadioLinkWindow::Form_Unload();
}

#include "moc_Form_Adjust_Txp.cpp"
