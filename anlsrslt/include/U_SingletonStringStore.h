// The process-wide store of interned file-name strings.
#pragma once

#include <string>

// Interning returns a pointer to the stored copy; strings equal under FilenameStringCompare share
// one entry and the spelling stored first is kept. Entries live until the process ends.
class U_SingletonStringStore {
public:
    static const std::string* intern(const std::string& text);
};
