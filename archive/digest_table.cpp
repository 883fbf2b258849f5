#include "archive/digest_table.h"

#include <QtEndian>

#include <array>
#include <cstring>

namespace orvex {
namespace {

constexpr int kFirstBits = 12;

// The digest is a hash already: its first four bytes, read as a number with
// the first byte on top, order the slots.
std::uint32_t Leading(const FrameDigest& digest) {
    return qFromBigEndian<std::uint32_t>(digest.bytes.data());
}

// Two loads rather than memcmp's call.
bool Same(const FrameDigest& one, const FrameDigest& other) {
    std::array<std::uint64_t, 2> a{};
    std::array<std::uint64_t, 2> b{};
    std::memcpy(a.data(), one.bytes.data(), sizeof a);
    std::memcpy(b.data(), other.bytes.data(), sizeof b);
    return a == b;
}

}  // namespace

DigestTable::DigestTable() {
    Resize(kFirstBits);
}

// The slots are picked by the leading bits, so that doubling the table
// moves them in order rather than scattering them.
std::size_t DigestTable::SlotOf(std::uint32_t leading) const {
    return static_cast<std::size_t>(leading) >> (32 - bits_);
}

void DigestTable::Prefetch(const FrameDigest& digest) const {
    __builtin_prefetch(&slots_[SlotOf(Leading(digest))]);
}

FrameLookup DigestTable::FindOrAdd(const FrameDigest& digest, std::int64_t id) {
    Reserve(1);
    const std::uint32_t leading = Leading(digest);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = SlotOf(leading);; at = (at + 1) & mask) {
        Slot& slot = slots_[at];
        if (slot.entry == 0) {
            entries_.push_back({digest, id});
            slot = {leading, static_cast<std::uint32_t>(entries_.size())};
            return {id, true};
        }
        if (slot.leading == leading) {
            const Entry& entry = entries_[slot.entry - 1];
            if (Same(entry.digest, digest)) {
                return {entry.id, false};
            }
        }
    }
}

// At most three slots in four in use: a digest not held is then found free
// within a few slots of its own.
bool DigestTable::HasRoomFor(std::size_t more) const {
    return more < kMaxDigests && entries_.size() < kMaxDigests - more;
}

void DigestTable::Reserve(std::size_t more) {
    const std::size_t wanted = entries_.size() + more;
    int bits = bits_;
    while (wanted * 4 > (std::size_t{1} << bits) * 3) {
        ++bits;
    }
    if (bits != bits_) {
        Resize(bits);
    }
}

void DigestTable::Resize(int bits) {
    std::vector<Slot> old(std::size_t{1} << bits);
    old.swap(slots_);
    bits_ = bits;
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.entry == 0) {
            continue;
        }
        std::size_t at = SlotOf(slot.leading);
        while (slots_[at].entry != 0) {
            at = (at + 1) & mask;
        }
        slots_[at] = slot;
    }
}

}  // namespace orvex
