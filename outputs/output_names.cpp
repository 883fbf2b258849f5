#include "outputs/output_names.h"

namespace orvex {

std::string NameBesideLog(const std::string& logPath, std::string_view extension) {
    const auto dot = logPath.find('.');
    std::string name = dot == std::string::npos ? std::string() : logPath.substr(0, dot + 1);
    name += extension;
    return name;
}

}  // namespace orvex
