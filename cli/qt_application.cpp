#include "cli/qt_application.h"

namespace orvex {

std::unique_ptr<QCoreApplication> ApplicationIfNone() {
    if (QCoreApplication::instance() != nullptr) {
        return nullptr;
    }
    static int argc = 1;
    static char name[] = "orvex-decode";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace orvex
