// A file name: its canonical full path and its spelling as given, both interned.
#pragma once

#include <string>

class U_Filename {
public:
    // The empty file name (both strings empty).
    U_Filename();
    U_Filename(const std::string& canonicalPath, const std::string& givenName);
    // The canonical full path is computed from the name by the path rules.
    static U_Filename fromName(const std::string& givenName);

    const std::string& fullName() const { return *full_; }
    const std::string& givenName() const { return *given_; }
    // The stored canonical path: two file names are the same file when these are equal.
    const std::string* fullNameKey() const { return full_; }
    const std::string* givenNameKey() const { return given_; }

    bool operator==(const U_Filename& other) const
    {
        return full_ == other.full_ && given_ == other.given_;
    }
    bool operator!=(const U_Filename& other) const { return !(*this == other); }

private:
    const std::string* full_;
    const std::string* given_;
};

