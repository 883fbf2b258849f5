#include "cli/given_logs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <utility>

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

bool IdentityOf(const std::string& path, Identity& identity) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return false;
    }
    identity = {info.st_dev, info.st_ino};
    return true;
}

// A log whose output a log is, and which output.
struct Owner {
    std::size_t log;
    std::string_view what;
};

// Each log's owners other than itself; orbit.tlm is the report of
// orbit.csv as well as of orbit.kss.
std::vector<std::vector<Owner>> OwnersOfEachLog(const std::vector<GivenLog>& logs) {
    std::multimap<Identity, Owner> outputs;
    for (std::size_t index = 0; index < logs.size(); ++index) {
        for (const LogOutput& output : OutputsBesideLog(logs[index].path)) {
            Identity identity;
            if (IdentityOf(output.path, identity)) {
                outputs.emplace(identity, Owner{index, output.what});
            }
        }
    }
    std::vector<std::vector<Owner>> owners(logs.size());
    for (std::size_t index = 0; index < logs.size(); ++index) {
        Identity identity;
        if (!IdentityOf(logs[index].path, identity)) {
            continue;
        }
        const auto [first, end] = outputs.equal_range(identity);
        for (auto owner = first; owner != end; ++owner) {
            if (owner->second.log != index) {
                owners[index].push_back(owner->second);
            }
        }
    }
    return owners;
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

std::vector<std::string> LogsThatAreOutputs(const std::vector<GivenLog>& logs) {
    const std::vector<std::vector<Owner>> owners = OwnersOfEachLog(logs);
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
        reasons[index] = "Skipped " + logs[index].shown + ": it is the " + std::string(named.what) +
                         " of " + logs[named.log].shown + ", also given";
    }
    return reasons;
}

}  // namespace orvex
