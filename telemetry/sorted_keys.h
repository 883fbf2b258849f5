#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace orvex {

// 16-byte keys gathered in any order and read back in ascending order, with
// or without their repeats. Keys beyond a bound are sorted into runs in
// temporary files and merged when read, so memory stays flat on logs of any
// length.
class SortedKeyList {
public:
    struct Key {
        std::uint64_t high = 0;
        std::uint64_t low = 0;
        bool operator==(const Key&) const = default;
        bool operator<(const Key& other) const {
            return high != other.high ? high < other.high : low < other.low;
        }
    };

    explicit SortedKeyList(std::size_t keysInMemory = 1 << 20);
    ~SortedKeyList();
    SortedKeyList(const SortedKeyList&) = delete;
    SortedKeyList& operator=(const SortedKeyList&) = delete;

    void Add(const Key& key);
    std::uint64_t Count() const { return count_; }

    // Leaves each distinct key once.
    void RemoveDuplicates();
    // Every key in ascending order.
    void ForEach(const std::function<void(const Key&)>& visit);

private:
    struct Run;

    void SpillKeys();
    void SortKeysInMemory();
    void MergeRuns(const std::function<void(const Key&)>& visit, bool distinctOnly);

    std::size_t keysInMemory_;
    std::vector<Key> keys_;
    std::vector<std::unique_ptr<Run>> runs_;
    std::uint64_t count_ = 0;
    bool sorted_ = true;
    bool distinct_ = false;
};

}  // namespace orvex
