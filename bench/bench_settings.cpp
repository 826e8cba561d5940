// Time to open each settings window (load with all its lists filled) and to
// re-activate it. With "--show <window> [en]" it instead opens one window and
// keeps the program running for a few seconds, for a screenshot.
#include "bench/BenchTiming.h"
#include "platform/CodeplugDocument.h"
#include "core/Codeplug.h"
#include "platform/ChildWindow.h"
#include "platform/Messages.h"
#include "platform/WindowRegistry.h"
#include "shell/MDImain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Window {
    WindowId id;
    const char *name;
};

const Window windows[] = {
    {WindowId::frm_option, "frm_option"},         {WindowId::Form_Edit_scan, "Form_Edit_scan"},
    {WindowId::Form_edit_Key, "Form_edit_Key"},   {WindowId::frm_dtmf, "frm_dtmf"},
    {WindowId::Form_Edit_Message, "Form_Edit_Message"}, {WindowId::Form_Edit_Test, "Form_Edit_Test"},
};

// Two settings images: the start-up one and one with other values in every
// settings row.
void alterImage(CodeplugDocument &document, bool altered)
{
    static const Codeplug saved = document.image();
    document.edit(plainLabel("", "bench"), [altered](Codeplug &image) {
        const int rows[] = {130, 209, 240, 250, 252, 253, 254};
        for (int r : rows)
            for (int c = 0; c < RowBytes; ++c)
                image.at(r, c) = altered ? static_cast<qint16>((saved.cell(r, c) + 3 * c + 1) % 100) : saved.cell(r, c);
        if (altered) {
            image.at(250, 0) = 0x10; // a valid range, 401..469
            image.at(250, 1) = 0x40;
            image.at(250, 2) = 0x90;
            image.at(250, 3) = 0x46;
        }
    });
}

int show(MDImain &main, const QString &name, bool english)
{
    if (english)
        main.menuItem(QStringLiteral("Language_eng"))->trigger();
    for (const Window &w : windows)
        if (name == QLatin1String(w.name))
            main.registry().reopen(w.id);
    QTimer::singleShot(6000, qApp, &QApplication::quit);
    return QApplication::exec();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    MDImain main;
    main.MDIForm_Load();
    QApplication::processEvents();

    const QStringList args = QApplication::arguments();
    if (args.size() >= 3 && args.at(1) == QLatin1String("--show"))
        return show(main, args.at(2), args.size() >= 4 && args.at(3) == QLatin1String("en"));

    MessageRecorder quiet;
    constexpr int runs = 30;
    std::printf("%-18s %12s %12s %14s %14s\n", "window", "open median", "open worst",
                "activate med.", "activate worst");
    for (const Window &w : windows) {
        const Figures open = measure(runs, [&] {
            main.registry().reopen(w.id);
            QApplication::processEvents();
        });
        // Each activation finds another image, so that every control changes.
        ChildWindow *window = main.registry().get(w.id);
        int run = 0;
        const Figures activate = measure(runs, [&] {
            alterImage(main.document(), ++run % 2 == 1);
            window->Form_Activate();
        });
        alterImage(main.document(), false);
        std::printf("%-18s %9.2f ms %9.2f ms %11.3f ms %11.3f ms\n", w.name, open.median, open.worst,
                    activate.median, activate.worst);
        main.registry().close(w.id);
    }
    return 0;
}
