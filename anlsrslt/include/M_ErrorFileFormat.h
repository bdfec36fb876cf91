// The format ids of error files and the generation each one names.
#pragma once

#include <cstdint>

namespace M_ErrorFileFormat {

inline constexpr std::int32_t kCurrentId = 0x9300;

// How deeply the reader follows nesting, and so how deeply the writer lets it go: reading, writing
// and destroying follow these chains by recursion, and a file beyond them would exhaust the stack.
// The depth of a location is its longest chain of include, instantiated-from and called-from
// locations and macro steps (each step counts one more), through back references too. Compilers
// stop at an include depth of about 200 and a template instantiation depth of about 1,000, so the
// locations of real code stay well below the bound; at the bound, reading takes about 0.5 MB of
// stack in a release build. Message lists nest a level or two in real files.
inline constexpr int kMaxLocationDepth = 2000;
inline constexpr int kMaxMessageListDepth = 100;

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
