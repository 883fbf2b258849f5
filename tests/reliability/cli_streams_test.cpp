// What orvex-decode prints, and where it finds a log: the summary starts a
// line of its own after the progress line is cleared, a standard output
// that cannot be written fails the run, and a relative log whose absolute
// path is longer than PATH_MAX is decoded as it opens.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLocale>

#include <climits>
#include <sstream>
#include <streambuf>
#include <thread>

#include "cli/decode_command.h"
#include "tests/reliability/cli_runner.h"
#include "tests/support/child_process.h"
#include "tests/support/log_builder.h"
#include "tests/support/piped_log.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"

namespace orvex {
namespace {

using test::KissFrame;

std::string TimeFrames(int count) {
    std::string log;
    for (int i = 0; i < count; ++i) {
        log += KissFrame(1, "12:00:00");
    }
    return log;
}

// A standard output on a full disk: every write fails.
class FullOutput : public std::streambuf {
protected:
    int_type overflow(int_type /*c*/) override { return traits_type::eof(); }
};

TEST(CliStreams, SummaryStartsALineOfItsOwnAfterTheProgressLine) {
    const test::TempFolder folder;
    test::PipedLog log(folder / "orbit.kss");
    // The pause outlasts the progress line's quarter second, so it shows once.
    log.Start(
        {{TimeFrames(40), [] { std::this_thread::sleep_for(std::chrono::milliseconds(400)); }},
         {TimeFrames(60), nullptr}});
    std::ostringstream terminal;  // standard output and error on one screen
    const LocaleFormat format(QLocale(QStringLiteral("en_GB")));
    EXPECT_EQ(RunDecodeCommand({log.Path()}, format, terminal, terminal, /*showProgress=*/true), 0);
    const std::string text = terminal.str();
    const std::string summary =
        log.Path() + ": 100 frames read, 100 decoded, 0 TLM records, 0 WOD rows (0 distinct)\n";
    EXPECT_EQ(text.substr(0, log.Path().size() + 1), "\r" + log.Path());
    ASSERT_GT(text.size(), summary.size() + 4);
    EXPECT_EQ(text.substr(text.size() - summary.size() - 4), "\r\033[K" + summary);
}

TEST(CliStreams, StandardOutputThatCannotBeWrittenFailsTheRun) {
    const test::TempFolder folder;
    const std::string log = folder.Write("orbit.kss", TimeFrames(1));
    FullOutput full;
    std::ostream out(&full);
    std::ostringstream err;
    const LocaleFormat format(QLocale(QStringLiteral("en_GB")));
    EXPECT_EQ(RunDecodeCommand({log}, format, out, err, false), 1);
    EXPECT_EQ(err.str(), "orvex-decode: Cannot write the standard output\n");
}

// Folders nested below `base` until the path is near PATH_MAX, the deepest
// made the working folder on the way down; removed from the inside out, as no
// path to the inner ones can be given whole. For a child process: it changes
// the process's working folder.
class DeepFolder {
public:
    explicit DeepFolder(const std::string& base) {
        EXPECT_EQ(::chdir(base.c_str()), 0);
        const std::string name(200, 'd');
        for (std::size_t length = base.size(); length < PATH_MAX - 150; length += 201) {
            EXPECT_EQ(::mkdir(name.c_str(), 0700), 0);
            EXPECT_EQ(::chdir(name.c_str()), 0);
            ++depth_;
        }
    }
    ~DeepFolder() {
        for (const std::string& file : files_) {
            ::unlink(file.c_str());
        }
        for (int level = 0; level < depth_; ++level) {
            EXPECT_EQ(::chdir(".."), 0);
            EXPECT_EQ(::rmdir(std::string(200, 'd').c_str()), 0);
        }
    }
    DeepFolder(const DeepFolder&) = delete;
    DeepFolder& operator=(const DeepFolder&) = delete;

    // Written in the deepest folder, which is the working folder.
    void Write(const std::string& name, const std::string& bytes) {
        FILE* file = std::fopen(name.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        files_.push_back(name);
    }
    void Remember(const std::string& name) { files_.push_back(name); }

private:
    int depth_ = 0;
    std::vector<std::string> files_;
};

TEST(CliPaths, RelativeLogLongerThanPathMaxWhenAbsoluteIsDecoded) {
    const test::TempFolder folder;
    EXPECT_TRUE(test::PassesInChildProcess([&] {
        DeepFolder deep(folder.Path());
        const std::string name = "orbit-" + std::string(180, 'x') + ".kss";
        deep.Write(name, TimeFrames(1));
        const std::string stem = "orbit-" + std::string(180, 'x');
        deep.Remember(stem + ".tlm");
        deep.Remember(stem + ".csv");
        char* cwd = ::getcwd(nullptr, 0);
        ASSERT_NE(cwd, nullptr);
        const std::string absolute = std::string(cwd) + "/" + name;
        std::free(cwd);
        ASSERT_GT(absolute.size(), std::size_t{PATH_MAX});

        const test::CliResult run = test::RunCli({name});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out, absolute +
                               ": 1 frames read, 1 decoded, 0 TLM records, 0 WOD rows (0 "
                               "distinct)\n");
        const std::string report = test::ReadFile(stem + ".tlm");
        EXPECT_NE(report.find("\r\nFile: " + absolute + "\r\n"), std::string::npos);
        EXPECT_NE(report.find("[TIME] 12:00:00\r\n"), std::string::npos);
        EXPECT_EQ(test::ReadFile(stem + ".csv").substr(0, 5), "Time;");
    }));
}

}  // namespace
}  // namespace orvex
