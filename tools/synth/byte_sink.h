#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace orvex::synth {

// Where a generated log goes.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void Write(std::string_view bytes) = 0;
};

class StringSink : public ByteSink {
public:
    void Write(std::string_view bytes) override { bytes_ += bytes; }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// A file opened by the caller (or stdout); the writer hands it large blocks.
class FileSink : public ByteSink {
public:
    explicit FileSink(std::FILE* file) : file_(file) {}
    void Write(std::string_view bytes) override {
        failed_ = failed_ || std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size();
    }
    bool Failed() const { return failed_; }

private:
    std::FILE* file_;
    bool failed_ = false;
};

}  // namespace orvex::synth
