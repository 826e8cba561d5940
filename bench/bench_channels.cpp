// Times of the channel grid: rebuilding all 128 rows when the window is
// activated, the same with the grid painted, one receive-frequency commit
// typed into a cell, one cell edit until the grid is painted again, and the
// bulk gestures: a paste of 128 channels from text and a sort of 128
// channels, each and its undo until the grid is painted.
#include "core/ChannelRecord.h"
#include "channels/ChannelGridActions.h"
#include "channels/frm_chann.h"
#include "platform/CodeplugDocument.h"
#include "platform/Messages.h"
#include "platform/WindowRegistry.h"
#include "shell/MDImain.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableView>
#include <QUndoStack>
#include <cstdio>

namespace {

void fillChannels(CodeplugDocument &document, double rx, double tx, const char *name)
{
    document.edit(plainLabel("", "bench"), [&](Codeplug &image) {
        for (int n = 1; n <= 128; ++n) {
            storeFrequencyPair(image, n, Frequency::fromMHz(rx), Frequency::fromMHz(tx), GridDirectionByte);
            storeGridTone(image, n, ToneSlot::Decode, n);
            storeGridTone(image, n, ToneSlot::Encode, 258 - n);
            storeGridName(image, n, QString::fromLatin1(name));
        }
    });
}

void click(QTableView *table, int row, int column)
{
    const QModelIndex cell = table->model()->index(row - 1, column);
    table->scrollTo(cell);
    const QPoint pos = table->visualRect(cell).center();
    const QPoint global = table->viewport()->mapToGlobal(pos);
    QMouseEvent press(QEvent::MouseButtonPress, pos, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(table->viewport(), &press);
    QApplication::sendEvent(table->viewport(), &release);
}

double perRunMs(qint64 nanoseconds, int runs)
{
    return nanoseconds / 1e6 / runs;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MessageRecorder messages;
    MDImain main;
    main.MDIForm_Load();
    auto *grid = main.registry().get<frm_chann>(WindowId::frm_chann);
    auto *table = grid->findChild<QTableView *>(QStringLiteral("MSF_chann"));
    // Shown, so that a repaint paints.
    main.show();
    QApplication::processEvents();
    auto *edit = grid->findChild<QLineEdit *>(QStringLiteral("Text_Edit"));

    constexpr int Runs = 200;
    fillChannels(main.document(), 438.125, 445.125, "AB");
    grid->Form_Activate();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Runs; ++i)
        grid->Form_Activate();
    const double unchanged = perRunMs(timer.nsecsElapsed(), Runs);

    qint64 changedNs = 0;
    for (int i = 0; i < Runs; ++i) {
        if (i % 2)
            fillChannels(main.document(), 438.125, 445.125, "AB");
        else
            fillChannels(main.document(), 401.5, 460.00625, "XYZ12");
        timer.restart();
        grid->Form_Activate();
        changedNs += timer.nsecsElapsed();
    }
    const double changed = perRunMs(changedNs, Runs);

    // What a person waits for: the rebuild and the paint of what it changed.
    qint64 paintedNs = 0;
    for (int i = 0; i < Runs; ++i) {
        fillChannels(main.document(), i % 2 ? 438.125 : 401.5, i % 2 ? 445.125 : 460.00625, i % 2 ? "AB" : "XYZ12");
        timer.restart();
        grid->Form_Activate();
        table->viewport()->repaint();
        paintedNs += timer.nsecsElapsed();
    }
    const double painted = perRunMs(paintedNs, Runs);

    // One cell edit (a tone chosen in another window, say) to the grid
    // painted again.
    qint64 cellNs = 0;
    for (int i = 0; i < Runs; ++i) {
        timer.restart();
        main.document().edit(plainLabel("", "bench"), [&](Codeplug &image) {
            storeGridTone(image, 5, ToneSlot::Decode, 1 + i % 50);
        });
        QApplication::sendPostedEvents();
        table->viewport()->repaint();
        cellNs += timer.nsecsElapsed();
    }
    const double cell = perRunMs(cellNs, Runs);

    qint64 commitNs = 0;
    for (int i = 0; i < Runs; ++i) {
        const int row = 1 + i % 128;
        click(table, row, 1);
        edit->setText(i % 2 ? QStringLiteral("439.5") : QStringLiteral("441.00625"));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        timer.restart();
        QApplication::sendEvent(edit, &enter);
        commitNs += timer.nsecsElapsed();
    }
    const double commit = perRunMs(commitNs, Runs);

    std::printf("grid rebuild of 128 rows, image unchanged: %.3f ms\n", unchanged);
    std::printf("grid rebuild of 128 rows, every cell changed: %.3f ms\n", changed);
    std::printf("grid rebuild of 128 rows and paint, every cell changed: %.3f ms\n", painted);
    std::printf("one cell changed in the image to the grid painted: %.3f ms\n", cell);
    std::printf("receive commit with Enter (store, row rebuild, next editor): %.3f ms\n", commit);
    // The history's cost of one cell edit and of a whole image replaced,
    // as a file opened or a read does.
    CodeplugDocument &document = main.document();
    document.history().clear(); // below the 100-step bound, which drops old steps
    qint64 bytes = document.historyBytes();
    document.edit(plainLabel("接收频率", "channel 5 receive frequency"),
                  [](Codeplug &image) { storeGridTone(image, 5, ToneSlot::Decode, 7); });
    const qint64 cellStep = document.historyBytes() - bytes;
    bytes = document.historyBytes();
    document.edit(plainLabel("打开 a.chann", "opening a.chann"), [](Codeplug &image) {
        for (int r = 0; r < RadioRows; ++r)
            for (int c = 0; c < RowBytes; ++c)
                image.at(r, c) = qint16((image.cell(r, c) + 1) & 0xFF);
    });
    const qint64 fileStep = document.historyBytes() - bytes;
    std::printf("undo step of a cell edit: %lld bytes; of a whole image replaced: %lld bytes\n",
                static_cast<long long>(cellStep), static_cast<long long>(fileStep));

    // A spreadsheet's 128 rows pasted into the grid, then sorted, each
    // undone; every figure until the grid is painted again.
    QString plan;
    for (int n = 1; n <= 128; ++n)
        plan += QStringLiteral("%1\t%2\t%3\tOFF\t%4\tWide\tP%5\n")
                    .arg(470 - n * 0.5, 0, 'f', 5)
                    .arg(470 - n * 0.5, 0, 'f', 5)
                    .arg(n % 2 ? QStringLiteral("88.5") : QStringLiteral("D023N"))
                    .arg(n % 3 ? QStringLiteral("High") : QStringLiteral("Low"))
                    .arg(n);
    auto *actions = grid->findChild<ChannelGridActions *>();
    const auto timed = [&](const std::function<void()> &gesture) {
        timer.restart();
        gesture();
        QApplication::sendPostedEvents();
        table->viewport()->repaint();
        return timer.nsecsElapsed();
    };
    qint64 pasteNs = 0, sortNs = 0, undoPasteNs = 0, undoSortNs = 0, pasteStep = 0, sortStep = 0;
    constexpr int BulkRuns = 20;
    for (int i = 0; i < BulkRuns; ++i) {
        fillChannels(main.document(), 438.125, 445.125, "AB");
        document.history().clear();
        click(table, 1, 1);
        QApplication::clipboard()->setText(plan);
        bytes = document.historyBytes();
        pasteNs += timed([&] { actions->paste(); });
        pasteStep = document.historyBytes() - bytes;
        bytes = document.historyBytes();
        sortNs += timed([&] { actions->sort(ChannelSortKey::Receive); });
        sortStep = document.historyBytes() - bytes;
        undoSortNs += timed([&] { document.undo(); });
        undoPasteNs += timed([&] { document.undo(); });
    }
    std::printf("paste of 128 channels from text: %.3f ms; its undo: %.3f ms; undo step %lld bytes\n",
                perRunMs(pasteNs, BulkRuns), perRunMs(undoPasteNs, BulkRuns), static_cast<long long>(pasteStep));
    std::printf("sort of 128 channels by receive frequency: %.3f ms; its undo: %.3f ms; undo step %lld bytes\n",
                perRunMs(sortNs, BulkRuns), perRunMs(undoSortNs, BulkRuns), static_cast<long long>(sortStep));
    std::printf("messages shown: %lld\n", static_cast<long long>(messages.messages.size()));
    main.close();
    return 0;
}
