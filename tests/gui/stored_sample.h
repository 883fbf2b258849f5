#pragma once

#include <string>

#include "tests/support/temp_folder.h"

namespace orvex::test {

// The sample pass's stored report for `locale` ("en_GB", "de_DE"), naming the
// log `log`: the stored one names it "orvex-pass.kss", as it was given in its
// own folder, where the window here is given its whole path. Every other
// byte is the stored file's.
inline std::string StoredSampleReport(const std::string& locale, const std::string& log) {
    std::string report = ReadFile(ORVEX_SAMPLES_DIR "/expected/orvex-pass." + locale + ".tlm");
    const std::string stored = "\r\nFile: orvex-pass.kss\r\n";
    const std::size_t at = report.find(stored);
    return at == std::string::npos ? report
                                   : report.replace(at, stored.size(), "\r\nFile: " + log + "\r\n");
}

inline std::string StoredSampleExport(const std::string& locale) {
    return ReadFile(ORVEX_SAMPLES_DIR "/expected/orvex-pass." + locale + ".csv");
}

}  // namespace orvex::test
