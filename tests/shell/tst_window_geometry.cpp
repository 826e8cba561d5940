// Where the windows stand and how their controls sit: each window at the
// fractions of the main window its load gives, however it was opened and in
// either language, and the controls that once stood apart or stretched.
#include "support/TestSupport.h"

#include <QMdiArea>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace {

enum class Opening { StartUp, Menu, ToolBar, LanguageSwitch };

struct PlacementRow {
    const char *name;
    WindowId id;
    Opening opening;
};

// The outer frame of a child window as its load places it: a width and a
// height as fractions of the main window, never below the layout's minimum,
// centred across the main window, with the window's own top.
QRect expectedFrame(WindowId id, const QSize &main, const QSize &inner, const QSize &minimum)
{
    const auto size = [&](double widthDivisor, double heightDivisor) {
        return QSize(qRound(main.width() / widthDivisor), qRound(main.height() / heightDivisor)).expandedTo(minimum);
    };
    QSize s;
    int left = 0, top = 0;
    switch (id) {
    case WindowId::frm_chann:
        s = size(1.2, 1.3);
        left = (inner.width() - s.width()) / 2;
        top = (inner.height() - s.height()) / 8;
        break;
    case WindowId::Form_Chann_Edit:
        s = size(1.5, 1.25);
        left = (inner.width() - s.width()) / 2;
        break;
    case WindowId::frm_dtmf:
        s = size(1.2, 1.5);
        left = (main.width() - s.width()) / 2;
        break;
    default:
        qFatal("no placement for this window");
    }
    return QRect(qMax(0, left), qMax(0, top), s.width(), s.height());
}

QWidget *frameOf(ChildWindow *w)
{
    return w->parentWidget();
}

} // namespace

class tst_window_geometry : public QObject {
    Q_OBJECT

private slots:
    void windowsStandWhereTheirLoadPutsThem_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<Opening>("opening");
        const PlacementRow rows[] = {
            {"grid at start-up", WindowId::frm_chann, Opening::StartUp},
            {"grid from the menu", WindowId::frm_chann, Opening::Menu},
            {"grid from the tool bar", WindowId::frm_chann, Opening::ToolBar},
            {"grid after a language switch", WindowId::frm_chann, Opening::LanguageSwitch},
            {"channel editor", WindowId::Form_Chann_Edit, Opening::Menu},
            {"DTMF window", WindowId::frm_dtmf, Opening::Menu},
        };
        for (bool chinese : {true, false})
            for (const auto &row : rows)
                QTest::addRow("%s, %s", row.name, chinese ? "zh" : "en") << int(row.id) << chinese << row.opening;
    }
    void windowsStandWhereTheirLoadPutsThem()
    {
        QFETCH(int, window);
        QFETCH(bool, chinese);
        QFETCH(Opening, opening);
        const auto id = static_cast<WindowId>(window);
        StartedProgram program;
        if (!chinese)
            program.main->menuItem(QStringLiteral("Language_eng"))->trigger();
        const QRect before = frameOf(program.registry().get(WindowId::frm_chann))->geometry();
        switch (opening) {
        case Opening::StartUp:
            break;
        case Opening::Menu:
            if (id == WindowId::Form_Chann_Edit)
                control<QPushButton>(program.registry().get(WindowId::frm_chann), "Command_Edit")->click();
            else
                program.main->menuItem(QLatin1String(id == WindowId::frm_dtmf ? "Dtmf_edit" : "Channel_edit"))->trigger();
            break;
        case Opening::ToolBar:
            program.main->menuItem(QStringLiteral("edit_chann"))->trigger();
            break;
        case Opening::LanguageSwitch:
            program.main->menuItem(QLatin1String(chinese ? "Language_eng" : "Language_chn"))->trigger();
            program.main->menuItem(QLatin1String(chinese ? "Language_chn" : "Language_eng"))->trigger();
            break;
        }
        QApplication::processEvents();
        ChildWindow *w = program.registry().get(id);
        QVERIFY(w);
        const QRect frame = frameOf(w)->geometry();
        const QSize inner = program.main->findChild<QMdiArea *>()->viewport()->size();
        const QRect expected = expectedFrame(id, program.main->frameGeometry().size(), inner, frameOf(w)->minimumSizeHint());
        // Centring a window wider than its share may round the other way.
        QVERIFY2(qAbs(frame.left() - expected.left()) <= 1 && frame.top() == expected.top()
                     && frame.size() == expected.size(),
                 qPrintable(QStringLiteral("stands at %1,%2 %3x%4, its load says %5,%6 %7x%8")
                                .arg(frame.left()).arg(frame.top()).arg(frame.width()).arg(frame.height())
                                .arg(expected.left()).arg(expected.top()).arg(expected.width()).arg(expected.height())));
        // Opened again, the grid stands exactly where it stood.
        if (id == WindowId::frm_chann)
            QCOMPARE(frame, before);
    }

    // The DTMF lists hold four-digit numbers: each keeps the width that
    // shows its items, whatever room the window has beside it.
    void dtmfListsKeepTheirWidth_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("list");
        for (bool chinese : {true, false})
            for (const char *list : {"Combo_First_delay", "Combo_DTMF_SPACE", "Combo_DTMF_DELAY"})
                QTest::addRow("%s %s", list, chinese ? "zh" : "en") << chinese << QString::fromLatin1(list);
    }
    void dtmfListsKeepTheirWidth()
    {
        QFETCH(bool, chinese);
        QFETCH(QString, list);
        StartedProgram program;
        if (!chinese)
            program.main->menuItem(QStringLiteral("Language_eng"))->trigger();
        program.main->menuItem(QStringLiteral("Dtmf_edit"))->trigger();
        QApplication::processEvents();
        ChildWindow *w = program.registry().get(WindowId::frm_dtmf);
        auto *combo = control<QComboBox>(w, qPrintable(list));
        const int wanted = combo->sizeHint().expandedTo(combo->minimumSizeHint()).width();
        QVERIFY2(combo->width() == wanted,
                 qPrintable(QStringLiteral("%1 px wide, needs %2").arg(combo->width()).arg(wanted)));
        QVERIFY(combo->width() < w->width() / 3);
    }

    // The channel editor's scroll bar steps the number in the box beside it:
    // it stands right against the box and is exactly as tall.
    void editorScrollBarBesideTheChannelBox_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addRow("zh") << true;
        QTest::addRow("en") << false;
    }
    void editorScrollBarBesideTheChannelBox()
    {
        QFETCH(bool, chinese);
        StartedProgram program;
        if (!chinese)
            program.main->menuItem(QStringLiteral("Language_eng"))->trigger();
        control<QPushButton>(program.registry().get(WindowId::frm_chann), "Command_Edit")->click();
        QApplication::processEvents();
        ChildWindow *w = program.registry().get(WindowId::Form_Chann_Edit);
        const auto place = [w](const QWidget *c) { return QRect(c->mapTo(w, QPoint(0, 0)), c->size()); };
        const QRect box = place(control<QLineEdit>(w, "Text_CHN"));
        const QRect bar = place(control<QScrollBar>(w, "VScroll1"));
        QCOMPARE(bar.left(), box.right() + 1);
        QCOMPARE(bar.top(), box.top());
        QCOMPARE(bar.height(), box.height());
    }
};

QTEST_MAIN(tst_window_geometry)
#include "tst_window_geometry.moc"
