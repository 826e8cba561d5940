#include "platform/HelpWindow.h"

#include "core/Texts.h"
#include "platform/WindowLanguage.h"

#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

QString helpPagePath(const QString &window)
{
    return QStringLiteral(":/help/%1/%2.html").arg(langText("zh", "en"), window);
}

namespace {

// Inside the screen's free area, title bar and frame included, centred on
// the main window: at 1024 x 768 a fixed size and the window manager's
// place could leave the bottom edge off the screen.
void placeInsideScreen(QWidget *viewer, const QWidget *over)
{
    const QRect area = (over ? over->screen() : viewer->screen())->availableGeometry();
    // Before it is shown the frame is unknown: the style's title bar and a
    // border stand for it.
    const QMargins frame(4, viewer->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4, 4, 4);
    const QRect inside = area.marginsRemoved(frame);
    QRect place(QPoint(), QSize(560, 480).boundedTo(inside.size()));
    place.moveCenter(over ? over->geometry().center() : inside.center());
    place.moveLeft(qBound(inside.left(), place.left(), inside.right() - place.width() + 1));
    place.moveTop(qBound(inside.top(), place.top(), inside.bottom() - place.height() + 1));
    viewer->setGeometry(place);
}

} // namespace

QWidget *showHelp(const QString &window, QWidget *parent)
{
    QFile page(helpPagePath(window));
    if (!page.open(QIODevice::ReadOnly))
        return nullptr;
    // One viewer for the whole program, beside the main window rather than
    // among its child windows, so that it can stay open while one works.
    static QPointer<QTextBrowser> viewer;
    if (!viewer) {
        viewer = new QTextBrowser(parent ? parent->window() : nullptr);
        viewer->setObjectName(QStringLiteral("helpViewer"));
        viewer->setWindowFlags(Qt::Window);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), viewer);
        QObject::connect(close, &QShortcut::activated, viewer, &QWidget::close);
        // Placed once: where the user moves it, it stays.
        placeInsideScreen(viewer, parent ? parent->window() : nullptr);
    }
    viewer->setWindowTitle(langText("帮助", "Help"));
    viewer->setHtml(QString::fromUtf8(page.readAll()));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

void connectHelp(QWidget *window)
{
    const QString name = window->objectName();
    for (const char *button : {"Command_Help", "Command_help"})
        if (auto *help = window->findChild<QPushButton *>(QLatin1String(button)))
            QObject::connect(help, &QPushButton::clicked, window, [window, name] { showHelp(name, window); });
    auto *f1 = new QShortcut(QKeySequence::HelpContents, window);
    f1->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(f1, &QShortcut::activated, window, [window, name] { showHelp(name, window); });
}
