// What reading a private file does the same on every platform.
#include "PrivateFile.h"

#include <cstdint>

namespace platform {

const char* PrivateFileReader::view(std::uint64_t offset, std::size_t size)
{
    if (!isOpen() || offset > size_ || size > size_ - offset)
        return nullptr;
    if (!mapTried_) {
        mapTried_ = true;
        if (size_ > 0 && size_ <= SIZE_MAX)
            map_ = mapWhole(offset, size);
    }
    return map_ ? map_ + offset : nullptr;
}

} // namespace platform
