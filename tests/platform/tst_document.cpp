// The windows' document: what one edit records and tells, undo and redo,
// joined steps, the working range as a step, and the bound of the history.
#include "platform/CodeplugDocument.h"

#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

namespace {

const EditLabel Label{QStringLiteral("测试"), QStringLiteral("test")};

// Sets byte 0 of each row to `value`.
std::function<void(Codeplug &)> setRows(const QList<int> &rows, int value)
{
    return [rows, value](Codeplug &image) {
        for (int r : rows)
            image.at(r, 0) = qint16(value);
    };
}

} // namespace

class TestDocument : public QObject {
    Q_OBJECT
private slots:
    void editUndoRedo_data();
    void editUndoRedo();
    void joinedSteps_data();
    void joinedSteps();
    void workingRangeSteps();
    void modifiedFollowsTheSavedState();
    void historyIsBounded_data();
    void historyIsBounded();
};

void TestDocument::editUndoRedo_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("recorded");
    QTest::newRow("nothing changes") << QList<int>{5} << 0 << false;
    QTest::newRow("one row") << QList<int>{5} << 7 << true;
    QTest::newRow("rows far apart") << QList<int>{200, 3} << 9 << true;
    QTest::newRow("first and last row") << QList<int>{0, 255} << 1 << true;
}

void TestDocument::editUndoRedo()
{
    QFETCH(QList<int>, rows);
    QFETCH(int, value);
    QFETCH(bool, recorded);
    CodeplugDocument document;
    const Codeplug before = document.image();
    QSignalSpy changed(&document, &CodeplugDocument::changed);
    QCOMPARE(document.edit(Label, setRows(rows, value)), recorded);
    QCOMPARE(document.history().count(), recorded ? 1 : 0);
    const Codeplug after = document.image();
    QCOMPARE(after != before, recorded);
    if (!recorded) {
        QCOMPARE(changed.count(), 0);
        QCOMPARE(document.undo(), QString());
        return;
    }
    const QList<QVariant> span{*std::min_element(rows.begin(), rows.end()), *std::max_element(rows.begin(), rows.end())};
    QCOMPARE(changed.takeFirst(), span);
    QCOMPARE(document.historyBytes() < 4 * 1024, true); // the rows, not the image

    QCOMPARE(document.undo(), QStringLiteral("测试")); // the windows start in Chinese
    QVERIFY(document.image() == before);
    QCOMPARE(changed.takeFirst(), span);
    QCOMPARE(document.redo(), QStringLiteral("测试"));
    QVERIFY(document.image() == after);
    QCOMPARE(changed.takeFirst(), span);
    QCOMPARE(document.redo(), QString());
}

void TestDocument::joinedSteps_data()
{
    QTest::addColumn<bool>("joinPrevious");
    QTest::addColumn<bool>("sameLabel");
    QTest::addColumn<int>("steps");
    QTest::newRow("typed, same field") << true << true << 1;
    QTest::newRow("typed, another field") << true << false << 2;
    QTest::newRow("not typed") << false << true << 2;
}

void TestDocument::joinedSteps()
{
    QFETCH(bool, joinPrevious);
    QFETCH(bool, sameLabel);
    QFETCH(int, steps);
    CodeplugDocument document;
    const Codeplug before = document.image();
    const EditLabel other{QStringLiteral("另"), QStringLiteral("other")};
    document.edit(Label, setRows({10}, 1), joinPrevious);
    document.edit(sameLabel ? Label : other, setRows({10, 11}, 2), joinPrevious);
    QCOMPARE(document.history().count(), steps);
    for (int i = 0; i < steps; ++i)
        document.undo();
    QVERIFY(document.image() == before);
}

void TestDocument::workingRangeSteps()
{
    CodeplugDocument document;
    QSignalSpy rangeChanged(&document, &CodeplugDocument::rangeChanged);
    // A window's load takes the image's range: no step of the user's.
    document.adoptWorkRange({400, 470});
    document.adoptWorkRange({400, 470});
    QCOMPARE(document.history().count(), 0);
    // The range panel: its rows and the range they hold, one step.
    QVERIFY(document.editWithRange(Label, [](Codeplug &image) {
        image.at(Region::RangeRow, 0) = 0x00;
        image.at(Region::RangeRow, 1) = 0x42;
        image.at(Region::RangeRow, 2) = 0x00;
        image.at(Region::RangeRow, 3) = 0x45;
    }));
    QCOMPARE(document.history().count(), 1);
    QCOMPARE(document.workRange().low, 420.0);
    QCOMPARE(document.workRange().high, 450.0);
    QCOMPARE(rangeChanged.count(), 2);
    document.undo();
    QCOMPARE(document.workRange().low, 400.0);
    QCOMPARE(document.workRange().high, 470.0);
    QCOMPARE(document.image().cell(Region::RangeRow, 1), qint16(0));
    QCOMPARE(rangeChanged.count(), 3);
}

// Modified: the image differs from the one last saved, opened, read or
// written; undo and redo back to it, even past the history's bound, and a
// live change outside the history count.
void TestDocument::modifiedFollowsTheSavedState()
{
    CodeplugDocument document;
    QSignalSpy modified(&document, &CodeplugDocument::modifiedChanged);
    document.edit(Label, setRows({10}, 1));
    QVERIFY(document.isModified());
    document.markSaved();
    QVERIFY(!document.isModified());
    document.edit(Label, setRows({11}, 2));
    document.undo();
    QVERIFY(!document.isModified());
    document.redo();
    QVERIFY(document.isModified());
    QCOMPARE(modified.count(), 5);
    // Saved, then whole-image steps past the 1 MB bound: the saved state's
    // step falls out of the history, and no undo gets back to it.
    document.markSaved();
    QList<int> all;
    for (int r = 0; r < 256; ++r)
        all << r;
    for (int i = 0; i < 90; ++i)
        document.edit(Label, setRows(all, i % 2 ? 3 : 4));
    while (document.canUndo()) {
        document.undo();
        QVERIFY(document.isModified());
    }
    // A live change outside the history counts as well.
    document.markSaved();
    document.followRadio([](Codeplug &image) { image.at(255, 0) = 9; });
    QVERIFY(document.isModified());
}

void TestDocument::historyIsBounded_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("rowsPerStep");
    QTest::addColumn<int>("rangeStep"); // this step sets the working range to <step>..470 instead
    QTest::newRow("many small steps: 100 kept") << 150 << 1 << 0;
    QTest::newRow("whole-image steps: 1 MB kept") << 90 << 256 << 0;
    QTest::newRow("a range change among them") << 90 << 256 << 80;
}

void TestDocument::historyIsBounded()
{
    QFETCH(int, steps);
    QFETCH(int, rowsPerStep);
    QFETCH(int, rangeStep);
    CodeplugDocument document;
    document.start(document.image(), {400, 470});
    QList<Codeplug> states{document.image()};
    QList<double> lows{document.workRange().low};
    for (int s = 1; s <= steps; ++s) {
        if (s == rangeStep)
            document.editWithRange(Label, [](Codeplug &image) { image.at(Region::RangeRow, 1) = 0x08; });
        else
            document.edit(Label, [&](Codeplug &image) {
                for (int r = 0; r < rowsPerStep; ++r)
                    image.at(r, s % RowBytes) = qint16(s);
            });
        states << document.image();
        lows << document.workRange().low;
    }
    const int kept = document.history().count();
    QVERIFY(kept <= CodeplugDocument::HistorySteps);
    QVERIFY(document.historyBytes() <= CodeplugDocument::HistoryBytes);
    if (rowsPerStep == 1)
        QCOMPARE(kept, CodeplugDocument::HistorySteps);
    else
        QVERIFY(kept > 40 && kept < steps); // about 17 KB a step
    // Bounding the history changed nothing; the newest steps undo in order.
    QVERIFY(document.image() == states.last());
    for (int k = 1; k <= kept; ++k) {
        QVERIFY(!document.undo().isEmpty());
        QVERIFY(document.image() == states.at(steps - k));
        QCOMPARE(document.workRange().low, lows.at(steps - k));
    }
    QCOMPARE(document.undo(), QString());
}

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
