#include "text/utf8.h"

#include <QString>

namespace orvex {

std::string Latin1ToUtf8(std::string_view latin1) {
    return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()))
        .toUtf8()
        .toStdString();
}

}  // namespace orvex
