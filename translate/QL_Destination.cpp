// The file character sink.
#include "QL_Destination.h"

FileDestination::~FileDestination()
{
    close();
}

bool FileDestination::open(const std::string& path)
{
    close();
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
}

void FileDestination::close()
{
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

void FileDestination::putWide(std::uint16_t unit)
{
    if (!file_)
        return;
    // Four bytes, little-endian, whatever the host's byte order.
    const unsigned char bytes[4] = {static_cast<unsigned char>(unit & 0xFF),
                                    static_cast<unsigned char>(unit >> 8), 0, 0};
    std::fwrite(bytes, 1, sizeof bytes, file_);
}

void FileDestination::putByte(int byte)
{
    if (file_)
        std::fputc(byte & 0xFF, file_);
}

void FileDestination::putText(const std::string& text)
{
    if (file_)
        std::fwrite(text.data(), 1, text.size(), file_);
}
