#include "outputs/output_names.h"

#include "outputs/data/data_export.h"

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

std::string LogNameLessExtension(std::string_view logPath) {
    const std::string_view name = logPath.substr(NameStart(logPath));
    const auto dot = name.rfind('.');
    return std::string(dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot));
}

std::string NameBesideLog(std::string_view logPath, std::string_view extension) {
    std::string name(logPath.substr(0, NameStart(logPath)));
    name += LogStem(logPath);
    name += '.';
    name += extension;
    return name;
}

std::vector<LogOutput> OutputsOfLoad(std::string_view logPath, const OutputOptions& options) {
    std::vector<LogOutput> outputs;
    if (options.writeReport) {
        outputs.push_back({"report", NameBesideLog(logPath, kReportExtension)});
    }
    if (options.writeWodExport) {
        outputs.push_back({"WOD export", NameBesideLog(logPath, kWodExportExtension)});
    }
    if (options.dataExport) {
        for (LogOutput& data : DataOutputs(*options.dataExport, logPath)) {
            outputs.push_back(std::move(data));
        }
    }
    return outputs;
}

}  // namespace orvex
