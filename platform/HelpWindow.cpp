#include "platform/HelpWindow.h"

#include "core/Texts.h"
#include "platform/WindowLanguage.h"

#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

QString helpPagePath(const QString &window)
{
    return QStringLiteral(":/help/%1/%2.html").arg(langText("zh", "en"), window);
}

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
        viewer->resize(560, 480);
        auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), viewer);
        QObject::connect(close, &QShortcut::activated, viewer, &QWidget::close);
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
