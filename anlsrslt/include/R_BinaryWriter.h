// An in-memory run of error-file bytes: bytes, little-endian words and length-prefixed strings.
#pragma once

#include <cstdint>
#include <string>

class R_BinaryWriter {
public:
    void byte(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
    void word(std::int32_t value)
    {
        const auto v = static_cast<std::uint32_t>(value);
        const char encoded[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                                 static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
        bytes_.append(encoded, 4);
    }
    void raw(const char* data, std::size_t size) { bytes_.append(data, size); }
    // The length word, then the bytes.
    void string(const std::string& text)
    {
        word(static_cast<std::int32_t>(text.size()));
        bytes_.append(text);
    }

    const std::string& bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }
    void truncate(std::size_t size) { bytes_.resize(size); }
    void clear() { bytes_.clear(); }

private:
    std::string bytes_;
};
