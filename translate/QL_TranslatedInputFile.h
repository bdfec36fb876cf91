// An input file opened for reading in the internal encoding: files in the plain or EUC run
// encodings are opened directly, others are converted to a temporary EUC copy that close() deletes.
#pragma once

#include <cstdio>
#include <string>

class TranslatedInputFile {
public:
    // encoding: the run encoding the file is written in (usually runEncoding()).
    explicit TranslatedInputFile(int encoding);
    ~TranslatedInputFile();
    TranslatedInputFile(const TranslatedInputFile&) = delete;
    TranslatedInputFile& operator=(const TranslatedInputFile&) = delete;

    // Opens the file (path as handed to the platform), in binary mode when asked. Returns whether it
    // is open; a file that cannot be read leaves the handle empty. Raises QL_InvalidEncodingException
    // for encoding 1 and for encodings that cannot be converted to EUC, and
    // QL_TranslateFileOpenException when the temporary copy cannot be created.
    bool open(const std::string& path, bool binary = false);
    // Closes the handle and deletes the temporary copy, if any.
    void close();

    std::FILE* handle() const { return file_; }
    bool isOpen() const { return file_ != nullptr; }
    // The temporary copy being read, or "" when the file was opened directly.
    const std::string& temporaryPath() const { return temporaryPath_; }

    // Where temporary copies are made (the run's temporary directory, set by the command-line layer
    // once it is known); "" means the platform's default temporary directory.
    static void setTemporaryDirectory(const std::string& directory);
    static const std::string& temporaryDirectory();

private:
    int encoding_;
    std::FILE* file_ = nullptr;
    std::string temporaryPath_;
    bool deleteOnClose_ = false;
};
