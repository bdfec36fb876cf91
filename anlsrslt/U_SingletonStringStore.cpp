// The process-wide interned file-name strings; set nodes never move, so pointers stay valid.
#include "U_SingletonStringStore.h"

#include "FilenameStringCompare.h"

#include <set>

const std::string* U_SingletonStringStore::intern(const std::string& text)
{
    // Never destroyed: file names may be used by objects that outlive static destruction.
    static auto* store = new std::set<std::string, FilenameStringCompare>();
    return &*store->insert(text).first;
}
