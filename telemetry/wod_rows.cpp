#include "telemetry/wod_rows.h"

#include <algorithm>
#include <limits>
#include <queue>

#include "telemetry/calibration.h"
#include "text/locale_format.h"

namespace orvex {

// Sorted keys in a temporary file, read back a block at a time.
struct WodRowList::Run {
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

WodRowList::WodRowList(const LocaleFormat& format, std::size_t keysInMemory)
    : format_(format), keysInMemory_(std::max<std::size_t>(keysInMemory, 1)) {
    const auto& values = CalibrationTable();
    for (int slot = 0; slot < kWodSlotCount; ++slot) {
        const int channel = ChannelIndexOfNumber(WodChannels()[slot + 1]);
        std::array<std::string, 256> fields;
        for (int raw = 0; raw < 256; ++raw) {
            format.AppendFixed(fields[raw], values[channel][raw], 2);
            fields[raw] += ';';
        }
        std::vector<std::string> distinct(fields.begin(), fields.end());
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        for (int raw = 0; raw < 256; ++raw) {
            const auto at = std::lower_bound(distinct.begin(), distinct.end(), fields[raw]);
            rank_[slot][raw] = static_cast<std::uint8_t>(at - distinct.begin());
        }
        for (std::size_t rank = 0; rank < distinct.size(); ++rank) {
            textOfRank_[slot][rank] = distinct[rank];
        }
    }
}

WodRowList::~WodRowList() = default;

WodRowList::Key WodRowList::KeyOf(const WodSample& sample) const {
    Key key;
    key.high = std::uint64_t{sample.secondOfDay} << 40;
    for (int slot = 0; slot < 5; ++slot) {
        key.high |= std::uint64_t{rank_[slot][sample.raw[slot]]} << (8 * (4 - slot));
    }
    for (int slot = 5; slot < kWodSlotCount; ++slot) {
        key.low |= std::uint64_t{rank_[slot][sample.raw[slot]]} << (8 * (9 - slot));
    }
    return key;
}

void WodRowList::Add(const WodSample& sample) {
    if (keys_.capacity() == 0) {
        keys_.reserve(std::min<std::size_t>(keysInMemory_, 1 << 20));
    }
    const Key key = KeyOf(sample);
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

void WodRowList::SortKeysInMemory() {
    if (!sorted_) {
        std::sort(keys_.begin(), keys_.end());
        sorted_ = true;
    }
}

void WodRowList::SpillKeys() {
    SortKeysInMemory();
    auto run = std::make_unique<Run>();
    run->file = std::tmpfile();
    const bool written =
        run->file != nullptr &&
        std::fwrite(keys_.data(), sizeof(Key), keys_.size(), run->file) == keys_.size() &&
        std::fflush(run->file) == 0;
    if (!written) {
        // No room for runs: keep every key in memory rather than lose rows.
        keysInMemory_ = std::numeric_limits<std::size_t>::max();
        return;
    }
    runs_.push_back(std::move(run));
    keys_.clear();
}

void WodRowList::MergeRuns(const std::function<void(const Key&)>& visit, bool distinctOnly) {
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

void WodRowList::RemoveDuplicateItems() {
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

void WodRowList::AppendRowText(std::string& out, const Key& key) const {
    const auto secondOfDay = static_cast<int>(key.high >> 40);
    DateTime time;
    time.hour = secondOfDay / 3600;
    time.minute = secondOfDay / 60 % 60;
    time.second = secondOfDay % 60;
    format_.AppendTimeOfDay(out, time);
    out.push_back(';');
    for (int slot = 0; slot < kWodSlotCount; ++slot) {
        const std::uint64_t word = slot < 5 ? key.high : key.low;
        const int shift = 8 * (slot < 5 ? 4 - slot : 9 - slot);
        out += textOfRank_[slot][(word >> shift) & 0xFF];
    }
}

void WodRowList::ForEachRow(const std::function<void(std::string_view row)>& visit) {
    std::string row;
    auto visitKey = [&](const Key& key) {
        row.clear();
        AppendRowText(row, key);
        visit(row);
    };
    if (runs_.empty()) {
        SortKeysInMemory();
        for (const Key& key : keys_) {
            visitKey(key);
        }
    } else {
        MergeRuns(visitKey, distinct_);
    }
}

std::vector<std::string> WodRowList::Items() {
    std::vector<std::string> items;
    ForEachRow([&items](std::string_view row) { items.emplace_back(row); });
    return items;
}

}  // namespace orvex
