// Character sources: a text read up to its first zero byte, and a file read in text mode.
#include "QL_Source.h"

#include <cerrno>

StringSource::StringSource(const std::string& text) : text_(text) {}

void StringSource::close()
{
    text_.clear();
    position_ = 0;
}

int StringSource::get()
{
    if (position_ >= text_.size() || text_[position_] == '\0')
        return -1;
    return static_cast<unsigned char>(text_[position_++]);
}

void StringSource::unget(int)
{
    if (position_ > 0)
        --position_;
}

FileSource::~FileSource()
{
    close();
}

bool FileSource::open(const std::string& path)
{
    close();
    file_ = std::fopen(path.c_str(), "r");
    atEnd_ = file_ == nullptr;
    return file_ != nullptr;
}

void FileSource::close()
{
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
    atEnd_ = true;
}

int FileSource::get()
{
    if (!file_) {
        std::fprintf(stderr, "FileSource::Get called when pfile is null!\n");
        return -1;
    }
    if (atEnd_)
        return -1;
    const int c = std::fgetc(file_);
    if (c == EOF) {
        if (std::ferror(file_))
            std::fprintf(stderr, "FileSource::Get got error %d, char %c (%d).\n", errno, c, c);
        atEnd_ = true;
        return -1;
    }
    return c;
}

void FileSource::unget(int byte)
{
    if (file_ && byte >= 0)
        std::ungetc(byte, file_);
    atEnd_ = false;
}
