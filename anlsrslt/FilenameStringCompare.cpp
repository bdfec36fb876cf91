// Length-first, case-folding-where-the-platform-folds ordering of file-name strings.
#include "FilenameStringCompare.h"

#include "FileNameCase.h"

#include <cstring>

namespace {
unsigned char fold(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}
} // namespace

FilenameStringCompare::FilenameStringCompare() : foldCase_(platform::fileNamesFoldCase()) {}

bool FilenameStringCompare::operator()(const std::string& a, const std::string& b) const
{
    if (a.size() != b.size())
        return a.size() < b.size();
    if (!foldCase_) // byte order, as the loop below gives without folding
        return std::memcmp(a.data(), b.data(), a.size()) < 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (foldCase_) {
            x = fold(x);
            y = fold(y);
        }
        if (x != y)
            return x < y;
    }
    return false;
}
