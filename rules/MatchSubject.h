// A subject text prepared once for testing many patterns: its length and the set of bytes it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A source line is tested against every rule of its message number; the pre-checks of those rules
// (does the line hold a code unit that every match needs?) then cost one bit test each instead of
// a scan of the line. The subject ends at its first NUL byte, as for RulePattern::matches. The
// text is referred to, not copied: it must stay unchanged while the subject is in use.
class MatchSubject {
public:
    explicit MatchSubject(const std::string& text);

    const std::string& text() const { return text_; }
    // The length up to the first NUL byte.
    std::size_t length() const { return length_; }
    bool contains(unsigned char unit) const { return ((bits_[unit >> 6] >> (unit & 63)) & 1u) != 0; }

private:
    const std::string& text_;
    std::size_t length_ = 0;
    std::uint64_t bits_[4] = {};
};
