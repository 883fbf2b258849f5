#include "archive/packed_blocks.h"

#include <QtEndian>

namespace orvex {
namespace {

// A frame: time (u32), flags (u8), first offset (u64), length (u16), then
// the bytes; a hearing: offset (u64), block (i64), index (u32). All
// little-endian.
constexpr std::uint8_t kHasTime = 1;
constexpr std::uint8_t kTimeExact = 2;

// Reads values off the front of a packed value.
class Reader {
public:
    explicit Reader(const QByteArray& packed) : at_(packed.constData()), left_(packed.size()) {}

    bool AtEnd() const { return left_ == 0; }
    template <class T>
    bool Get(T& value) {
        if (left_ < static_cast<qsizetype>(sizeof(T))) {
            return false;
        }
        value = qFromLittleEndian<T>(at_);
        Skip(sizeof(T));
        return true;
    }
    bool Get(std::string_view& bytes, std::size_t length) {
        if (left_ < static_cast<qsizetype>(length)) {
            return false;
        }
        bytes = std::string_view(at_, length);
        Skip(length);
        return true;
    }

private:
    void Skip(std::size_t count) {
        at_ += count;
        left_ -= static_cast<qsizetype>(count);
    }

    const char* at_;
    qsizetype left_;
};

}  // namespace

bool ForEachPackedFrame(const QByteArray& frames,
                        const std::function<bool(const PackedFrame&)>& visit) {
    Reader reader(frames);
    while (!reader.AtEnd()) {
        std::uint32_t time = 0;
        std::uint8_t flags = 0;
        std::uint16_t length = 0;
        PackedFrame frame;
        if (!reader.Get(time) || !reader.Get(flags) || !reader.Get(frame.firstOffset) ||
            !reader.Get(length) || !reader.Get(frame.bytes, length)) {
            return false;
        }
        if ((flags & kHasTime) != 0) {
            frame.time = time;
        }
        frame.timeExact = (flags & kTimeExact) != 0;
        if (!visit(frame)) {
            return false;
        }
    }
    return true;
}

bool ForEachPackedHearing(const QByteArray& hearings,
                          const std::function<bool(const PackedHearing&)>& visit) {
    Reader reader(hearings);
    while (!reader.AtEnd()) {
        PackedHearing hearing;
        if (!reader.Get(hearing.offset) || !reader.Get(hearing.block) ||
            !reader.Get(hearing.index) || !visit(hearing)) {
            return false;
        }
    }
    return true;
}

}  // namespace orvex
