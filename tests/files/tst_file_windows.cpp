#include "core/Codecs.h"
#include "platform/WindowLanguage.h"
#include "support/TestImage.h"
#include "core/ChannelFile.h"
#include "files/DirList.h"
#include "support/ImageBytes.h"
#include "support/TestSupport.h"
#include "platform/StatusPanels.h"

#include <QLineEdit>
#include <QTableView>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

class TestFileWindows : public QObject {
    Q_OBJECT
private slots:
    void nameChecksAndOutcome_data();
    void nameChecksAndOutcome();
    void chooseFileFromTheListAndLoad();
    void fileWindowByKeyboard_data();
    void fileWindowByKeyboard();
    void malformedFileKeepsWindowAndImage();
    void captionsInBothLanguages();
    void saveTakesTheNameBeingTypedInTheGrid();
    void firstWindowStartsInTheDocumentsFolder();
};

void TestFileWindows::nameChecksAndOutcome_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("closes");
    const int openChann = int(WindowId::Form_open_chann), saveChann = int(WindowId::Form_save_chann);
    const int openMenu = int(WindowId::Form_open_menu), saveMenu = int(WindowId::Form_save_menu);
    QTest::newRow("initial name refused") << openChann << "*.chann"
                                          << "Open the file name of channel parameter is nullity " << false;
    QTest::newRow("hash") << openChann << "a#b.chann" << "Open the file name of channel parameter is nullity " << false;
    QTest::newRow("mixed-case suffix") << openChann << "x.Chann" << "Nullity file suffix name of channel parameter." << false;
    QTest::newRow("five characters") << openChann << "chann" << "Nullity file suffix name of channel parameter." << false;
    QTest::newRow("bare suffix loads") << openChann << ".chann" << "Succeed fold the channel parameter from file." << true;
    QTest::newRow("upper-case suffix, spaces") << openChann << "  kept.CHANN "
                                               << "Succeed fold the channel parameter from file." << true;
    QTest::newRow("save: dollar") << saveChann << "a$b.chann"
                                  << "Store the file name of channel parameter need is nullity. " << false;
    QTest::newRow("save: backslash") << saveChann << "a\\b.chann"
                                     << "Store the file name of channel parameter need is nullity. " << false;
    QTest::newRow("save: wrong suffix") << saveChann << "x.chan"
                                        << "Advice don't modify file suffix name of system default ！" << false;
    QTest::newRow("save: replaces without asking") << saveChann << "kept.CHANN"
                                                   << "Complete storing channel parameter." << true;
    // A full path names its own folder ("{dir}" is the test's folder).
    QTest::newRow("save: full path") << saveChann << "{dir}/full.chann" << "Complete storing channel parameter." << true;
    QTest::newRow("open: full path") << openChann << "{dir}/kept.CHANN"
                                     << "Succeed fold the channel parameter from file." << true;
    QTest::newRow("save: full path, wrong suffix") << saveChann << "{dir}/full.txt"
                                                   << "Advice don't modify file suffix name of system default ！" << false;
    QTest::newRow("save: relative path") << saveChann << "sub/full.chann"
                                         << "Store the file name of channel parameter need is nullity. " << false;
    QTest::newRow("menu: remembered only") << openMenu << "x.menu" << "" << true;
    QTest::newRow("menu: four characters") << openMenu << "menu" << "Nullity file suffix name of system parameter." << false;
    QTest::newRow("menu save: slash") << saveMenu << "a/b.menu"
                                      << "Store the file name of system parameter need is nullity." << false;
    QTest::newRow("menu save: mixed case") << saveMenu << "x.Menu"
                                           << "Advice don't modify file suffix name of system default." << false;
}

void TestFileWindows::nameChecksAndOutcome()
{
    QFETCH(int, window);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(bool, closes);
    QTemporaryDir dir;
    name.replace(QStringLiteral("{dir}"), dir.path());
    StartedProgram program;
    program.session().setLanguage(Language::English);
    QString error;
    // Two files to load; "kept.CHANN" is also the one a save replaces.
    Img(1, 0) = 0x11;
    QVERIFY(saveChannelFile(dir.filePath(QStringLiteral(".chann")), Document(), error, Language::English));
    QVERIFY(saveChannelFile(dir.filePath(QStringLiteral("kept.CHANN")), Document(), error, Language::English));
    Img(1, 0) = 0x22;
    program.session().setChannelFileName(QString());

    const WindowId id = static_cast<WindowId>(window);
    ChildWindow *w = program.registry().reopen(id);
    QVERIFY(w);
    w->findChild<DirList *>("Dir1")->setPath(dir.path());
    auto *text = w->findChild<QLineEdit *>("Text1");
    text->clear();
    QTest::keyClicks(text, name);
    QTest::mouseClick(w->findChild<QPushButton *>("Command_enter"), Qt::LeftButton);

    QCOMPARE(program.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(program.messages.messages.first().title, QStringLiteral("Operate prompt"));
    // A refusal says what is expected.
    if (!closes && !message.isEmpty())
        QVERIFY2(program.messages.messages.first().summary.startsWith(QStringLiteral("Expected: a file name ending in")),
                 qPrintable(program.messages.messages.first().summary));
    QCOMPARE(program.registry().isOpen(id), !closes);
    QCOMPARE(program.session().isWindowOpen(id), !closes);

    const QString path = QDir(dir.path()).filePath(name.trimmed());
    if (id == WindowId::Form_open_chann && closes) {
        QCOMPARE(Img(1, 0), qint16(0x11));
        QCOMPARE(program.session().channelFileName(), path);
    } else if (id == WindowId::Form_save_chann && closes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), formatChannelFile(Document()));
        QCOMPARE(program.session().channelFileName(), path);
    } else if (closes) {
        QCOMPARE(program.session().channelFileName(), name);
    } else {
        QCOMPARE(Img(1, 0), qint16(0x22));
        QVERIFY(program.session().channelFileName().isEmpty());
    }
}

void TestFileWindows::fileWindowByKeyboard_data()
{
    QTest::addColumn<QKeySequence>("keys"); // from the name box, "new.chann" typed into it
    QTest::addColumn<QString>("folder");    // the folder list's folder afterwards, below the test's
    QTest::addColumn<QString>("current");   // the entry of the focused list; empty: not a list
    QTest::addColumn<QString>("name");      // the name box afterwards
    QTest::addColumn<bool>("saved");        // new.chann written and the window closed
    QTest::newRow("Enter on a folder only opens it")
        << QKeySequence(QStringLiteral("Shift+Tab, Shift+Tab, Z, Return")) << "zeta" << "zeta" << "new.chann" << false;
    QTest::newRow("a letter jumps past the indentation")
        << QKeySequence(QStringLiteral("Shift+Tab, Shift+Tab, A")) << "" << "alpha" << "new.chann" << false;
    QTest::newRow("arrow keys choose a file") << QKeySequence(QStringLiteral("Shift+Tab, Down")) << ""
                                              << "b2.chann" << "b2.chann" << false;
    QTest::newRow("Tab into the files marks the first, the name stays")
        << QKeySequence(QStringLiteral("Shift+Tab")) << "" << "a1.chann" << "new.chann" << false;
    QTest::newRow("an arrow that cannot move chooses the file") << QKeySequence(QStringLiteral("Shift+Tab, Up")) << ""
                                                                << "a1.chann" << "a1.chann" << false;
    QTest::newRow("Enter in the name box saves") << QKeySequence(QStringLiteral("Return")) << "" << ""
                                                 << "new.chann" << true;
}

// The save window by keys alone; the entry that has the keyboard is the
// highlighted one.
void TestFileWindows::fileWindowByKeyboard()
{
    QFETCH(QKeySequence, keys);
    QFETCH(QString, folder);
    QFETCH(QString, current);
    QFETCH(QString, name);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    QDir top(dir.path());
    QVERIFY(top.mkdir(QStringLiteral("alpha")) && top.mkdir(QStringLiteral("zeta")));
    QString error;
    QVERIFY(saveChannelFile(top.filePath(QStringLiteral("a1.chann")), testDocument().image(), error, Language::English));
    QVERIFY(saveChannelFile(top.filePath(QStringLiteral("b2.chann")), testDocument().image(), error, Language::English));
    StartedProgram program;
    program.session().setChannelFileName(top.filePath(QStringLiteral("a1.chann")));
    program.main->activateWindow();
    program.main->menuItem(QStringLiteral("File_save"))->trigger();
    auto *w = program.window<ChildWindow>(WindowId::Form_save_chann);
    QVERIFY(w);
    QApplication::processEvents();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("new.chann"));
    for (int i = 0; i < keys.count(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), keys[i].key(), keys[i].keyboardModifiers());
        QApplication::processEvents();
    }
    QCOMPARE(!program.registry().isOpen(WindowId::Form_save_chann), saved);
    QCOMPARE(QFileInfo::exists(top.filePath(QStringLiteral("new.chann"))), saved);
    QCOMPARE(QFileInfo::exists(top.filePath(QStringLiteral("zeta/new.chann"))), false);
    if (saved) {
        QCOMPARE(program.main->statusPanels().text(StatusPanels::Outcome),
                 QStringLiteral("已保存 ") + top.filePath(QStringLiteral("new.chann")));
        return;
    }
    QCOMPARE(w->findChild<DirList *>("Dir1")->path(), QDir(top.filePath(folder)).canonicalPath());
    QCOMPARE(w->findChild<QLineEdit *>("Text1")->text(), name);
    auto *list = qobject_cast<QListWidget *>(QApplication::focusWidget());
    QVERIFY(list);
    QCOMPARE(list->currentItem()->text().trimmed(), current);
    QVERIFY(list->currentItem()->isSelected());
    // Framed in the highlight colour while it has the keyboard.
    QCOMPARE(list->grab().toImage().pixelColor(0, list->height() / 2), list->palette().color(QPalette::Highlight));
}

void TestFileWindows::chooseFileFromTheListAndLoad()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("radios")));
    StartedProgram program;
    QString error;
    Img(5, 0) = 0x33;
    QVERIFY(saveChannelFile(dir.filePath(QStringLiteral("radios/fleet.chann")), Document(), error, Language::English));
    QFile other(dir.filePath(QStringLiteral("radios/notes.txt")));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();
    Img(5, 0) = 255;

    program.main->menuItem(QStringLiteral("File_Open"))->trigger();
    auto *w = program.window<ChildWindow>(WindowId::Form_open_chann);
    QVERIFY(w);
    auto *dirs = w->findChild<DirList *>("Dir1");
    auto *files = w->findChild<QListWidget *>("File1");
    dirs->setPath(dir.path());
    QVERIFY(files->findItems(QStringLiteral("fleet.chann"), Qt::MatchExactly).isEmpty());

    // Into the subfolder as a person does: activate its entry in the list.
    const QList<QListWidgetItem *> entries = dirs->findItems(QStringLiteral("radios"), Qt::MatchEndsWith);
    QCOMPARE(entries.size(), 1);
    emit dirs->itemActivated(entries.first());
    QCOMPARE(dirs->path(), QDir(dir.filePath(QStringLiteral("radios"))).canonicalPath());
    QCOMPARE(files->count(), 1);
    QListWidgetItem *item = files->item(0);
    QCOMPARE(item->text(), QStringLiteral("fleet.chann"));
    files->setCurrentItem(item);
    emit files->itemClicked(item);
    QCOMPARE(w->findChild<QLineEdit *>("Text1")->text(), QStringLiteral("fleet.chann"));
    QTest::mouseClick(w->findChild<QPushButton *>("Command_enter"), Qt::LeftButton);

    QCOMPARE(program.messages.texts(), QStringList{QStringLiteral("信道参数从文件调入成功 ！")});
    QCOMPARE(program.messages.messages.first().title, QStringLiteral("操作提示"));
    QCOMPARE(Img(5, 0), qint16(0x33));
    QVERIFY(!program.registry().isOpen(WindowId::Form_open_chann));

    // The next file window starts in the folder of the file just loaded.
    program.main->menuItem(QStringLiteral("File_save"))->trigger();
    auto *save = program.window<ChildWindow>(WindowId::Form_save_chann);
    QCOMPARE(save->findChild<DirList *>("Dir1")->path(), dirs->path());
}

void TestFileWindows::malformedFileKeepsWindowAndImage()
{
    QTemporaryDir dir;
    StartedProgram program;
    program.session().setLanguage(Language::English);
    QFile file(dir.filePath(QStringLiteral("short.chann")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(" 1  2  3 \r\n");
    file.close();
    Img(7, 7) = 77;
    const QList<int> before = imageBytes();

    program.main->menuItem(QStringLiteral("File_Open"))->trigger();
    auto *w = program.window<ChildWindow>(WindowId::Form_open_chann);
    w->findChild<DirList *>("Dir1")->setPath(dir.path());
    auto *text = w->findChild<QLineEdit *>("Text1");
    text->clear();
    QTest::keyClicks(text, QStringLiteral("short.chann"));
    QTest::keyClick(text, Qt::Key_Return);

    QCOMPARE(program.messages.texts(),
             QStringList{QStringLiteral("The channel parameter file was not loaded.\n"
                                        "The file holds only 3 numbers; a channel file holds 4096.")});
    QCOMPARE(imageBytes(), before);
    QVERIFY(program.registry().isOpen(WindowId::Form_open_chann));
}

void TestFileWindows::captionsInBothLanguages()
{
    StartedProgram program;
    struct Expect {
        WindowId id;
        bool chinese;
        const char *title, *name, *enter, *close, *text;
    };
    const Expect cases[] = {
        {WindowId::Form_open_chann, true, "打开信道参数文件", "打开文件名：", "确  定", "取  消", "*.chann"},
        {WindowId::Form_open_chann, false, "Open Channcle File", "Open File:", "Confirm", "Cancel", "*.chann"},
        {WindowId::Form_save_chann, true, "保存信道参数文件", "保存文件名：", "确  定", "取  消", "*.chann"},
        {WindowId::Form_save_chann, false, "Save Channel File", "Save File:", "Confirm", "Cancel", "*.chann"},
        {WindowId::Form_open_menu, true, "打开可选参数文件", "打开文件名：", "确  定", "取  消", "*.menu"},
        {WindowId::Form_save_menu, false, "Save Optional File ", "Save File:", "Confirm", "Cancel", "*.menu"},
    };
    for (const Expect &e : cases) {
        program.session().setLanguage(e.chinese ? Language::Chinese : Language::English);
        ChildWindow *w = program.registry().reopen(e.id);
        QCOMPARE(w->windowTitle(), QString::fromUtf8(e.title));
        QCOMPARE(w->findChild<QLabel *>("Label_drive")->text(), e.chinese ? QStringLiteral("驱动器：") : QStringLiteral("Drive:"));
        QCOMPARE(w->findChild<QLabel *>("Label_Name")->text(), QString::fromUtf8(e.name));
        QCOMPARE(w->findChild<QPushButton *>("Command_enter")->text(), QString::fromUtf8(e.enter));
        QCOMPARE(w->findChild<QPushButton *>("Command_close")->text(), QString::fromUtf8(e.close));
        QCOMPARE(w->findChild<QLineEdit *>("Text1")->text(), QString::fromUtf8(e.text));
        QTest::mouseClick(w->findChild<QPushButton *>("Command_close"), Qt::LeftButton);
        QVERIFY(!program.registry().isOpen(e.id));
    }
    QVERIFY(program.messages.messages.isEmpty());
}

void TestFileWindows::saveTakesTheNameBeingTypedInTheGrid()
{
    QTemporaryDir dir;
    StartedProgram program;
    auto *grid = program.window<ChildWindow>(WindowId::frm_chann);
    QVERIFY(grid);
    auto *table = grid->findChild<QTableView *>("MSF_chann");
    auto *edit = grid->findChild<QLineEdit *>("Text_Edit");
    // A channel at 438 MHz, then a name typed into its name cell but not
    // committed with Enter.
    const auto click = [&](int row, int column) {
        const QModelIndex item = table->model()->index(row - 1, column);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(item).center());
    };
    click(2, 1);
    QTest::keyClicks(edit, QStringLiteral("438"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(Img(2, 3), qint16(0x43));
    click(2, 7);
    QTest::keyClicks(edit, QStringLiteral("gate"));
    QCOMPARE(Img(2, 11), qint16(255));

    program.main->menuItem(QStringLiteral("File_save"))->trigger();
    QCOMPARE((QList<int>{Img(2, 11), Img(2, 12), Img(2, 13), Img(2, 14), Img(2, 15)}),
             (QList<int>{CharToCode("G"), CharToCode("A"), CharToCode("T"), CharToCode("E"), 255}));
    QVERIFY(Img(2, 10) & 0x08);

    auto *save = program.window<ChildWindow>(WindowId::Form_save_chann);
    save->findChild<DirList *>("Dir1")->setPath(dir.path());
    auto *text = save->findChild<QLineEdit *>("Text1");
    text->clear();
    QTest::keyClicks(text, QStringLiteral("named.chann"));
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(program.messages.texts(), QStringList{QStringLiteral("信道参数保存完毕 ！")});
    QFile file(dir.filePath(QStringLiteral("named.chann")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().split('\n').at(2).endsWith(" 18  12  31  16  255 \r"));
}

// Without a file loaded or saved in this run, neither the current directory
// nor a bare optional file name decides where the lists start.
void TestFileWindows::firstWindowStartsInTheDocumentsFolder()
{
    QTemporaryDir home, elsewhere;
    const QByteArray savedHome = qgetenv("HOME");
    const QString savedCurrent = QDir::currentPath();
    qputenv("HOME", home.path().toLocal8Bit());
    QDir::setCurrent(elsewhere.path());
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(QDir().mkpath(documents));
    {
        StartedProgram program;
        program.session().setChannelFileName(QStringLiteral("radio.menu"));
        ChildWindow *w = program.registry().reopen(WindowId::Form_open_chann);
        QCOMPARE(w->findChild<DirList *>("Dir1")->path(), QDir(documents).canonicalPath());
    }
    QDir::setCurrent(savedCurrent);
    qputenv("HOME", savedHome);
}

QTEST_MAIN(TestFileWindows)
#include "tst_file_windows.moc"
