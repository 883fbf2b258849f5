#include "cli/given_logs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <tuple>
#include <utility>

#include "outputs/data/data_export.h"
#include "outputs/output_names.h"

namespace orvex {
namespace {

// The window's file dialog gives absolute paths; a relative one is joined to
// the working folder and otherwise left as it stands. getcwd allocates, as
// the working folder may be longer than PATH_MAX.
std::string AbsolutePath(const std::string& path) {
    if (!path.empty() && path.front() == '/') {
        return path;
    }
    char* folder = ::getcwd(nullptr, 0);
    if (folder == nullptr) {
        return path;
    }
    std::string absolute = folder;
    std::free(folder);
    if (absolute.back() != '/') {
        absolute += '/';
    }
    return absolute + path;
}

using Identity = std::pair<dev_t, ino_t>;

std::optional<Identity> IdentityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return Identity{info.st_dev, info.st_ino};
}

// Where a file is or would be: its folder's identity and its name, after
// the symbolic link the path may be, as an output is written through it.
using Place = std::tuple<dev_t, ino_t, std::string>;

std::optional<Place> PlaceOf(const std::string& path) {
    std::string target = path;
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
        target = resolved;
        std::free(resolved);
    }
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const auto identity = IdentityOf(folder);
    if (!identity) {
        return std::nullopt;  // no folder, no file: the claim tells why
    }
    return Place{identity->first, identity->second, target.substr(slash + 1)};
}

// A log whose output a log is, and which output.
struct Owner {
    std::size_t log;
    std::string what;
};

// Every file that may be an output of the log: its report and WOD export
// whatever the switches say, its data files where the options put them, and
// those an earlier run with --data left beside it, in either form.
std::vector<LogOutput> PossibleOutputs(const std::string& logPath, const OutputOptions& options) {
    OutputOptions every;  // the report and the WOD export on
    every.dataExport = options.dataExport;
    std::vector<LogOutput> outputs = OutputsOfLoad(logPath, every);
    const auto slash = logPath.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : logPath.substr(0, slash + 1);
    for (const DataFormat format : {DataFormat::Csv, DataFormat::JsonLines}) {
        for (LogOutput& data : DataOutputs({folder, format}, logPath)) {
            outputs.push_back(std::move(data));
        }
    }
    return outputs;
}

// Each log's owners other than itself; orbit.tlm is the report of
// orbit.csv as well as of orbit.kss.
std::vector<std::vector<Owner>> OwnersOfEachLog(const std::vector<GivenLog>& logs,
                                                const OutputOptions& options) {
    std::multimap<Identity, Owner> outputs;
    for (std::size_t index = 0; index < logs.size(); ++index) {
        for (const LogOutput& output : PossibleOutputs(logs[index].path, options)) {
            if (const auto identity = IdentityOf(output.path)) {
                outputs.emplace(*identity, Owner{index, output.what});
            }
        }
    }
    std::vector<std::vector<Owner>> owners(logs.size());
    for (std::size_t index = 0; index < logs.size(); ++index) {
        const auto identity = IdentityOf(logs[index].path);
        if (!identity) {
            continue;
        }
        const auto [first, end] = outputs.equal_range(*identity);
        for (auto owner = first; owner != end; ++owner) {
            if (owner->second.log != index) {
                owners[index].push_back(owner->second);
            }
        }
    }
    return owners;
}

std::vector<std::string> LogsThatAreOutputs(const std::vector<GivenLog>& logs,
                                            const OutputOptions& options) {
    const std::vector<std::vector<Owner>> owners = OwnersOfEachLog(logs, options);
    std::vector<std::string> reasons(logs.size());
    for (std::size_t index = 0; index < logs.size(); ++index) {
        if (owners[index].empty()) {
            continue;
        }
        // Named after an owner that is decoded, when there is one.
        Owner named = owners[index].front();
        for (const Owner& owner : owners[index]) {
            if (owners[owner.log].empty()) {
                named = owner;
                break;
            }
        }
        reasons[index] = "Skipped " + logs[index].shown + ": it is the " + named.what + " of " +
                         logs[named.log].shown + ", also given";
    }
    return reasons;
}

// Adds, for each log still to decode, why not when an output of it is one
// that a log before it writes.
void RefuseSharedOutputs(const std::vector<GivenLog>& logs, const OutputOptions& options,
                         std::vector<std::string>& reasons) {
    std::map<Place, std::size_t> writers;
    for (std::size_t index = 0; index < logs.size(); ++index) {
        if (!reasons[index].empty()) {
            continue;
        }
        const std::vector<LogOutput> outputs = OutputsOfLoad(logs[index].path, options);
        for (const LogOutput& output : outputs) {
            const auto place = PlaceOf(output.path);
            const auto writer = place ? writers.find(*place) : writers.end();
            if (writer != writers.end()) {
                reasons[index] = "Skipped " + logs[index].shown + ": its " + output.what + " " +
                                 output.path + " would replace that of " +
                                 logs[writer->second].shown + ", also given";
                break;
            }
        }
        if (reasons[index].empty()) {
            for (const LogOutput& output : outputs) {
                if (const auto place = PlaceOf(output.path)) {
                    writers.emplace(*place, index);
                }
            }
        }
    }
}

}  // namespace

std::vector<GivenLog> GivenLogs(const std::vector<std::string>& paths) {
    std::vector<GivenLog> logs;
    logs.reserve(paths.size());
    for (const std::string& path : paths) {
        logs.push_back({path, AbsolutePath(path)});
    }
    return logs;
}

std::vector<std::string> LogsNotDecoded(const std::vector<GivenLog>& logs,
                                        const OutputOptions& options) {
    std::vector<std::string> reasons = LogsThatAreOutputs(logs, options);
    RefuseSharedOutputs(logs, options, reasons);
    return reasons;
}

}  // namespace orvex
