// Character sinks of the translation layer: a growing text or a file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class Destination {
public:
    virtual ~Destination() = default;
    virtual void close() = 0;
    // One UTF-16 unit.
    virtual void putWide(std::uint16_t unit) = 0;
    virtual void putByte(int byte) = 0;
    virtual void putText(const std::string& text) = 0;
};

// Collects bytes and texts. UTF-16 units are dropped: UTF-16 output only goes to files.
class StringDestination : public Destination {
public:
    void close() override {}
    void putWide(std::uint16_t) override {}
    void putByte(int byte) override { text_ += static_cast<char>(byte); }
    void putText(const std::string& text) override { text_ += text; }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// Writes to a file opened with mode "w"; a UTF-16 unit is written as a 4-byte little-endian value.
class FileDestination : public Destination {
public:
    FileDestination() = default;
    ~FileDestination() override;
    FileDestination(const FileDestination&) = delete;
    FileDestination& operator=(const FileDestination&) = delete;

    // Creates (or truncates) the file; false if it cannot be opened.
    bool open(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    void close() override;
    void putWide(std::uint16_t unit) override;
    void putByte(int byte) override;
    void putText(const std::string& text) override;

private:
    std::FILE* file_ = nullptr;
};
