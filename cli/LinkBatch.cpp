#include "cli/LinkBatch.h"

#include "cli/Interrupts.h"
#include "core/Texts.h"
#include "serial/LinkEngine.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>

namespace {

int blocksOf(LinkKind kind)
{
    return kind == LinkKind::Read ? 256 : 255;
}

QString stepName(LinkKind kind, int step)
{
    if (kind == LinkKind::Write)
        return langText("写入", "write");
    return step > 0 ? langText("校验", "verify") : langText("读取", "read");
}

QString failureText(LinkFailure failure)
{
    switch (failure) {
    case LinkFailure::NoAnswer:
        return langText("对讲机没有应答", "the radio does not answer");
    case LinkFailure::LostReply:
        return langText("对讲机的应答丢失", "a reply or acknowledgement of the radio was lost");
    case LinkFailure::DeviceLost:
        break;
    }
    return langText("设备已断开", "the device was lost");
}

QString seconds(double s)
{
    return QString::number(s, 'f', 2);
}

} // namespace

LinkBatch::LinkBatch(CliContext &context, const QList<PortSpec> &ports, const QList<LinkKind> &steps,
                     const Codeplug &toWrite)
    : m_context(context), m_steps(steps), m_toWrite(toWrite), m_jobs(size_t(ports.size())),
      m_redraw(new QTimer(this))
{
    for (int i = 0; i < ports.size(); ++i)
        m_jobs[size_t(i)].result.port = ports.at(i);
    m_redraw->setInterval(200);
    connect(m_redraw, &QTimer::timeout, this, &LinkBatch::showProgress);
}

LinkBatch::~LinkBatch() = default;

std::vector<PortResult> LinkBatch::run()
{
    QEventLoop loop;
    m_loop = &loop;
    m_running = int(m_jobs.size());
    if (Interrupts *interrupts = Interrupts::instance()) {
        connect(interrupts, &Interrupts::interrupted, this, &LinkBatch::interrupt);
        connect(interrupts, &Interrupts::interrupted, &loop, &QEventLoop::quit);
    }
    for (Job &job : m_jobs) {
        job.clock.start();
        startStep(job);
    }
    if (m_context.progressOnTerminal) {
        showProgress();
        m_redraw->start();
    }
    if (m_running > 0 && !(Interrupts::instance() && Interrupts::instance()->happened()))
        loop.exec();
    interrupt(); // whatever still runs after an interruption
    m_loop = nullptr;
    m_redraw->stop();
    if (m_context.progressOnTerminal)
        showProgress();
    std::vector<PortResult> results;
    for (const Job &job : m_jobs)
        results.push_back(job.result);
    return results;
}

void LinkBatch::startStep(Job &job)
{
    const LinkKind kind = m_steps.at(job.step);
    auto *link = new LinkEngine(kind, m_context.timing, this);
    if (job.link)
        job.link->deleteLater();
    job.link = link;
    job.blocks = 0;
    job.stepClock.start();
    link->setPort(job.result.port);
    link->setCodeplug(m_toWrite);
    connect(link, &LinkEngine::openFailed, this, [this, &job, link](const QString &reason) {
        finish(job, link->lastFailure() == LinkFailure::DeviceLost
                        ? failureText(LinkFailure::DeviceLost) + QStringLiteral(" (") + reason
                              + QLatin1Char(')')
                        : langText("无法打开端口：", "cannot open the port: ") + reason);
    });
    connect(link, &LinkEngine::failed, this,
            [this, &job](LinkFailure failure) { finish(job, failureText(failure)); });
    connect(link, &LinkEngine::progress, this, [&job, kind](int blockIndex) {
        job.blocks = kind == LinkKind::Read ? blockIndex - 1 : blockIndex;
    });
    connect(link, &LinkEngine::completed, this, [this, &job, link] {
        job.blocks = blocksOf(link->kind());
        if (link->kind() == LinkKind::Read)
            job.result.image = link->codeplug();
        plainLine(job, langText("完成", "done"));
        if (++job.step < m_steps.size()) {
            startStep(job);
            return;
        }
        job.result.ok = true;
        finish(job, QString());
    });
    plainLine(job, langText("开始", "started"));
    link->start();
}

void LinkBatch::finish(Job &job, const QString &error)
{
    if (job.finished)
        return;
    job.finished = true;
    job.link->cancel();
    job.result.error = error;
    job.result.seconds = job.clock.nsecsElapsed() / 1e9;
    if (!error.isEmpty())
        plainLine(job, langText("失败：", "failed: ") + error);
    if (--m_running == 0 && m_loop)
        m_loop->quit();
}

void LinkBatch::interrupt()
{
    for (Job &job : m_jobs)
        finish(job, langText("已中断", "interrupted"));
}

QString LinkBatch::progressLine(const Job &job) const
{
    const LinkKind kind = m_steps.at(qMin(job.step, m_steps.size() - 1));
    const QString name = job.result.port.name().leftJustified(14);
    if (job.finished)
        return name + (job.result.ok ? langText("成功", "ok") : langText("失败：", "failed: ") + job.result.error);
    const int total = blocksOf(kind);
    const int percent = job.blocks * 100 / total;
    QString left = QStringLiteral("--");
    if (job.blocks > 0) {
        const double elapsed = job.stepClock.nsecsElapsed() / 1e9;
        left = QString::number(qRound(elapsed * (total - job.blocks) / job.blocks));
    }
    return name
        + QStringLiteral("%1 %2/%3 %4% %5 s")
              .arg(stepName(kind, job.step).leftJustified(7))
              .arg(job.blocks, 3)
              .arg(total)
              .arg(percent, 3)
              .arg(left)
        + langText(" 剩余", " left");
}

void LinkBatch::showProgress()
{
    // Moves back over the lines drawn last time and draws them anew.
    if (m_linesShown > 0)
        m_context.err << "\x1b[" << m_linesShown << 'A';
    for (const Job &job : m_jobs)
        m_context.err << "\r\x1b[2K" << progressLine(job) << '\n';
    m_context.err.flush();
    m_linesShown = int(m_jobs.size());
}

void LinkBatch::plainLine(const Job &job, const QString &what)
{
    if (m_context.progressOnTerminal)
        return;
    const LinkKind kind = m_steps.at(qMin(job.step, m_steps.size() - 1));
    m_context.err << job.result.port.name() << ' ' << stepName(kind, job.step) << ' ' << what
                  << Qt::endl;
}

bool readRadioImage(CliContext &context, const PortSpec &port, Codeplug &image, QString &error)
{
    LinkBatch batch(context, {port}, {LinkKind::Read});
    const PortResult result = batch.run().front();
    image = result.image;
    error = result.error;
    return result.ok;
}

void printResults(CliContext &context, bool json, const QString &command,
                  const std::vector<PortResult> &results)
{
    for (const PortResult &r : results)
        if (!r.ok)
            printError(context, r.port.name() + QStringLiteral(": ") + r.error);
    if (json) {
        QJsonArray ports;
        for (const PortResult &r : results) {
            QJsonObject port = r.details;
            port.insert(QStringLiteral("port"), r.port.name());
            port.insert(QStringLiteral("ok"), r.ok);
            port.insert(QStringLiteral("seconds"), qRound(r.seconds * 100) / 100.0);
            if (!r.ok)
                port.insert(QStringLiteral("error"), r.error);
            ports.append(port);
        }
        const QJsonObject result{{QStringLiteral("command"), command},
                                 {QStringLiteral("ok"), failures(results) == 0},
                                 {QStringLiteral("failed"), failures(results)},
                                 {QStringLiteral("ports"), ports}};
        context.out << QJsonDocument(result).toJson(QJsonDocument::Indented);
        context.out.flush();
        return;
    }
    for (const PortResult &r : results)
        for (const QString &note : r.notes)
            context.out << r.port.name() << ": " << note << '\n';
    context.out << langText("端口", "port").leftJustified(16) << langText("结果", "result").leftJustified(9)
                << langText("秒", "seconds") << '\n';
    for (const PortResult &r : results)
        context.out << r.port.name().leftJustified(16)
                    << (r.ok ? langText("成功", "ok") : langText("失败", "failed")).leftJustified(9)
                    << seconds(r.seconds).rightJustified(7) << (r.ok ? QString() : QStringLiteral("  ") + r.error)
                    << '\n';
    context.out.flush();
}

int refuse(CliContext &context, bool json, const QString &command, const QString &error)
{
    printError(context, error);
    if (json) {
        const QJsonObject result{{QStringLiteral("command"), command},
                                 {QStringLiteral("ok"), false},
                                 {QStringLiteral("error"), error}};
        context.out << QJsonDocument(result).toJson(QJsonDocument::Indented);
        context.out.flush();
    }
    return 1;
}

int failures(const std::vector<PortResult> &results)
{
    return int(std::count_if(results.begin(), results.end(), [](const PortResult &r) { return !r.ok; }));
}
