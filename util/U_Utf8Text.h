// Text from error files, source lines and rules files as UTF-8, whatever it was written in.
#pragma once

#include <string>
#include <string_view>

// The text as UTF-8: well-formed UTF-8 sequences stay as they are, and every other byte is taken as
// the Latin-1 character of the same value. JSON and HTML output must be UTF-8, and a Latin-1
// comment in a source line must not stop a report.
std::string utf8OrLatin1(std::string_view text);
