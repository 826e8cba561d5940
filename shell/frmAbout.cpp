#include "shell/frmAbout.h"

#include "platform/DrawnIcons.h"

#include "platform/Messages.h"
#include "shell/AboutTexts.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

frmAbout::frmAbout(WindowRegistry &registry)
    : ChildWindow(WindowId::frmAbout, registry),
      lblTitle(new QLabel(this)), lblVersion(new QLabel(this)), lblDescription(new QLabel(this)),
      lblDisclaimer(new QLabel(this)), cmdOK(new QPushButton(this)), cmdSysInfo(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmAbout"));
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    for (QLabel *label : {lblDescription, lblDisclaimer})
        label->setWordWrap(true);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(programIcon().pixmap(QSize(48, 48), devicePixelRatioF()));
    auto *texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addWidget(lblDescription);
    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addStretch();
    layout->addLayout(bottom);

    connect(cmdOK, &QPushButton::clicked, this, &ChildWindow::closeWindow);
    setMainAction(cmdOK);
    setEscapeButton(cmdOK);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::Form_Load()
{
    ChildWindow::Form_Load();
    RebuildAboutTexts();
    setWindowTitle(AboutTexts.title);
    lblTitle->setText(AboutTexts.title);
    lblVersion->setText(AboutTexts.version);
    lblDescription->setText(AboutTexts.description);
    lblDisclaimer->setText(AboutTexts.disclaimer);
    cmdOK->setText(AboutTexts.ok);
    cmdSysInfo->setText(AboutTexts.sysInfo);

    const QSize inner = mainInnerSize();
    const int w = qMin(inner.width(), qMax(520, sizeHint().width() + 40));
    const int h = qMin(inner.height(), qMax(260, sizeHint().height() + 40));
    placeWindow((inner.width() - w) / 2, qMax(0, (inner.height() - h) / 2 - twips(500)), w, h);
}

void frmAbout::cmdSysInfo_Click()
{
    if (!StartSysInfo())
        showMessage(QStringLiteral("此时系统信息不可用"));
}

bool StartSysInfo()
{
#ifdef Q_OS_WIN
    const QSettings msinfo(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                           QSettings::NativeFormat);
    const QString path = msinfo.value(QStringLiteral("PATH")).toString();
    if (!path.isEmpty())
        return QProcess::startDetached(path, {});
    const QSettings location(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location"),
                             QSettings::NativeFormat);
    const QString folder = location.value(QStringLiteral("MSINFO")).toString();
    const QString exe = folder + QStringLiteral("\\MSINFO32.EXE");
    if (!folder.isEmpty() && QFileInfo::exists(exe))
        return QProcess::startDetached(exe, {});
    return false;
#elif defined(Q_OS_MACOS)
    return QProcess::startDetached(QStringLiteral("open"), {QStringLiteral("-a"), QStringLiteral("System Information")});
#else
    // The desktops' own system-information programs, the first one found.
    for (const char *program : {"kinfocenter", "hardinfo2", "hardinfo", "gnome-system-monitor"}) {
        const QString exe = QStandardPaths::findExecutable(QString::fromLatin1(program));
        if (!exe.isEmpty())
            return QProcess::startDetached(exe, {});
    }
    return false;
#endif
}

#include "moc_frmAbout.cpp"
