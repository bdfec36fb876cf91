// Tokenising a file of arguments.
#include "C_FileSource.h"

#include "C_LineReading.h"
#include "QL_Convert.h"
#include "QL_TranslatedInputFile.h"
#include "U_PathNames.h"

#include <cctype>

namespace {

bool isBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

} // namespace

C_FileSource::C_FileSource(const std::string& path, int encoding) : encoding_(encoding)
{
    if (path.empty() || !isRegularFile(path))
        return;
    file_ = std::make_unique<TranslatedInputFile>(encoding);
    if (!file_->open(path))
        file_.reset();
}

C_FileSource::C_FileSource(std::unique_ptr<TranslatedInputFile> file, int encoding)
    : file_(std::move(file)), encoding_(encoding)
{
    if (file_ && !file_->isOpen())
        file_.reset();
}

C_FileSource::~C_FileSource() = default;

bool C_FileSource::nextLine(bool substitute)
{
    if (!file_)
        return false;
    std::string raw;
    while (readJoinedLine(file_->handle(), raw)) {
        if (!raw.empty() && raw[0] == '*')
            continue;
        // Keep the newline: it separates the last token of the line from the next line's first.
        line_ = substitute ? rewriteLine(raw, true, false) + "\n" : raw;
        position_ = 0;
        return true;
    }
    file_.reset(); // closes the file, deleting a converted copy
    return false;
}

std::string C_FileSource::nextArgument(bool substitute)
{
    for (;;) {
        while (position_ < line_.size() && isBlank(line_[position_]))
            ++position_;
        if (position_ < line_.size())
            break;
        if (!nextLine(substitute))
            return {};
    }
    std::string token;
    while (position_ < line_.size() && !isBlank(line_[position_])) {
        const char c = line_[position_++];
        if (c != '"' && c != '\'') {
            token += c;
            continue;
        }
        // A quoted part runs to the matching quote or the end of the line; the quotes are dropped.
        while (position_ < line_.size() && line_[position_] != c && line_[position_] != '\n')
            token += line_[position_++];
        if (position_ < line_.size() && line_[position_] == c)
            ++position_;
    }
    return token.empty() ? token : toInternal(token, encoding_);
}
