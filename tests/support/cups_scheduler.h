#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <vector>

// A print scheduler (CUPS) of the tests' own: a child process listening on a socket file in a temporary folder,
// with every folder it writes (configuration, spool, cache, state, temporary files, logs) in that folder too, so
// the machine's own printing is never touched. While it runs, CUPS_SERVER names its socket, and HOME and
// CUPS_SERVERROOT point into the folder: the program and the command-line tools (lpadmin, lpoptions) talk to it
// alone and keep the user's default printer there.
namespace hz::test {

// A job the scheduler created, read back from its spool folder.
struct SpooledJob {
    int id = 0;
    QString name;          // job-name
    QString queue;         // the queue it was sent to
    QString media;         // the paper asked for
    QStringList documents; // the documents of the job, kept in the spool folder
};

class CupsScheduler {
public:
    // Starts the scheduler and waits until it answers; error() says why when it did not.
    CupsScheduler();
    // Stops it by its process id and removes its folder.
    ~CupsScheduler();
    CupsScheduler(const CupsScheduler &) = delete;
    CupsScheduler &operator=(const CupsScheduler &) = delete;

    bool running() const;
    QString error() const { return error_; }
    QString folder() const { return dir_.path(); }

    // No queue and no default printer left from an earlier test; jobs() counts from here.
    void reset();
    // A queue that takes jobs and prints them nowhere, keeping each document in the spool folder. Without a
    // description file it is a raw queue; with one, a printer with that driver's paper sizes and margins.
    void addQueue(const QString &name, const QString &ppdPath = {});
    // The user's default printer, as "lpoptions -d" sets it.
    void setDefault(const QString &name);
    // The queue refuses every new job ("cupsreject").
    void rejectJobs(const QString &name);
    QStringList queues();
    // The jobs created since reset(), in the order they were created.
    std::vector<SpooledJob> jobs();

    // Runs one of the scheduler's command-line tools with the scheduler's environment; adds a test failure and
    // returns false when it fails.
    bool run(const QString &tool, const QStringList &args, QByteArray *output = nullptr);

private:
    bool start();
    int lastJobId() const;

    QTemporaryDir dir_;
    QProcess cupsd_;
    QString error_;
    int baseline_ = 0;
};

// The attributes of an IPP message (a job's control file in the spool folder): the first value of each.
std::map<QByteArray, QByteArray> ippAttributes(const QByteArray &message);

} // namespace hz::test
