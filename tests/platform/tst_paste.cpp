// A paste reaches every filtered box as its characters typed one after
// another: it keeps exactly what typing would have kept.
#include "core/ChannelRecord.h"
#include "support/TestImage.h"
#include "core/SettingsRules.h"
#include "support/TestSupport.h"

#include <QClipboard>
#include <QLineEdit>
#include <QTableView>

Q_DECLARE_METATYPE(WindowId)

class tst_paste : public QObject {
    Q_OBJECT

private slots:
    void pasteKeepsWhatTypingKeeps_data()
    {
        QTest::addColumn<WindowId>("window");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        const WindowId grid = WindowId::frm_chann, editor = WindowId::Form_Chann_Edit,
                       option = WindowId::frm_option, scan = WindowId::Form_Edit_scan;
        QTest::newRow("grid receive cell") << grid << "Text_Edit" << "412" << "412";
        QTest::newRow("editor receive") << editor << "Text_RX_Freq" << "412" << "412";
        QTest::newRow("editor receive, letters dropped") << editor << "Text_RX_Freq" << "4a1.2 5" << "41.25";
        QTest::newRow("editor transmit") << editor << "Text_TX_Freq" << "4x15" << "415";
        QTest::newRow("editor channel over 128") << editor << "Text_CHN" << "1x29" << "12";
        QTest::newRow("editor name") << editor << "Text_Name" << "AB\nCDEFG" << "ABCDE";
        QTest::newRow("option receive") << option << "Text_RX_Freq" << "412" << "412";
        QTest::newRow("option receive, no leading point") << option << "Text_RX_Freq" << ".41x2" << "412";
        QTest::newRow("option offset") << option << "Text_Offset_Freq" << "5x.2 5" << "5.25";
        QTest::newRow("option DTMF code") << option << "Text_DTMF_Code" << "1a2bz3" << "1A2B3";
        QTest::newRow("option lower limit") << option << "Text_pvfo_d0" << "4 x10" << "410";
        QTest::newRow("scan priority channel") << scan << "Text_prich" << "1x23" << "12";
    }
    void pasteKeepsWhatTypingKeeps()
    {
        QFETCH(WindowId, window);
        QFETCH(QString, box);
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        StartedProgram program;
        program.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program.main.get()));
        QVERIFY(storeFrequencyPair(Document(), 1, Frequency::fromMHz(430), Frequency::fromMHz(440), GridDirectionByte));
        Img(SettingBytes::ScanRow, 0) = 1; // a fixed priority channel takes a number
        program.registry().reopen(window);
        QWidget *w = program.registry().get(window);
        if (window == WindowId::frm_chann) {
            auto *table = control<QTableView>(w, "MSF_chann");
            const QModelIndex cell = table->model()->index(1, 1); // channel 2, empty
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(cell).center());
        }
        auto *edit = control<QLineEdit>(w, box.toLatin1().constData());
        edit->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);

        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), shown);
    }
};

QTEST_MAIN(tst_paste)
#include "tst_paste.moc"
