// orvex-decode on a full disk: a small tmpfs with a few kilobytes left, or,
// where nothing may be mounted, a limit on the size of a file. Every output
// that does not fit fails with a message and exit 1, and the earlier file at
// its path keeps its bytes; nothing else is left in the folder.
#include <gtest/gtest.h>
#include <sys/statvfs.h>
#include <sys/wait.h>

#include <fstream>
#include <map>

#include "tests/reliability/decode_process.h"
#include "tests/support/generated_log.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_folder.h"

namespace orvex::test {
namespace {

using Files = std::map<std::string, std::string>;

constexpr long kRoomLeft = 16L * 1024;

Files FilesIn(const std::string& folder) {
    Files files;
    for (const std::string& name : FolderEntries(folder)) {
        files[name] = ReadFile(folder + "/" + name);
    }
    return files;
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A folder with little room: a tmpfs of 4 MB filled up to kRoomLeft, or a
// plain folder whose files the run may not grow past kRoomLeft.
class FullFolder {
public:
    // Takes all the room but kRoomLeft, once the folder holds what it must.
    void Fill() {
        if (!disk_.Mounted()) {
            return;
        }
        struct statvfs space {};
        ASSERT_EQ(::statvfs(folder_.Path().c_str(), &space), 0);
        const auto free = static_cast<long>(space.f_bavail * space.f_frsize);
        Write(folder_ / "filler", std::string(static_cast<std::size_t>(free - kRoomLeft), 'f'));
    }
    // The limit a run in the folder needs.
    long FileSizeLimit() const { return disk_.Mounted() ? 0 : kRoomLeft; }
    const std::string& Path() const { return folder_.Path(); }
    std::string operator/(std::string_view name) const { return folder_ / name; }

private:
    TempFolder folder_;
    SmallDisk disk_{folder_.Path(), std::uint64_t{4} * 1024 * 1024};
};

class FullDisk : public ::testing::Test {
protected:
    static const std::string& Log() {
        static const std::string kLog =
            synth::test::GenerateLog(std::vector<std::string>{"--seed", "3", "--frames", "4000"});
        return kLog;
    }

    // Runs orvex-decode on the full folder and expects every file in it as
    // it was, and exit 1.
    void ExpectNothingReplaced(const std::vector<std::string>& args) {
        full.Fill();
        const Files before = FilesIn(full.Path());
        const int status = WaitFor(StartDecode(args, full.FileSizeLimit()));
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
        const Files after = FilesIn(full.Path());
        EXPECT_EQ(after.size(), before.size());
        for (const auto& [name, bytes] : before) {
            EXPECT_TRUE(after.count(name) && after.at(name) == bytes) << name << " changed";
        }
    }
    // An earlier output of about 20 KB.
    void WriteEarlier(const std::string& name) {
        std::string bytes;
        while (bytes.size() < 20000) {
            bytes += "earlier " + name + "\r\n";
        }
        Write(full / name, bytes);
    }
    std::string WriteLog() {
        Write(full / "orbit.kss", Log());
        return full / "orbit.kss";
    }

    FullFolder full;
};

TEST_F(FullDisk, ReportKeepsTheEarlierOne) {
    WriteEarlier("orbit.tlm");
    ExpectNothingReplaced({"--no-wod", WriteLog()});
}

TEST_F(FullDisk, WodExportKeepsTheEarlierOne) {
    WriteEarlier("orbit.csv");
    ExpectNothingReplaced({"--no-report", WriteLog()});
}

TEST_F(FullDisk, DataFilesKeepTheEarlierOnes) {
    const std::string log = WriteLog();
    for (const char* kind : {"telemetry", "wod", "status", "frames"}) {
        WriteEarlier(std::string("orbit.") + kind + ".csv");
    }
    ExpectNothingReplaced({"--no-report", "--no-wod", "--data", full.Path(), log});
}

TEST_F(FullDisk, ArchiveExportKeepsTheEarlierFiles) {
    const TempFolder archive;
    Write(archive / "orbit.kss", Log());
    ASSERT_EQ(WaitFor(StartDecode({"--no-report", "--no-wod", "--archive",
                                   archive / "archive.sqlite", archive / "orbit.kss"})),
              0);
    for (const char* kind : {"telemetry", "wod", "status", "frames"}) {
        WriteEarlier(std::string("archive.") + kind + ".csv");
    }
    ExpectNothingReplaced({"--archive", archive / "archive.sqlite", "--export-range", "2026-01-01",
                           "2026-12-31", "--data", full.Path()});
}

}  // namespace
}  // namespace orvex::test
