// Registry string data: conversion between zero-terminated UTF-16LE bytes and UTF-8.
#include "RegistryText.h"

#include "Utf8Append.h"

#include <cstdint>

namespace platform {

std::string utf16leToUtf8(const std::string& bytes, std::size_t start)
{
    std::string out;
    std::size_t i = start;
    auto unit = [&](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at]))
               | (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8);
    };
    while (i + 1 < bytes.size()) {
        std::uint32_t cp = unit(i);
        i += 2;
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < bytes.size()) {
            const std::uint32_t low = unit(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            } else {
                cp = 0xFFFD;
            }
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        appendUtf8(out, cp);
    }
    return out;
}

std::string utf8ToUtf16leZ(const std::string& text)
{
    std::string out;
    auto put = [&out](std::uint32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>((u >> 8) & 0xFF);
    };
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        std::uint32_t cp = 0xFFFD;
        std::size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
        }
        if (len > 1) {
            if (i + len > text.size()) {
                len = 1;
            } else {
                cp = c & (0xFF >> (len + 1));
                for (std::size_t k = 1; k < len; ++k) {
                    const unsigned char cc = static_cast<unsigned char>(text[i + k]);
                    if ((cc & 0xC0) != 0x80) {
                        cp = 0xFFFD;
                        len = 1;
                        break;
                    }
                    cp = (cp << 6) | (cc & 0x3F);
                }
                if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
                    cp = 0xFFFD;
            }
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10));
            put(0xDC00 + (cp & 0x3FF));
        } else {
            put(cp);
        }
    }
    put(0);
    return out;
}

std::string registryStringToUtf8(const std::string& data)
{
    std::size_t end = 0;
    while (end + 1 < data.size() && (data[end] != '\0' || data[end + 1] != '\0'))
        end += 2;
    return utf16leToUtf8(data.substr(0, end));
}

} // namespace platform
