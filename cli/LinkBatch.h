#pragma once
#include "cli/CliContext.h"
#include "core/Codeplug.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QStringList>
#include <QObject>
#include <functional>
#include <vector>

class HeldLinkPort;
class LinkEngine;
class LinkTrace;
class QEventLoop;
class QTimer;

// One link of a port: its kind and the rows it moves, in address order;
// none for the whole transfer.
struct LinkStep {
    LinkKind kind;
    QList<int> rows;
};

// What a port does after a read: the image its write sends and the links
// still to come.
struct PortPlan {
    Codeplug toWrite;
    QList<LinkStep> steps;
};

// How the links of one port ended.
struct PortResult {
    PortSpec port;
    bool ok = false;
    QString error;   // why it failed, one line without the port's name
    QString phase;   // where it ended: connecting, reading, writing or verifying
    bool halfWritten = false; // the write was cut: the radio must be written again
    double seconds = 0;
    Codeplug image;  // after a read: the radio's memory; after a power link:
                     // the power values the radio reported, in row 255
    // What the subcommand adds: fields of the port's JSON object, and lines
    // printed below the summary.
    QJsonObject details;
    QStringList notes;
};

// Runs the same steps (a read, a write, a write then a read, a read before
// either, or a power link that only wakes the radio) on every port at once, each port on a link of its own, so that one radio failing
// never stops the others. Shows one progress line per port while it runs.
// SIGINT and SIGTERM end every link at once, except that the first one lets
// writes finish, since a cut write leaves the radio half-programmed; a
// second one cuts them too. SIGHUP is always a first one.
class LinkBatch : public QObject {
    Q_OBJECT
public:
    LinkBatch(CliContext &context, const QList<PortSpec> &ports, const QList<LinkKind> &steps,
              const Codeplug &toWrite = Codeplug());
    LinkBatch(CliContext &context, const QList<PortSpec> &ports, const QList<LinkStep> &steps,
              const Codeplug &toWrite = Codeplug());
    ~LinkBatch() override;

    // Called on the image of a port's first step when that step, a read,
    // has completed; false stops that port with `error` before any later
    // step (a write after a backup that could not be saved).
    using ReadCheck = std::function<bool(int portIndex, const Codeplug &image, QString &error)>;
    void setReadCheck(const ReadCheck &check) { m_readCheck = check; }
    // Called after each of a port's reads that is no read-back, with what
    // the port knows of its radio (rows not read yet hold unprogrammed
    // memory) and its plan, which it may change; false stops that port
    // with `error`.
    using Planner = std::function<bool(int portIndex, const Codeplug &radio, PortPlan &plan, QString &error)>;
    void setPlanner(const Planner &planner) { m_planner = planner; }
    // Every link's traffic goes to `trace` as well; null for none.
    void setTrace(LinkTrace *trace) { m_trace = trace; }

    // Returns once every port has ended.
    std::vector<PortResult> run();
    // The exit status of the results (as the batch gave them, or as the
    // command has judged them since): 3 when a radio was left half-written,
    // 128 + the signal after an interruption, 1 when a port failed.
    int exitStatus(const std::vector<PortResult> &results) const;

private:
    enum class Phase { Connecting, Reading, Writing, Verifying };
    struct Job {
        PortResult result;
        HeldLinkPort *port = nullptr; // open from the first step to the last
        LinkEngine *link = nullptr;
        QList<LinkStep> steps;
        Codeplug toWrite;
        int step = 0;
        int blocks = 0;
        Phase phase = Phase::Connecting;
        QString attemptNote; // "no answer, attempt 2 of 4" while the link restarts
        bool finishingWrite = false; // interrupted while writing: the write goes on
        bool refused = false; // the command refused the radio's contents: no link failed
        bool finished = false;
        QElapsedTimer clock;
        QElapsedTimer stepClock;
    };

    void startStep(Job &job);
    void stepCompleted(Job &job);
    // A read that comes after the write reads the radio back.
    bool verifies(const Job &job, int step) const;
    QString stepName(const Job &job, int step) const;
    void finish(Job &job, const QString &error);
    void onInterrupt();
    void cutAll();
    // A message that stays visible under the redrawn progress lines.
    void printBelowProgress(const QString &text);
    QString progressLine(const Job &job) const;
    // How a radio the command refused is named, instead of a failed step.
    QString refusedLabel() const;
    void showProgress();
    void plainLine(const Job &job, const QString &what);

    CliContext &m_context;
    ReadCheck m_readCheck;
    Planner m_planner;
    LinkTrace *m_trace = nullptr;
    std::vector<Job> m_jobs;
    QTimer *m_redraw;
    QEventLoop *m_loop = nullptr;
    QStringList m_notices; // drawn under the progress lines on a terminal
    int m_linesShown = 0;  // terminal rows drawn last time
    int m_running = 0;
    int m_signal = 0;
};

// Reads the whole memory of the radio on `port`; false with the reason.
bool readRadioImage(CliContext &context, const PortSpec &port, Codeplug &image, QString &error);

// The summary table of a batch with the notes of each port, or with --json
// the envelope with every port's result and `details`. Returns `status`.
int printResults(CliContext &context, bool json, const QString &command, const std::vector<PortResult> &results,
                 int status, const QJsonObject &details = {});
