#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

// Texts made once and read by index, one after another in one buffer.
class TextTable {
public:
    void Reserve(std::size_t count, std::size_t bytes) {
        starts_.reserve(count + 1);
        bytes_.reserve(bytes);
    }
    void Add(std::string_view text) {
        bytes_ += text;
        starts_.push_back(static_cast<std::uint32_t>(bytes_.size()));
    }
    bool Empty() const { return starts_.size() == 1; }
    std::string_view operator[](std::size_t index) const {
        return std::string_view(bytes_).substr(starts_[index], starts_[index + 1] - starts_[index]);
    }

private:
    std::string bytes_;
    std::vector<std::uint32_t> starts_{0};
};

}  // namespace orvex
