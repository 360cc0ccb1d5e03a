#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <vector>

// A print scheduler (CUPS) of the tests' own: a child process listening on a socket file in a temporary folder,
// with every file it writes (configuration, spool, cache, state, printcap, certificates, temporary files, logs) in
// that folder too, so the machine's own printing is never touched. Its command-line tools (lpadmin, lpoptions, lp)
// run with CUPS_SERVER naming its socket, and HOME and CUPS_SERVERROOT pointing into the folder; the scheduler that
// serves the test program sets them for the whole process, so the program talks to it alone and keeps the user's
// default printer there; the machine's LPDEST and PRINTER, which would name the default instead, are unset.
namespace hz::test {

// A job the scheduler created, as the scheduler tells it, with its documents kept in the spool folder.
struct SpooledJob {
    int id = 0;
    QString name;                          // job-name
    QString queue;                         // the queue it was sent to
    QString state;                         // job-state: "pending", "pending-held", "completed", ...
    std::map<QString, QString> attributes; // every attribute of the job, as text
    QStringList documents;

    // The attribute's text; empty when the job has none.
    QString attribute(const QString &name) const;
};

class CupsScheduler {
public:
    // With Trace::Writes the scheduler runs under strace, which notes every file it or a program it starts writes
    // or tries to write (writtenPaths()).
    enum class Trace { None, Writes };

    // Starts the scheduler and waits until it answers; error() says why when it did not.
    explicit CupsScheduler(Trace trace = Trace::None);
    // Stops it by its process id and removes its folder.
    ~CupsScheduler();
    CupsScheduler(const CupsScheduler &) = delete;
    CupsScheduler &operator=(const CupsScheduler &) = delete;

    // Points this process at the scheduler, before the program's first call to the printers: the client library
    // reads where the scheduler is only once.
    void serveThisProcess();
    bool running() const;
    QString error() const { return error_; }
    QString folder() const { return dir_.path(); }
    // Stops the scheduler by its process id, as a machine whose printing system is down; start() brings it back
    // on the same folder, queues and socket.
    void stop();
    bool start();

    // No queue and no default printer left from an earlier test; jobs() counts from here.
    void reset();
    // A queue that takes jobs and prints them nowhere, keeping each document in the spool folder. Without a
    // description file it is a raw queue; with one, a printer with that driver's paper sizes and margins.
    void addQueue(const QString &name, const QString &ppdPath = {});
    // Removes the queue ("lpadmin -x"); the user's options keep naming it.
    void removeQueue(const QString &name);
    // Defaults of the queue, as "lpadmin -p name -o option-default=value" sets them; the scheduler gives each to a job
    // that does not carry the attribute itself.
    void setQueueDefaults(const QString &name, const QStringList &defaults);
    // The user's default printer, as "lpoptions -d" sets it: a queue, or "queue/instance".
    void setDefault(const QString &name);
    // An instance of the user's options ("queue/instance"), as "lpoptions -p ... -o name=value" keeps it.
    void addInstance(const QString &name, const QStringList &options);
    // The queue refuses every new job ("cupsreject").
    void rejectJobs(const QString &name);
    // The queue is paused ("cupsdisable") or goes on printing ("cupsenable").
    void pause(const QString &name);
    void resume(const QString &name);
    // The queues, without the instances of the user's options.
    QStringList queues();
    // The jobs created since reset(), in the order they were created, as they stand now.
    std::vector<SpooledJob> jobs();
    // The same once each job has ended (completed, cancelled or aborted), or as they stand after 20 seconds.
    std::vector<SpooledJob> finishedJobs();

    // Runs one of the scheduler's command-line tools with the scheduler's environment; adds a test failure and
    // returns false when it fails.
    bool run(const QString &tool, const QStringList &args, QByteArray *output = nullptr);

    // Under Trace::Writes, once stopped: every path the scheduler and its children wrote, created, removed,
    // renamed, changed or bound a socket at, or tried to.
    QStringList writtenPaths() const;

private:
    int lastJobId();

    Trace trace_;
    QTemporaryDir dir_;
    QProcess cupsd_;
    qint64 cupsdPid_ = 0;
    QProcessEnvironment env_;
    QString error_;
    int baseline_ = 0;
};

} // namespace hz::test
