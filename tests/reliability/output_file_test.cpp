// An output file as a careful user and an attacker find it: its mode is
// kept, a link is written through to its target, a hard-linked name keeps
// its content, a link to nothing and a file another run holds are refused,
// nothing shows before the file is whole, and no failure or kill leaves a
// temporary file or a half-written replacement.
#include "outputs/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "tests/support/temp_folder.h"
#include "tests/support/unprivileged_user.h"

namespace orvex {
namespace {

using Mode = OutputFile::Mode;
using test::FolderEntries;
using test::ReadFile;
using Names = std::vector<std::string>;

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

bool IsLink(const std::string& path) {
    return std::filesystem::is_symlink(path);
}

// Files may grow to `bytes` only, for the life of the object; a write beyond
// fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &earlier_);
        earlierHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = earlier_;
        limit.rlim_cur = bytes;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &earlier_);
        std::signal(SIGXFSZ, earlierHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit earlier_{};
    void (*earlierHandler_)(int) = nullptr;
};

// The two ways an output replaces an earlier file: a live stream's report at
// the start of the load, every other output at its end.
class ReplacedOutput : public ::testing::TestWithParam<Mode> {
protected:
    // Writes `bytes` to `path`; the failure's reason, or "".
    std::string WriteOutput(const std::string& path, std::string_view bytes) {
        OutputFile file;
        if (file.Open(path, GetParam())) {
            file.Write(bytes);
        }
        file.Close();
        return file.FailureReason();
    }
    bool ReplacedAtClose() const { return GetParam() == Mode::ReplaceAtClose; }

    test::TempFolder folder;
    const std::string output = folder / "orbit.csv";
};

TEST_P(ReplacedOutput, KeepsTheModeOfTheFileItReplaces) {
    folder.Write("orbit.csv", "earlier");
    ASSERT_EQ(::chmod(output.c_str(), 0640), 0);
    EXPECT_EQ(WriteOutput(output, "new"), "");
    EXPECT_EQ(ReadFile(output), "new");
    EXPECT_EQ(ModeOf(output), 0640u);

    const mode_t earlierMask = ::umask(027);
    EXPECT_EQ(WriteOutput(folder / "fresh.csv", "new"), "");
    ::umask(earlierMask);
    EXPECT_EQ(ModeOf(folder / "fresh.csv"), 0640u);
}

TEST_P(ReplacedOutput, WritesThroughALinkToItsTargetAndKeepsTheLink) {
    std::filesystem::create_directory(folder / "archive");
    folder.Write("archive/pass.csv", "earlier");
    ASSERT_EQ(::symlink("archive/pass.csv", output.c_str()), 0);
    EXPECT_EQ(WriteOutput(output, "new"), "");
    EXPECT_TRUE(IsLink(output));
    EXPECT_EQ(ReadFile(folder / "archive/pass.csv"), "new");
    EXPECT_EQ(FolderEntries(folder / "archive"), Names{"pass.csv"});
    EXPECT_EQ(FolderEntries(folder.Path()), (Names{"archive", "orbit.csv"}));
}

TEST_P(ReplacedOutput, HardLinkedNameKeepsItsContent) {
    folder.Write("orbit.csv", "earlier");
    ASSERT_EQ(::link(output.c_str(), (folder / "kept.csv").c_str()), 0);
    EXPECT_EQ(WriteOutput(output, "new"), "");
    EXPECT_EQ(ReadFile(output), "new");
    EXPECT_EQ(ReadFile(folder / "kept.csv"), "earlier");
}

TEST_P(ReplacedOutput, LinkToNothingIsRefusedAndNothingIsCreated) {
    std::filesystem::create_directory(folder / "elsewhere");
    ASSERT_EQ(::symlink("elsewhere/planted.csv", output.c_str()), 0);
    EXPECT_EQ(WriteOutput(output, "new"),
              "it is a symbolic link to elsewhere/planted.csv, which does not exist");
    EXPECT_TRUE(IsLink(output));
    EXPECT_EQ(FolderEntries(folder / "elsewhere"), Names{});
    EXPECT_EQ(FolderEntries(folder.Path()), (Names{"elsewhere", "orbit.csv"}));
}

TEST_P(ReplacedOutput, FailedWriteLeavesNoTemporaryFile) {
    folder.Write("orbit.csv", "earlier");
    const std::string bytes(3 << 20, 'x');
    {
        const FileSizeLimit limit(1 << 20);
        EXPECT_EQ(WriteOutput(output, bytes), "File too large");
        EXPECT_EQ(WriteOutput(folder / "fresh.csv", bytes), "File too large");
    }
    // The export replaces nothing until it is whole; the growing report had
    // already taken the name, and holds what could be written.
    const Names left = ReplacedAtClose() ? Names{"orbit.csv"} : Names{"fresh.csv", "orbit.csv"};
    EXPECT_EQ(FolderEntries(folder.Path()), left);
    EXPECT_EQ(ReadFile(output), ReplacedAtClose() ? "earlier" : std::string(1 << 20, 'x'));
}

TEST_P(ReplacedOutput, AbandonedOutputLeavesTheEarlierFileAndNoTrace) {
    folder.Write("orbit.csv", "earlier");
    for (const std::string& path : {output, folder / "fresh.csv"}) {
        OutputFile file;
        ASSERT_TRUE(file.Open(path, GetParam()));
        file.Write("new");
        file.Abandon();
    }
    EXPECT_EQ(FolderEntries(folder.Path()),
              ReplacedAtClose() ? Names{"orbit.csv"} : (Names{"fresh.csv", "orbit.csv"}));
    if (ReplacedAtClose()) {
        EXPECT_EQ(ReadFile(output), "earlier");
    }
}

TEST_P(ReplacedOutput, ReadOnlyFolderIsRefusedAndTheWritableFileKept) {
    std::filesystem::create_directory(folder / "shared");
    const std::string kept = folder.Write("shared/orbit.csv", "earlier");
    test::UnprivilegedUser::Give(folder.Path(), 0755);
    test::UnprivilegedUser::Give(kept, 0666);
    test::UnprivilegedUser::Give(folder / "shared", 0555);
    {
        const test::UnprivilegedUser user;
        if (!user.Reaches(folder.Path())) {
            GTEST_SKIP() << "the user nobody cannot reach " << folder.Path();
        }
        EXPECT_EQ(WriteOutput(kept, "new"),
                  "its folder is read-only, and it is only ever replaced whole, never rewritten "
                  "in place");
    }
    ::chmod((folder / "shared").c_str(), 0755);
    EXPECT_EQ(ReadFile(kept), "earlier");
    EXPECT_EQ(FolderEntries(folder / "shared"), Names{"orbit.csv"});
}

INSTANTIATE_TEST_SUITE_P(Modes, ReplacedOutput,
                         ::testing::Values(Mode::ReplaceAtOpen, Mode::ReplaceAtClose),
                         [](const auto& info) {
                             return info.param == Mode::ReplaceAtOpen ? "GrowingReport" : "Export";
                         });

class OneWriter : public ::testing::Test {
protected:
    test::TempFolder folder;
    const std::string output = folder / "orbit.tlm";
};

TEST_F(OneWriter, FileHeldByAnotherRunIsRefusedUntouched) {
    folder.Write("orbit.tlm", "earlier");
    OutputFile other;
    ASSERT_TRUE(other.Claim(output));
    for (Mode mode : {Mode::ExtendAtClose, Mode::ReplaceAtOpen, Mode::ReplaceAtClose}) {
        OutputFile file;
        EXPECT_FALSE(file.Open(output, mode));
        EXPECT_TRUE(file.Busy());
        EXPECT_EQ(file.FailureReason(), "it is being written by another run");
    }
    other.Abandon();
    EXPECT_EQ(ReadFile(output), "earlier");
    EXPECT_EQ(FolderEntries(folder.Path()), Names{"orbit.tlm"});
}

TEST_F(OneWriter, ClaimHoldsForTheWholeLoadAcrossTheReplacementAndShowsNothing) {
    OutputFile first;
    ASSERT_TRUE(first.Claim(output));
    EXPECT_EQ(FolderEntries(folder.Path()), Names{});

    OutputFile second;
    EXPECT_FALSE(second.Claim(output));
    EXPECT_TRUE(second.Busy());
    ASSERT_TRUE(first.Open(Mode::ReplaceAtClose));
    first.Write("first");
    first.Flush();
    EXPECT_EQ(FolderEntries(folder.Path()), Names{});
    EXPECT_FALSE(second.Claim(output));
    EXPECT_TRUE(second.Busy());

    EXPECT_TRUE(first.Close());
    EXPECT_TRUE(second.Open(output, Mode::ExtendAtClose));
    second.Write(" second");
    second.Flush();
    EXPECT_EQ(ReadFile(output), "first");
    EXPECT_TRUE(second.Close());
    EXPECT_EQ(ReadFile(output), "first second");
    EXPECT_EQ(FolderEntries(folder.Path()), Names{"orbit.tlm"});
}

TEST_F(OneWriter, NothingWrittenLeavesNothing) {
    OutputFile file;
    ASSERT_TRUE(file.Claim(output));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(FolderEntries(folder.Path()), Names{});
}

// A run killed while it writes: SIGKILL cannot be caught, so the folder is
// as the kernel leaves it.
TEST_F(OneWriter, KilledWhileWritingLeavesTheEarlierFileAloneAndTheNameFree) {
    folder.Write("orbit.tlm", "earlier");
    for (Mode mode : {Mode::ReplaceAtClose, Mode::ExtendAtClose}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            OutputFile file;
            file.Open(output, mode);
            file.Write(std::string(3 << 20, 'x'));
            file.Flush();
            ::raise(SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        EXPECT_EQ(ReadFile(output), "earlier");
        EXPECT_EQ(FolderEntries(folder.Path()), Names{"orbit.tlm"});
    }
    OutputFile next;
    EXPECT_TRUE(next.Claim(output));
}

// Where the file system has no unnamed files, a killed run leaves its part
// file: the next claim of the same output removes it, and only that one.
TEST_F(OneWriter, PartFileOfAKilledRunGoesAtTheNextClaim) {
    folder.Write("orbit.tlm", "earlier");
    const std::string part = OutputFile::PartName(output);
    EXPECT_EQ(part, folder / ".orbit.tlm.orvex-part");
    std::ofstream(part) << "half";
    const std::string otherPart = OutputFile::PartName(folder / "orbit.csv");
    std::ofstream(otherPart) << "another run's";
    OutputFile file;
    ASSERT_TRUE(file.Claim(output));
    EXPECT_EQ(FolderEntries(folder.Path()), (Names{".orbit.csv.orvex-part", "orbit.tlm"}));
    EXPECT_EQ(ReadFile(output), "earlier");

    const std::string longName(250, 'n');
    EXPECT_LE(
        std::filesystem::path(OutputFile::PartName(folder / longName)).filename().string().size(),
        255u);
    EXPECT_NE(OutputFile::PartName(folder / longName),
              OutputFile::PartName(folder / (longName + "x")));
}

TEST(OutputPipe, PipeThatNoProgramReadsIsRefusedNotWaitedFor) {
    const test::TempFolder folder;
    const std::string pipe = folder / "orbit.tlm";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ::alarm(10);  // a hang ends the test program instead of the test run
    OutputFile file;
    EXPECT_FALSE(file.Open(pipe, Mode::ReplaceAtOpen));
    ::alarm(0);
    EXPECT_EQ(file.FailureReason(), "it is a named pipe that no program is reading");
}

TEST(OutputPipe, PipeThatIsReadIsWrittenInPlace) {
    const test::TempFolder folder;
    const std::string pipe = folder / "orbit.csv";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    OutputFile file;
    ASSERT_TRUE(file.Open(pipe, Mode::ReplaceAtClose));
    file.Write("rows");
    EXPECT_TRUE(file.Close());
    char bytes[16] = {};
    EXPECT_EQ(::read(reader, bytes, sizeof bytes), 4);
    ::close(reader);
    EXPECT_EQ(std::string(bytes), "rows");
    EXPECT_EQ(FolderEntries(folder.Path()), Names{"orbit.csv"});
}

}  // namespace
}  // namespace orvex
