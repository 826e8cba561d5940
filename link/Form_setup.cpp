#include "link/Form_setup.h"

#include "link/LinkOutcome.h"
#include "platform/Layouts.h"
#include "platform/WindowLanguage.h"
#include "serial/PortDescription.h"
#include "platform/StatusPanels.h"
#include "core/Texts.h"
#include "platform/WindowRegistry.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtConcurrent>

Form_setup::Form_setup(WindowRegistry &registry)
    : ChildWindow(WindowId::Form_setup, registry), Frame1(new QGroupBox(this)),
      Command_ok(new QPushButton(this)), Command1(new QPushButton(this)), Label_device(new QLabel(this)),
      m_refresh(new QTimer(this))
{
    setObjectName(QStringLiteral("Form_setup"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Command_ok->setObjectName(QStringLiteral("Command_ok"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Label_device->setObjectName(QStringLiteral("Label_device"));
    Label_device->setWordWrap(true);
    Label_device->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *group = new QButtonGroup(this);
    auto *options = new QGridLayout(Frame1);
    for (int i = 0; i < 8; ++i) {
        Option[i] = new QRadioButton(PortSpec::ofNumber(i + 1).name(), Frame1);
        Option[i]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        group->addButton(Option[i]);
        options->addWidget(Option[i], i / 4, i % 4);
        connect(Option[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                showChosenDevice();
        });
    }
    auto *buttons = centeredButtonRow({Command_ok, Command1});
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(Frame1);
    layout->addWidget(Label_device);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(Command_ok, &QPushButton::clicked, this, &Form_setup::Command_ok_Click);
    connect(Command1, &QPushButton::clicked, this, &ChildWindow::closeWindow);
    setMainAction(Command_ok);
    setEscapeButton(Command1);

    // A radio plugged in or a simulated radio started shows up while the
    // window is open. A glance at the device nodes each second tells
    // whether one did; only then are the ports listed again.
    m_refresh->setInterval(1000);
    connect(m_refresh, &QTimer::timeout, this, &Form_setup::lookForChange);
    connect(&m_looking, &QFutureWatcher<PortSnapshot>::finished, this, [this] {
        m_snapshot = m_looking.result();
        m_looked = true;
        this->registry().ports().keepSnapshot(m_snapshot, m_stamp);
        refreshDevices();
    });
}

void Form_setup::Form_Load()
{
    ChildWindow::Form_Load();
    setWindowTitle(langText("通讯端口设置", "Communication Port Setup"));
    Frame1->setTitle(langText("端口设置", "Port Setup"));
    Command_ok->setText(langText("确 定", "Confirm"));
    Command1->setText(langText("取 消", "Cancel"));

    const QSize inner = mainInnerSize();
    const int w = inner.width() / 2;
    const int h = qRound(inner.height() / 1.8);
    placeWindow((inner.width() - w) / 2, qMax(0, (inner.height() - h) / 2 - twips(500)), w, h);

    const int chosen = session().port().number;
    for (int i = 0; i < 8; ++i)
        Option[i]->setChecked(i + 1 == chosen);
    PortDirectory &ports = registry().ports();
    m_stamp = ports.presenceStamp();
    if (const PortSnapshot *kept = ports.keptSnapshot(m_stamp)) {
        m_snapshot = *kept;
        m_looked = true;
        refreshDevices();
    } else {
        // The first look of a run asks the system and may write the
        // numbers record; the window shows meanwhile and fills in the
        // devices when it arrives.
        look();
    }
    Option[qBound(1, chosen, 8) - 1]->setFocus();
    m_refresh->start();
}

void Form_setup::lookForChange()
{
    if (m_looking.isRunning())
        return;
    QStringList stamp = registry().ports().presenceStamp();
    if (stamp == m_stamp)
        return;
    m_stamp = std::move(stamp);
    look();
}

void Form_setup::look()
{
    // Where the system has many ports a look can take longer than a frame;
    // the window shows the last one meanwhile.
    if (!m_looking.isRunning())
        m_looking.setFuture(QtConcurrent::run(registry().ports().snapshotTask()));
}

void Form_setup::refreshDevices()
{
    for (int i = 0; i < 8; ++i) {
        const QString device = m_snapshot.deviceFor(i + 1);
        Option[i]->setToolTip(device.isEmpty() ? langText("没有对应的串口", "No serial port present")
                                               : device);
    }
    showChosenDevice();
}

void Form_setup::showChosenDevice()
{
    if (!m_looked)
        return;
    for (int n = 1; n <= 8; ++n) {
        if (!Option[n - 1]->isChecked())
            continue;
        QString summary = describePort(registry().ports(), m_snapshot, n, windowLanguage()).summary(windowLanguage());
        // Told as the port error's message tells it, the other program named.
        const NamedPort port{PortSpec::ofNumber(n), registry().ports().deviceFor(PortSpec::ofNumber(n))};
        const PortProblem problem = diagnosePort(port.device, registry().ports().openFailure(port.device));
        if (m_confirmedAfterFailure && session().portFailed())
            summary += QLatin1Char('\n')
                + langText("已选择 %1。上次无法打开端口：%2", "%1 is chosen. The port could not be opened last time: %2")
                      .arg(port.spec.name(), portFailureSummary(port, problem, session().portFailure()));
        else if (problem == PortProblem::InUse)
            summary += QLatin1Char('\n') + portFailureSummary(port, problem, QString());
        if (Label_device->text() != summary) {
            Label_device->setText(summary);
            // A longer description wraps onto more lines; the radio buttons
            // keep their height.
            growToFitContents();
        }
    }
}

void Form_setup::Command_ok_Click()
{
    // The status bar follows the session's port.
    for (int n = 1; n <= 8; ++n)
        if (Option[n - 1]->isChecked())
            session().setPort(PortSpec::ofNumber(n));
    if (!session().portFailed()) {
        closeWindow();
        return;
    }
    m_confirmedAfterFailure = true;
    showChosenDevice();
}

#include "moc_Form_setup.cpp"
