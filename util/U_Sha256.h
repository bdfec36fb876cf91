// The SHA-256 digest of a text, as lower-case hexadecimal (the form sha256sum prints).
#pragma once

#include <string>
#include <string_view>

std::string sha256Hex(std::string_view bytes);
