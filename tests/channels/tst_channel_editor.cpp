// The single-channel editor driven as a person does, opened from the grid.
#include "core/ChannelRecord.h"
#include "channels/frm_chann.h"
#include "support/TestImage.h"
#include "core/NumberText.h"
#include "support/ImageBytes.h"
#include "support/TestSupport.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

namespace {

// Channel n in the editor encoding: 430 MHz, transmit 440 MHz, decode the
// 50th CTCSS tone, encode D023N, Middle power, not scanned, VOX and BCL,
// named "CD".
void putEditorChannel(int n)
{
    QVERIFY(storeFrequencyPair(Document(), n, Frequency::fromMHz(430), Frequency::fromMHz(440), EditorDirectionByte));
    Img(n, 8) = 0;
    Img(n, 9) = 49;
    Img(n, 10) = 1;
    Img(n, 11) = 0;
    Img(n, 12) = qint16((Img(n, 12) & 0xC0) | 0x05);
    Img(n, 13) = 0xC0;
    Img(n, 14) = 255;
    Img(n, 15) = 255;
    storeEditorName(Document(), n, QStringLiteral("CD"));
}

} // namespace

class tst_channel_editor : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedProgram> program;
    frm_chann *grid = nullptr;
    ChildWindow *editor = nullptr;

    template <typename T> T *control(const char *name)
    {
        T *widget = editor->findChild<T *>(QString::fromLatin1(name));
        Q_ASSERT(widget);
        return widget;
    }
    QLineEdit *box(const char *name) { return control<QLineEdit>(name); }

    // Opens the editor from the grid on channel n, as a person does: a click
    // on the channel's row, then Channel Edit.
    void openEditorOn(int n)
    {
        program->main->menuItem(QStringLiteral("Channel_edit"))->trigger();
        grid = program->window<frm_chann>(WindowId::frm_chann);
        auto *table = grid->findChild<QTableView *>(QStringLiteral("MSF_chann"));
        const QModelIndex item = table->model()->index(n - 1, 3);
        table->scrollTo(item);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(item).center());
        QTest::mouseClick(grid->findChild<QPushButton *>(QStringLiteral("Command_Edit")), Qt::LeftButton);
        editor = program->registry().get(WindowId::Form_Chann_Edit);
        QVERIFY(editor);
        program->messages.clear();
    }
    void moveFocusTo(QWidget *widget)
    {
        widget->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        QVERIFY(widget->hasFocus());
    }
    void retype(QLineEdit *edit, const QString &text)
    {
        moveFocusTo(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    void selectInList(QComboBox *combo, int position) { clickListItem(combo, position); }

private slots:
    void init()
    {
        program = std::make_unique<StartedProgram>();
        program->main->menuItem(QStringLiteral("Language_eng"))->trigger();
        program->main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->main.get()));
    }
    void cleanup()
    {
        program.reset();
    }

    void showsTheGridsChannel()
    {
        putEditorChannel(5);
        openEditorOn(5);
        QCOMPARE(editor->windowTitle(), QStringLiteral("Channel Edit"));
        QCOMPARE(box("Text_CHN")->text(), QStringLiteral("5"));
        QCOMPARE(control<QScrollBar>("VScroll1")->value(), 5);
        QCOMPARE(box("Text_RX_Freq")->text(), QStringLiteral("430.00000"));
        QCOMPARE(box("Text_TX_Freq")->text(), QStringLiteral("440.00000"));
        QCOMPARE(control<QComboBox>("Combo_Decode")->currentIndex(), 50);
        QCOMPARE(control<QComboBox>("Combo_Encode")->currentText(), QStringLiteral("D023N"));
        QCOMPARE(control<QComboBox>("Combo_TXP")->currentText(), QStringLiteral("Middle"));
        QCOMPARE(control<QComboBox>("Combo_WN")->currentText(), QStringLiteral("Wide"));
        QVERIFY(control<QCheckBox>("Check_VOX")->isChecked());
        QVERIFY(control<QCheckBox>("Check_Bcl")->isChecked());
        QVERIFY(!control<QCheckBox>("Check_Scan")->isChecked());
        QVERIFY(!control<QCheckBox>("Check_TxStop")->isChecked());
        QCOMPARE(box("Text_Name")->text(), QStringLiteral("CD"));
        QCOMPARE(control<QLabel>("Label_WN")->text(), QStringLiteral("Wide/Narror"));
    }

    void scrollBarWrapsAround()
    {
        openEditorOn(128);
        auto *scroll = control<QScrollBar>("VScroll1");
        QCOMPARE(scroll->value(), 128);
        QTest::keyClick(scroll, Qt::Key_Down);
        QCOMPARE(box("Text_CHN")->text(), QStringLiteral("1"));
        QCOMPARE(testDocument().currentChannel(), 1);
        QCOMPARE(grid->windowTitle(), QStringLiteral("Channel Information [ Channel - 1 ]"));
        QTest::keyClick(scroll, Qt::Key_Up);
        QCOMPARE(scroll->value(), 128);
        QCOMPARE(box("Text_CHN")->text(), QStringLiteral("128"));
        QTest::keyClick(scroll, Qt::Key_Up);
        QCOMPARE(testDocument().currentChannel(), 127);
        // The number box steps the same way, from the number shown.
        retype(box("Text_CHN"), QStringLiteral("5"));
        QTest::keyClick(box("Text_CHN"), Qt::Key_PageDown);
        QTest::keyClick(box("Text_CHN"), Qt::Key_Up);
        QCOMPARE(box("Text_CHN")->text(), QStringLiteral("14"));
        QCOMPARE(scroll->value(), 14);
    }

    void channelNumberDigits_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("channel");
        QTest::newRow("129 loses its last digit") << "129" << "12" << 12;
        QTest::newRow("128 accepted") << "128" << "128" << 128;
        QTest::newRow("letters discarded") << "1a-2." << "12" << 12;
        QTest::newRow("200 loses its last digit") << "200" << "20" << 20;
        QTest::newRow("0 is no channel") << "0" << "0" << 5;
    }
    void channelNumberDigits()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, channel);
        putEditorChannel(12);
        openEditorOn(5);
        retype(box("Text_CHN"), typed);
        QCOMPARE(box("Text_CHN")->text(), shown);
        QCOMPARE(testDocument().currentChannel(), channel);
        QCOMPARE(grid->windowTitle(), QStringLiteral("Channel Information [ Channel - %1 ]").arg(channel));
        QCOMPARE(control<QScrollBar>("VScroll1")->value(), 5);
        if (channel == 12)
            QCOMPARE(box("Text_RX_Freq")->text(), QStringLiteral("430.00000"));
    }

    void invalidChannelNumberKeepsTheFocus()
    {
        putEditorChannel(5);
        openEditorOn(5);
        retype(box("Text_CHN"), QStringLiteral("0"));
        box("Text_Name")->setFocus(Qt::MouseFocusReason);
        QVERIFY(box("Text_Name")->hasFocus());
        QTRY_VERIFY(box("Text_CHN")->hasFocus());
    }

    void createsChannelWithDefaults()
    {
        Img(10, 12) = 0x3F; // leftovers of an earlier channel
        openEditorOn(10);
        QVERIFY(!box("Text_TX_Freq")->isEnabled());
        QVERIFY(!control<QComboBox>("Combo_Decode")->isEnabled());
        QVERIFY(!control<QCheckBox>("Check_Scan")->isEnabled());
        QCOMPARE(rowBytes(10), QList<int>(16, 255));
        retype(box("Text_RX_Freq"), QStringLiteral("438.125"));
        QVERIFY(box("Text_TX_Freq")->isEnabled());
        moveFocusTo(box("Text_TX_Freq"));
        QCOMPARE(rowBytes(10), (QList<int>{0x00, 0x25, 0x81, 0x43, 0, 0, 0, 0, 255, 255, 255, 255, 6, 0,
                                           255, 255}));
        QCOMPARE(box("Text_TX_Freq")->text(), QStringLiteral("438.12500"));
        QCOMPARE(control<QComboBox>("Combo_Decode")->currentText(), QStringLiteral("OFF"));
        QCOMPARE(control<QComboBox>("Combo_Encode")->currentText(), QStringLiteral("OFF"));
        QCOMPARE(control<QComboBox>("Combo_TXP")->currentText(), QStringLiteral("High"));
        QCOMPARE(control<QComboBox>("Combo_WN")->currentText(), QStringLiteral("Wide"));
        for (const char *check : {"Check_VOX", "Check_Bcl", "Check_Scan", "Check_TxStop"}) {
            QVERIFY(!control<QCheckBox>(check)->isChecked());
            QVERIFY(control<QCheckBox>(check)->isEnabled());
        }
        QCOMPARE(box("Text_Name")->text(), QString());
        QVERIFY(program->messages.messages.isEmpty());
    }

    void frequencyEntries_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("receive above the range keeps transmit")
            << "Text_RX_Freq" << "480" << "400.00000" << "440.00000"
            << QStringList{"Over the range of receive frequency ."};
        QTest::newRow("receive at the lower limit") << "Text_RX_Freq" << "400" << "400.00000" << "440.00000"
                                                    << QStringList{};
        QTest::newRow("transmit above the range")
            << "Text_TX_Freq" << "500" << "430.00000" << "400.00000"
            << QStringList{"Over the range of Transmit frequency ."};
        QTest::newRow("transmit snapped") << "Text_TX_Freq" << "445.0031" << "430.00000" << "445.00000"
                                          << QStringList{};
        QTest::newRow("letters are not typed") << "Text_TX_Freq" << "4x4y5" << "430.00000" << "445.00000"
                                               << QStringList{};
        QTest::newRow("emptied transmit stores nothing") << "Text_TX_Freq" << "" << "430.00000" << "440.00000"
                                                         << QStringList{};
    }
    void frequencyEntries()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QStringList, messages);
        putEditorChannel(5);
        openEditorOn(5);
        retype(box(boxName.toLatin1().constData()), typed);
        moveFocusTo(box("Text_Name"));
        QCOMPARE(program->messages.texts(), messages);
        QCOMPARE(box("Text_RX_Freq")->text(), rx);
        QCOMPARE(box("Text_TX_Freq")->text(), tx);
        QCOMPARE(channelRxText(Document(), 5), rx);
        QCOMPARE(channelTransmit(Document(), 5, EditorDirectionByte).mhz(), numericValue(tx));
        QCOMPARE(int(Img(5, 12)) & 0x3F, 0x05);
    }

    // The working range is 400..470 MHz; its upper limit lies outside.
    void transmitOutsideTheRangeShowsReceive_data()
    {
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("byte12");
        QTest::newRow("above the range") << "530" << "430.00000" << 0x05;
        QTest::newRow("at the upper limit") << "470" << "430.00000" << 0x05;
        QTest::newRow("just below the upper limit") << "469.9875" << "469.98750" << 0x45;
        QTest::newRow("at the lower limit") << "400" << "400.00000" << 0x85;
        QTest::newRow("below the lower limit") << "399.995" << "430.00000" << 0x05;
    }
    void transmitOutsideTheRangeShowsReceive()
    {
        QFETCH(QString, tx);
        QFETCH(QString, shown);
        QFETCH(int, byte12);
        putEditorChannel(5);
        QVERIFY(storeFrequencyPair(Document(), 5, Frequency::fromMHz(430), Frequency::fromMHz(numericValue(tx)), EditorDirectionByte));
        const QList<int> offset = rowBytes(5).mid(4, 4);
        openEditorOn(5);
        QCOMPARE(box("Text_TX_Freq")->text(), shown);
        QCOMPARE(int(Img(5, 12)), byte12);
        QCOMPARE(rowBytes(5).mid(4, 4), offset); // only the direction is cleared
    }

    void optionBits_data()
    {
        QTest::addColumn<QString>("check");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("bit");
        QTest::addColumn<bool>("setWhenChecked");
        QTest::newRow("Scan Add inverted") << "Check_Scan" << 12 << 2 << false;
        QTest::newRow("VOX") << "Check_VOX" << 13 << 6 << true;
        QTest::newRow("BCL") << "Check_Bcl" << 13 << 7 << true;
        QTest::newRow("TX Stop") << "Check_TxStop" << 13 << 4 << true;
    }
    void optionBits()
    {
        QFETCH(QString, check);
        QFETCH(int, byte);
        QFETCH(int, bit);
        QFETCH(bool, setWhenChecked);
        putEditorChannel(5);
        openEditorOn(5);
        auto *box = control<QCheckBox>(check.toLatin1().constData());
        const int others = Img(5, byte) & ~(1 << bit);
        for (int click = 0; click < 2; ++click) {
            QTest::mouseClick(box, Qt::LeftButton);
            QCOMPARE(recordBit(Document(), 5, byte, bit), box->isChecked() == setWhenChecked);
            QCOMPARE(Img(5, byte) & ~(1 << bit), others);
        }
    }

    void listSelections()
    {
        putEditorChannel(5);
        openEditorOn(5);
        selectInList(control<QComboBox>("Combo_Decode"), 200);
        QCOMPARE(rowBytes(5).mid(8, 2), (QList<int>{2, 45}));
        selectInList(control<QComboBox>("Combo_Encode"), 0);
        QCOMPARE(rowBytes(5).mid(10, 2), (QList<int>{255, 255}));
        selectInList(control<QComboBox>("Combo_TXP"), 2);
        QCOMPARE(int(Img(5, 12)), 0x46);
        selectInList(control<QComboBox>("Combo_WN"), 1);
        QCOMPARE(int(Img(5, 13)), 0xE0);
    }

    void nameWrittenAtEveryChange()
    {
        putEditorChannel(5);
        openEditorOn(5);
        QLineEdit *name = box("Text_Name");
        retype(name, QStringLiteral("a"));
        QCOMPARE(editorName(Document(), 5), QStringLiteral("A"));
        QTest::keyClicks(name, QStringLiteral("bcdef"));
        QCOMPARE(name->text(), QStringLiteral("abcde"));
        QCOMPARE(editorName(Document(), 5), QStringLiteral("ABCDE"));
        QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(editorName(Document(), 5), QStringLiteral("ABCD"));
        moveFocusTo(box("Text_RX_Freq"));
        QCOMPARE(name->text(), QStringLiteral("ABCD"));
    }

    void emptyingReceiveDeletesTheChannel()
    {
        putEditorChannel(5);
        openEditorOn(5);
        retype(box("Text_RX_Freq"), QString());
        QVERIFY(!box("Text_TX_Freq")->isEnabled());
        moveFocusTo(box("Text_CHN"));
        QCOMPARE(rowBytes(5), QList<int>(16, 255));
        QCOMPARE(editorName(Document(), 5), QString());
        QCOMPARE(box("Text_Name")->text(), QString());
        QVERIFY(!box("Text_Name")->isEnabled());
        QVERIFY(!control<QCheckBox>("Check_VOX")->isChecked());
    }

    void changeShowsInTheGridOnActivation()
    {
        putEditorChannel(6);
        openEditorOn(6);
        retype(box("Text_RX_Freq"), QStringLiteral("445.5"));
        moveFocusTo(box("Text_Name"));
        QTest::mouseClick(control<QPushButton>("Command_close"), Qt::LeftButton);
        QVERIFY(!program->registry().isOpen(WindowId::Form_Chann_Edit));
        QTRY_COMPARE(grid->cellText(6, 1), QStringLiteral("445.50000"));
    }
};

QTEST_MAIN(tst_channel_editor)
#include "tst_channel_editor.moc"
