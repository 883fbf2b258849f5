#include "tests/support/postgres_cluster.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdlib>
#include <filesystem>

#include "tests/support/unprivileged_user.h"

namespace orvex::test {
namespace {

// Debian keeps each version's programs in a folder of its own.
std::string NewestServerFolder() {
    std::string newest;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", error)) {
        const std::string bin = (entry.path() / "bin").string();
        if (std::filesystem::exists(bin + "/initdb") && bin > newest) {
            newest = bin;
        }
    }
    return newest;
}

std::string DataFolder(const std::string& folder) {
    return folder + "/data";
}

bool RunTool(const std::string& folder, const std::string& tool,
             const std::vector<std::string>& args) {
    QStringList arguments;
    QString program = QString::fromStdString(NewestServerFolder() + "/" + tool);
    if (::geteuid() == 0) {
        arguments << QStringLiteral("--reuid=%1").arg(UnprivilegedUser::kNobody)
                  << QStringLiteral("--regid=%1").arg(UnprivilegedUser::kNobody)
                  << QStringLiteral("--clear-groups") << program;
        program = QStringLiteral("setpriv");
    }
    for (const std::string& arg : args) {
        arguments << QString::fromStdString(arg);
    }
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(folder));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Empty when a cluster now runs in `folder`; else why not.
std::string Start(const std::string& folder) {
    if (NewestServerFolder().empty()) {
        return "PostgreSQL's server programs are not installed (/usr/lib/postgresql)";
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        return "Qt's PostgreSQL driver (libqt6sql6-psql) is not installed";
    }
    UnprivilegedUser::Give(folder, 0700);
    if (!UnprivilegedUser().Reaches(folder)) {
        return "the user nobody, whom the cluster runs as, cannot reach " + folder;
    }
    const std::string log = folder + "/server.log";
    if (!RunTool(folder, "initdb",
                 {"-D", DataFolder(folder), "-A", "trust", "-U", "orvex", "-E", "UTF8",
                  "--locale=C", "--no-sync"}) ||
        !RunTool(folder, "pg_ctl",
                 {"-D", DataFolder(folder), "-l", log, "-w", "-o",
                  "-k " + folder + " -c listen_addresses='' -F", "start"})) {
        return "the cluster in " + folder + " did not start: " + ReadFile(log);
    }
    return {};
}

void Stop(const std::string& folder) {
    RunTool(folder, "pg_ctl", {"-D", DataFolder(folder), "-m", "immediate", "-w", "stop"});
}

// The fixture's cluster, when this run has one.
std::string FixtureFolder() {
    const char* folder = std::getenv("ORVEX_TEST_POSTGRES");
    if (folder == nullptr || !std::filesystem::exists(DataFolder(folder) + "/postmaster.pid")) {
        return {};
    }
    return folder;
}

class StopAtEnd : public ::testing::Environment {
public:
    void TearDown() override { PostgresCluster::Shared().Stop(); }
};

}  // namespace

PostgresCluster& PostgresCluster::Shared() {
    static PostgresCluster* cluster = [] {
        if (std::string fixture = FixtureFolder(); !fixture.empty()) {
            return new PostgresCluster(std::move(fixture));
        }
        ::testing::AddGlobalTestEnvironment(new StopAtEnd);
        return new PostgresCluster;
    }();
    return *cluster;
}

PostgresCluster::PostgresCluster()
    : owned_(std::make_unique<TempFolder>()), folder_(owned_->Path()) {
    unavailable_ = Start(folder_);
    running_ = unavailable_.empty();
}

PostgresCluster::PostgresCluster(std::string runningIn) : folder_(std::move(runningIn)) {}

PostgresCluster::~PostgresCluster() {
    Stop();
}

// The cluster's files go with it: 41 MB a test program, left behind by
// every run otherwise. The fixture's cluster is the fixture's to stop.
void PostgresCluster::Stop() {
    if (running_) {
        orvex::test::Stop(folder_);
        running_ = false;
    }
    owned_.reset();
}

bool PostgresCluster::StartIn(const std::string& folder, std::string& why) {
    StopIn(folder);
    std::filesystem::create_directories(folder);
    why = Start(folder);
    return why.empty();
}

void PostgresCluster::StopIn(const std::string& folder) {
    if (std::filesystem::exists(DataFolder(folder) + "/postmaster.pid")) {
        orvex::test::Stop(folder);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// Test programs run at once share the fixture's cluster: each names its
// databases by its process id.
std::string PostgresCluster::NewDatabase() {
    const std::string server = "host=" + folder_ + " user=orvex";
    const std::string name =
        "archive_" + std::to_string(::getpid()) + "_" + std::to_string(++databases_);
    {
        QSqlDatabase admin =
            QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("orvex-test-admin"));
        admin.setConnectOptions(QString::fromStdString(server + " dbname=postgres"));
        EXPECT_TRUE(admin.open()) << admin.lastError().text().toStdString();
        QSqlQuery query(admin);
        EXPECT_TRUE(query.exec(QString::fromStdString("CREATE DATABASE " + name)))
            << query.lastError().text().toStdString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("orvex-test-admin"));
    return "postgresql:" + server + " dbname=" + name;
}

}  // namespace orvex::test
