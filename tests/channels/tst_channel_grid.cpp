// The channel grid driven as a person does: clicks on cells, typing, Enter,
// the in-place combo box, the buttons.
#include "core/ChannelRecord.h"
#include "channels/PendingNameEdit.h"
#include "channels/frm_chann.h"
#include "core/Codecs.h"
#include "core/ToneTable.h"
#include "support/TestImage.h"
#include "support/ImageBytes.h"
#include "support/TestSupport.h"

#include "core/ChannelFile.h"
#include "core/ChannelRows.h"
#include "core/SettingPlaces.h"
#include "platform/StatusPanels.h"
#include "shell/MDImain.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

// Channel n as the grid creates it, with receive 430 MHz and transmit
// 440 MHz (plus 10 MHz) and the name "AB".
void putChannel(int n)
{
    QVERIFY(storeFrequencyPair(Document(), n, Frequency::fromMHz(430), Frequency::fromMHz(440), GridDirectionByte));
    Img(n, 8) = 0;
    Img(n, 9) = 0;
    Img(n, 10) = qint16((Img(n, 10) & 0xC0) | 0x03);
    storeGridName(Document(), n, QStringLiteral("AB"));
}

// Channel n in use, simplex on `rx` MHz, named `name`.
void putNamed(int n, double rx, const QString &name)
{
    QVERIFY(storeFrequencyPair(Document(), n, Frequency::fromMHz(rx), Frequency::fromMHz(rx), GridDirectionByte));
    Img(n, 8) = 0;
    Img(n, 9) = 0;
    Img(n, 10) = qint16((Img(n, 10) & 0xC0) | 0x03);
    storeGridName(Document(), n, name);
    storeEditorName(Document(), n, name);
}

// Chooses `path` ("Sort/By name") in the context menu that the next key
// opens, as a person does once it shows.
void chooseInMenu(const QString &path)
{
    QTimer::singleShot(10, [path] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return chooseInMenu(path);
        const QStringList steps = path.split(QLatin1Char('/'));
        QMenu *holder = steps.size() > 1 ? menu->findChild<QMenu *>(steps.first()) : menu;
        for (QAction *action : holder ? holder->actions() : QList<QAction *>{})
            if (action->objectName() == steps.last() || action->text() == steps.last())
                action->trigger();
        menu->close();
    });
}

} // namespace

class tst_channel_grid : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedProgram> program;
    frm_chann *grid = nullptr;
    QTableView *table = nullptr;
    QLineEdit *edit = nullptr;
    QComboBox *combo = nullptr;

    // Reopens the grid as the menu does, so it shows the image as it is.
    void openGrid()
    {
        program->main->menuItem(QStringLiteral("Channel_edit"))->trigger();
        grid = program->window<frm_chann>(WindowId::frm_chann);
        QVERIFY(grid);
        table = grid->findChild<QTableView *>(QStringLiteral("MSF_chann"));
        edit = grid->findChild<QLineEdit *>(QStringLiteral("Text_Edit"));
        combo = grid->findChild<QComboBox *>(QStringLiteral("Combo_edit"));
        QVERIFY(table && edit && combo);
    }
    void clickCell(int row, int column)
    {
        const QModelIndex item = table->model()->index(row - 1, column);
        table->scrollTo(item);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(item).center());
    }
    void typeInto(int row, int column, const QString &text)
    {
        clickCell(row, column);
        QVERIFY(edit->isVisible());
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    QString cell(int row, int column) { return grid->cellText(row, column); }
    void selectInCombo(int position) { clickListItem(combo, position); }

private slots:
    void init()
    {
        program = std::make_unique<StartedProgram>();
        program->main->menuItem(QStringLiteral("Language_eng"))->trigger();
        openGrid();
        program->messages.clear();
    }
    void cleanup()
    {
        program.reset();
    }

    void startsOpenOnEmptyImage()
    {
        QVERIFY(program->session().isWindowOpen(WindowId::frm_chann));
        QCOMPARE(table->model()->rowCount(), 128);
        QCOMPARE(table->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("RX Frequency"));
        QCOMPARE(table->model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral(" TX Power "));
        QCOMPARE(cell(128, 0), QStringLiteral("128"));
        QCOMPARE(cell(1, 1), QString());
        QCOMPARE(grid->windowTitle(), QStringLiteral("Channel Information [ Channel - 1 ]"));
        // Headers and full frequencies fit their columns.
        const QFontMetrics metrics(table->font());
        QVERIFY(table->columnWidth(1) > metrics.horizontalAdvance(QStringLiteral("438.12500")));
        QVERIFY(table->columnWidth(4) > QFontMetrics(table->horizontalHeader()->font())
                                              .horizontalAdvance(QStringLiteral("CTCSS/DCS Enc")));
    }

    // Keys after a click on a cell: arrows move between cells, Enter and F2
    // open the cell's editor, Escape closes it without a commit and gives
    // the arrows back to the grid.
    void keyboardMovesAndOpensEditors_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("endRow");
        QTest::addColumn<int>("endColumn");
        QTest::addColumn<QString>("editor");
        QTest::newRow("arrows from a cell without editor") << 3 << "Right Down Down" << 4 << 4 << "";
        QTest::newRow("Escape, then arrows") << 1 << "Esc Down Right" << 3 << 2 << "";
        QTest::newRow("Enter opens the text editor") << 3 << "Left Left Up Return" << 1 << 1 << "Text_Edit";
        QTest::newRow("F2 opens the list") << 1 << "Esc Up Right Right F2" << 1 << 3 << "Combo_edit";
        QTest::newRow("Escape from the list") << 1 << "Esc Up Right Right F2 Esc Down" << 2 << 3 << "";
        QTest::newRow("typing then Escape commits nothing") << 1 << "4 3 8 Esc Down" << 3 << 1 << "";
    }
    void keyboardMovesAndOpensEditors()
    {
        QFETCH(int, column);
        QFETCH(QString, keys);
        QFETCH(int, endRow);
        QFETCH(int, endColumn);
        QFETCH(QString, editor);
        putChannel(1);
        program->main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->main.get()));
        openGrid();
        const QList<int> before = rowBytes(2);
        clickCell(2, column);
        const QMap<QString, Qt::Key> names{{"Right", Qt::Key_Right}, {"Left", Qt::Key_Left},
                                           {"Up", Qt::Key_Up},       {"Down", Qt::Key_Down},
                                           {"Return", Qt::Key_Return}, {"F2", Qt::Key_F2},
                                           {"Esc", Qt::Key_Escape}};
        for (const QString &key : keys.split(QLatin1Char(' '))) {
            QWidget *target = QApplication::focusWidget();
            QVERIFY(target);
            if (names.contains(key))
                QTest::keyClick(target, names.value(key));
            else
                QTest::keyClicks(target, key);
        }
        QCOMPARE(grid->currentGridRow(), endRow);
        QCOMPARE(grid->currentGridColumn(), endColumn);
        QCOMPARE(edit->isVisible(), editor == QLatin1String("Text_Edit"));
        QCOMPARE(combo->isVisible(), editor == QLatin1String("Combo_edit"));
        QCOMPARE(QApplication::focusWidget() == table, editor.isEmpty());
        QCOMPARE(rowBytes(2), before);
    }

    // Every rebuild makes the stored channel's first cell current, so the
    // first key moves or edits; only typing, Enter or F2 opens an editor.
    void currentCellAfterEveryRebuild_data()
    {
        QTest::addColumn<int>("storedChannel"); // 0: as loaded
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("row");
        QTest::newRow("after loading") << 0 << "" << 1;
        QTest::newRow("activated on channel 9") << 9 << "" << 9;
        QTest::newRow("typing opens the editor") << 0 << "43" << 1;
        QTest::newRow("typing on channel 9") << 9 << "4" << 9;
    }
    void currentCellAfterEveryRebuild()
    {
        QFETCH(int, storedChannel);
        QFETCH(QString, typed);
        QFETCH(int, row);
        putChannel(1);
        const QList<int> before = rowBytes(1);
        if (storedChannel) {
            testDocument().setCurrentChannel(storedChannel);
            grid->Form_Activate();
        }
        QCOMPARE(grid->currentGridRow(), row);
        QCOMPARE(grid->currentGridColumn(), 1);
        program->main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->main.get()));
        table->setFocus();
        for (QChar c : typed)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QCOMPARE(edit->isVisible(), !typed.isEmpty());
        QCOMPARE(edit->text(), typed);
        QCOMPARE(rowBytes(1), before);
        QCOMPARE(testDocument().currentChannel(), row);
    }

    void enteringReceiveCreatesChannel()
    {
        typeInto(3, 1, QStringLiteral("438.125"));
        QCOMPARE(rowBytes(3), (QList<int>{0x00, 0x25, 0x81, 0x43, 0, 0, 0, 0, 0, 0, 3, 255, 255,
                                          255, 255, 255}));
        const QStringList shown{cell(3, 1), cell(3, 2), cell(3, 3), cell(3, 4),
                                cell(3, 5), cell(3, 6), cell(3, 7)};
        QCOMPARE(shown, (QStringList{"438.12500", "438.12500", "OFF", "OFF", "High", "Wide", ""}));
        // Enter moved on to the transmit cell with its editor.
        QCOMPARE(grid->currentGridRow(), 3);
        QCOMPARE(grid->currentGridColumn(), 2);
        QVERIFY(edit->isVisible());
        QCOMPARE(edit->text(), QStringLiteral("438.12500"));
        QVERIFY(program->messages.messages.isEmpty());
    }

    void receiveEntries_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("refused");
        QTest::newRow("whole MHz padded") << 400.0 << "438" << "438.00000" << false;
        QTest::newRow("one decimal padded") << 400.0 << "438.5" << "438.50000" << false;
        QTest::newRow("snapped to the raster") << 400.0 << "438.0124" << "438.01000" << false;
        QTest::newRow("lower limit accepted") << 400.0 << "400" << "400.00000" << false;
        QTest::newRow("upper limit refused") << 400.0 << "470" << "400.00000" << true;
        QTest::newRow("two digits below the range") << 400.0 << "88" << "400.00000" << true;
        QTest::newRow("1000 MHz and more") << 400.0 << "1200" << "400.00000" << true;
        QTest::newRow("not a number") << 400.0 << "abc" << "400.00000" << true;
        QTest::newRow("two digits in a low range are MHz") << 50.0 << "88" << "88.00000" << false;
        QTest::newRow("trailing space") << 400.0 << "438 " << "438.00000" << false;
        QTest::newRow("leading space") << 400.0 << " 438.5" << "438.50000" << false;
        QTest::newRow("space inside the number") << 400.0 << "4 38" << "400.00000" << true;
    }
    void receiveEntries()
    {
        QFETCH(double, low);
        QFETCH(QString, entry);
        QFETCH(QString, shown);
        QFETCH(bool, refused);
        setWorkRange(low, testDocument().workRange().high);
        typeInto(6, 1, entry);
        QCOMPARE(cell(6, 1), shown);
        QCOMPARE(FreqFromBytes(Img(6, 0), Img(6, 1), Img(6, 2), Img(6, 3)), shown);
        QCOMPARE(program->messages.texts(),
                 refused ? QStringList{"Over the range of receive frequency ."} : QStringList{});
    }

    void receiveAboveRangeKeepsAbsoluteTransmit()
    {
        putChannel(5);
        openGrid();
        typeInto(5, 1, QStringLiteral("480"));
        QCOMPARE(program->messages.texts(), QStringList{"Over the range of receive frequency ."});
        QCOMPARE(cell(5, 1), QStringLiteral("400.00000"));
        QCOMPARE(cell(5, 2), QStringLiteral("440.00000"));
        QCOMPARE(channelTransmit(Document(), 5, GridDirectionByte).mhz(), 440.0);
        QCOMPARE(int(Img(5, 10)) >> 6, 1);
    }

    void transmitEntries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("minus") << "425.5" << "425.50000" << 2 << QStringList{};
        QTest::newRow("same as receive") << "430" << "430.00000" << 0 << QStringList{};
        QTest::newRow("upper limit refused")
            << "470" << "400.00000" << 2 << QStringList{"Over the range of transmit frequency ."};
        QTest::newRow("emptied makes simplex") << "" << "430.00000" << 0 << QStringList{};
        QTest::newRow("trailing space keeps the shift") << "440 " << "440.00000" << 1 << QStringList{};
        QTest::newRow("leading space") << " 425.5" << "425.50000" << 2 << QStringList{};
        QTest::newRow("space inside the number")
            << "44 0" << "400.00000" << 2 << QStringList{"Over the range of transmit frequency ."};
    }
    void transmitEntries()
    {
        QFETCH(QString, entry);
        QFETCH(QString, shown);
        QFETCH(int, direction);
        QFETCH(QStringList, messages);
        putChannel(5);
        openGrid();
        clickCell(5, 2);
        QTest::keyClick(edit, Qt::Key_Backspace); // the opened text is selected
        QTest::keyClicks(edit, entry);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(cell(5, 2), shown);
        QCOMPARE(int(Img(5, 10)) >> 6, direction);
        QCOMPARE(program->messages.texts(), messages);
        QCOMPARE(cell(5, 1), QStringLiteral("430.00000"));
        QCOMPARE(cell(5, 7), QStringLiteral("AB"));
    }

    void transmitBeforeReceiveStoresNothing()
    {
        typeInto(7, 2, QStringLiteral("440"));
        QCOMPARE(program->messages.texts(), QStringList{"Please input the receive frequency in advance."});
        QCOMPARE(rowBytes(7), QList<int>(16, 255));
        // Both cells of the row being empty, Enter went on to the next row.
        QCOMPARE(grid->currentGridRow(), 8);
        QCOMPARE(grid->currentGridColumn(), 1);
    }

    void emptyingReceiveDeletesChannel()
    {
        putChannel(5);
        openGrid();
        clickCell(5, 1);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(rowBytes(5), QList<int>(16, 255));
        QCOMPARE(cell(5, 1) + cell(5, 2) + cell(5, 3) + cell(5, 7), QString());
        QVERIFY(program->messages.messages.isEmpty());
    }

    void toneSelection_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("preset");   // byte 10 before
        QTest::addColumn<int>("codeByte");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("flags");    // byte 10 after
        QTest::newRow("decode position 200 sets bit 4") << 3 << 200 << 0x4B << 8 << 96 << 0x5B;
        QTest::newRow("encode position 155 sets bit 5") << 4 << 155 << 0x4B << 9 << 51 << 0x6B;
        QTest::newRow("decode CTCSS clears bit 4") << 3 << 50 << 0x7B << 8 << 50 << 0x6B;
        QTest::newRow("encode off clears bit 5") << 4 << 0 << 0x7B << 9 << 0 << 0x5B;
        QTest::newRow("power Low") << 5 << 0 << 0x4B << 8 << 60 << 0x4A;
        QTest::newRow("bandwidth Narrow") << 6 << 0 << 0x4B << 8 << 60 << 0x49;
    }
    void toneSelection()
    {
        QFETCH(int, column);
        QFETCH(int, position);
        QFETCH(int, preset);
        QFETCH(int, codeByte);
        QFETCH(int, code);
        QFETCH(int, flags);
        putChannel(5);
        Img(5, 8) = 60;
        Img(5, 9) = 60;
        Img(5, 10) = qint16(preset);
        openGrid();
        clickCell(5, column);
        QVERIFY(combo->isVisible());
        QVERIFY(!edit->isVisible());
        selectInCombo(position);
        QCOMPARE(int(Img(5, codeByte)), code);
        QCOMPARE(int(Img(5, 10)), flags);
        const QString chosen = combo->currentText();
        QCOMPARE(chosen, column == 5 ? QStringLiteral("Low")
                         : column == 6 ? QStringLiteral("Narrow")
                         : position == 0 ? QStringLiteral("OFF")
                                         : ToneTable::instance().text(position));
        clickCell(9, 1);
        QCOMPARE(cell(5, column), chosen);
    }

    void comboRefusesTyping()
    {
        putChannel(5);
        openGrid();
        clickCell(5, 5);
        const QList<int> before = rowBytes(5);
        QTest::keyClicks(combo, QStringLiteral("Lxz"));
        QCOMPARE(combo->currentText(), QStringLiteral("High"));
        QCOMPARE(rowBytes(5), before);
        // Enter goes on to the bandwidth cell.
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(grid->currentGridColumn(), 6);
        QCOMPARE(combo->currentText(), QStringLiteral("Wide"));
        QCOMPARE(cell(5, 5), QStringLiteral("High"));
    }

    void emptyRowOpensNoSelector()
    {
        for (int column = 3; column <= 7; ++column) {
            clickCell(9, column);
            QVERIFY(!combo->isVisible());
            QVERIFY(!edit->isVisible());
        }
        QCOMPARE(rowBytes(9), QList<int>(16, 255));
    }

    void nameTakesFiveCharacters()
    {
        putChannel(5);
        openGrid();
        clickCell(5, 7);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, QStringLiteral("abcdef"));
        QCOMPARE(edit->text(), QStringLiteral("abcde"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(grid->currentGridRow(), 6);
        QCOMPARE(grid->currentGridColumn(), 1);
        QVERIFY(edit->isVisible());
        QCOMPARE(cell(5, 7), QStringLiteral("ABCDE"));
        QCOMPARE(rowBytes(5).mid(10), (QList<int>{0x4B, 12, 13, 14, 15, 16}));
    }

    void frequencyKeysStopAfterTenCharacters()
    {
        clickCell(4, 1);
        QTest::keyClicks(edit, QStringLiteral("438.1250000000"));
        QCOMPARE(edit->text(), QStringLiteral("438.125000"));
        // Enter is refused too until the text is shortened.
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(grid->currentGridColumn(), 1);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(cell(4, 1), QStringLiteral("438.12500"));
    }

    void movingAroundNeverDeletes()
    {
        putChannel(2);
        putChannel(3);
        openGrid();
        const QList<int> two = rowBytes(2), three = rowBytes(3);
        table->setFocus();
        table->setCurrentIndex(table->model()->index(1, 1));
        for (int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right,
                        Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Left, Qt::Key_Up})
            QTest::keyClick(table, Qt::Key(key));
        // A click on an empty row's tone cell opens nothing; leaving it commits nothing.
        clickCell(9, 3);
        QTest::keyClick(table, Qt::Key_Up);
        clickCell(3, 7);
        clickCell(2, 3);
        QCOMPARE(rowBytes(2), two);
        QCOMPARE(rowBytes(3), three);
        QCOMPARE(cell(2, 7), QStringLiteral("AB"));
        QVERIFY(program->messages.messages.isEmpty());
    }

    void focusLossCommitsOnlyWhileWriting()
    {
        program->main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->main.get()));
        auto *help = grid->findChild<QPushButton *>(QStringLiteral("Command_help"));
        clickCell(3, 1);
        QTest::keyClicks(edit, QStringLiteral("439"));
        help->setFocus(Qt::MouseFocusReason);
        QCOMPARE(rowBytes(3), QList<int>(16, 255));
        program->session().setWindowOpen(WindowId::Form_Comm_Write, true); // the write window is open
        edit->setFocus(Qt::MouseFocusReason);
        help->setFocus(Qt::MouseFocusReason);
        program->session().setWindowOpen(WindowId::Form_Comm_Write, false);
        QCOMPARE(cell(3, 1), QStringLiteral("439.00000"));
        QCOMPARE(rowBytes(3).mid(0, 4), (QList<int>{0x00, 0x00, 0x90, 0x43}));
    }

    void clickSetsCaptionAndChannel()
    {
        clickCell(12, 2);
        QCOMPARE(grid->windowTitle(), QStringLiteral("Channel Information [ Channel - 12 ]"));
        QCOMPARE(testDocument().currentChannel(), 12);
    }

    void pendingNameCommittedForOtherWindows()
    {
        putChannel(4);
        openGrid();
        CommitPendingGridNameEdit(program->registry()); // nothing open: nothing happens
        QCOMPARE(cell(4, 7), QStringLiteral("AB"));
        clickCell(4, 7);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, QStringLiteral("xy"));
        CommitPendingGridNameEdit(program->registry());
        QCOMPARE(rowBytes(4).mid(10, 4), (QList<int>{0x4B, 35, 36, 255}));
        QCOMPARE(cell(4, 7), QStringLiteral("XY"));
    }

    void showsRecordsAsStored_data()
    {
        QTest::addColumn<QList<int>>("record");
        QTest::addColumn<QStringList>("shown"); // columns 1 to 7
        QTest::newRow("direction 3 is simplex")
            << QList<int>{0x00, 0x00, 0x50, 0x14, 0x00, 0x00, 0x00, 0x05, 0, 0, 0xC3, 255, 255, 255, 255, 255}
            << QStringList{"145.00000", "145.00000", "OFF", "OFF", "High", "Wide", ""};
        QTest::newRow("plus to 145.0125, name bit clear")
            << QList<int>{0x00, 0x00, 0x00, 0x14, 0x50, 0x12, 0x50, 0x00, 12, 0, 0x40, 12, 13, 255, 255, 255}
            << QStringList{"140.00000", "145.01250", ToneTable::instance().listText(12), "OFF", "Low", "Narrow", ""};
        QTest::newRow("editor bytes: tone beyond the list blank")
            << QList<int>{0x00, 0x00, 0x80, 0x43, 0x00, 0x00, 0x00, 0x00, 255, 255, 255, 255, 6, 0, 255, 255}
            << QStringList{"438.00000", "438.00000", "", "", "High", "Wide", "60"};
        QTest::newRow("empty marker hides everything")
            << QList<int>{255, 0x00, 0x80, 0x43, 0, 0, 0, 0, 0, 0, 0x0B, 12, 13, 255, 255, 255}
            << QStringList{"", "", "", "", "", "", ""};
    }
    void showsRecordsAsStored()
    {
        QFETCH(QList<int>, record);
        QFETCH(QStringList, shown);
        for (int c = 0; c < 16; ++c)
            Img(11, c) = qint16(record[c]);
        openGrid();
        QStringList cells;
        for (int column = 1; column <= 7; ++column)
            cells << cell(11, column);
        QCOMPARE(cells, shown);
        // Showing writes nothing, an empty record's leftovers included.
        QCOMPARE(rowBytes(11), record);
    }

    void clearEmptiesEverythingWithoutAsking()
    {
        putChannel(1);
        putChannel(128);
        storeEditorName(Document(), 7, QStringLiteral("ZZ"));
        openGrid();
        QTest::mouseClick(grid->findChild<QPushButton *>(QStringLiteral("Command_Clear")), Qt::LeftButton);
        for (int row = 1; row <= 199; ++row)
            if (row <= 128 || row >= 160)
                QCOMPARE(rowBytes(row), QList<int>(16, 255));
        QCOMPARE(cell(1, 1) + cell(128, 7), QString());
        QVERIFY(program->messages.messages.isEmpty());
    }

    // Gestures on many cells and whole channels, by keys and the context
    // menu: what the channels show after, where the priority channel went,
    // what panel 2 says, and that one undo gives the image back.
    void bulkGestures_data()
    {
        QTest::addColumn<QString>("clipboard"); // text put on the clipboard first; "@128": channel 128 in use
        QTest::addColumn<QString>("gesture");   // "r,c" a click, "#n" a click on a number, keys, "menu:" a choice
        QTest::addColumn<int>("column");         // the column shown
        QTest::addColumn<QString>("shown");      // its cells of channels 1..7
        QTest::addColumn<int>("priority");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("message");    // the start of a refusal, or empty
        const QString names = "E,B,D,A,C,,";
        QTest::newRow("channels copied and pasted byte for byte")
            << "" << "#1 S-#2 C-c 6,1 C-v" << 7 << "E,B,D,A,C,E,B" << 3 << "Pasted 2 channels" << "";
        QTest::newRow("names copied and pasted as text")
            << "" << "1,7 S-Down C-c 4,7 C-v" << 7 << "E,B,D,E,B,," << 3 << "Pasted 2 channels" << "";
        QTest::newRow("spreadsheet text with a header")
            << "Name\tRX Frequency\nX\t440\n" << "6,3 C-v" << 1
            << "435.00000,432.00000,431.00000,434.00000,433.00000,440.00000," << 3 << "Pasted 1 channel" << "";
        QTest::newRow("a refused value pastes nothing")
            << "436\n999" << "1,1 C-v" << 7 << names << 3 << "" << "Nothing was pasted:\nchannel 2, RX Frequency, \"999\"";
        QTest::newRow("a name on a channel not in use") << "X" << "7,7 C-v" << 7 << names << 3 << ""
                                                        << "Nothing was pasted:\nchannel 7, Name, \"X\": the channel has no";
        QTest::newRow("paste past channel 128") << "" << "#1 S-#2 C-c 128,1 C-v" << 7 << names << 3 << ""
                                                 << "Not enough channels: the paste needs channels 128–129";
        QTest::newRow("a name filled by Ctrl+Enter")
            << "" << "1,7 S-Down S-Down ZZ C-Return" << 7 << "ZZ,ZZ,ZZ,A,C,," << 3 << "Set Name of channels 1–3" << "";
        QTest::newRow("power set from the menu")
            << "" << "4,5 S-Down menu:Set_for_selected_channels/Low S-F10" << 5 << "High,High,High,Low,Low,," << 3
            << "Set TX Power of channels 4–5" << "";
        QTest::newRow("a frequency fill refused") << "" << "1,2 S-Down 480 C-Return" << 7 << names << 3 << ""
                                                  << "Nothing was filled:\nchannel 1, TX Frequency, \"480\"";
        QTest::newRow("cut") << "" << "4,1 S-Space C-x" << 7 << "E,B,D,,C,," << 3 << "Cut channel 4" << "";
        QTest::newRow("Delete empties") << "" << "2,1 S-Down Del" << 7 << "E,,,A,C,," << 3 << "Emptied channels 2–3" << "";
        QTest::newRow("Insert pushes the priority channel down")
            << "" << "2,1 Ins" << 7 << "E,,B,D,A,C," << 4 << "Inserted a channel at 2" << "";
        QTest::newRow("Insert refused while channel 128 is in use")
            << "@128" << "2,1 Ins" << 7 << names << 3 << "" << "Channel 128 is in use";
        QTest::newRow("Ctrl+Delete pulls it up") << "" << "1,4 C-Del" << 7 << "B,D,A,C,,," << 2 << "Removed channel 1" << "";
        QTest::newRow("a removed priority channel stays named")
            << "" << "3,1 C-Del" << 7 << "E,B,A,C,,," << 3 << "Removed channel 3; Priority Channel still names channel 3, which is gone" << "";
        QTest::newRow("Alt+Up moves a block")
            << "" << "3,1 S-Down A-Up" << 7 << "E,D,A,B,C,," << 2 << "Moved channels 3–4 up" << "";
        QTest::newRow("Alt+Down") << "" << "#2 A-Down" << 7 << "E,D,B,A,C,," << 2 << "Moved channel 2 down" << "";
        QTest::newRow("sorted by receive frequency")
            << "" << "1,1 menu:Sort/By_receive_frequency S-F10" << 7 << "D,B,C,A,E,," << 1
            << "Sorted channels 1–128 by receive frequency" << "";
        QTest::newRow("selected channels sorted by name")
            << "" << "#1 S-#3 menu:Sort/By_name S-F10" << 7 << "B,D,E,A,C,," << 2 << "Sorted channels 1–3 by name" << "";
    }
    void bulkGestures()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, gesture);
        QFETCH(int, column);
        QFETCH(QString, shown);
        QFETCH(int, priority);
        QFETCH(QString, panel);
        QFETCH(QString, message);
        const QStringList names{"E", "B", "D", "A", "C"};
        const double receive[] = {435, 432, 431, 434, 433};
        for (int n = 1; n <= 5; ++n)
            putNamed(n, receive[n - 1], names.at(n - 1));
        storeSetting(Document(), SettingId::PriorityChannel, 3);
        if (clipboard == QLatin1String("@128"))
            putNamed(128, 440, QStringLiteral("Z"));
        openGrid();
        const Codeplug before = testDocument().image();
        const int steps = testDocument().history().count();
        if (!clipboard.isEmpty() && !clipboard.startsWith(QLatin1Char('@')))
            QApplication::clipboard()->setText(clipboard);
        const QRegularExpression click(QStringLiteral("^(S-)?(#)?(\\d+)(?(2)|,(\\d+))$"));
        const QMap<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> keys{
            {"S-Down", {Qt::Key_Down, Qt::ShiftModifier}}, {"S-Space", {Qt::Key_Space, Qt::ShiftModifier}},
            {"C-c", {Qt::Key_C, Qt::ControlModifier}},    {"C-v", {Qt::Key_V, Qt::ControlModifier}},
            {"C-x", {Qt::Key_X, Qt::ControlModifier}},    {"C-Return", {Qt::Key_Return, Qt::ControlModifier}},
            {"Del", {Qt::Key_Delete, Qt::NoModifier}},    {"C-Del", {Qt::Key_Delete, Qt::ControlModifier}},
            {"Ins", {Qt::Key_Insert, Qt::NoModifier}},    {"A-Up", {Qt::Key_Up, Qt::AltModifier}},
            {"A-Down", {Qt::Key_Down, Qt::AltModifier}},  {"S-F10", {Qt::Key_F10, Qt::ShiftModifier}}};
        for (const QString &step : gesture.split(QLatin1Char(' '))) {
            const QRegularExpressionMatch at = click.match(step);
            if (step.startsWith(QLatin1String("menu:"))) {
                chooseInMenu(step.mid(5).replace(QLatin1Char('_'), QLatin1Char(' ')));
            } else if (at.hasMatch()) {
                const bool number = !at.captured(2).isEmpty();
                const QModelIndex item = table->model()->index(at.captured(3).toInt() - 1,
                                                                number ? 0 : at.captured(4).toInt());
                table->scrollTo(item);
                QTest::mouseClick(table->viewport(), Qt::LeftButton,
                                  at.captured(1).isEmpty() ? Qt::NoModifier : Qt::ShiftModifier,
                                  table->visualRect(item).center());
                // A click on a cell opens its editor; Escape gives the keys back to the grid.
                if (QApplication::focusWidget() != table)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            } else if (keys.contains(step)) {
                QTest::keyClick(QApplication::focusWidget(), keys.value(step).first, keys.value(step).second);
            } else {
                for (QChar c : step)
                    QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            }
            QApplication::processEvents();
            // A menu that closes before its own activation has arrived (on a
            // busy machine) leaves the offscreen platform with no active
            // window, where a desktop gives the keyboard back to the window.
            if (!QApplication::activeWindow()) {
                table->window()->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(table->window()));
            }
        }
        QStringList cells;
        for (int n = 1; n <= 7; ++n)
            cells << cell(n, column);
        QCOMPARE(cells.join(QLatin1Char(',')), shown);
        QCOMPARE(storedSetting(Document(), SettingId::PriorityChannel), priority);
        const QString refusal = program->messages.texts().join(QLatin1Char('|'));
        QVERIFY2(message.isEmpty() ? refusal.isEmpty() : refusal.startsWith(message), qPrintable(refusal));
        QCOMPARE(testDocument().history().count(), steps + (message.isEmpty() ? 1 : 0));
        if (gesture.startsWith(QLatin1Char('#')) && gesture.contains(QLatin1String("C-v")) && message.isEmpty())
            for (int n = 6; n <= 7; ++n)
                QVERIFY(channelContent(testDocument().image(), n) == channelContent(before, n - 5));
        if (message.isEmpty()) {
            QCOMPARE(program->main->statusPanels().text(StatusPanels::Outcome), panel);
            QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
            QVERIFY(testDocument().image() == before);
        }
    }

    // A plan dropped onto the grid: a generic CSV fills from the channel it
    // lands on, a kvd9 CSV goes by its channel column, a .chann file opens
    // as Open opens it; a file that can't be used changes nothing.
    void dropPlan_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("content"); // empty: the image with channel 30 named "CH", saved
        QTest::addColumn<int>("onto");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("details");
        QTest::newRow("generic CSV from the channel dropped on")
            << "plan.csv" << "Location,Name,Frequency,Duplex,Offset,Mode\n7,AA,446.0031,,0,FM\n9,BB,446.1,,0,NFM\n"
            << 10 << 11 << "BB" << "The channel plan was imported; some values were adapted."
            << "line 2: Frequency 446.0031 snapped to 446.00000";
        QTest::newRow("kvd9 CSV by its channel column")
            << "grid.CSV" << "channel,receive,name\n20,440,KV\n" << 3 << 20 << "KV" << "" << "";
        QTest::newRow(".chann as Open") << "saved.chann" << "" << 1 << 30 << "CH"
                                        << "Succeed fold the channel parameter from file." << "";
        QTest::newRow("a refused plan changes nothing")
            << "bad.csv" << "channel,receive,name\n5,abc,XX\n" << 1 << 5 << ""
            << "The channel plan was not imported; nothing changed." << "line 2: receive";
    }
    void dropPlan()
    {
        QFETCH(QString, file);
        QFETCH(QString, content);
        QFETCH(int, onto);
        QFETCH(int, channel);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(QString, details);
        QTemporaryDir folder;
        const QString path = folder.filePath(file);
        if (content.isEmpty()) {
            Codeplug saved = testDocument().image();
            QVERIFY(storeFrequencyPair(saved, 30, Frequency::fromMHz(440), Frequency::fromMHz(440), GridDirectionByte));
            storeGridName(saved, 30, QStringLiteral("CH"));
            setRecordBit(saved, 30, GridDirectionByte, 3, true);
            QString error;
            QVERIFY(saveChannelFile(path, saved, error, Language::English));
        } else {
            QFile plan(path);
            QVERIFY(plan.open(QIODevice::WriteOnly));
            plan.write(content.toUtf8());
        }
        const int steps = testDocument().history().count();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at = table->visualRect(table->model()->index(onto - 1, 1)).center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(table->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(table->viewport(), &drop);
        QCOMPARE(cell(channel, 7), name);
        QCOMPARE(program->messages.texts().value(0), message);
        QVERIFY(details.isEmpty() || program->messages.messages.value(0).details.startsWith(details));
        QCOMPARE(testDocument().history().count(), steps + (name.isEmpty() ? 0 : 1));
    }

    void closeRefusedWhileBusyAndClosesTheEditor()
    {
        QTest::mouseClick(grid->findChild<QPushButton *>(QStringLiteral("Command_Edit")), Qt::LeftButton);
        QVERIFY(program->registry().isOpen(WindowId::Form_Chann_Edit));
        auto *close = grid->findChild<QPushButton *>(QStringLiteral("Command_close"));
        grid->setBusy(false, true);
        QTest::mouseClick(close, Qt::LeftButton);
        QCOMPARE(program->messages.texts(), QStringList{"Read-write operating，don't close the window. ,"});
        QVERIFY(program->registry().isOpen(WindowId::frm_chann));
        grid->setBusy(false, false);
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!program->registry().isOpen(WindowId::frm_chann));
        QVERIFY(!program->registry().isOpen(WindowId::Form_Chann_Edit));
        QVERIFY(!program->session().isWindowOpen(WindowId::frm_chann));
    }
};

QTEST_MAIN(tst_channel_grid)
#include "tst_channel_grid.moc"
