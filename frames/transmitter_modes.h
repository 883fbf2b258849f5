#pragma once

#include <cstdint>
#include <string_view>

namespace orvex {

// The text of a transmitter mode; "UNKOWN" beyond mode 6, as the satellite's
// ground software always spelled it.
std::string_view TxModeText(std::uint8_t mode);

}  // namespace orvex
