#include "telemetry/sorted_keys.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <queue>

namespace orvex {

// Sorted keys in a temporary file, read back a block at a time.
struct SortedKeyList::Run {
    std::FILE* file = nullptr;
    std::vector<Key> block;
    std::size_t next = 0;

    ~Run() {
        if (file != nullptr) {
            std::fclose(file);
        }
    }
    bool Rewind() {
        block.clear();
        next = 0;
        return std::fseek(file, 0, SEEK_SET) == 0;
    }
    const Key* Peek() {
        if (next == block.size()) {
            block.resize(8192);
            block.resize(std::fread(block.data(), sizeof(Key), block.size(), file));
            next = 0;
            if (block.empty()) {
                return nullptr;
            }
        }
        return &block[next];
    }
};

SortedKeyList::SortedKeyList(std::size_t keysInMemory)
    : keysInMemory_(std::max<std::size_t>(keysInMemory, 1)) {}

SortedKeyList::~SortedKeyList() = default;

void SortedKeyList::Add(const Key& key) {
    if (sorted_ && !keys_.empty() && key < keys_.back()) {
        sorted_ = false;
    }
    keys_.push_back(key);
    ++count_;
    distinct_ = false;
    if (keys_.size() >= keysInMemory_) {
        SpillKeys();
    }
}

void SortedKeyList::SortKeysInMemory() {
    if (!sorted_) {
        std::sort(keys_.begin(), keys_.end());
        sorted_ = true;
    }
}

void SortedKeyList::SpillKeys() {
    SortKeysInMemory();
    auto run = std::make_unique<Run>();
    run->file = std::tmpfile();
    const bool written =
        run->file != nullptr &&
        std::fwrite(keys_.data(), sizeof(Key), keys_.size(), run->file) == keys_.size() &&
        std::fflush(run->file) == 0;
    if (!written) {
        // No room for runs: keep every key in memory rather than lose any.
        keysInMemory_ = std::numeric_limits<std::size_t>::max();
        return;
    }
    runs_.push_back(std::move(run));
    keys_.clear();
}

void SortedKeyList::MergeRuns(const std::function<void(const Key&)>& visit, bool distinctOnly) {
    SortKeysInMemory();
    struct Head {
        Key key;
        std::size_t source;  // a run, or runs_.size() for the keys in memory
        bool operator>(const Head& other) const { return other.key < key; }
    };
    std::priority_queue<Head, std::vector<Head>, std::greater<>> heads;
    std::size_t inMemory = 0;
    auto advance = [&](std::size_t source) {
        if (source == runs_.size()) {
            if (inMemory < keys_.size()) {
                heads.push({keys_[inMemory++], source});
            }
        } else if (const Key* key = runs_[source]->Peek()) {
            heads.push({*key, source});
            ++runs_[source]->next;
        }
    };
    for (std::size_t source = 0; source <= runs_.size(); ++source) {
        if (source < runs_.size()) {
            runs_[source]->Rewind();
        }
        advance(source);
    }
    bool first = true;
    Key last;
    while (!heads.empty()) {
        const Head head = heads.top();
        heads.pop();
        if (first || !distinctOnly || last < head.key) {
            visit(head.key);
        }
        first = false;
        last = head.key;
        advance(head.source);
    }
}

void SortedKeyList::RemoveDuplicates() {
    if (runs_.empty()) {
        SortKeysInMemory();
        keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());
        count_ = keys_.size();
    } else {
        std::uint64_t distinct = 0;
        MergeRuns([&distinct](const Key&) { ++distinct; }, true);
        count_ = distinct;
    }
    distinct_ = true;
}

void SortedKeyList::ForEach(const std::function<void(const Key&)>& visit) {
    if (runs_.empty()) {
        SortKeysInMemory();
        for (const Key& key : keys_) {
            visit(key);
        }
    } else {
        MergeRuns(visit, distinct_);
    }
}

}  // namespace orvex
