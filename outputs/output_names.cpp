#include "outputs/output_names.h"

namespace orvex {
namespace {

std::string_view::size_type NameStart(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

}  // namespace

std::string LogStem(std::string_view logPath) {
    const std::string_view name = logPath.substr(NameStart(logPath));
    return std::string(name.substr(0, name.find('.', 1)));
}

std::string NameBesideLog(std::string_view logPath, std::string_view extension) {
    std::string name(logPath.substr(0, NameStart(logPath)));
    name += LogStem(logPath);
    name += '.';
    name += extension;
    return name;
}

std::vector<LogOutput> OutputsBesideLog(std::string_view logPath) {
    return {{"report", NameBesideLog(logPath, kReportExtension)},
            {"WOD export", NameBesideLog(logPath, kWodExportExtension)}};
}

}  // namespace orvex
