// The format ids of error files and the generation each one names.
#pragma once

#include <cstdint>

namespace M_ErrorFileFormat {

inline constexpr std::int32_t kCurrentId = 0x9300;

// 3 for 8100, 8200, 9100, 9200 and 9300 (hexadecimal), 2 for 7700, 7800 and 7900, 0 otherwise.
inline int formatOfId(std::int32_t id)
{
    switch (id) {
    case 0x8100:
    case 0x8200:
    case 0x9100:
    case 0x9200:
    case 0x9300:
        return 3;
    case 0x7700:
    case 0x7800:
    case 0x7900:
        return 2;
    default:
        return 0;
    }
}

} // namespace M_ErrorFileFormat
