// Reads and writes over a pseudo-terminal with the real serial port against
// the simulated radio, including the failures the link must survive.
#include "link/LinkFixture.h"

namespace {

const QByteArray WakeUpFrame = QByteArray::fromHex("50524F4752414D02");

QByteArray imageRow(int row)
{
    QByteArray bytes;
    for (int c = 0; c < RowBytes; ++c)
        bytes.append(char(Img(row, c)));
    return bytes;
}

// Marks every image value, so that any change shows.
void markImage()
{
    // One edit, so that the grid never sees a half-marked image.
    ImageHandle document;
    Codeplug &image = document;
    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RowBytes; ++c)
            image.at(r, c) = qint16((r * 7 + c * 3) % 256);
    // The channel grid, activated when a link window closes, blanks the whole
    // record of a channel marked empty; no channel row here is marked so.
    for (int n = 1; n <= 128; ++n)
        if (image.at(n, 0) == 255)
            image.at(n, 0) = 254;
}

} // namespace

class LinkTransfer : public QObject {
    Q_OBJECT
private slots:
    void fullReadReplacesRows0To253Only_data();
    void fullReadReplacesRows0To253Only();
    void fullWriteSendsRows0To254ThenE();
    void identificationAtEachOffset_data();
    void identificationAtEachOffset();
    void radioThatNeverConnectsFailsAfterThreeRestarts_data();
    void radioThatNeverConnectsFailsAfterThreeRestarts();
    void transferSurvivesDisturbances_data();
    void transferSurvivesDisturbances();
    void strayByteInEveryAttemptFailsTheRead();
    void strayByteBeforeTheNextRequestRestartsTheRead();
    void pulledCableEndsTheReadWithoutTouchingTheImage();
    void closingDuringATransferEndsTheLinkAtOnce_data();
    void closingDuringATransferEndsTheLinkAtOnce();
    void partialLinkMovesExactlyTheGivenRows_data();
    void partialLinkMovesExactlyTheGivenRows();
};

void LinkTransfer::fullReadReplacesRows0To253Only_data()
{
    QTest::addColumn<bool>("realTiming");
    QTest::addColumn<int>("lostReply"); // read request without reply, -1: none
    QTest::newRow("scaled timing") << false << -1;
    // On the real profile: a lost reply, the real restart pause, then a full read.
    QTest::newRow("real timing, one restart") << true << 37;
}

void LinkTransfer::fullReadReplacesRows0To253Only()
{
    QFETCH(bool, realTiming);
    QFETCH(int, lostReply);
    SimulatedRadioProgram p(realTiming ? LinkTiming::real() : scaledTiming());
    p.randomizeRadio();
    p.radio.faults.dropReadReplyAt = lostReply;
    markImage();
    const ImageCopy before = copyImage();

    Form_Comm_Read *read = p.openRead();
    QVERIFY(read);
    QStringList statuses;
    QList<int> progress;
    connect(read->link, &LinkEngine::progress, read, [&] {
        statuses << read->Label_tr_count->text();
        progress << read->ProgressBar1->value();
    });
    connect(read->link, &LinkEngine::completed, read, [&] {
        statuses << read->Label_tr_count->text();
        progress << read->ProgressBar1->value();
    });
    click(read->Command_read);
    QCOMPARE(read->Label_tr_count->text(), QStringLiteral("Connecting with transceiver. "));
    QVERIFY(waitUntil([&] { return !p.registry().isOpen(WindowId::Form_Comm_Read); }, 20000));

    QVERIFY(p.radioMatchesImage(0, 253));
    for (int r = 254; r < RadioRows; ++r)
        for (int c = 0; c < RowBytes; ++c)
            QCOMPARE(Img(r, c), before[r * RowBytes + c]);
    QVERIFY(p.messages.texts().isEmpty());
    QCOMPARE(p.radio.wakeUps, lostReply < 0 ? 1 : 2);
    QCOMPARE(p.radio.readRequests, 256 + (lostReply < 0 ? 0 : lostReply + 1));

    // The frames byte for byte: wake-up, first request, second request.
    QCOMPARE(p.radio.frames.at(0), WakeUpFrame);
    QCOMPARE(p.radio.received().mid(8, 5), QByteArray::fromHex("0652000010"));
    QCOMPARE(p.radio.received().mid(13, 5), QByteArray::fromHex("0652001010"));
    QCOMPARE(p.radio.received().right(1), QByteArray::fromHex("06"));

    QCOMPARE(statuses.first(), QStringLiteral("Reading 2 Data Block"));
    QCOMPARE(statuses.at(statuses.size() - 2), QStringLiteral("Reading 256 Data Block"));
    QCOMPARE(statuses.last(), QStringLiteral("Read Data in gear. "));
    QCOMPARE(progress.first(), 2 * 100 / 257);
    // Short of full before the last block; full once the read completed.
    QCOMPARE(progress.at(progress.size() - 2), 256 * 100 / 257);
    QCOMPARE(progress.last(), 100);
}

void LinkTransfer::fullWriteSendsRows0To254ThenE()
{
    SimulatedRadioProgram p;
    p.randomizeRadio();
    const QByteArray radioRow255 = p.radio.memory.mid(255 * 16, 16);
    Img(Region::GeneralRow, 10) = 0x55;
    Img(Region::GeneralRow, 11) = 0x66;
    Img(Region::GeneralRow, 12) = 0xFF;
    Img(Region::SignatureRow, 3) = 7;

    Form_Comm_Write *write = p.openWrite();
    QVERIFY(write);
    QStringList statuses;
    connect(write->link, &LinkEngine::progress, write,
            [&] { statuses << write->Label_tr_count->text(); });
    connect(write->link, &LinkEngine::completed, write, [&] {
        statuses << write->Label_tr_count->text();
        QCOMPARE(write->ProgressBar1->value(), 99);
    });
    click(write->Command_Write);
    QCOMPARE(write->Label_tr_count->text(), QStringLiteral("Connecting with transceiver. "));
    QVERIFY(waitUntil([&] { return !p.registry().isOpen(WindowId::Form_Comm_Write); }, 10000));

    QVERIFY(p.messages.texts().isEmpty());
    QCOMPARE(Img(Region::GeneralRow, 10), qint16(0));
    QCOMPARE(Img(Region::GeneralRow, 11), qint16(0));
    QCOMPARE(Img(Region::GeneralRow, 12), qint16(0x30));
    QCOMPARE(imageRow(Region::SignatureRow), QByteArray("LISTENIG\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 16));
    QVERIFY(p.radioMatchesImage(0, 254));
    QCOMPARE(p.radio.memory.mid(255 * 16, 16), radioRow255);
    QCOMPARE(p.radio.writeFrames, 255);

    const QByteArray &rx = p.radio.received();
    QCOMPARE(rx.left(8), WakeUpFrame);
    QCOMPARE(rx.mid(8, 21), QByteArray::fromHex("0657000010") + imageRow(0));
    QCOMPARE(rx.mid(29, 20), QByteArray::fromHex("57001010") + imageRow(1));
    // The single E follows the acknowledgement of row 254's frame.
    QCOMPARE(rx.right(21), QByteArray::fromHex("570FE010") + imageRow(254) + "E");
    QCOMPARE(p.radio.frames.last(), QByteArray("E"));
    QCOMPARE(p.radio.frames.count(QByteArray("E")), 1);

    QCOMPARE(statuses.first(), QStringLiteral("Writing  0  Data Block"));
    QCOMPARE(statuses.at(statuses.size() - 2), QStringLiteral("Writing  253  Data Block"));
    QCOMPARE(statuses.last(), QStringLiteral("Complete writing Data "));
}

void LinkTransfer::identificationAtEachOffset_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    // The radio reports 80 and 200; values beyond the 9 bytes read count as 0.
    QTest::newRow("offset 0") << 0 << 80 << 200;
    QTest::newRow("offset 1") << 1 << 80 << 200;
    QTest::newRow("offset 2") << 2 << 80 << 0;
    QTest::newRow("offset 3") << 3 << 0 << 0;
    QTest::newRow("offset 4") << 4 << 0 << 0;
}

void LinkTransfer::identificationAtEachOffset()
{
    QFETCH(int, offset);
    QFETCH(int, low);
    QFETCH(int, high);
    SimulatedRadioProgram p;
    p.radio.memory[0xFF0] = char(80);
    p.radio.memory[0xFF1] = char(200);
    p.radio.faults.identOffset = offset;
    Img(Region::PowerRow, 0) = 17;
    Img(Region::PowerRow, 1) = 33;

    Form_Adjust_Txp *power = p.openPower();
    QVERIFY(power);
    QVERIFY(waitUntil([&] { return p.radio.powerFrames == 1; }, 5000));
    QCOMPARE(Img(Region::PowerRow, 0), qint16(low));
    QCOMPARE(Img(Region::PowerRow, 1), qint16(high));
    QCOMPARE(power->HScroll_L->value(), low);
    QCOMPARE(power->HScroll_H->value(), high);
    QCOMPARE(power->Label_L->text(), QString::number(low));
    QCOMPARE(power->Label_H->text(), QString::number(high));
    QCOMPARE(p.radio.received().mid(8, 21), QByteArray::fromHex("066703F010") + imageRow(255));

    // A read and a write connect at this offset as well.
    p.registry().close(WindowId::Form_Adjust_Txp);
    Form_Comm_Read *read = p.openRead();
    click(read->Command_read);
    QVERIFY(waitUntil([&] { return !p.registry().isOpen(WindowId::Form_Comm_Read); }, 10000));
    QVERIFY(p.radioMatchesImage(0, 253));
    QVERIFY(p.messages.texts().isEmpty());
}

void LinkTransfer::radioThatNeverConnectsFailsAfterThreeRestarts_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("fault"); // 0 silent, 1 short identification, 2 without sequence
    QTest::newRow("read, no answer") << false << 0;
    QTest::newRow("read, 8-byte identification") << false << 1;
    QTest::newRow("read, identification without KV D9") << false << 2;
    QTest::newRow("write, no answer") << true << 0;
    QTest::newRow("write, identification without KV D9") << true << 2;
}

void LinkTransfer::radioThatNeverConnectsFailsAfterThreeRestarts()
{
    QFETCH(bool, write);
    QFETCH(int, fault);
    // Once a frame is out, the radio is given up after the frame reply
    // time; the byte reply time lies far beyond the wait below.
    LinkTiming timing = scaledTiming();
    timing.byteReplyMs = 60000;
    SimulatedRadioProgram p(timing);
    p.randomizeRadio();
    p.radio.faults.silent = fault == 0;
    if (fault == 1)
        p.radio.faults.identLength = 8;
    p.radio.faults.identWithoutSequence = fault == 2;
    const QByteArray radioBefore = p.radio.memory;
    if (!write) // a written image must pass the range checks
        markImage();

    TransferWindow *window = write ? static_cast<TransferWindow *>(p.openWrite()) : p.openRead();
    // The write preparation changes a few bytes; the image must stay as it
    // is after that.
    int blocksMoved = 0;
    connect(window->link, &LinkEngine::progress, window, [&blocksMoved] { ++blocksMoved; });
    click(write ? static_cast<Form_Comm_Write *>(window)->Command_Write
                : static_cast<Form_Comm_Read *>(window)->Command_read);
    const ImageCopy expected = copyImage();
    QVERIFY(waitUntil([&] { return !p.messages.messages.isEmpty(); }, 10000));
    runEventsFor(300); // nothing more may follow
    QCOMPARE(p.messages.texts(), QStringList{QStringLiteral("Fail connect with transceiver.")});
    QCOMPARE(p.messages.messages.first().title, QStringLiteral("Operate prompt"));
    QCOMPARE(window->Label_tr_count->text(), QStringLiteral("Communication fault."));
    QCOMPARE(window->ProgressBar1->value(), 0);
    QVERIFY(!window->link->isBusy());
    QVERIFY(!window->link->isPortOpen());
    QCOMPARE(p.radio.frames.count(WakeUpFrame), 4);
    QCOMPARE(blocksMoved, 0);
    QVERIFY(copyImage() == expected);
    QCOMPARE(p.radio.memory, radioBefore);
    QVERIFY(p.registry().isOpen(write ? WindowId::Form_Comm_Write : WindowId::Form_Comm_Read));
}

void LinkTransfer::transferSurvivesDisturbances_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("lostReplyAt");
    QTest::addColumn<int>("lostAckAt");
    QTest::addColumn<int>("doubleAckAt");
    QTest::addColumn<bool>("split");
    QTest::addColumn<bool>("garbage");
    QTest::addColumn<int>("strayAt"); // reply of the first link preceded by a stray byte
    QTest::addColumn<int>("wakeUps");
    QTest::newRow("read, block reply 120 lost") << false << 120 << -1 << -1 << false << false << -1 << 2;
    QTest::newRow("read, replies in pieces") << false << -1 << -1 << -1 << true << false << -1 << 1;
    QTest::newRow("write, acknowledgement 200 lost") << true << -1 << 200 << -1 << false << false << -1 << 2;
    // The second 06 arrives before the next frame went out and must not count.
    QTest::newRow("write, early acknowledgement") << true << -1 << -1 << 10 << false << false << -1 << 1;
    QTest::newRow("write, stray byte before each acknowledgement") << true << -1 << -1 << -1 << false << true << -1 << 1;
    // A stray byte would shift every later block: the read starts again.
    QTest::newRow("read, stray byte before block 1") << false << -1 << -1 << -1 << false << false << 1 << 2;
    QTest::newRow("read, stray byte before block 128") << false << -1 << -1 << -1 << false << false << 128 << 2;
    QTest::newRow("read, stray byte before block 256") << false << -1 << -1 << -1 << false << false << 256 << 2;
    QTest::newRow("write, stray byte before acknowledgement 100") << true << -1 << -1 << -1 << false << false << 100 << 1;
}

void LinkTransfer::transferSurvivesDisturbances()
{
    QFETCH(bool, write);
    QFETCH(int, lostReplyAt);
    QFETCH(int, lostAckAt);
    QFETCH(int, doubleAckAt);
    QFETCH(bool, split);
    QFETCH(bool, garbage);
    QFETCH(int, strayAt);
    QFETCH(int, wakeUps);
    SimulatedRadioProgram p;
    p.radio.faults.strayBeforeReply = strayAt;
    p.randomizeRadio();
    p.radio.faults.dropReadReplyAt = lostReplyAt;
    p.radio.faults.dropAckAt = lostAckAt;
    p.radio.faults.doubleAckAt = doubleAckAt;
    p.radio.faults.splitReplies = split;
    p.radio.faults.garbageBeforeAcks = garbage;
    for (int r = 1; r <= 128; ++r)
        for (int c = 0; c < RowBytes; ++c)
            Img(r, c) = qint16((r + c) % 256);
    for (int r = 1; r <= 128; ++r) // in range and simplex, so the checks pass
        for (int c = 0; c < 8; ++c)
            Img(r, c) = quint8(QByteArray::fromHex("0025814300000000").at(c));

    if (write) {
        click(p.openWrite()->Command_Write);
        QVERIFY(waitUntil([&] { return !p.registry().isOpen(WindowId::Form_Comm_Write); }, 10000));
        QVERIFY(p.radioMatchesImage(0, 254));
        QCOMPARE(p.radio.writeFrames, 255 + (lostAckAt < 0 ? 0 : lostAckAt + 1));
    } else {
        click(p.openRead()->Command_read);
        QVERIFY(waitUntil([&] { return !p.registry().isOpen(WindowId::Form_Comm_Read); }, 10000));
        QVERIFY(p.radioMatchesImage(0, 253));
    }
    QVERIFY(p.messages.texts().isEmpty());
    QCOMPARE(p.radio.wakeUps, wakeUps);
    // A restarted link begins again at address 0.
    if (wakeUps == 2) {
        const int restart = p.radio.received().lastIndexOf(WakeUpFrame);
        QCOMPARE(p.radio.received().mid(restart + 8, 5),
                 write ? QByteArray::fromHex("0657000010") : QByteArray::fromHex("0652000010"));
    }
}

void LinkTransfer::strayByteInEveryAttemptFailsTheRead()
{
    SimulatedRadioProgram p;
    p.randomizeRadio();
    p.radio.faults.strayBeforeReply = 50;
    p.radio.faults.strayLinks = 4;
    markImage();
    const ImageCopy before = copyImage();

    Form_Comm_Read *read = p.openRead();
    click(read->Command_read);
    QVERIFY(waitUntil([&] { return !p.messages.messages.isEmpty(); }, 10000));
    QCOMPARE(p.messages.texts(), QStringList{QStringLiteral("Fail connect with transceiver.")});
    QCOMPARE(read->Label_tr_count->text(), QStringLiteral("Communication fault."));
    QCOMPARE(p.radio.wakeUps, 4);
    QVERIFY(copyImage() == before);
}

void LinkTransfer::strayByteBeforeTheNextRequestRestartsTheRead()
{
    // The real pacer leaves the stray byte, sent as soon as the first block
    // is acknowledged, ample time to arrive before the second request.
    LinkTiming timing = scaledTiming();
    timing.pacerMs = LinkTiming::real().pacerMs;
    SimulatedRadioProgram p(timing);
    p.randomizeRadio();
    p.radio.faults.strayAfterAckOf = 1;
    markImage();
    const ImageCopy before = copyImage();

    click(p.openRead()->Command_read);
    QVERIFY(waitUntil([&] { return !p.registry().isOpen(WindowId::Form_Comm_Read); }, 20000));
    QVERIFY(p.messages.texts().isEmpty());
    // No second request followed the stray byte: the link started again.
    QCOMPARE(p.radio.wakeUps, 2);
    QCOMPARE(p.radio.readRequests, 1 + 256);
    QVERIFY(p.radioMatchesImage(0, 253));
    for (int r = 254; r < RadioRows; ++r)
        for (int c = 0; c < RowBytes; ++c)
            QCOMPARE(Img(r, c), before[r * RowBytes + c]);
}

void LinkTransfer::pulledCableEndsTheReadWithoutTouchingTheImage()
{
    // A watchdog far away: only the lost device can end the link quickly.
    LinkTiming timing = scaledTiming();
    timing.frameReplyMs = 20000;
    timing.byteReplyMs = 20000;
    SimulatedRadioProgram p(timing);
    p.randomizeRadio();
    p.radio.faults.hangUpAtReadRequest = 60;
    // The port is the test's own name for the terminal, and it goes with the
    // pulled cable as a USB device's node does: the restart must not find
    // another process's terminal under the freed number.
    QTemporaryDir names;
    const QString device = names.filePath(QStringLiteral("radio"));
    QVERIFY(QFile::link(p.radio.devicePath(), device));
    p.registry().ports().mapPortNumber(1, device);
    connect(&p.radio, &RadioSimulator::traffic, [&](const QString &line) {
        if (line == QLatin1String("cable pulled"))
            QFile::remove(device);
    });
    markImage();
    const ImageCopy before = copyImage();

    Form_Comm_Read *read = p.openRead();
    click(read->Command_read);
    QVERIFY(waitUntil([&] { return p.radio.readRequests > 60; }, 5000));
    // The restart finds no device: the link fails for the vanished device,
    // not for a wrong port setting, and stays down.
    QVERIFY(waitUntil([&] { return !p.messages.messages.isEmpty(); }, 5000));
    QCOMPARE(p.messages.texts(), QStringList{QStringLiteral("Fail connect with transceiver.")});
    QVERIFY2(p.messages.messages.first().summary.contains(QStringLiteral("device disappeared")),
             qPrintable(p.messages.messages.first().summary));
    QCOMPARE(read->Label_attempt->text(), QStringLiteral("Read failed"));
    QVERIFY(p.session().portFailed());
    QVERIFY(!read->link->isBusy());
    QVERIFY(!read->link->isPortOpen());
    QVERIFY(copyImage() == before);
    QVERIFY(p.registry().isOpen(WindowId::Form_Comm_Read));
}

void LinkTransfer::closingDuringATransferEndsTheLinkAtOnce_data()
{
    QTest::addColumn<int>("how"); // 0 close box, 1 language switch, 2 main window
    QTest::newRow("close box") << 0;
    QTest::newRow("language switch") << 1;
    QTest::newRow("main window") << 2;
}

void LinkTransfer::closingDuringATransferEndsTheLinkAtOnce()
{
    QFETCH(int, how);
    SimulatedRadioProgram p;
    p.randomizeRadio();
    markImage();
    // Nothing unsaved: the main window then closes without any question.
    testDocument().markSaved();
    const ImageCopy before = copyImage();
    Form_Comm_Read *read = p.openRead();
    click(read->Command_read);
    QVERIFY(waitUntil([&] { return p.radio.readRequests > 30; }, 5000));
    QPointer<Form_Comm_Read> old = read;
    if (how == 0)
        QVERIFY(p.registry().close(WindowId::Form_Comm_Read));
    else if (how == 1)
        p.main->menuItem(QStringLiteral("Language_chn"))->trigger();
    else
        p.main->close();
    runEventsFor(50); // bytes already handed to the system still arrive
    const int received = p.radio.received().size();
    runEventsFor(400);
    QCOMPARE(p.radio.received().size(), received);
    QVERIFY(copyImage() == before);
    QVERIFY(p.messages.texts().isEmpty());
    QTRY_VERIFY(old.isNull());
    if (how == 1) {
        // The reloaded window is idle.
        auto *fresh = p.window<Form_Comm_Read>(WindowId::Form_Comm_Read);
        QVERIFY(fresh);
        QVERIFY(!fresh->link->isBusy());
        QCOMPARE(fresh->Command_read->text(), QStringLiteral("读取"));
    }
}

// A link given rows moves each of them once, in address order, from the
// first frame on; a write drops rows outside 0..254, and with none left
// the link completes without waking the radio.
void LinkTransfer::partialLinkMovesExactlyTheGivenRows_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QList<int>>("given");
    QTest::addColumn<QList<int>>("moved");
    QTest::newRow("read") << false << QList<int>{252, 5, 0, 5} << QList<int>{0, 5, 252};
    QTest::newRow("read row 255") << false << QList<int>{255} << QList<int>{255};
    QTest::newRow("write") << true << QList<int>{3, 255, 1, 300, -2} << QList<int>{1, 3};
    QTest::newRow("write nothing but row 255") << true << QList<int>{255} << QList<int>{};
}

void LinkTransfer::partialLinkMovesExactlyTheGivenRows()
{
    QFETCH(bool, write);
    QFETCH(QList<int>, given);
    QFETCH(QList<int>, moved);
    RadioSimulator radio;
    QVERIFY(radio.start());
    for (char &b : radio.memory)
        b = char(QRandomGenerator::global()->bounded(256));
    const QByteArray before = radio.memory;
    Codeplug image;
    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RowBytes; ++c)
            image.at(r, c) = qint16((r * 7 + c * 3) % 256);
    PortSpec port;
    QVERIFY(PortSpec::parse(radio.devicePath(), port));
    PortDirectory ports;
    SerialLinkPort serial;
    serial.setPort(port, ports);
    LinkEngine link(write ? LinkKind::Write : LinkKind::Read, scaledTiming(), &serial);
    link.setCodeplug(image);
    link.setRows(given);
    bool completed = false;
    connect(&link, &LinkEngine::completed, this, [&] { completed = true; });
    link.start();
    QVERIFY(waitUntil([&] { return completed; }, 5000));

    QList<int> frameRows;
    for (const QByteArray &frame : radio.frames) {
        const int at = frame.startsWith('\x06') ? 1 : 0;
        if (frame.size() > at + 2 && (frame.at(at) == 'R' || frame.at(at) == 'W'))
            frameRows << ((quint8(frame.at(at + 1)) << 8) | quint8(frame.at(at + 2))) / 16;
    }
    QCOMPARE(frameRows, moved);
    QCOMPARE(radio.wakeUps, moved.isEmpty() ? 0 : 1);
    QCOMPARE(link.rowsSent(), write ? moved : QList<int>{});
    // A write changes the radio in the moved rows only, a read the image.
    const QByteArray givenImage = image.toByteArray(), afterImage = link.codeplug().toByteArray();
    for (int r = 0; r < RadioRows; ++r) {
        const QByteArray radioBefore = before.mid(r * 16, 16), imageBefore = givenImage.mid(r * 16, 16);
        if (write)
            QCOMPARE(radio.memory.mid(r * 16, 16), moved.contains(r) ? imageBefore : radioBefore);
        else
            QCOMPARE(afterImage.mid(r * 16, 16), moved.contains(r) ? radioBefore : imageBefore);
    }
}

QTEST_MAIN(LinkTransfer)
#include "tst_link_transfer.moc"
