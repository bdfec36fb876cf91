// Registry string data: zero-terminated UTF-16LE bytes to and from UTF-8.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Every UTF-16LE unit of `bytes` from offset `start` as UTF-8, zero units included; an odd last
// byte is ignored and unpaired surrogates become U+FFFD.
std::string utf16leToUtf8(const std::string& bytes, std::size_t start = 0);

// The data of a string value as RegistryKey::enumValue hands them out, read up to the first zero
// unit, as UTF-8.
std::string registryStringToUtf8(const std::string& data);

// UTF-8 text as zero-terminated UTF-16LE bytes, the way the registry stores a string value;
// invalid sequences become U+FFFD.
std::string utf8ToUtf16leZ(const std::string& text);

} // namespace platform
