// Character sources of the translation layer: a text or a file, read one byte at a time.
#pragma once

#include <cstdio>
#include <string>

class Source {
public:
    virtual ~Source() = default;
    virtual void close() = 0;
    // The next byte (0 to 255), or -1 at the end.
    virtual int get() = 0;
    // Steps back one byte: the next get() answers it again.
    virtual void unget(int byte) = 0;
};

// Reads a text up to its first zero byte.
class StringSource : public Source {
public:
    explicit StringSource(const std::string& text);
    void close() override;
    int get() override;
    void unget(int byte) override;

private:
    std::string text_;
    std::size_t position_ = 0;
};

// Reads a file opened in text mode. Read errors are reported on standard error and end the input.
class FileSource : public Source {
public:
    FileSource() = default;
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // Opens the file for reading; false if it cannot be opened.
    bool open(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    void close() override;
    int get() override;
    void unget(int byte) override;

private:
    std::FILE* file_ = nullptr;
    bool atEnd_ = false;
};
