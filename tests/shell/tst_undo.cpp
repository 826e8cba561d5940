// Undo and redo by the keys: every kind of edit is one step, undone or
// redone from another window, shown by the grid at once and named in status
// panel 2; an open text editor takes the keys for its own text first.
#include "channels/frm_chann.h"
#include "core/ChannelFile.h"
#include "core/ChannelRecord.h"
#include "files/DirList.h"
#include "platform/CodeplugDocument.h"
#include "platform/StatusPanels.h"
#include "platform/WindowLanguage.h"
#include "settings/SettingsTestSupport.h"
#include "support/TestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QRandomGenerator>
#include <QUndoStack>
#include <QTemporaryDir>

namespace {

enum Edit { GridCell, Clear, FileOpen, OptionControl, RangeLimit };

} // namespace

class TestUndo : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedProgram> program;

    frm_chann *grid() { return program->window<frm_chann>(WindowId::frm_chann); }
    QString status() { return program->main->statusPanels().text(StatusPanels::Outcome); }
    // Every row of the grid shows the document's channel.
    bool gridShowsImage()
    {
        for (int n = 1; n <= 128; ++n)
            if (grid()->cellText(n, 1) != (isChannelEmpty(Document(), n) ? QString() : channelRxText(Document(), n)))
                return false;
        return true;
    }
    void keys(QWidget *where, const QKeySequence &keys)
    {
        QTest::keySequence(where, keys);
        QApplication::processEvents();
    }
    void doEdit(Edit edit, const QString &folder);

private slots:
    void init()
    {
        program = std::make_unique<StartedProgram>();
        program->main->menuItem(QStringLiteral("Language_eng"))->trigger();
        activate(program->main.get());
        // A channel to change and to clear.
        QVERIFY(storeFrequencyPair(Document(), 5, Frequency::fromMHz(430), Frequency::fromMHz(440), GridDirectionByte));
        grid()->Form_Activate();
    }
    void cleanup() { program.reset(); }

    void editUndoneFromAnotherWindow_data();
    void editUndoneFromAnotherWindow();
    void textEditorTakesTheKeysFirst();
    void randomEditsKeepTheHistory();
};

void TestUndo::doEdit(Edit edit, const QString &folder)
{
    switch (edit) {
    case GridCell: {
        auto *table = grid()->MSF_chann;
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(4, 1)).center());
        QTest::keyClicks(grid()->Text_Edit, QStringLiteral("435"));
        QTest::keyClick(grid()->Text_Edit, Qt::Key_Return);
        break;
    }
    case Clear:
        QTest::mouseClick(grid()->Command_Clear, Qt::LeftButton);
        QCOMPARE(status(), QStringLiteral("Cleared all channels (Ctrl+Z undoes)"));
        break;
    case FileOpen: {
        {
            ImageHandle document;
            Codeplug other = document;
            markChannelEmpty(other, 5);
            QString error;
            QVERIFY(saveChannelFile(QDir(folder).filePath(QStringLiteral("other.chann")), other, error, Language::English));
        }
        ChildWindow *open = program->registry().reopen(WindowId::Form_open_chann);
        open->findChild<DirList *>("Dir1")->setPath(folder);
        QTest::keyClicks(open->findChild<QLineEdit *>("Text1"), QStringLiteral("other.chann"));
        QTest::mouseClick(open->findChild<QPushButton *>("Command_enter"), Qt::LeftButton);
        break;
    }
    case OptionControl:
        program->registry().reopen(WindowId::frm_option);
        clickListItem(program->registry().get(WindowId::frm_option)->findChild<QComboBox *>("Combo_TOT"), 3);
        break;
    case RangeLimit: {
        ChildWindow *option = program->registry().reopen(WindowId::frm_option);
        auto *lower = option->findChild<QLineEdit *>("Text_pvfo_d0");
        clickInto(lower);
        QTest::keyClick(lower, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(lower, QStringLiteral("420"));
        clickInto(option->findChild<QLineEdit *>("Text_pvfo_d1"));
        QCOMPARE(testDocument().workRange().low, 420.0);
        break;
    }
    }
}

void TestUndo::editUndoneFromAnotherWindow_data()
{
    QTest::addColumn<int>("edit");
    QTest::addColumn<QString>("label");
    QTest::newRow("grid cell") << int(GridCell) << "channel 5 receive frequency";
    QTest::newRow("Clear") << int(Clear) << "clear of all channels";
    QTest::newRow("file opened") << int(FileOpen) << "opening other.chann";
    QTest::newRow("option control") << int(OptionControl) << "time out timer[min]";
    QTest::newRow("range limit") << int(RangeLimit) << "frequncy range";
}

void TestUndo::editUndoneFromAnotherWindow()
{
    QFETCH(int, edit);
    QFETCH(QString, label);
    QTemporaryDir folder;
    const Codeplug before = Document();
    const WorkRange rangeBefore = testDocument().workRange();
    doEdit(Edit(edit), folder.path());
    const Codeplug after = Document();
    QVERIFY(after != before);
    QVERIFY(gridShowsImage());

    // From the option window, with no text editor in focus. (A list's
    // closed popup may still be the active window offscreen.)
    activate(program->main.get());
    ChildWindow *other = program->registry().reopen(WindowId::frm_option);
    QWidget *button = other->findChild<QPushButton *>("Command_close");
    button->setFocus();
    keys(button, QKeySequence(Qt::CTRL | Qt::Key_Z));
    QVERIFY(testDocument().image() == before);
    QCOMPARE(testDocument().workRange().low, rangeBefore.low);
    QVERIFY(gridShowsImage());
    QCOMPARE(status(), QStringLiteral("Undone: ") + label);

    keys(button, QKeySequence(Qt::CTRL | Qt::Key_Y));
    QVERIFY(testDocument().image() == after);
    QVERIFY(gridShowsImage());
    QCOMPARE(status(), QStringLiteral("Redone: ") + label);
    keys(button, QKeySequence(Qt::CTRL | Qt::Key_Z));
    keys(button, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QVERIFY(testDocument().image() == after);

    // Chinese names the step in Chinese.
    program->main->menuItem(QStringLiteral("Language_chn"))->trigger();
    keys(program->main.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QVERIFY(status().startsWith(QStringLiteral("已撤销：")));
    QVERIFY(testDocument().image() == before);

    // A new change makes that note stale; with nothing left, the keys say so.
    Img(9, 0) = 0x12;
    QCOMPARE(status(), QString());
    keys(program->main.get(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    QCOMPARE(status(), QStringLiteral("没有可重做的操作"));
    testDocument().history().clear();
    keys(program->main.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(status(), QStringLiteral("没有可撤销的操作"));
}

void TestUndo::textEditorTakesTheKeysFirst()
{
    auto *table = grid()->MSF_chann;
    doEdit(GridCell, QString());
    const Codeplug committed = Document();
    // A cell editor open with typed text: Ctrl+Z undoes the typing only.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(4, 7)).center());
    QLineEdit *editor = grid()->Text_Edit;
    QVERIFY(editor->isVisible() && editor->hasFocus());
    QTest::keyClicks(editor, QStringLiteral("XY"));
    keys(editor, QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(editor->text(), QString());
    QVERIFY(testDocument().image() == committed);
    keys(editor, QKeySequence(Qt::CTRL | Qt::Key_Y));
    QCOMPARE(editor->text(), QStringLiteral("XY"));
    QVERIFY(testDocument().image() == committed);
    QVERIFY(status().isEmpty());
    // Once the box has nothing left of its own to undo, the key reaches the
    // document.
    keys(editor, QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(editor->text(), QString());
    keys(editor, QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(status(), QStringLiteral("Undone: channel 5 receive frequency"));
}

// With every channel window and the option window open, redraws during
// undo and redo never push a step: the history holds exactly the edits made,
// and redo stays available after an undo.
void TestUndo::randomEditsKeepTheHistory()
{
    program->registry().reopen(WindowId::frm_option);
    QTest::mouseClick(grid()->Command_Edit, Qt::LeftButton);
    ChildWindow *editor = program->registry().get(WindowId::Form_Chann_Edit);
    QVERIFY(editor);
    auto *power = editor->findChild<QComboBox *>("Combo_TXP");
    auto *closeButton = editor->findChild<QPushButton *>("Command_close");
    QRandomGenerator random(31);
    // Empty channels whose editor names a grid delete left behind: a redraw
    // that settled them would push a step.
    for (int n = 6; n <= 8; ++n)
        storeEditorName(Document(), n, QStringLiteral("Z"));
    // The steps that made channel 5 stay: the editor's list needs it.
    const int base = testDocument().history().index();
    int done = base, undone = 0;
    for (int step = 0; step < 50; ++step) {
        // A list's closed popup may still be the active window offscreen.
        activate(program->main.get());
        // First a channel made and taken back while the editor shows it.
        switch (step < 2 ? 2 * step : random.bounded(4)) {
        case 0: { // a receive frequency typed into the grid
            const int row = step == 0 ? 5 : 4 + random.bounded(4);
            auto *table = grid()->MSF_chann;
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualRect(table->model()->index(row, 1)).center());
            QTest::keyClick(grid()->Text_Edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(grid()->Text_Edit, QString::number(401 + step));
            QTest::keyClick(grid()->Text_Edit, Qt::Key_Return);
            QTest::keyClick(grid()->Text_Edit, Qt::Key_Escape);
            ++done;
            undone = 0;
            break;
        }
        case 1: { // another power level of channel 5 in the editor
            auto *number = editor->findChild<QLineEdit *>("Text_CHN");
            clickInto(number);
            QTest::keyClick(number, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(number, QStringLiteral("5"));
            clickListItem(power, (power->currentIndex() + 1) % 3);
            ++done;
            undone = 0;
            break;
        }
        case 2:
            if (done > base) {
                closeButton->setFocus();
                keys(closeButton, QKeySequence(Qt::CTRL | Qt::Key_Z));
                --done;
                ++undone;
            }
            break;
        default:
            closeButton->setFocus();
            keys(closeButton, QKeySequence(Qt::CTRL | Qt::Key_Y));
            if (undone > 0) {
                --undone;
                ++done;
            }
            break;
        }
        QCOMPARE(testDocument().history().index(), done);
        QCOMPARE(testDocument().history().count(), done + undone);
        QCOMPARE(testDocument().canRedo(), undone > 0);
    }
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
