// Every window on the screen and at the scale factor of this run (CTest
// runs the check for a small and a large screen at each common scale):
// no two visible sibling controls overlap, no caption is wider than its
// control, no control lies outside its window, and the grid shows its
// eight columns where the screen is wide enough.
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStatusBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QTableView>
#include <QTextEdit>
#include <QThreadPool>

#include "link/LinkOutcome.h"
#include "platform/HelpWindow.h"
#include "platform/StatusPanels.h"

namespace {

QString nameOf(const QWidget *w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// Widgets whose children are their own business (scroll areas with their
// viewports and in-place editors, lists with their edit fields).
bool isContainer(const QWidget *w)
{
    return !w->inherits("QAbstractScrollArea") && !w->inherits("QComboBox")
        && !w->inherits("QAbstractSpinBox") && !w->inherits("QLineEdit") && !w->inherits("QAbstractButton");
}

QString captionProblem(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        if (label->wordWrap() || label->text().isEmpty())
            return QString();
        const int needed = label->fontMetrics().horizontalAdvance(QString(label->text()).remove(QLatin1Char('&')));
        if (needed > label->contentsRect().width())
            return QStringLiteral("label %1 needs %2, has %3").arg(nameOf(w)).arg(needed).arg(label->contentsRect().width());
    } else if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
        if (!button->text().isEmpty() && button->sizeHint().width() > button->width())
            return QStringLiteral("button %1 needs %2, has %3").arg(nameOf(w)).arg(button->sizeHint().width()).arg(button->width());
    } else if (const auto *group = qobject_cast<const QGroupBox *>(w)) {
        const int needed = group->fontMetrics().horizontalAdvance(group->title()) + 16;
        if (!group->title().isEmpty() && needed > group->width())
            return QStringLiteral("group %1 needs %2, has %3").arg(nameOf(w)).arg(needed).arg(group->width());
    }
    return QString();
}

// Every fault below `parent`, whose visible children are checked against
// each other, against `window` and for their captions.
void collectProblems(const QWidget *window, const QWidget *parent, QStringList &problems)
{
    QList<const QWidget *> shown;
    for (const QObject *o : parent->children()) {
        const auto *w = qobject_cast<const QWidget *>(o);
        if (w && !w->isWindow() && w->isVisibleTo(window))
            shown << w;
    }
    for (int i = 0; i < shown.size(); ++i) {
        const QWidget *w = shown.at(i);
        const QRect inWindow(w->mapTo(window, QPoint(0, 0)), w->size());
        if (!window->rect().contains(inWindow))
            problems << QStringLiteral("%1 outside the window").arg(nameOf(w));
        for (int j = i + 1; j < shown.size(); ++j)
            if (w->geometry().intersects(shown.at(j)->geometry()))
                problems << QStringLiteral("%1 overlaps %2").arg(nameOf(w), nameOf(shown.at(j)));
        const QString caption = captionProblem(w);
        if (!caption.isEmpty())
            problems << caption;
        if (isContainer(w))
            collectProblems(window, w, problems);
    }
}

} // namespace

class tst_layout_fit : public QObject {
    Q_OBJECT

private slots:
    void everyWindowFits_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<int>("window");
        for (bool chinese : {true, false})
            for (int id = 0; id < WindowIdCount; ++id)
                QTest::addRow("%s %d", chinese ? "zh" : "en", id) << chinese << id;
    }
    void everyWindowFits()
    {
        QFETCH(bool, chinese);
        QFETCH(int, window);
        StartedProgram program;
        if (!chinese)
            program.main->menuItem(QStringLiteral("Language_eng"))->trigger();
        const auto id = static_cast<WindowId>(window);
        if (!program.registry().isRegistered(id))
            QSKIP("not a window of its own");
        ChildWindow *w = program.registry().reopen(id);
        QVERIFY(w);
        // With what a window looks up on other threads as it opens.
        QThreadPool::globalInstance()->waitForDone();
        QApplication::processEvents();

        QStringList problems;
        collectProblems(w, w, problems);
        QVERIFY2(problems.isEmpty(), qPrintable(nameOf(w) + QLatin1String(": ") + problems.join(QStringLiteral("; "))));
        QVERIFY(w->parentWidget()->size().expandedTo(w->parentWidget()->minimumSizeHint())
                == w->parentWidget()->size());
        // Its help opens inside the screen's free area.
        if (QWidget *help = showHelp(w->objectName(), w)) {
            QVERIFY(help->screen()->availableGeometry().contains(help->frameGeometry()));
            help->close();
        }
    }

    // The main window makes room for the grid's columns of either language
    // at start-up, where the screen allows: the grid then keeps its share of
    // the main window in both, and the share centres it.
    void gridKeepsItsShareInEitherLanguage_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addRow("zh") << true;
        QTest::addRow("en") << false;
    }
    void gridKeepsItsShareInEitherLanguage()
    {
        QFETCH(bool, chinese);
        StartedProgram program;
        const QSize main = program.main->frameGeometry().size();
        if (main.width() >= program.main->screen()->availableGeometry().width())
            QSKIP("the screen leaves the main window no room to grow for the grid");
        program.main->menuItem(QLatin1String(chinese ? "Language_chn" : "Language_eng"))->trigger();
        QApplication::processEvents();
        const QWidget *frame = program.registry().get(WindowId::frm_chann)->parentWidget();
        QCOMPARE(frame->width(), qRound(main.width() / 1.2));
    }

    // A panel narrower than its text shows it cut with "…" and whole as its
    // tooltip, while the program still reads the whole text.
    void narrowPanelsElideTheirTexts()
    {
        StartedProgram program;
        StatusPanels &panels = program.main->statusPanels();
        QList<int> widths;
        for (const QLabel *label : program.main->statusBar()->findChildren<QLabel *>())
            widths << label->width();
        // A long outcome keeps to its share: the panels beside it stay.
        panels.setText(StatusPanels::Outcome, halfWrittenText(17));
        for (const QLabel *label : program.main->statusBar()->findChildren<QLabel *>())
            QCOMPARE(label->width(), widths.takeFirst());
        for (int n = 1; n <= StatusPanels::Count; ++n) {
            const auto *label = control<QLabel>(program.main.get(), qPrintable(QStringLiteral("StatusBar1_Panel%1").arg(n)));
            const QString whole = panels.text(n);
            const bool fits = label->fontMetrics().horizontalAdvance(whole) <= label->contentsRect().width();
            QCOMPARE(label->text() == whole, fits || whole.isEmpty());
            if (!fits) {
                QVERIFY2(label->text().endsWith(QChar(0x2026)), qPrintable(label->text()));
                QCOMPARE(label->toolTip(), whole);
                QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
            }
        }
    }
    // Boxes by keyboard: Tab reaches a failure's details, whose checklist
    // stands whole where the screen has room; the exit question starts on
    // Save and Escape cancels it.
    void messageBoxesByKeyboard()
    {
        StartedProgram program;
        const auto box = messageBox(QStringLiteral("Fail connect with transceiver."), QString(), QString(),
                                    linkFailureDetails({PortSpec::ofNumber(1), QStringLiteral("/dev/ttyUSB0")}, QStringLiteral("Timeout")));
        box->show();
        for (QAbstractButton *button : box->buttons()) // Show Details...
            if (box->buttonRole(button) == QMessageBox::ActionRole)
                button->click();
        box->activateWindow();
        QTRY_VERIFY(box->focusWidget());
        auto *details = box->findChild<QTextEdit *>();
        for (int i = 0; i < 3 && QApplication::focusWidget() != details; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), details);
        if (box->screen()->availableGeometry().height() >= 700)
            QCOMPARE(details->verticalScrollBar()->maximum(), 0);
        const auto question = saveQuestionBox(QStringLiteral("Save?"));
        question->show();
        question->activateWindow();
        QTRY_COMPARE(QApplication::focusWidget(), question->button(QMessageBox::Save));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(question->clickedButton(), question->button(QMessageBox::Cancel));
    }
    void mainWindowShowsItsPanelsAndTheGrid()
    {
        StartedProgram program;
        // The panels' texts, where the screen has room for all of them.
        int texts = 0;
        for (const QLabel *panel : program.main->statusBar()->findChildren<QLabel *>())
            texts += panel->sizeHint().width() + 6;
        if (texts <= program.main->width()) {
            QStringList problems;
            collectProblems(program.main.get(), program.main->statusBar(), problems);
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
        }

        // The grid's eight columns, on a screen wide enough for them.
        auto *table = control<QTableView>(program.registry().get(WindowId::frm_chann), "MSF_chann");
        int columns = 0;
        for (int c = 0; c < table->model()->columnCount(); ++c)
            columns += table->horizontalHeader()->sectionSize(c);
        const int screenWidth = program.main->screen()->availableGeometry().width();
        if (columns * 1.6 <= screenWidth)
            QVERIFY2(columns <= table->viewport()->width(),
                     qPrintable(QStringLiteral("columns %1, viewport %2").arg(columns).arg(table->viewport()->width())));
    }
};

QTEST_MAIN(tst_layout_fit)
#include "tst_layout_fit.moc"
