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

#include <QAbstractItemView>
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
