// A file of arguments (via file, personal options file, configuration options section), tokenised
// at white space with quotes, "*" comment lines and "$" substitution.
#pragma once

#include "C_ArgsSource.h"

#include <memory>

class TranslatedInputFile;

class C_FileSource : public C_ArgsSource {
public:
    // Opens the path with the encoding; a path that is not a regular file yields nothing.
    C_FileSource(const std::string& path, int encoding);
    // Reads on from an already opened file (the configuration file after its options header).
    C_FileSource(std::unique_ptr<TranslatedInputFile> file, int encoding);
    ~C_FileSource() override;

    std::string nextArgument(bool substitute) override;

private:
    bool nextLine(bool substitute);

    std::unique_ptr<TranslatedInputFile> file_;
    int encoding_;
    std::string line_;       // the current line, rewritten
    std::size_t position_ = 0;
};
