#include "tests/support/cups_scheduler.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

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
FileDevice Yes
)";

} // namespace

CupsScheduler::CupsScheduler() : dir_(QDir(QDir::tempPath()).filePath(QStringLiteral("hzcups-XXXXXX"))) { start(); }

bool CupsScheduler::start() {
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder: ") + dir_.errorString();
        return false;
    }
    const QString root = dir_.path();
    const QByteArray socket = QFile::encodeName(root + QStringLiteral("/cups.sock"));
    if (socket.size() >= int(sizeof(sockaddr_un::sun_path))) {
        error_ = QStringLiteral("the temporary folder's path is too long for a socket: ") + root;
        return false;
    }
    for (const char *sub : {"etc", "spool", "cache", "state", "tmp", "log", "home"})
        QDir(root).mkpath(QString::fromLatin1(sub));
    if (!writeText(root + QStringLiteral("/cupsd.conf"), QString::fromUtf8(kCupsdConf).arg(root)) ||
        !writeText(root + QStringLiteral("/cups-files.conf"), QString::fromUtf8(kCupsFilesConf).arg(root))) {
        error_ = QStringLiteral("cannot write the scheduler's configuration in ") + root;
        return false;
    }
    const QString cupsd = tool(QStringLiteral("cupsd"));
    if (cupsd.isEmpty()) {
        error_ = QStringLiteral("cupsd is not installed; tools/deps.sh installs it (cups-daemon)");
        return false;
    }

    // Before the first call of the program to the printers: the client library reads these once.
    qputenv("CUPS_SERVER", socket);
    qputenv("CUPS_SERVERROOT", QFile::encodeName(root + QStringLiteral("/etc")));
    qputenv("HOME", QFile::encodeName(root + QStringLiteral("/home")));

    cupsd_.setProgram(cupsd);
    cupsd_.setArguments({QStringLiteral("-f"), QStringLiteral("-c"), root + QStringLiteral("/cupsd.conf"),
                         QStringLiteral("-s"), root + QStringLiteral("/cups-files.conf")});
    cupsd_.setProcessChannelMode(QProcess::MergedChannels);
    cupsd_.setStandardOutputFile(root + QStringLiteral("/log/cupsd.out"));
    // A test that crashes takes its scheduler with it.
    cupsd_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    cupsd_.start();
    if (!cupsd_.waitForStarted(10000)) {
        error_ = QStringLiteral("cupsd did not start: ") + cupsd_.errorString();
        return false;
    }
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

CupsScheduler::~CupsScheduler() {
    if (cupsd_.state() != QProcess::NotRunning) {
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(10000)) {
            cupsd_.kill();
            cupsd_.waitForFinished(10000);
        }
    }
}

bool CupsScheduler::running() const { return cupsd_.state() == QProcess::Running && error_.isEmpty(); }

bool CupsScheduler::run(const QString &name, const QStringList &args, QByteArray *output) {
    const QString program = tool(name);
    if (program.isEmpty()) {
        ADD_FAILURE() << name.toStdString() << " is not installed; tools/deps.sh installs it";
        return false;
    }
    QProcess p;
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
    // "lpstat -e" names every queue; without any it says so and fails.
    QProcess p;
    p.start(tool(QStringLiteral("lpstat")), {QStringLiteral("-e")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

void CupsScheduler::reset() {
    for (const QString &q : queues())
        run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), q});
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

void CupsScheduler::setDefault(const QString &name) { run(QStringLiteral("lpoptions"), {QStringLiteral("-d"), name}); }

void CupsScheduler::rejectJobs(const QString &name) { run(QStringLiteral("cupsreject"), {name}); }

namespace {

const QRegularExpression &documentName() {
    static const QRegularExpression re(QStringLiteral("^d(\\d+)-\\d+$"));
    return re;
}

QString spool(const QString &folder) { return folder + QStringLiteral("/spool"); }

} // namespace

int CupsScheduler::lastJobId() const {
    int last = 0;
    for (const QString &f : QDir(spool(folder())).entryList(QDir::Files)) {
        const auto m = documentName().match(f);
        if (m.hasMatch())
            last = std::max(last, m.captured(1).toInt());
    }
    return last;
}

std::vector<SpooledJob> CupsScheduler::jobs() {
    // A job's documents are in the spool folder once the program has handed them over; its control file, with the
    // job's attributes, follows as soon as the scheduler writes it.
    std::map<int, QStringList> documents;
    const QDir dir(spool(folder()));
    for (const QString &f : dir.entryList(QDir::Files, QDir::Name)) {
        const auto m = documentName().match(f);
        if (m.hasMatch() && m.captured(1).toInt() > baseline_)
            documents[m.captured(1).toInt()] << dir.filePath(f);
    }
    std::vector<SpooledJob> out;
    for (const auto &[id, docs] : documents) {
        const QString control = dir.filePath(QStringLiteral("c%1").arg(id, 5, 10, QLatin1Char('0')));
        const QDeadlineTimer deadline(10000);
        while (!QFile::exists(control) && !deadline.hasExpired())
            QThread::msleep(10);
        QFile f(control);
        if (!f.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << "job " << id << " has no control file";
            continue;
        }
        const auto attributes = ippAttributes(f.readAll());
        const auto value = [&](const char *name) {
            const auto it = attributes.find(QByteArray(name));
            return it == attributes.end() ? QString() : QString::fromUtf8(it->second);
        };
        const QString uri = value("printer-uri");
        out.push_back({id, value("job-name"),
                       QUrl::fromPercentEncoding(uri.section(QStringLiteral("/printers/"), 1).toUtf8()), value("media"),
                       docs});
    }
    return out;
}

std::map<QByteArray, QByteArray> ippAttributes(const QByteArray &m) {
    // version (2 bytes), operation or status (2), request id (4), then the groups: a delimiter tag begins each,
    // an attribute is a value tag, a 2-byte length and the name, a 2-byte length and the value; a value with an
    // empty name is one more value of the attribute before it.
    std::map<QByteArray, QByteArray> out;
    const auto u16 = [&](qsizetype at) { return (uchar(m[at]) << 8) | uchar(m[at + 1]); };
    qsizetype i = 8;
    while (i < m.size()) {
        const uchar tag = uchar(m[i++]);
        if (tag == 0x03) // end of the attributes
            break;
        if (tag < 0x10) // a group begins
            continue;
        if (i + 2 > m.size())
            break;
        const int nameLength = u16(i);
        i += 2;
        if (i + nameLength + 2 > m.size())
            break;
        const QByteArray name = m.mid(i, nameLength);
        i += nameLength;
        const int valueLength = u16(i);
        i += 2;
        if (i + valueLength > m.size())
            break;
        if (!name.isEmpty())
            out.emplace(name, m.mid(i, valueLength));
        i += valueLength;
    }
    return out;
}

} // namespace hz::test
