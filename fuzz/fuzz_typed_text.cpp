// Random text typed or pasted into every text box that stores into the
// image: the grid's frequency and name cells, the single-channel editor, the
// options window's frequency, range and DTMF boxes, the priority channel and
// the message. Whatever is typed, the image must keep only storable values:
// frequencies in the working range and on the raster, tone codes of the
// list, name bytes of the name alphabet or 255.
#include "core/Codecs.h"
#include "platform/CodeplugDocument.h"
#include "core/Codeplug.h"
#include "core/NumberText.h"
#include "platform/Messages.h"
#include "platform/ChildWindow.h"
#include "platform/WindowRegistry.h"
#include "core/SettingsRules.h"
#include "core/ToneTable.h"
#include "shell/MDImain.h"

#include <QApplication>
#include <QKeyEvent>
#include <QClipboard>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Characters worth typing: digits, points, spaces, signs, letters of and
// beyond the name alphabet, a control character and a Chinese one.
const QString Alphabet = QStringLiteral("0123456789. .-+eE,aZz_*\t#/") + QChar(0x4E2D) + QChar(0x7F);

struct Box {
    WindowId window;
    const char *name;
};
const Box Boxes[] = {
    {WindowId::Form_Chann_Edit, "Text_CHN"},      {WindowId::Form_Chann_Edit, "Text_RX_Freq"},
    {WindowId::Form_Chann_Edit, "Text_TX_Freq"},  {WindowId::Form_Chann_Edit, "Text_Name"},
    {WindowId::frm_option, "Text_RX_Freq"},       {WindowId::frm_option, "Text_Offset_Freq"},
    {WindowId::frm_option, "Text_pvfo_d0"},       {WindowId::frm_option, "Text_pvfo_d1"},
    {WindowId::frm_option, "Text_DTMF_Code"},     {WindowId::Form_Edit_scan, "Text_prich"},
    {WindowId::Form_Edit_Message, "Text_MS1"},
};
constexpr int BoxCount = int(sizeof Boxes / sizeof Boxes[0]);
const int GridColumns[] = {1, 2, 7};

// The started program's document, which the checks read.
CodeplugDocument *document = nullptr;

int cell(int row, int column)
{
    return document->image().cell(row, column);
}

void fail(const char *what, int row, int column)
{
    std::fprintf(stderr, "finding: %s at image row %d, byte %d\n", what, row, column);
    std::abort();
}

bool isBcd(int row, int column)
{
    for (int c = column; c < column + 4; ++c)
        if (cell(row, c) / 16 > 9 || cell(row, c) % 16 > 9)
            return false;
    return true;
}

bool allEmpty(int row, int first, int count)
{
    for (int c = first; c < first + count; ++c)
        if (cell(row, c) != Region::Empty)
            return false;
    return true;
}

double mhzAt(int row, int column)
{
    return numericValue(FreqFromBytes(cell(row, column), cell(row, column + 1), cell(row, column + 2),
                                      cell(row, column + 3)));
}

bool onRaster(double mhz)
{
    const qint64 tenHz = qRound64(mhz * 100000.0);
    return tenHz % 500 == 0 || tenHz % 625 == 0;
}

// The grid's name of channel n, right after the grid stored it: the editor
// encoding uses the same bytes for other fields, so only then can they be
// taken for a name.
void checkGridName(int n)
{
    for (int c = 11; c < 16; ++c)
        if (cell(n, c) > 40 && cell(n, c) != Region::Empty)
            fail("grid name byte outside the alphabet", n, c);
}

// What the windows may store, checked over the whole image.
void checkImage()
{
    const auto [low, high] = RangeFromImage(document->image());
    if (low < 400 || high > 470 || low > high)
        fail("working range outside 400..470", Region::VfoRow + 120, 0);
    for (int n = Region::FirstChannelRow; n <= Region::LastChannelRow; ++n) {
        if (cell(n, 0) == Region::Empty)
            continue;
        if (!isBcd(n, 0) || !isBcd(n, 4))
            fail("channel frequency not decimal", n, 0);
        // The replacement of an entry out of band is the lower limit, which
        // may equal the upper one.
        const double rx = mhzAt(n, 0);
        if (rx < 400 || rx > 470 || !onRaster(rx))
            fail("channel receive frequency out of range or off the raster", n, 0);
        if (!onRaster(mhzAt(n, 4)))
            fail("channel offset off the raster", n, 4);
    }
    for (int r = Region::NameTableFirstRow; r <= Region::NameTableLastRow; ++r)
        for (int c = 0; c < RowBytes; ++c)
            if (cell(r, c) > 40 && cell(r, c) != Region::Empty)
                fail("editor name byte outside the alphabet", r, c);
    const int vfo = Region::VfoRow;
    if (!allEmpty(vfo, 0, 4) && (!isBcd(vfo, 0) || mhzAt(vfo, 0) < 400 || mhzAt(vfo, 0) >= 470))
        fail("VFO receive frequency out of range", vfo, 0);
    if (!allEmpty(vfo, 4, 4) && (!isBcd(vfo, 4) || mhzAt(vfo, 4) >= 70))
        fail("VFO offset out of range", vfo, 4);
    for (int c = 8; c <= 9; ++c)
        if (cell(vfo, c) < 0 || cell(vfo, c) > ToneTable::instance().last(ToneTable::Kind::DcsNormal))
            fail("VFO tone code beyond the list", vfo, c);
    for (int c = 0; c < SettingBytes::DtmfCodeLength; ++c)
        if (cell(254, c) > 15 && cell(254, c) != Region::Empty)
            fail("DTMF digit beyond 0..F", 254, c);
    for (int c = SettingBytes::MessageFirstByte;
         c < SettingBytes::MessageFirstByte + SettingBytes::MessageLength; ++c) {
        const int v = cell(SettingBytes::MessageRow, c);
        if ((v < 0x20 || v > 0x7E) && v != Region::Empty)
            fail("message byte not a character", SettingBytes::MessageRow, c);
    }
    const int priority = cell(SettingBytes::ScanRow, 1);
    if ((priority < 1 || priority > 16) && priority != Region::Empty)
        fail("priority channel outside 1..16", SettingBytes::ScanRow, 1);
}

const WindowId Windows[] = {WindowId::frm_chann, WindowId::Form_Chann_Edit, WindowId::frm_option,
                            WindowId::Form_Edit_scan, WindowId::Form_Edit_Message};

// The started program with every window of the boxes open, kept for the
// whole run: building it anew for every input would cost far more than the
// input.
struct Program {
    MessageRecorder messages;
    std::unique_ptr<MDImain> main;

    Program()
    {
        main = std::make_unique<MDImain>();
        document = &main->document();
        main->MDIForm_Load();
        main->menuItem(QStringLiteral("Language_eng"))->trigger();
        main->show();
        main->activateWindow();
        QApplication::processEvents();
    }
    // A fresh image, shown by every window as when the user returns to it.
    void reset()
    {
        Codeplug image;
        InitDefaultImage(image);
        document->start(image, workRangeOf(image));
        document->setCurrentChannel(1);
        // A typed key may have closed a window (the grid closes its editor).
        for (WindowId id : Windows)
            if (ChildWindow *w = window(id))
                w->Form_Activate();
            else
                main->registry().reopen(id);
        messages.clear();
    }
    ChildWindow *window(WindowId id) { return main->registry().get(id); }
    // Brings the window to the front as a click into it does; keys then go
    // to its focused control.
    ChildWindow *activate(WindowId id)
    {
        ChildWindow *w = window(id);
        if (!w)
            w = main->registry().reopen(id);
        auto *sub = qobject_cast<QMdiSubWindow *>(w->parentWidget());
        QMdiArea *area = main->registry().mdiArea();
        if (sub && area->activeSubWindow() != sub)
            area->setActiveSubWindow(sub);
        QApplication::processEvents();
        return w;
    }
};

class Input {
public:
    Input(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_pos >= m_size; }
    int next() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    QString text()
    {
        QString t;
        for (int length = next() % 12; length > 0 && !atEnd(); --length) {
            const int b = next();
            t += b < 224 ? Alphabet.at(b % Alphabet.size()) : QChar(b);
        }
        return t;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// A key for each character, as a keyboard sends it: Tab moves the focus on.
void typeCharacter(QWidget *widget, QChar ch)
{
    int key = Qt::Key_unknown;
    if (ch == QLatin1Char('\t'))
        key = Qt::Key_Tab;
    else if (ch.unicode() > 0x20 && ch.unicode() < 0x7F)
        key = ch.toUpper().unicode();
    else if (ch == QLatin1Char(' '))
        key = Qt::Key_Space;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &release);
}

void enter(QLineEdit *edit, const QString &text, bool paste)
{
    if (paste) {
        QApplication::clipboard()->setText(text);
        edit->paste();
    } else {
        // Keys go where the focus is, which a Tab or a handler may move.
        for (const QChar ch : text)
            if (QWidget *focused = QApplication::focusWidget())
                typeCharacter(focused, ch);
    }
}

// Types into a grid cell's editor after a click on the cell, then commits it
// by Enter or by a click on another cell.
void typeIntoGrid(Program &program, Input &input)
{
    QWidget *grid = program.activate(WindowId::frm_chann);
    auto *table = grid->findChild<QTableWidget *>(QStringLiteral("MSF_chann"));
    auto *edit = grid->findChild<QLineEdit *>(QStringLiteral("Text_Edit"));
    const int row = input.next() % 6;
    const int column = GridColumns[input.next() % 3];
    const int how = input.next();
    const QString text = input.text();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualItemRect(table->item(row, column)).center());
    if (!edit->isVisible())
        return;
    if (how & 1)
        edit->clear();
    enter(edit, text, how & 2);
    if (how & 4)
        QTest::keyClick(edit, Qt::Key_Return);
    const int elsewhere = (row + 1) % 6;
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualItemRect(table->item(elsewhere, 6)).center());
    if (column == 7 && (cell(row + 1, 10) & 0x08))
        checkGridName(row + 1);
}

void typeIntoBox(Program &program, Input &input)
{
    const Box &box = Boxes[input.next() % BoxCount];
    QWidget *window = program.activate(box.window);
    auto *edit = window->findChild<QLineEdit *>(QString::fromLatin1(box.name));
    const int how = input.next();
    const QString text = input.text();
    if (!edit || !edit->isEnabled())
        return;
    edit->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    if (!edit->hasFocus())
        return; // a handler kept the focus elsewhere, where the keys would go
    if (how & 1)
        edit->selectAll();
    enter(edit, text, how & 2);
    if (how & 4)
        QTest::keyClick(edit, Qt::Key_Return);
    // Leaving the box (or where Tab took the focus) commits it, as a click
    // on a button of the window does.
    window->findChild<QPushButton *>()->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Left to the end of the process: the fuzzer exits from its own code,
    // after which Qt's teardown would run in the wrong order.
    new QApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Program &program = *new Program;
    program.reset();
    Input input(data, size);
    for (int actions = 0; !input.atEnd() && actions < 6; ++actions) {
        if (input.next() % 3 == 0)
            typeIntoGrid(program, input);
        else
            typeIntoBox(program, input);
        checkImage();
    }
    return 0;
}
