// The order of the interned file-name store: shorter first, then bytes with letters folded.
#pragma once

#include <string>

// Orders two strings first by length and, at equal length, by their bytes. Letters are folded to
// lower case only where the platform's file names ignore case, so that on Windows two spellings
// that differ in case are one entry, while on POSIX a.c and A.c stay two files.
class FilenameStringCompare {
public:
    FilenameStringCompare(); // folds as the platform does
    explicit FilenameStringCompare(bool foldCase) : foldCase_(foldCase) {}

    bool operator()(const std::string& a, const std::string& b) const;
    bool foldsCase() const { return foldCase_; }

private:
    bool foldCase_;
};
