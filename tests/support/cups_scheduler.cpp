#include "tests/support/cups_scheduler.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace hz::test {

namespace {

// The scheduler and its tools live in the system's sbin folders, which an ordinary user's PATH may leave out.
QString tool(const QString &name) {
    const QString onPath = QStandardPaths::findExecutable(name);
    return onPath.isEmpty() ? QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin"}) : onPath;
}

bool writeText(const QString &path, const QString &text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text.toUtf8()) >= 0;
}

QString readText(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

bool answers(const QByteArray &socketPath) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, socketPath.constData(), std::size_t(socketPath.size()));
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
    ::close(fd);
    return ok;
}

const char *const kCupsdConf = R"(Listen %1/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
PreserveJobFiles Yes
PreserveJobHistory Yes
DirtyCleanInterval 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
)";

const char *const kCupsFilesConf = R"(ServerRoot %1/etc
RequestRoot %1/spool
CacheDir %1/cache
StateDir %1/state
TempDir %1/tmp
AccessLog %1/log/access_log
ErrorLog %1/log/error_log
PageLog %1/log/page_log
Printcap %1/state/printcap
ServerKeychain %1/ssl
FileDevice Yes
)";

// The writing calls the trace watches, and the flags that make an open one of them.
const char *const kWritingCalls = "trace=open,openat,openat2,creat,mkdir,mkdirat,mknod,mknodat,rename,renameat,"
                                  "renameat2,unlink,unlinkat,rmdir,link,linkat,symlink,symlinkat,chmod,fchmodat,"
                                  "chown,lchown,fchownat,truncate,utime,utimes,utimensat,futimesat,bind";
const QRegularExpression &writingOpen() {
    static const QRegularExpression re(QStringLiteral("\\bO_(WRONLY|RDWR|CREAT|TRUNC)\\b"));
    return re;
}

QString socketPath(const QString &folder) { return folder + QStringLiteral("/cups.sock"); }
QString tracePath(const QString &folder) { return folder + QStringLiteral("/log/trace"); }

} // namespace

CupsScheduler::CupsScheduler(Trace trace)
    : trace_(trace), dir_(QDir(QDir::tempPath()).filePath(QStringLiteral("hzcups-XXXXXX"))) {
    env_ = QProcessEnvironment::systemEnvironment();
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder: ") + dir_.errorString();
        return;
    }
    const QString root = dir_.path();
    env_.insert(QStringLiteral("CUPS_SERVER"), socketPath(root));
    env_.insert(QStringLiteral("CUPS_SERVERROOT"), root + QStringLiteral("/etc"));
    env_.insert(QStringLiteral("HOME"), root + QStringLiteral("/home"));
    env_.remove(QStringLiteral("LPDEST"));
    env_.remove(QStringLiteral("PRINTER"));
    if (QFile::encodeName(socketPath(root)).size() >= int(sizeof(sockaddr_un::sun_path))) {
        error_ = QStringLiteral("the temporary folder's path is too long for a socket: ") + root;
        return;
    }
    for (const char *sub : {"etc", "spool", "cache", "state", "tmp", "log", "home", "ssl"})
        QDir(root).mkpath(QString::fromLatin1(sub));
    if (!writeText(root + QStringLiteral("/cupsd.conf"), QString::fromUtf8(kCupsdConf).arg(root)) ||
        !writeText(root + QStringLiteral("/cups-files.conf"), QString::fromUtf8(kCupsFilesConf).arg(root))) {
        error_ = QStringLiteral("cannot write the scheduler's configuration in ") + root;
        return;
    }
    start();
}

void CupsScheduler::serveThisProcess() {
    for (const char *name : {"CUPS_SERVER", "CUPS_SERVERROOT", "HOME"})
        qputenv(name, QFile::encodeName(env_.value(QString::fromLatin1(name))));
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
}

bool CupsScheduler::start() {
    if (!dir_.isValid())
        return false;
    error_.clear();
    const QString root = dir_.path();
    const QString cupsd = tool(QStringLiteral("cupsd"));
    if (cupsd.isEmpty()) {
        error_ = QStringLiteral("cupsd is not installed; tools/deps.sh installs it (cups-daemon)");
        return false;
    }
    const QStringList cupsdArgs{QStringLiteral("-f"), QStringLiteral("-c"), root + QStringLiteral("/cupsd.conf"),
                                QStringLiteral("-s"), root + QStringLiteral("/cups-files.conf")};
    if (trace_ == Trace::Writes) {
        const QString strace = tool(QStringLiteral("strace"));
        if (strace.isEmpty()) {
            error_ = QStringLiteral("strace is not installed; tools/deps.sh installs it");
            return false;
        }
        // -D leaves the scheduler itself the child of this process, so it is stopped by its own id and goes with
        // a test that crashes; the tracer follows it, and every program it starts, from the side.
        cupsd_.setProgram(strace);
        cupsd_.setArguments(QStringList{QStringLiteral("-D"), QStringLiteral("-f"), QStringLiteral("-q"),
                                        QStringLiteral("-s"), QStringLiteral("4096"), QStringLiteral("-e"),
                                        QStringLiteral("signal=none"), QStringLiteral("-e"),
                                        QString::fromLatin1(kWritingCalls), QStringLiteral("-o"), tracePath(root),
                                        cupsd} +
                            cupsdArgs);
    } else {
        cupsd_.setProgram(cupsd);
        cupsd_.setArguments(cupsdArgs);
    }
    cupsd_.setProcessEnvironment(env_);
    cupsd_.setProcessChannelMode(QProcess::MergedChannels);
    cupsd_.setStandardOutputFile(root + QStringLiteral("/log/cupsd.out"), QIODevice::Append);
    // A test that crashes takes its scheduler with it.
    cupsd_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    cupsd_.start();
    if (!cupsd_.waitForStarted(10000)) {
        error_ = QStringLiteral("cupsd did not start: ") + cupsd_.errorString();
        return false;
    }
    cupsdPid_ = cupsd_.processId();
    const QByteArray socket = QFile::encodeName(socketPath(root));
    const QDeadlineTimer deadline(10000);
    while (!answers(socket)) {
        if (cupsd_.state() != QProcess::Running || deadline.hasExpired()) {
            error_ = QStringLiteral("cupsd does not answer on %1:\n%2%3")
                         .arg(QString::fromUtf8(socket), readText(root + QStringLiteral("/log/cupsd.out")),
                              readText(root + QStringLiteral("/log/error_log")));
            return false;
        }
        QThread::msleep(10);
    }
    return true;
}

void CupsScheduler::stop() {
    if (cupsd_.state() == QProcess::NotRunning)
        return;
    cupsd_.terminate();
    if (!cupsd_.waitForFinished(10000)) {
        cupsd_.kill();
        cupsd_.waitForFinished(10000);
    }
    if (trace_ == Trace::Writes) {
        // The tracer writes its last lines as the scheduler ends.
        const QString ended = QStringLiteral("%1 +++ ").arg(cupsdPid_);
        const QDeadlineTimer deadline(10000);
        while (!readText(tracePath(folder())).contains(ended) && !deadline.hasExpired())
            QThread::msleep(10);
    }
}

CupsScheduler::~CupsScheduler() { stop(); }

bool CupsScheduler::running() const { return cupsd_.state() == QProcess::Running && error_.isEmpty(); }

bool CupsScheduler::run(const QString &name, const QStringList &args, QByteArray *output) {
    const QString program = tool(name);
    if (program.isEmpty()) {
        ADD_FAILURE() << name.toStdString() << " is not installed; tools/deps.sh installs it";
        return false;
    }
    QProcess p;
    p.setProcessEnvironment(env_);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool finished = p.waitForFinished(30000);
    const QByteArray said = p.readAll();
    if (output)
        *output = said;
    if (!finished || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << name.toStdString() << ' ' << args.join(u' ').toStdString()
                      << " failed: " << said.toStdString();
        return false;
    }
    return true;
}

QStringList CupsScheduler::queues() {
    // "lpstat -e" names every queue, and every instance of the user's options ("queue/instance"); without any it says
    // so and fails.
    QProcess p;
    p.setProcessEnvironment(env_);
    p.start(tool(QStringLiteral("lpstat")), {QStringLiteral("-e")});
    p.waitForFinished(30000);
    QStringList out;
    for (const QString &name : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
        if (!name.contains(u'/'))
            out << name;
    return out;
}

void CupsScheduler::reset() {
    for (const QString &q : queues())
        removeQueue(q);
    QFile::remove(folder() + QStringLiteral("/home/.cups/lpoptions"));
    QFile::remove(folder() + QStringLiteral("/etc/lpoptions"));
    baseline_ = lastJobId();
}

void CupsScheduler::addQueue(const QString &name, const QString &ppdPath) {
    QStringList args{QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                     QStringLiteral("file:///dev/null")};
    if (!ppdPath.isEmpty())
        args << QStringLiteral("-P") << ppdPath;
    run(QStringLiteral("lpadmin"), args);
}

void CupsScheduler::removeQueue(const QString &name) { run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name}); }

void CupsScheduler::setQueueDefaults(const QString &name, const QStringList &defaults) {
    QStringList args{QStringLiteral("-p"), name};
    for (const QString &d : defaults)
        args << QStringLiteral("-o") << d;
    run(QStringLiteral("lpadmin"), args);
}

void CupsScheduler::setDefault(const QString &name) { run(QStringLiteral("lpoptions"), {QStringLiteral("-d"), name}); }

void CupsScheduler::addInstance(const QString &name, const QStringList &options) {
    QStringList args{QStringLiteral("-p"), name};
    for (const QString &o : options)
        args << QStringLiteral("-o") << o;
    run(QStringLiteral("lpoptions"), args);
}

void CupsScheduler::rejectJobs(const QString &name) { run(QStringLiteral("cupsreject"), {name}); }
void CupsScheduler::pause(const QString &name) { run(QStringLiteral("cupsdisable"), {name}); }
void CupsScheduler::resume(const QString &name) { run(QStringLiteral("cupsenable"), {name}); }

QString SpooledJob::attribute(const QString &name) const {
    const auto it = attributes.find(name);
    return it == attributes.end() ? QString() : it->second;
}

namespace {

// The attributes of every job in the scheduler's answer, each job its own group.
std::vector<std::map<QString, QString>> jobGroups(ipp_t *answer) {
    std::vector<std::map<QString, QString>> out;
    for (ipp_attribute_t *a = ippFirstAttribute(answer); a;) {
        if (ippGetGroupTag(a) != IPP_TAG_JOB) {
            a = ippNextAttribute(answer);
            continue;
        }
        auto &job = out.emplace_back();
        for (; a && ippGetGroupTag(a) == IPP_TAG_JOB && ippGetName(a); a = ippNextAttribute(answer)) {
            const qsizetype size = qsizetype(ippAttributeString(a, nullptr, 0)) + 1;
            QByteArray text(size, '\0');
            ippAttributeString(a, text.data(), std::size_t(size));
            job[QString::fromUtf8(ippGetName(a))] = QString::fromUtf8(text.constData());
        }
    }
    return out;
}

// Asks the scheduler; adds a test failure when it does not answer.
ipp_t *ask(http_t *http, ipp_t *request) {
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "all");
    ipp_t *answer = cupsDoRequest(http, request, "/");
    if (!answer || ippGetStatusCode(answer) > IPP_STATUS_OK_EVENTS_COMPLETE)
        ADD_FAILURE() << "the scheduler did not answer: " << cupsLastErrorString();
    return answer;
}

// Every job the scheduler keeps with all its attributes, from its own answers, in the order they were created.
std::vector<SpooledJob> askJobs(const QString &socket, int after) {
    http_t *http = httpConnect2(QFile::encodeName(socket).constData(), 0, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1,
                                30000, nullptr);
    if (!http) {
        ADD_FAILURE() << "the scheduler does not answer on " << socket.toStdString();
        return {};
    }
    ipp_t *list = ippNewRequest(IPP_OP_GET_JOBS);
    ippAddString(list, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/");
    ippAddString(list, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
    ipp_t *listed = ask(http, list);
    std::vector<int> ids;
    for (const auto &job : jobGroups(listed))
        if (const int id = job.count(QStringLiteral("job-id")) ? job.at(QStringLiteral("job-id")).toInt() : 0;
            id > after)
            ids.push_back(id);
    ippDelete(listed);
    std::sort(ids.begin(), ids.end());
    // The list does not carry every attribute of a job that has ended: each job is asked on its own.
    std::vector<SpooledJob> out;
    for (const int id : ids) {
        ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/");
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", id);
        ipp_t *answer = ask(http, request);
        const auto groups = jobGroups(answer);
        ippDelete(answer);
        SpooledJob job;
        job.id = id;
        if (!groups.empty())
            job.attributes = groups.front();
        job.name = job.attribute(QStringLiteral("job-name"));
        job.state = job.attribute(QStringLiteral("job-state"));
        job.queue = QUrl::fromPercentEncoding(
            job.attribute(QStringLiteral("job-printer-uri")).section(QStringLiteral("/printers/"), 1).toUtf8());
        out.push_back(std::move(job));
    }
    httpClose(http);
    return out;
}

} // namespace

int CupsScheduler::lastJobId() {
    const auto all = askJobs(socketPath(folder()), baseline_);
    return all.empty() ? baseline_ : all.back().id;
}

std::vector<SpooledJob> CupsScheduler::jobs() {
    std::vector<SpooledJob> out;
    const QDir spool(folder() + QStringLiteral("/spool"));
    for (SpooledJob &job : askJobs(socketPath(folder()), baseline_)) {
        for (const QString &f :
             spool.entryList({QStringLiteral("d%1-*").arg(job.id, 5, 10, QLatin1Char('0'))}, QDir::Files, QDir::Name))
            job.documents << spool.filePath(f);
        out.push_back(std::move(job));
    }
    return out;
}

std::vector<SpooledJob> CupsScheduler::finishedJobs() {
    static const QStringList ended{QStringLiteral("completed"), QStringLiteral("canceled"), QStringLiteral("aborted")};
    const QDeadlineTimer deadline(20000);
    for (;;) {
        auto out = jobs();
        if (deadline.hasExpired() ||
            std::all_of(out.begin(), out.end(), [](const SpooledJob &j) { return ended.contains(j.state); }))
            return out;
        QThread::msleep(20);
    }
}

QStringList CupsScheduler::writtenPaths() const {
    // One call a line: "<pid> <call>(<arguments>) = <result>"; a call that another process interrupts is split into
    // "<unfinished ...>" with its arguments and "<... call resumed>" without.
    static const QRegularExpression call(QStringLiteral("^\\d+\\s+(\\w+)\\((.*)$"));
    static const QRegularExpression quoted(QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\""));
    QStringList out;
    for (const QString &line : readText(tracePath(folder())).split(u'\n')) {
        const auto m = call.match(line);
        if (!m.hasMatch())
            continue;
        const QString name = m.captured(1), arguments = m.captured(2);
        const bool opens = name.startsWith(QStringLiteral("open"));
        if (opens && !writingOpen().match(arguments).hasMatch())
            continue;
        for (auto it = quoted.globalMatch(arguments); it.hasNext();) {
            const QString path = it.next().captured(1);
            if (!out.contains(path))
                out << path;
        }
    }
    return out;
}

} // namespace hz::test
