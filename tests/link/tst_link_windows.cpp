// The port window, the guards of the read and write windows, the write
// preparation and the power window, driven as a person would.
#include "link/LinkFixture.h"

#include "link/Form_setup.h"
#include "channels/frm_chann.h"
#include "core/ChannelRecord.h"
#include "platform/StatusPanels.h"

#include <QTableView>
#include <QUndoStack>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QRadioButton>
#include <QProcess>
#include <QThread>
#include <atomic>
#include <map>
#include <unistd.h>
#include <memory>

namespace {

const QString PortErrorText =
    QStringLiteral("Communication port is error, please setting right communication port . ！");

// A frequency of 300 MHz, below the default working range.
void putOutOfRange(int row)
{
    const int bytes[] = {0x00, 0x00, 0x00, 0x30, 0, 0, 0, 0};
    for (int c = 0; c < 8; ++c)
        Img(row, c) = qint16(bytes[c]);
}

// One step of a scroll bar, as a click on its arrow at either end.
void clickArrow(QScrollBar *bar, bool up)
{
    const int y = bar->height() / 2;
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(up ? bar->width() - 4 : 4, y));
}

} // namespace

class LinkWindows : public QObject {
    Q_OBJECT
private slots:
    void portWindowChoosesThePort_data();
    void portWindowChoosesThePort();
    void simulatedRadioIsOfferedAfterTheSystemPorts();
    void portWindowOpenedAgainShowsARadioStartedMeanwhile();
    void portNumbersStayWhileTheDevicesExist_data();
    void portNumbersStayWhileTheDevicesExist();
    void portWindowNamesTheDevice_data();
    void portWindowNamesTheDevice();
    void portThatCannotOpenLeavesTheWindowIdle_data();
    void portThatCannotOpenLeavesTheWindowIdle();
    void staleOpenFailureGoesOnceThePortOpens_data();
    void staleOpenFailureGoesOnceThePortOpens();
    void busyWindowRefusesRestartAndCancel_data();
    void busyWindowRefusesRestartAndCancel();
    void writeChecksTheImageBeforeTouchingThePort_data();
    void writeChecksTheImageBeforeTouchingThePort();
    void powerBarsSendPowerFrames_data();
    void powerBarsSendPowerFrames();
    void silentRadioShowsAttemptsAndExplainsTheFailure();
    void failedTransferShowsItsFinalState_data();
    void failedTransferShowsItsFinalState();
    void powerWindowWithoutRadioClosesItself_data();
    void powerWindowWithoutRadioClosesItself();
    void closePollerRunsAtTheWindowsInterval_data();
    void closePollerRunsAtTheWindowsInterval();
    void readAndWritePreparationAreUndoSteps_data();
    void readAndWritePreparationAreUndoSteps();
    void linkHoldsTheDocument_data();
    void linkHoldsTheDocument();
};

void LinkWindows::portWindowChoosesThePort_data()
{
    QTest::addColumn<bool>("portError");
    QTest::addColumn<int>("port"); // the one chosen, where the radio is
    QTest::newRow("last open failed") << true << 3;
    for (int port = 1; port <= 8; ++port)
        QTest::addRow("COM%d, last open succeeded", port) << false << port;
}

void LinkWindows::portWindowChoosesThePort()
{
    QFETCH(bool, portError);
    QFETCH(int, port);
    SimulatedRadioProgram p;
    const int missing = port == 2 ? 4 : 2; // a number with no device behind it
    p.registry().ports().mapPortNumber(port, p.radio.devicePath());
    p.registry().ports().mapPortNumber(missing, QStringLiteral("/dev/no-such-port"));
    if (portError)
        p.session().setPortFailure(QStringLiteral("the port failed before"));
    // The window looks at the system once, and never on the thread that
    // draws it.
    std::atomic<int> looks = 0;
    std::atomic<bool> lookedOnGuiThread = false;
    p.registry().ports().setPortLister([&] {
        ++looks;
        lookedOnGuiThread = lookedOnGuiThread || QThread::currentThread() == qApp->thread();
        return PortDirectory::systemPorts();
    });

    auto *setup = p.openPortWindow();
    QVERIFY(setup);
    QCOMPARE(looks, 1);
    QVERIFY(!lookedOnGuiThread);
    QCOMPARE(setup->windowTitle(), QStringLiteral("Communication Port Setup"));
    QCOMPARE(setup->findChild<QGroupBox *>(QStringLiteral("Frame1"))->title(), QStringLiteral("Port Setup"));
    auto option = [setup](int n) { return setup->findChild<QRadioButton *>(QStringLiteral("Option%1").arg(n)); };
    QVERIFY(option(1)->isChecked());
    QCOMPARE(option(missing)->toolTip(), QStringLiteral("/dev/no-such-port"));
    QCOMPARE(option(port)->toolTip(), p.radio.devicePath());

    QTest::mouseClick(option(port), Qt::LeftButton, {}, QPoint(5, option(port)->height() / 2));
    click(setup->findChild<QPushButton *>(QStringLiteral("Command_ok")));
    QCOMPARE(p.session().port().number, port);
    QCOMPARE(p.main->statusPanels().text(3), QStringLiteral("COM%1").arg(port));
    QCOMPARE(p.registry().isOpen(WindowId::Form_setup), portError);
    if (portError) {
        click(setup->findChild<QPushButton *>(QStringLiteral("Command1")));
        QVERIFY(!p.registry().isOpen(WindowId::Form_setup));
        QCOMPARE(p.session().port().number, port);
    }

    // The next link opens the chosen port.
    p.randomizeRadio();
    click(p.openRead()->Command_read);
    QVERIFY(waitUntil([&] { return !p.registry().isOpen(WindowId::Form_Comm_Read); }, 5000));
    QVERIFY(p.radioMatchesImage(0, 253));
    QVERIFY(!p.session().portFailed());
    p.registry().ports().mapPortNumber(missing, QString());
    p.registry().ports().mapPortNumber(port, QString());
}

void LinkWindows::simulatedRadioIsOfferedAfterTheSystemPorts()
{
    const int systemPorts = QSerialPortInfo::availablePorts().size();
    if (systemPorts > 6)
        QSKIP("every port number is taken by a port of the system");
    SimulatedRadioProgram p;
    // The port window, open meanwhile, shows the radio once it starts.
    p.main->menuItem(QStringLiteral("proc_setup"))->trigger();
    auto *setup = p.window<Form_setup>(WindowId::Form_setup);
    QVERIFY(setup);
    RadioSimulator radio;
    QVERIFY(radio.start());
    QString error;
    const QString link = PortDirectory::announceSimulatedRadio(radio.devicePath(), &error);
    QVERIFY2(!link.isEmpty(), qPrintable(error));
    QVERIFY(waitUntil([&] {
        return std::any_of(std::begin(setup->Option), std::end(setup->Option),
                           [&](QRadioButton *option) { return option->toolTip() == radio.devicePath(); });
    }, 2000));
    QStringList devices;
    for (int n = 2; n <= 8; ++n)
        devices << p.registry().ports().deviceFor(n);
    QFile::remove(link);
    QCOMPARE(devices.indexOf(radio.devicePath()), systemPorts - 1);
    QCOMPARE(devices.count(radio.devicePath()), 1);
    for (int n = 2; n <= 8; ++n)
        QVERIFY(p.registry().ports().deviceFor(n) != radio.devicePath());
}

// The port window opened again does not show the ports as they were when
// it closed.
void LinkWindows::portWindowOpenedAgainShowsARadioStartedMeanwhile()
{
    if (QSerialPortInfo::availablePorts().size() > 6)
        QSKIP("every port number is taken by a port of the system");
    SimulatedRadioProgram p;
    p.main->menuItem(QStringLiteral("proc_setup"))->trigger();
    QVERIFY(p.registry().close(WindowId::Form_setup));
    RadioSimulator radio;
    QVERIFY(radio.start());
    QString error;
    const QString link = PortDirectory::announceSimulatedRadio(radio.devicePath(), &error);
    QVERIFY2(!link.isEmpty(), qPrintable(error));
    auto *setup = p.openPortWindow();
    const bool offered = std::any_of(std::begin(setup->Option), std::end(setup->Option),
                                     [&](QRadioButton *option) { return option->toolTip() == radio.devicePath(); });
    QFile::remove(link);
    QVERIFY(offered);
}

void LinkWindows::portNumbersStayWhileTheDevicesExist_data()
{
    QTest::addColumn<QString>("steps");    // +x starts radio x, -x stops it
    QTest::addColumn<QString>("numbers");  // each running radio's number after the system's ports
    QTest::newRow("the first stops, a fourth starts") << "+a +b +c -a +d" << "d1 b2 c3";
    QTest::newRow("the middle stops, two start") << "+a +b +c -b +d +e" << "a1 d2 c3 e4";
    QTest::newRow("all stop, one starts") << "+a +b -a -b +c" << "c1";
}

// A simulated radio keeps its number while it runs, whatever others start
// or stop; a new one takes the lowest free number.
void LinkWindows::portNumbersStayWhileTheDevicesExist()
{
    QFETCH(QString, steps);
    QFETCH(QString, numbers);
    const int systemPorts = int(QSerialPortInfo::availablePorts().size());
    if (systemPorts > 3)
        QSKIP("the port numbers are taken by ports of the system");
    SimulatedRadioProgram p;
    p.registry().ports().mapPortNumber(1, QString()); // every number as the system has it
    // Each radio announced for a process of its own, as separate programs are.
    struct Radio {
        RadioSimulator sim;
        QProcess process;
    };
    std::map<QChar, std::unique_ptr<Radio>> radios;
    const QDir folder(PortDirectory::announcementFolder());
    for (const QString &step : steps.split(QLatin1Char(' '))) {
        const QChar name = step.at(1);
        if (step.startsWith(QLatin1Char('+'))) {
            auto radio = std::make_unique<Radio>();
            QVERIFY(radio->sim.start());
            radio->process.start(QStringLiteral("sleep"), {QStringLiteral("60")});
            QVERIFY(radio->process.waitForStarted());
            QVERIFY(QFile::link(radio->sim.devicePath(),
                                folder.filePath(PortDirectory::announcementName(radio->process.processId()))));
            radios[name] = std::move(radio);
        } else {
            radios[name]->process.kill();
            radios[name]->process.waitForFinished();
            radios.erase(name);
        }
        // The numbers are taken after every step, as the port window does.
        for (int n = 1; n <= 8; ++n)
            p.registry().ports().deviceFor(n);
    }
    QStringList found;
    for (const auto &[name, radio] : radios)
        for (int n = 1; n <= 8; ++n)
            if (p.registry().ports().deviceFor(n) == radio->sim.devicePath())
                found << QString(name) + QString::number(n - systemPorts);
    std::sort(found.begin(), found.end(), [](const QString &a, const QString &b) { return a.mid(1).toInt() < b.mid(1).toInt(); });
    for (const auto &[name, radio] : radios) {
        radio->process.kill();
        radio->process.waitForFinished();
    }
    QCOMPARE(found.join(QLatin1Char(' ')), numbers);
}

void LinkWindows::portWindowNamesTheDevice_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("failedOpen");
    QTest::addColumn<QStringList>("lines"); // "%radio" stands for the radio's terminal
    QTest::newRow("simulated radio") << 3 << false << QStringList{"COM3: %radio", "You may open it."};
    QTest::newRow("missing device")
        << 2 << false
        << QStringList{"COM2: /dev/no-such-port",
                       "You may not open it: /dev/no-such-port does not exist. Plug the cable in, or choose "
                       "another port."};
    QTest::newRow("missing device after a failed read")
        << 2 << true
        << QStringList{"COM2: /dev/no-such-port",
                       "You may not open it: /dev/no-such-port does not exist. Plug the cable in, or choose "
                       "another port.",
                       "The last attempt to open it failed: No such file or directory"};
}

void LinkWindows::portWindowNamesTheDevice()
{
    QFETCH(int, port);
    QFETCH(bool, failedOpen);
    QFETCH(QStringList, lines);
    SimulatedRadioProgram p;
    p.registry().ports().mapPortNumber(3, p.radio.devicePath());
    p.registry().ports().mapPortNumber(2, QStringLiteral("/dev/no-such-port"));
    if (failedOpen) {
        p.session().setPort(PortSpec::ofNumber(port));
        click(p.openRead()->Command_read);
        QVERIFY(p.session().portFailed());
        click(p.window<Form_Comm_Read>(WindowId::Form_Comm_Read)->Command_Cancel);
        p.session().setPort(PortSpec::ofNumber(1));
    }
    auto *setup = p.openPortWindow();
    QVERIFY(setup->Label_device->text().startsWith(QStringLiteral("COM1: ") + p.radio.devicePath()));
    QTest::mouseClick(setup->Option[port - 1], Qt::LeftButton, {}, QPoint(5, setup->Option[port - 1]->height() / 2));
    QCOMPARE(setup->Label_device->text().split(QLatin1Char('\n')),
             lines.replaceInStrings(QStringLiteral("%radio"), p.radio.devicePath()));

    // A number that no device stands behind says so.
    int empty = 4;
    while (empty <= 8 && !p.registry().ports().deviceFor(empty).isEmpty())
        ++empty;
    if (empty <= 8) {
        QTest::mouseClick(setup->Option[empty - 1], Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(setup->Label_device->text(),
                 QStringLiteral("No serial port stands behind COM%1. Plug the cable in, start the simulated "
                                "radio, or pick another number.")
                     .arg(empty));
    }
    p.registry().ports().mapPortNumber(2, QString());
    p.registry().ports().mapPortNumber(3, QString());
}

void LinkWindows::portThatCannotOpenLeavesTheWindowIdle_data()
{
    QTest::addColumn<bool>("locked"); // else no device stands behind the port
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("summary"); // %d the device, %p the other program's process
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<bool>("checklist"); // of the radio and the cable
    QTest::newRow("no device") << false << false
                               << "COM1 (/dev/no-such-port): the device disappeared. Plug the cable back in, then "
                                  "try again."
                               << "Read failed: COM1 cannot be opened" << true;
    QTest::newRow("in use by another program")
        << true << false
        << "COM1 (%d): the port is in use by another program. Close the other program that has the port open "
           "(sleep, %p)."
        << "Read failed: COM1 cannot be opened" << false;
    QTest::newRow("in use by another program, in Chinese")
        << true << true << "COM1 (%d): 端口被另一个程序占用. 请关闭正在使用该端口的另一个程序（sleep, %p）。"
        << "读取失败：无法打开 COM1" << false;
}

// The window stays idle; the message's first line keeps its text, and the
// line below it gives the cause and the one thing to do: a port in use
// wants the other program closed, not the radio and the cable checked.
void LinkWindows::portThatCannotOpenLeavesTheWindowIdle()
{
    QFETCH(bool, locked);
    QFETCH(bool, chinese);
    QFETCH(QString, summary);
    QFETCH(QString, outcome);
    QFETCH(bool, checklist);
    SimulatedRadioProgram p;
    if (chinese)
        p.main->menuItem(QStringLiteral("Language_chn"))->trigger();
    QProcess other;
    const QString lockPath = QStringLiteral("/var/lock/LCK..") + p.radio.devicePath().mid(5).replace(u'/', u'_');
    const auto unlock = qScopeGuard([&] {
        QFile::remove(lockPath);
        other.kill();
        other.waitForFinished();
    });
    if (locked) {
        other.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        QVERIFY(other.waitForStarted());
        QFile lock(lockPath);
        if (!lock.open(QIODevice::WriteOnly))
            QSKIP("the lock folder is not writable here");
        // As Qt writes it, from a program on another host, so that Qt takes it as held.
        lock.write(QByteArray::number(other.processId()) + "\nsleep\nelsewhere\n");
        lock.close();
    } else {
        p.registry().ports().mapPortNumber(1, QStringLiteral("/dev/no-such-port"));
    }
    Form_Comm_Read *read = p.openRead();
    click(read->Command_read);
    QCOMPARE(p.messages.texts(),
             QStringList{chinese ? QStringLiteral("通讯端口打开错误，请正确设置通讯端口 ！") : PortErrorText});
    QCOMPARE(p.messages.messages.first().title, chinese ? QStringLiteral("操作提示") : QStringLiteral("Operate prompt"));
    const QString expected =
        summary.replace(QStringLiteral("%d"), p.radio.devicePath()).replace(QStringLiteral("%p"), QString::number(other.processId()));
    QCOMPARE(p.messages.messages.first().summary, expected);
    QVERIFY(p.messages.messages.first().details.startsWith(expected));
    QCOMPARE(p.messages.messages.first().details.contains(chinese ? QStringLiteral("已开机") : QStringLiteral("switched on")),
             checklist);
    QVERIFY(p.session().portFailed());
    QVERIFY(!read->link->isBusy());
    QCOMPARE(read->Label_tr_count->text(), QString());
    QVERIFY(!read->ProgressBar1->isVisible());
    QCOMPARE(p.main->statusPanels().text(StatusPanels::Outcome), outcome);
    // Idle, so Cancel closes it.
    click(read->Command_Cancel);
    QVERIFY(!p.registry().isOpen(WindowId::Form_Comm_Read));
    // The port window names the other program as the message did; once
    // confirmed, it stays open and says why.
    Form_setup *setup = p.openPortWindow();
    QCOMPARE(setup->Label_device->text().contains(expected), locked);
    click(setup->Command_ok);
    const QString said = setup->Label_device->text();
    QVERIFY2(said.contains(chinese ? "已选择 COM1。" : "COM1 is chosen. ") && said.contains(expected), qPrintable(said));
    click(setup->Command1);
    // The port's own reason comes in the windows' language.
    p.main->menuItem(QStringLiteral("Language_chn"))->trigger();
    click(p.openRead()->Command_read);
    const QString reason = locked ? QStringLiteral("被另一个程序占用") : QStringLiteral("设备不存在");
    QVERIFY2(p.messages.messages.last().details.contains(reason), qPrintable(p.messages.messages.last().details));
}

void LinkWindows::staleOpenFailureGoesOnceThePortOpens_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("systemText");
    QTest::addColumn<bool>("shownBefore");
    QTest::newRow("device missing then") << int(QSerialPort::DeviceNotFoundError) << "No such file or directory" << true;
    // A refused permission goes as soon as the device may be opened, which
    // root always may.
    QTest::newRow("permission refused then") << int(QSerialPort::PermissionError) << "Permission denied"
                                             << (geteuid() != 0);
}

// The port window's line of the last failed opening goes once a link
// opened the port again.
void LinkWindows::staleOpenFailureGoesOnceThePortOpens()
{
    QFETCH(int, error);
    QFETCH(QString, systemText);
    QFETCH(bool, shownBefore);
    SimulatedRadioProgram p;
    p.registry().ports().recordOpenFailure(p.radio.devicePath(), {error, systemText});
    const QString line = QStringLiteral("The last attempt to open it failed: ");
    auto portWindowLine = [&p] {
        auto *setup = p.openPortWindow();
        const QString text = setup->Label_device->text();
        click(setup->Command1);
        return text;
    };
    QCOMPARE(portWindowLine().contains(line + systemText), shownBefore);
    click(p.openRead()->Command_read);
    QVERIFY(waitUntil([&] { return !p.registry().isOpen(WindowId::Form_Comm_Read); }, 5000));
    QVERIFY(p.messages.messages.isEmpty());
    QVERIFY(!portWindowLine().contains(line));
}

void LinkWindows::busyWindowRefusesRestartAndCancel_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<bool>("byKeys"); // Enter on the start button, Escape for Cancel
    QTest::newRow("read") << false << false;
    QTest::newRow("write") << true << false;
    QTest::newRow("read by keys") << false << true;
    QTest::newRow("write by keys") << true << true;
}

void LinkWindows::busyWindowRefusesRestartAndCancel()
{
    QFETCH(bool, write);
    QFETCH(bool, byKeys);
    SimulatedRadioProgram p;
    TransferWindow *window = write ? static_cast<TransferWindow *>(p.openWrite()) : p.openRead();
    QPushButton *start = window->findChild<QPushButton *>(write ? QStringLiteral("Command_Write")
                                                                : QStringLiteral("Command_read"));
    QVERIFY(start);
    auto press = [&](QPushButton *button) {
        if (!byKeys)
            return click(button);
        QCOMPARE(window->focusWidget(), start);
        QTest::keyClick(start, button == start ? Qt::Key_Return : Qt::Key_Escape);
    };
    press(start);
    QVERIFY(waitUntil([&] { return p.radio.frames.size() > 20; }, 5000));
    press(start);
    press(window->Command_Cancel);
    QCOMPARE(p.messages.texts(),
             (QStringList{QStringLiteral("Read-write operating with transceiver ."),
                          QStringLiteral("Read-write operating，don't close the window. ,")}));
    QVERIFY(p.registry().isOpen(write ? WindowId::Form_Comm_Write : WindowId::Form_Comm_Read));
    QVERIFY(waitUntil([&] { return !p.registry().isOpen(write ? WindowId::Form_Comm_Write
                                                              : WindowId::Form_Comm_Read); },
                      5000));
    QCOMPARE(p.radio.wakeUps, 1);
    QCOMPARE(p.messages.messages.size(), 2);
}

void LinkWindows::writeChecksTheImageBeforeTouchingThePort_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<int>("badRow");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("firstUsedChannel");
    QTest::newRow("every channel empty") << false << 0 << QString() << 0;
    QTest::newRow("VFO out of range")
        << false << int(Region::VfoRow)
        << QStringLiteral("Receiving or transmitting frequency that frequency Mode out of frequency "
                          "limitation range ")
        << 0;
    QTest::newRow("channel 5 out of range")
        << false << 5
        << QStringLiteral("Channel 5that Receiving or transmitting frequency  out of frequency "
                          "limitation range ")
        << 5;
    QTest::newRow("channel 5 out of range, Chinese")
        << true << 5 << QStringLiteral("信道 5 中的接收或发射频率超出频率限制范围") << 5;
}

void LinkWindows::writeChecksTheImageBeforeTouchingThePort()
{
    QFETCH(bool, chinese);
    QFETCH(int, badRow);
    QFETCH(QString, message);
    QFETCH(int, firstUsedChannel);
    SimulatedRadioProgram p;
    if (chinese)
        p.main->menuItem(QStringLiteral("Language_chn"))->trigger();
    if (badRow)
        putOutOfRange(badRow);
    if (badRow == 5) {
        Img(5, 12) = 0; // simplex
        const int inRange[] = {0x00, 0x25, 0x81, 0x43, 0, 0, 0, 0};
        for (int c = 0; c < 8; ++c)
            Img(9, c) = qint16(inRange[c]);
    }
    for (int c = 0; c < RowBytes; ++c)
        Img(Region::SignatureRow, c) = 0;
    Img(Region::GeneralRow, 12) = 0xFF;

    Form_Comm_Write *write = p.openWrite();
    click(write->Command_Write);
    // The preparation stays in the image also when a check stops the write.
    QCOMPARE(Img(Region::GeneralRow, 12), qint16(0x30));
    QCOMPARE(Img(Region::GeneralRow, 7), qint16(firstUsedChannel));
    QCOMPARE(Img(Region::SignatureRow, 0), qint16('L'));
    QCOMPARE(Img(Region::SignatureRow, 15), qint16(255));
    if (message.isEmpty()) {
        QVERIFY(waitUntil([&] { return !p.registry().isOpen(WindowId::Form_Comm_Write); }, 5000));
        QVERIFY(p.messages.texts().isEmpty());
        QVERIFY(p.radioMatchesImage(0, 254));
    } else {
        QCOMPARE(p.messages.texts(), QStringList{message});
        runEventsFor(100);
        QVERIFY(p.radio.received().isEmpty());
        QVERIFY(!write->link->isPortOpen());
        QVERIFY(!write->link->isBusy());
    }
}

void LinkWindows::silentRadioShowsAttemptsAndExplainsTheFailure()
{
    SimulatedRadioProgram p;
    p.radio.faults.silent = true;
    Form_Comm_Read *read = p.openRead();
    QLabel *attempt = control<QLabel>(read, "Label_attempt");
    click(read->Command_read);
    QCOMPARE(attempt->text(), QStringLiteral("attempt 1 of 4"));
    QVERIFY(waitUntil([&] { return attempt->text().startsWith(QStringLiteral("next attempt in ")); }, 5000));
    // The pause of 150 ms is shown rounded up.
    QCOMPARE(attempt->text(), QStringLiteral("next attempt in 1 s"));
    QVERIFY(waitUntil([&] { return attempt->text() == QStringLiteral("attempt 2 of 4"); }, 5000));
    QCOMPARE(read->Label_tr_count->text(), QStringLiteral("Connecting with transceiver. "));
    QVERIFY(waitUntil([&] { return !p.messages.messages.isEmpty(); }, 10000));
    const RecordedMessage &message = p.messages.messages.first();
    QCOMPARE(message.text, QStringLiteral("Fail connect with transceiver."));
    for (const QString &part : {QStringLiteral("Port: COM1"), p.radio.devicePath(),
                                QStringLiteral("the radio does not answer"), QStringLiteral("dialout")})
        QVERIFY2(message.details.contains(part), qPrintable(message.details));
    QCOMPARE(p.main->statusPanels().text(StatusPanels::Outcome),
             QStringLiteral("Read failed: the radio does not answer"));
    // The final state, not the last countdown.
    QCOMPARE(attempt->text(), QStringLiteral("Read failed"));
}

void LinkWindows::failedTransferShowsItsFinalState_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("freezeAtRow"); // the radio goes silent once this row is acknowledged; -1 at once
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("finalState");
    QTest::addColumn<QString>("outcome"); // status panel 2, also the line under the message
    const QString halfWritten = QStringLiteral("The write stopped after row 101 of 255: the radio's memory is "
                                               "now part new, part old. Write it again before the radio is used.");
    QTest::newRow("read, silent") << false << -1 << false << QStringLiteral("Read failed")
                                  << QStringLiteral("Read failed: the radio does not answer");
    QTest::newRow("read, frozen halfway") << false << 100 << false << QStringLiteral("Read failed")
                                          << QStringLiteral("Read failed: the radio does not answer");
    QTest::newRow("write, silent") << true << -1 << false << QStringLiteral("Write failed: the radio was not changed")
                                   << QStringLiteral("Write failed: the radio does not answer");
    QTest::newRow("write, frozen at 40 %") << true << 100 << false
                                           << QStringLiteral("Write failed: the radio is half-written") << halfWritten;
    QTest::newRow("write, frozen after the first row")
        << true << 0 << false << QStringLiteral("Write failed: the radio is half-written")
        << QString(halfWritten).replace(QStringLiteral("row 101"), QStringLiteral("row 1"));
    QTest::newRow("write, frozen, Chinese")
        << true << 100 << true << QStringLiteral("写入失败：对讲机只写入了一部分")
        << QStringLiteral("写入在第 101 行（共 255 行）之后中断：对讲机的存储器现在一部分是新数据，一部分是旧数据。"
                          "使用对讲机之前请重新写入。");
}

// A link that gives up says so where the progress and the countdown stood,
// and a write that broke off says that the radio is half-written.
void LinkWindows::failedTransferShowsItsFinalState()
{
    QFETCH(bool, write);
    QFETCH(int, freezeAtRow);
    QFETCH(bool, chinese);
    QFETCH(QString, finalState);
    QFETCH(QString, outcome);
    SimulatedRadioProgram p;
    if (chinese)
        p.main->menuItem(QStringLiteral("Language_chn"))->trigger();
    p.radio.faults.silent = freezeAtRow < 0;
    TransferWindow *window = write ? static_cast<TransferWindow *>(p.openWrite()) : p.openRead();
    connect(window->link, &LinkEngine::progress, [&](int blockIndex) {
        if (blockIndex > freezeAtRow && freezeAtRow >= 0)
            p.radio.faults.silent = true;
    });
    click(write ? static_cast<Form_Comm_Write *>(window)->Command_Write
                : static_cast<Form_Comm_Read *>(window)->Command_read);
    QVERIFY(waitUntil([&] { return !p.messages.messages.isEmpty(); }, 20000));
    QCOMPARE(p.messages.texts(), QStringList{chinese ? QStringLiteral("与对讲机联络失败 ！")
                                                     : QStringLiteral("Fail connect with transceiver.")});
    QCOMPARE(window->Label_attempt->text(), finalState);
    QVERIFY(!window->ProgressBar1->isVisible());
    QCOMPARE(p.main->statusPanels().text(StatusPanels::Outcome), outcome);
    if (write && freezeAtRow >= 0) {
        QCOMPARE(p.messages.messages.first().summary, outcome);
        QVERIFY(p.messages.messages.first().details.startsWith(outcome));
    }
}

void LinkWindows::powerBarsSendPowerFrames_data()
{
    QTest::addColumn<bool>("highBar");
    QTest::addColumn<bool>("byKeys"); // Tab to the bar, two Right arrows
    QTest::newRow("low power bar") << false << false;
    QTest::newRow("high power bar") << true << false;
    QTest::newRow("low power bar by keys") << false << true;
    QTest::newRow("high power bar by keys") << true << true;
}

void LinkWindows::powerBarsSendPowerFrames()
{
    QFETCH(bool, highBar);
    QFETCH(bool, byKeys);
    SimulatedRadioProgram p;
    p.radio.memory[0xFF0] = char(90);
    p.radio.memory[0xFF1] = char(210);
    for (int c = 3; c < RowBytes; ++c)
        Img(Region::PowerRow, c) = qint16(c);
    Form_Adjust_Txp *power = p.openPower();
    QCOMPARE(power->windowTitle(), QStringLiteral("Power Adjust"));
    QCOMPARE(power->Label_Low->text(), QStringLiteral("Low Power"));
    QCOMPARE(power->Label_High->text(), QStringLiteral("High Power"));
    QVERIFY(waitUntil([&] { return p.radio.powerFrames == 1; }, 5000));
    QVERIFY(waitUntil([&] { return !power->link->isBusy(); }, 5000));
    QCOMPARE(power->Label_L->text(), QStringLiteral("90"));
    QCOMPARE(power->Label_H->text(), QStringLiteral("210"));

    QScrollBar *bar = highBar ? power->HScroll_H : power->HScroll_L;
    if (byKeys) {
        QCOMPARE(power->focusWidget(), power->HScroll_L);
        if (highBar)
            QTest::keyClick(power->HScroll_L, Qt::Key_Tab);
        QCOMPARE(power->focusWidget(), bar);
        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_Right);
    } else {
        clickArrow(bar, true);
        clickArrow(bar, true);
    }
    const int value = (highBar ? 210 : 90) + 2;
    QCOMPARE((highBar ? power->Label_H : power->Label_L)->text(), QString::number(value));
    QCOMPARE(p.main->statusPanels().text(StatusPanels::Outcome),
             QStringLiteral("%1 power %2 sent").arg(highBar ? QStringLiteral("High") : QStringLiteral("Low")).arg(value));
    if (byKeys) // the bar with the keyboard is framed in the highlight colour
        QCOMPARE(bar->parentWidget()->palette().color(QPalette::WindowText),
                 bar->palette().color(QPalette::Highlight));
    QByteArray expected = QByteArray::fromHex("6703F010");
    expected += char(highBar ? 90 : value);
    expected += char(highBar ? value : 210);
    expected += char(highBar ? 1 : 0);
    for (int c = 3; c < RowBytes; ++c)
        expected += char(c);
    // The second step replaced the first one's frame before it went out.
    QVERIFY(waitUntil([&] { return p.radio.frames.last() == expected; }, 5000));
    QCOMPARE(p.radio.powerFrames, 2);
    QCOMPARE(quint8(p.radio.memory.at(0xFF0 + 2)), quint8(highBar ? 1 : 0));

    click(power->Command_Close);
    QVERIFY(!p.registry().isOpen(WindowId::Form_Adjust_Txp));
    runEventsFor(50);
    QCOMPARE(p.radio.frames.last(), QByteArray("b"));
    QVERIFY(p.messages.texts().isEmpty());
}

void LinkWindows::powerWindowWithoutRadioClosesItself_data()
{
    QTest::addColumn<int>("situation"); // 0 no answer, 1 no such port, 2 link lost later,
                                        // 3 cable pulled between frames
    QTest::newRow("radio does not answer") << 0;
    QTest::newRow("port cannot be opened") << 1;
    QTest::newRow("acknowledgement lost later") << 2;
    QTest::newRow("cable pulled between frames") << 3;
}

void LinkWindows::powerWindowWithoutRadioClosesItself()
{
    QFETCH(int, situation);
    SimulatedRadioProgram p;
    p.radio.faults.silent = situation == 0;
    if (situation == 1)
        p.registry().ports().mapPortNumber(1, QStringLiteral("/dev/no-such-port"));
    Img(Region::PowerRow, 0) = 40;
    Img(Region::PowerRow, 2) = 7;
    Form_Adjust_Txp *power = p.openPower();
    QVERIFY(power);
    int restartPauses = 0;
    connect(power->link, &LinkEngine::restartPauseStarted, power, [&restartPauses] { ++restartPauses; });
    if (situation >= 2) {
        QVERIFY(waitUntil([&] { return p.radio.powerFrames == 1 && !power->link->isBusy(); }, 5000));
        p.radio.faults.silent = true;
    }
    if (situation == 3) {
        // No frame is outstanding, so the lost device costs no restart.
        p.radio.hangUp();
        QVERIFY(waitUntil([&] { return !power->link->isPortOpen(); }, 5000));
    }
    // Moving a bar before the radio answered changes the image and the
    // label only; afterwards it sends a frame that is never acknowledged.
    clickArrow(power->HScroll_L, false);
    const int low = situation >= 2 ? 80 - 1 : 40 - 1; // the radio reports 80
    QCOMPARE(Img(Region::PowerRow, 0), qint16(low));
    QCOMPARE(Img(Region::PowerRow, 2), qint16(0));
    QCOMPARE(power->Label_L->text(), QString::number(low));

    QVERIFY(waitUntil([&] { return !p.registry().isOpen(WindowId::Form_Adjust_Txp); }, 3000));
    runEventsFor(50);
    const QString outcomes[] = {QStringLiteral("No answer from a radio on COM1"),
                                QStringLiteral("Power adjustment failed: COM1 cannot be opened"),
                                QStringLiteral("Power adjustment failed: the radio stopped answering"),
                                QStringLiteral("Power adjustment failed: the radio stopped answering")};
    QCOMPARE(p.main->statusPanels().text(StatusPanels::Outcome), outcomes[situation]);
    if (situation == 1) {
        QCOMPARE(p.messages.texts(), QStringList{PortErrorText});
        QVERIFY(p.radio.received().isEmpty());
        return;
    }
    QVERIFY(p.messages.texts().isEmpty());
    const auto powerFrames = std::count_if(p.radio.frames.cbegin(), p.radio.frames.cend(),
                                           [](const QByteArray &f) { return f.startsWith('g'); });
    QCOMPARE(powerFrames, situation == 0 ? 0 : situation == 2 ? 2 : 1);
    // After a lost acknowledgement the watchdog has closed the port, after a
    // pulled cable the port is gone: no 'b'.
    QCOMPARE(p.radio.frames.last() == QByteArray("b"), situation == 0);
    // Only the watchdog of an unacknowledged frame pauses for a restart.
    QCOMPARE(restartPauses, situation == 2 ? 1 : 0);
}

void LinkWindows::closePollerRunsAtTheWindowsInterval_data()
{
    QTest::addColumn<int>("window"); // 0 read, 1 write, 2 power
    QTest::newRow("read window") << 0;
    QTest::newRow("write window") << 1;
    QTest::newRow("power window") << 2;
}

void LinkWindows::closePollerRunsAtTheWindowsInterval()
{
    QFETCH(int, window);
    // The read window polls at the read interval, the others at the close
    // interval; the interval a window must not use lies far beyond the wait.
    LinkTiming timing = scaledTiming();
    (window == 0 ? timing.closeMs : timing.readCloseMs) = 60000;
    SimulatedRadioProgram p(timing);
    const WindowId ids[] = {WindowId::Form_Comm_Read, WindowId::Form_Comm_Write, WindowId::Form_Adjust_Txp};
    if (window == 0)
        click(p.openRead()->Command_read);
    else if (window == 1)
        click(p.openWrite()->Command_Write);
    p.radio.faults.silent = window == 2; // the power window closes when the radio is silent
    if (window == 2)
        QVERIFY(p.openPower());
    QVERIFY(waitUntil([&] { return !p.registry().isOpen(ids[window]); }, 10000));
    QVERIFY(p.messages.texts().isEmpty());
}

void LinkWindows::readAndWritePreparationAreUndoSteps_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("label");
    QTest::newRow("read") << false << "read from the radio";
    QTest::newRow("write") << true << "prepared for writing";
}

void LinkWindows::readAndWritePreparationAreUndoSteps()
{
    QFETCH(bool, write);
    QFETCH(QString, label);
    SimulatedRadioProgram p;
    p.randomizeRadio();
    // Stale before a write: the preparation writes the first channel in use.
    Img(Region::GeneralRow, Region::FirstUsedChannelByte) = 77;
    const ImageCopy before = copyImage();
    if (write)
        click(p.openWrite()->Command_Write);
    else
        click(p.openRead()->Command_read);
    const WindowId id = write ? WindowId::Form_Comm_Write : WindowId::Form_Comm_Read;
    QVERIFY(waitUntil([&] { return !p.registry().isOpen(id); }, 20000));
    QVERIFY(p.radioMatchesImage(0, 253));
    const ImageCopy after = copyImage();
    QVERIFY(after != before);

    auto *grid = p.window<frm_chann>(WindowId::frm_chann);
    const auto gridShowsImage = [&] {
        for (int n = 1; n <= 128; ++n)
            if (grid->cellText(n, 1) != (isChannelEmpty(Document(), n) ? QString() : channelRxText(Document(), n)))
                return false;
        return true;
    };
    QTest::keySequence(p.main.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(copyImage(), before);
    QVERIFY(gridShowsImage());
    QCOMPARE(p.main->statusPanels().text(StatusPanels::Outcome), QStringLiteral("Undone: ") + label);
    QTest::keySequence(p.main.get(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    QCOMPARE(copyImage(), after);
    QVERIFY(gridShowsImage());
}

void LinkWindows::linkHoldsTheDocument_data()
{
    QTest::addColumn<int>("window"); // 0 read, 1 write, 2 power
    QTest::addColumn<QString>("reason");
    QTest::newRow("read") << 0 << "Reading from the radio: editing resumes when it ends";
    QTest::newRow("write") << 1 << "Writing to the radio: editing resumes when it ends";
    QTest::newRow("power") << 2 << "Adjusting the radio's power: editing resumes when its window closes";
}

// While a link moves the image, an edit, Ctrl+Z and Clear are refused and
// panel 2 says why; a write sends exactly the image it prepared, and the
// power window leaves no step behind.
void LinkWindows::linkHoldsTheDocument()
{
    QFETCH(int, window);
    QFETCH(QString, reason);
    SimulatedRadioProgram p;
    p.radio.setPaced(true);
    // A step that Ctrl+Z would take back.
    QVERIFY(storeFrequencyPair(Document(), 10, Frequency::fromMHz(430), Frequency::fromMHz(430), GridDirectionByte));
    auto *grid = p.window<frm_chann>(WindowId::frm_chann);
    const int steps = testDocument().history().count();
    if (window == 0)
        click(p.openRead()->Command_read);
    else if (window == 1)
        click(p.openWrite()->Command_Write);
    else
        QVERIFY(p.openPower());
    const ImageCopy held = copyImage();
    QVERIFY(waitUntil([] { return testDocument().isLocked(); }, 5000));
    const auto outcome = [&] { return p.main->statusPanels().text(StatusPanels::Outcome); };
    QTest::keySequence(p.main.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(outcome(), reason);
    p.main->statusPanels().setText(StatusPanels::Outcome, QString());
    click(grid->Command_Clear);
    QCOMPARE(outcome(), reason);
    p.main->statusPanels().setText(StatusPanels::Outcome, QString());
    // A setting chosen in another window.
    clickListItem(p.registry().reopen(WindowId::frm_option)->findChild<QComboBox *>("Combo_TOT"), 3);
    QCOMPARE(outcome(), reason);
    QVERIFY(!(grid->MSF_chann->model()->flags(grid->MSF_chann->model()->index(9, 1)) & Qt::ItemIsEditable));
    if (window != 0)
        QCOMPARE(copyImage(), held);
    if (window == 2) {
        p.registry().close(WindowId::Form_Adjust_Txp);
        QCOMPARE(testDocument().history().count(), steps);
    } else {
        const WindowId id = window == 1 ? WindowId::Form_Comm_Write : WindowId::Form_Comm_Read;
        QVERIFY(waitUntil([&] { return !p.registry().isOpen(id); }, 30000));
    }
    QVERIFY(!testDocument().isLocked());
    QVERIFY(window == 2 || p.radioMatchesImage(0, 253));
    if (window == 1)
        QCOMPARE(copyImage(), held);
}

QTEST_MAIN(LinkWindows)
#include "tst_link_windows.moc"
