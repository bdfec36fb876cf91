// A file name as the option framework keeps it: its canonical full path and the name as written.
#pragma once

#include <string>

struct QL_Filename {
    std::string fullPath; // absolute, long names, "/" separators
    std::string given;    // as the user wrote it, with "/" separators

    bool operator==(const QL_Filename& other) const
    {
        return fullPath == other.fullPath && given == other.given;
    }
};
