// Tag containers: ordered maps from a key to a small integer tag, and their named instances.
#pragma once

#include "QL_Filename.h"
#include "U_Location.h"
#include "U_LocationData.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>

// Equal keys share one tag; tags are handed out 0, 1, 2, ... in order of first insertion.
template <class Key, class Less = std::less<Key>>
class M_KeyTagCont {
public:
    virtual ~M_KeyTagCont() = default;

    // The key's tag, giving it the next one when it has none yet.
    std::int32_t tag(const Key& key)
    {
        const auto found = tags_.find(key);
        if (found != tags_.end())
            return found->second;
        const auto next = static_cast<std::int32_t>(tags_.size());
        tags_.emplace(key, next);
        return next;
    }
    // The key's tag, or -1 when it has none.
    std::int32_t find(const Key& key) const
    {
        const auto found = tags_.find(key);
        return found == tags_.end() ? -1 : found->second;
    }
    std::size_t size() const { return tags_.size(); }

private:
    std::map<Key, std::int32_t, Less> tags_;
};

// The location order: file, then line, then column.
struct M_IsLocationLess {
    bool operator()(const U_Location& a, const U_Location& b) const { return U_LocationData::compare(a, b) < 0; }
};

// Ranges of locations by start, then end.
struct M_IsLocationRangeLess {
    bool operator()(const std::pair<U_Location, U_Location>& a, const std::pair<U_Location, U_Location>& b) const
    {
        const int first = U_LocationData::compare(a.first, b.first);
        if (first != 0)
            return first < 0;
        return U_LocationData::compare(a.second, b.second) < 0;
    }
};

// File names by canonical path, then by the spelling as given.
struct M_IsFilenameLess {
    bool operator()(const QL_Filename& a, const QL_Filename& b) const
    {
        return a.fullPath != b.fullPath ? a.fullPath < b.fullPath : a.given < b.given;
    }
};

class M_MessageTagCont : public M_KeyTagCont<std::int32_t> {};
class M_LocationTagCont : public M_KeyTagCont<U_Location, M_IsLocationLess> {};
class M_LocationRangeTagCont : public M_KeyTagCont<std::pair<U_Location, U_Location>, M_IsLocationRangeLess> {};
class M_FilenameTagCont : public M_KeyTagCont<QL_Filename, M_IsFilenameLess> {};
