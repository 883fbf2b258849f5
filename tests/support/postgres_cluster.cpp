#include "tests/support/postgres_cluster.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

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

class StopAtEnd : public ::testing::Environment {
public:
    void TearDown() override { PostgresCluster::Shared().Stop(); }
};

}  // namespace

PostgresCluster& PostgresCluster::Shared() {
    static PostgresCluster* cluster = [] {
        ::testing::AddGlobalTestEnvironment(new StopAtEnd);
        return new PostgresCluster;
    }();
    return *cluster;
}

PostgresCluster::PostgresCluster() : bin_(NewestServerFolder()) {
    if (bin_.empty()) {
        unavailable_ = "PostgreSQL's server programs are not installed (/usr/lib/postgresql)";
        return;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        unavailable_ = "Qt's PostgreSQL driver (libqt6sql6-psql) is not installed";
        return;
    }
    folder_ = std::make_unique<TempFolder>();
    UnprivilegedUser::Give(folder_->Path(), 0700);
    if (!UnprivilegedUser().Reaches(folder_->Path())) {
        unavailable_ = "the user nobody, whom the cluster runs as, cannot reach " + folder_->Path();
        return;
    }
    const std::string data = *folder_ / "data";
    if (!RunTool("initdb", {"-D", data, "-A", "trust", "-U", "orvex", "-E", "UTF8", "--locale=C",
                            "--no-sync"}) ||
        !RunTool("pg_ctl", {"-D", data, "-l", *folder_ / "server.log", "-w", "-o",
                            "-k " + folder_->Path() + " -c listen_addresses='' -F", "start"})) {
        unavailable_ = "the cluster in " + folder_->Path() +
                       " did not start: " + ReadFile(*folder_ / "server.log");
        return;
    }
    running_ = true;
}

PostgresCluster::~PostgresCluster() {
    Stop();
}

// The cluster's files go with it: 41 MB a test program, left behind by
// every run otherwise.
void PostgresCluster::Stop() {
    if (running_) {
        RunTool("pg_ctl", {"-D", *folder_ / "data", "-m", "immediate", "-w", "stop"});
        running_ = false;
    }
    folder_.reset();
}

bool PostgresCluster::RunTool(const std::string& tool, const std::vector<std::string>& args) {
    QStringList arguments;
    QString program = QString::fromStdString(bin_ + "/" + tool);
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
    process.setWorkingDirectory(QString::fromStdString(folder_->Path()));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

std::string PostgresCluster::NewDatabase() {
    const std::string server = "host=" + folder_->Path() + " user=orvex";
    const std::string name = "archive_" + std::to_string(++databases_);
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
