#include "cli/LinkBatch.h"

#include "cli/Interrupts.h"
#include "cli/LinkTrace.h"
#include "cli/PartialChange.h"
#include "core/Texts.h"
#include "serial/LinkEngine.h"
#include "serial/TrafficText.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>

#include <csignal>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

int blocksOf(const LinkStep &step)
{
    if (!step.rows.isEmpty())
        return int(step.rows.size());
    return Protocol::rowCount(step.kind);
}

QList<LinkStep> wholeSteps(const QList<LinkKind> &kinds)
{
    QList<LinkStep> steps;
    for (const LinkKind kind : kinds)
        steps.append({kind, {}});
    return steps;
}

// Whether steps first..last-1 hold a write.
bool writesAmong(const QList<LinkStep> &steps, int first, int last)
{
    for (int k = first; k < last; ++k)
        if (steps.at(k).kind == LinkKind::Write)
            return true;
    return false;
}

// Memory that nothing has been read from yet.
Codeplug unprogrammed()
{
    Codeplug image;
    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RowBytes; ++c)
            image.at(r, c) = Region::Empty;
    return image;
}

QString failureText(LinkFailure failure, Language language)
{
    switch (failure) {
    case LinkFailure::NoAnswer:
        return langText(language, "对讲机没有应答；请检查对讲机是否开机、连接线是否插好、端口是否正确",
                        "the radio does not answer; check that it is switched on, that the cable is "
                        "plugged in and that the port is the right one");
    case LinkFailure::LostReply:
        return langText(language, "对讲机的应答丢失", "a reply or acknowledgement of the radio was lost");
    case LinkFailure::DeviceLost:
        break;
    }
    return langText(language, "设备已断开", "the device was lost");
}

// Where an answer to the wake-up is told from line noise: a whole
// identification's length without the KVD9's, or one that starts as an
// identification ("KV") but is not the KVD9's, comes from a device that
// speaks, and asking again changes nothing; fewer bytes of anything else
// may be noise on the line (a cable plugged in) and get the retries.
bool isForeignAnswer(const QByteArray &reply)
{
    return reply.size() >= Protocol::IdentLength || reply.startsWith(QByteArrayLiteral("KV"));
}

QString foreignAnswerText(const QByteArray &reply, Language language)
{
    return langText(language, "有设备应答，但不是 KVD9（或连接线的速率不对）；收到：",
                    "a radio answered but is not a KVD9 (or the cable's speed is wrong); it sent: ")
        + trafficHex(reply);
}

QString seconds(double s)
{
    return QString::number(s, 'f', 2);
}

QString restartNote(LinkFailure cause, int attempt, int attempts, Language language)
{
    const QString what = cause == LinkFailure::NoAnswer ? langText(language, "没有应答", "no answer")
        : cause == LinkFailure::LostReply               ? langText(language, "应答丢失", "reply lost")
                                                        : langText(language, "设备断开", "device lost");
    return what + langText(language, "，第 %1 次尝试，共 %2 次", ", attempt %1 of %2").arg(attempt).arg(attempts);
}

// The width of the terminal on standard error, which shows the progress.
int terminalColumns()
{
    winsize size {};
    return ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
}

QString phaseName(int phase)
{
    static const char *const names[] = {"connecting", "reading", "writing", "verifying"};
    return QString::fromLatin1(names[phase]);
}

} // namespace

LinkBatch::LinkBatch(CliContext &context, const QList<PortSpec> &ports, const QList<LinkKind> &steps,
                     const Codeplug &toWrite)
    : LinkBatch(context, ports, wholeSteps(steps), toWrite)
{
}

LinkBatch::LinkBatch(CliContext &context, const QList<PortSpec> &ports, const QList<LinkStep> &steps,
                     const Codeplug &toWrite)
    : m_context(context), m_jobs(size_t(ports.size())), m_redraw(new QTimer(this))
{
    for (int i = 0; i < ports.size(); ++i) {
        Job &job = m_jobs[size_t(i)];
        job.result.port = ports.at(i);
        job.result.image = unprogrammed();
        job.steps = steps;
        job.toWrite = toWrite;
    }
    m_redraw->setInterval(200);
    connect(m_redraw, &QTimer::timeout, this, &LinkBatch::showProgress);
}

LinkBatch::~LinkBatch() = default;

std::vector<PortResult> LinkBatch::run()
{
    QEventLoop loop;
    m_loop = &loop;
    m_running = int(m_jobs.size());
    Interrupts *interrupts = Interrupts::instance();
    if (interrupts)
        connect(interrupts, &Interrupts::interrupted, this, &LinkBatch::onInterrupt);
    if (interrupts && interrupts->happened()) {
        // Nothing starts once the user asked to stop.
        m_signal = interrupts->lastSignal();
        cutAll();
    }
    for (Job &job : m_jobs)
        if (!job.finished) {
            job.clock.start();
            startStep(job);
        }
    if (m_context.progressOnTerminal) {
        showProgress();
        m_redraw->start();
    }
    if (m_running > 0)
        loop.exec();
    m_loop = nullptr;
    m_redraw->stop();
    if (m_context.progressOnTerminal)
        showProgress();
    std::vector<PortResult> results;
    for (const Job &job : m_jobs)
        results.push_back(job.result);
    return results;
}

int LinkBatch::exitStatus(const std::vector<PortResult> &results) const
{
    // After a signal the program ends by it, so the status is the one a
    // shell sees; a radio a second Ctrl+C cut says so in its own result.
    if (m_signal != 0)
        return Exit::SignalBase + m_signal;
    if (std::any_of(results.begin(), results.end(), [](const PortResult &r) { return r.halfWritten; }))
        return Exit::HalfWritten;
    return std::all_of(results.begin(), results.end(), [](const PortResult &r) { return r.ok; }) ? Exit::Success
                                                                                                 : Exit::Negative;
}

void LinkBatch::startStep(Job &job)
{
    const LinkStep &step = job.steps.at(job.step);
    const LinkKind kind = step.kind;
    if (!job.port) {
        // One opening serves every step of the radio.
        auto *serial = new SerialLinkPort;
        serial->setPort(job.result.port, *m_context.ports);
        serial->setLanguage(m_context.language);
        LinkPort *port = serial;
        if (m_trace)
            port = new TracingLinkPort(serial, *m_trace, job.result.port.name());
        job.port = new HeldLinkPort(port, this);
    }
    auto *link = new LinkEngine(kind, m_context.timing, job.port, this);
    if (job.link) {
        // The step before takes no more of the radio's bytes.
        job.port->disconnect(job.link);
        job.link->deleteLater();
    }
    job.link = link;
    job.blocks = 0;
    job.phase = verifies(job, job.step) ? Phase::Verifying : Phase::Connecting;
    job.stepClock.start();
    // A read adds to what the port knows of its radio.
    link->setCodeplug(kind == LinkKind::Read ? job.result.image : job.toWrite);
    link->setRows(step.rows);
    connect(link, &LinkEngine::openFailed, this, [this, &job, link](const QString &reason) {
        finish(job, link->lastFailure() == LinkFailure::DeviceLost
                        ? failureText(LinkFailure::DeviceLost, m_context.language) + QStringLiteral(" (") + reason
                              + QLatin1Char(')')
                        : langText(m_context.language, "无法打开端口：", "cannot open the port: ") + systemErrorText(reason, m_context.language));
    });
    connect(link, &LinkEngine::failed, this, [this, &job, link](LinkFailure failure) {
        const QByteArray reply = link->unrecognisedReply();
        finish(job, failure == LinkFailure::NoAnswer && !reply.isEmpty() ? foreignAnswerText(reply, m_context.language)
                                                                         : failureText(failure, m_context.language));
    });
    // Another kind of radio is named at once, without the retries.
    connect(link, &LinkEngine::restartPauseStarted, this, [this, &job, link] {
        if (!link->isConnected() && isForeignAnswer(link->unrecognisedReply()))
            finish(job, foreignAnswerText(link->unrecognisedReply(), m_context.language));
    });
    connect(link, &LinkEngine::identified, this, [this, &job, kind, link] {
        job.attemptNote.clear();
        if (kind == LinkKind::Power) {
            // Ended before the power frame goes out: waking the radio
            // changes nothing on it. The link's own handling of the
            // identification goes on after this returns, on a closed port,
            // until the completion below cancels it.
            job.result.image = link->codeplug();
            link->endPowerLink();
            QMetaObject::invokeMethod(this, [this, &job] { stepCompleted(job); }, Qt::QueuedConnection);
            return;
        }
        if (job.phase == Phase::Connecting)
            job.phase = kind == LinkKind::Write ? Phase::Writing : Phase::Reading;
    });
    connect(link, &LinkEngine::attemptStarted, this, [this, &job, link](int attempt, int attempts) {
        if (attempt < 2)
            return;
        job.attemptNote = restartNote(link->lastFailure(), attempt, attempts, m_context.language);
        plainLine(job, job.attemptNote);
    });
    connect(link, &LinkEngine::progress, this, [&job, kind](int blockIndex) {
        job.blocks = kind == LinkKind::Read ? blockIndex - 1 : blockIndex;
    });
    connect(link, &LinkEngine::completed, this, [this, &job, link] {
        job.result.image = link->codeplug();
        stepCompleted(job);
    });
    plainLine(job, langText(m_context.language, "开始", "started"));
    link->start();
}

void LinkBatch::stepCompleted(Job &job)
{
    if (job.finished)
        return;
    const LinkKind kind = job.steps.at(job.step).kind;
    job.blocks = blocksOf(job.steps.at(job.step));
    plainLine(job, langText(m_context.language, "完成", "done"));
    if (job.finishingWrite) {
        // The write the user let finish; the read-back is left out.
        job.phase = Phase::Verifying;
        finish(job, langText(m_context.language, "已中断", "interrupted"));
        return;
    }
    QString error;
    if (job.step == 0 && kind == LinkKind::Read && m_readCheck
        && !m_readCheck(int(&job - m_jobs.data()), job.result.image, error)) {
        finish(job, error);
        return;
    }
    if (kind == LinkKind::Read && !verifies(job, job.step) && m_planner) {
        PortPlan plan{job.toWrite, job.steps.mid(job.step + 1)};
        if (!m_planner(int(&job - m_jobs.data()), job.result.image, plan, error)) {
            job.refused = true;
            finish(job, error);
            return;
        }
        job.toWrite = plan.toWrite;
        job.steps = job.steps.mid(0, job.step + 1) + plan.steps;
    }
    if (++job.step < job.steps.size()) {
        startStep(job);
        return;
    }
    job.result.ok = true;
    finish(job, QString());
}

bool LinkBatch::verifies(const Job &job, int step) const
{
    return job.steps.at(step).kind == LinkKind::Read && writesAmong(job.steps, 0, step);
}

QString LinkBatch::stepName(const Job &job, int step) const
{
    switch (job.steps.at(step).kind) {
    case LinkKind::Write: return langText(m_context.language, "写入", "write");
    case LinkKind::Power: return langText(m_context.language, "识别", "identify");
    case LinkKind::Read: break;
    }
    if (verifies(job, step))
        return langText(m_context.language, "校验", "verify");
    const bool backup = job.steps.at(step).rows.isEmpty() && writesAmong(job.steps, 0, int(job.steps.size()));
    return backup ? langText(m_context.language, "备份", "backup") : langText(m_context.language, "读取", "read");
}

void LinkBatch::finish(Job &job, const QString &error)
{
    if (job.finished)
        return;
    job.finished = true;
    if (job.link)
        job.link->cancel();
    if (job.port)
        job.port->release();
    job.result.phase = phaseName(int(job.phase));
    job.result.error = error;
    QString shown; // the failure as the progress line gives it, when it differs
    if (!error.isEmpty() && job.phase == Phase::Writing) {
        job.result.halfWritten = true;
        job.result.error += langText(m_context.language, "；对讲机只写入了一部分，必须重新写入",
                                     "; the radio is half-written and must be written again");
        // What the write may have changed; a partial write names it in its
        // error as well.
        const QList<int> sent = job.link->rowsSent();
        job.result.details.insert(QStringLiteral("rowsWritten"), rowsJson(sent));
        if (!job.steps.at(job.step).rows.isEmpty())
            job.result.error += langText(m_context.language, "（已写入的行：%1）", " (rows written: %1)").arg(rowList(sent));
    } else if (!error.isEmpty() && job.phase == Phase::Verifying) {
        job.result.error = langText(m_context.language, "已写入，未校验：", "written, not verified: ") + error;
    } else if (!error.isEmpty() && writesAmong(job.steps, job.step + 1, int(job.steps.size()))) {
        // The progress line names the step already: "COM3 backup failed: ...".
        shown = error + langText(m_context.language, "；对讲机未写入", "; the radio was not written");
        job.result.error = langText(m_context.language, "备份失败：", "backup failed: ") + shown;
    }
    job.result.seconds = job.clock.isValid() ? job.clock.nsecsElapsed() / 1e9 : 0;
    if (job.refused && !m_context.progressOnTerminal)
        m_context.err << job.result.port.name() << ' ' << refusedLabel() << error << Qt::endl;
    else if (!error.isEmpty())
        plainLine(job, langText(m_context.language, "失败：", "failed: ") + (shown.isEmpty() ? job.result.error : shown));
    if (--m_running == 0 && m_loop)
        m_loop->quit();
}

void LinkBatch::onInterrupt()
{
    const int signal = Interrupts::instance()->lastSignal();
    const bool first = m_signal == 0;
    m_signal = signal;
    // A hang-up (a closed terminal, a dropped SSH session) is always a
    // first interruption: nobody is left to decide to cut a write.
    if (!first) {
        if (signal != SIGHUP)
            cutAll();
        return;
    }
    for (Job &job : m_jobs) {
        if (job.finished)
            continue;
        if (job.phase != Phase::Writing) {
            finish(job, langText(m_context.language, "已中断", "interrupted"));
            continue;
        }
        job.finishingWrite = true;
        printBelowProgress(job.result.port.name()
                           + langText(m_context.language, "：正在写入；现在停止会使对讲机只写入一部分，因此写入将继续完成。"
                                      "再按一次 Ctrl+C 立即停止（之后必须重新写入）。",
                                      ": writing; stopping now would leave the radio half-written, so the "
                                      "write goes on to its end. Press Ctrl+C again to stop at once (the "
                                      "radio must then be written again)."));
    }
}

QString LinkBatch::refusedLabel() const
{
    return langText(m_context.language, "拒绝：", "refused: ");
}

void LinkBatch::printBelowProgress(const QString &text)
{
    if (!m_context.progressOnTerminal) {
        printError(m_context, text);
        return;
    }
    // Read where the eye is, under the progress lines, and drawn again with
    // them, so that no redraw takes it away.
    m_notices << QStringLiteral("kvd9-cli: ") + text;
    showProgress();
}

void LinkBatch::cutAll()
{
    for (Job &job : m_jobs)
        finish(job, langText(m_context.language, "已中断", "interrupted"));
}

QString LinkBatch::progressLine(const Job &job) const
{
    const int step = qMin(job.step, int(job.steps.size()) - 1);
    const QString name = job.result.port.name() + QLatin1Char(' ');
    if (job.finished)
        return name + (job.result.ok ? langText(m_context.language, "成功", "ok")
                                     : (job.refused ? refusedLabel() : langText(m_context.language, "失败：", "failed: "))
                               + job.result.error);
    if (!job.attemptNote.isEmpty())
        return name + job.attemptNote;
    const QString finishing = job.finishingWrite
        ? langText(m_context.language, "（正在完成写入，再按 Ctrl+C 立即停止）", " (finishing the write; Ctrl+C again cuts it)")
        : QString();
    const int total = blocksOf(job.steps.at(step));
    const int percent = job.blocks * 100 / total;
    QString left = QStringLiteral("--");
    if (job.blocks > 0) {
        const double elapsed = job.stepClock.nsecsElapsed() / 1e9;
        left = QString::number(qRound(elapsed * (total - job.blocks) / job.blocks));
    }
    return name
        + QStringLiteral("%1 %2/%3 %4% %5 s")
              .arg(padded(stepName(job, step), 7))
              .arg(job.blocks, 3)
              .arg(total)
              .arg(percent, 3)
              .arg(left)
        + langText(m_context.language, " 剩余", " left") + finishing;
}

void LinkBatch::showProgress()
{
    // Moves back over the rows drawn last time, a line longer than the
    // terminal is wide taking as many as the terminal wraps it into, clears
    // them and draws them anew.
    if (m_linesShown > 0)
        m_context.err << "\x1b[" << m_linesShown << 'A';
    m_context.err << "\r\x1b[J";
    const int columns = terminalColumns();
    m_linesShown = 0;
    const auto draw = [&](const QString &line) {
        m_context.err << line << '\n';
        m_linesShown += qMax(1, (displayWidth(line) + columns - 1) / columns);
    };
    for (const Job &job : m_jobs)
        draw(progressLine(job));
    for (const QString &notice : m_notices)
        draw(notice);
    m_context.err.flush();
}

void LinkBatch::plainLine(const Job &job, const QString &what)
{
    if (m_context.progressOnTerminal)
        return;
    m_context.err << job.result.port.name() << ' ' << stepName(job, qMin(job.step, int(job.steps.size()) - 1)) << ' ' << what
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

int printResults(CliContext &context, bool json, const QString &command, const std::vector<PortResult> &results,
                 int status, const QJsonObject &details)
{
    QStringList errors;
    for (const PortResult &r : results)
        if (!r.ok)
            errors << r.port.name() + QStringLiteral(": ") + r.error;
    for (const QString &error : errors)
        printError(context, error);
    if (json) {
        QJsonArray ports;
        for (const PortResult &r : results) {
            QJsonObject port = r.details;
            port.insert(QStringLiteral("port"), r.port.name());
            port.insert(QStringLiteral("ok"), r.ok);
            port.insert(QStringLiteral("seconds"), qRound(r.seconds * 100) / 100.0);
            port.insert(QStringLiteral("phase"), r.phase);
            port.insert(QStringLiteral("halfWritten"), r.halfWritten);
            if (!r.ok)
                port.insert(QStringLiteral("error"), r.error);
            ports.append(port);
        }
        QJsonObject object = details;
        object.insert(QStringLiteral("ports"), ports);
        printEnvelope(context, command, status, errors, object);
        return status;
    }
    for (const PortResult &r : results)
        for (const QString &note : r.notes)
            context.out << r.port.name() << ": " << note << '\n';
    // Long device names (/dev/serial/by-id/...) widen the first column.
    int portWidth = displayWidth(langText(context.language, "端口", "port"));
    for (const PortResult &r : results)
        portWidth = qMax(portWidth, displayWidth(r.port.name()));
    const QString failed = langText(context.language, "失败", "failed"), halfWritten = langText(context.language, "只写入一部分", "half-written");
    const int resultWidth = qMax(displayWidth(langText(context.language, "结果", "result")), displayWidth(halfWritten)) + 2;
    context.out << padded(langText(context.language, "端口", "port"), portWidth + 2) << padded(langText(context.language, "结果", "result"), resultWidth)
                << QString(qMax(0, 7 - displayWidth(langText(context.language, "秒", "seconds"))), QLatin1Char(' ')) + langText(context.language, "秒", "seconds")
                << '\n';
    for (const PortResult &r : results)
        context.out << padded(r.port.name(), portWidth + 2)
                    << padded(r.ok ? langText(context.language, "成功", "ok") : r.halfWritten ? halfWritten : failed, resultWidth)
                    << seconds(r.seconds).rightJustified(7) << (r.ok ? QString() : QStringLiteral("  ") + r.error)
                    << '\n';
    context.out.flush();
    return status;
}

#include "moc_LinkBatch.cpp"
