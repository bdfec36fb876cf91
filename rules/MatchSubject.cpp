// One pass over a subject text: where it ends and which bytes it holds.
#include "MatchSubject.h"

MatchSubject::MatchSubject(const std::string& text) : text_(text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    for (; i < size && bytes[i] != 0; ++i)
        bits_[bytes[i] >> 6] |= std::uint64_t(1) << (bytes[i] & 63);
    length_ = i;
}
