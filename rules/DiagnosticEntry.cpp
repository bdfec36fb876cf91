// Building and ordering the candidate entries of one error file.
#include "DiagnosticEntry.h"

#include "U_LocationData.h"

#include <algorithm>
#include <unordered_map>

namespace {

// The distinct paths of one error file's entries, numbered in the order of their texts, so that
// entries are sorted by two numbers instead of by comparing path texts.
class PathRanks {
public:
    // The number of a path, given in order of first appearance.
    std::uint32_t add(const std::string* path)
    {
        if (path == last_)
            return lastNumber_;
        std::uint32_t number;
        if (paths_.size() < kLinearLimit) {
            const auto found = std::find(paths_.begin(), paths_.end(), path);
            number = static_cast<std::uint32_t>(found - paths_.begin());
            if (found == paths_.end())
                addNew(path);
        } else {
            const auto inserted = numbers_.emplace(path, static_cast<std::uint32_t>(paths_.size()));
            number = inserted.first->second;
            if (inserted.second)
                addNew(path);
        }
        last_ = path;
        lastNumber_ = number;
        return number;
    }

    // The rank of every number: equal texts share one, and ranks follow the byte order of texts.
    std::vector<std::uint32_t> ranks() const
    {
        std::vector<std::uint32_t> order(paths_.size());
        for (std::uint32_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return *paths_[a] < *paths_[b]; });
        std::vector<std::uint32_t> rank(paths_.size());
        std::uint32_t current = 0;
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (i > 0 && *paths_[order[i]] != *paths_[order[i - 1]])
                ++current;
            rank[order[i]] = current;
        }
        return rank;
    }

private:
    static constexpr std::size_t kLinearLimit = 8;

    void addNew(const std::string* path)
    {
        paths_.push_back(path);
        if (paths_.size() == kLinearLimit)
            for (std::uint32_t i = 0; i < paths_.size(); ++i)
                numbers_.emplace(paths_[i], i);
    }

    std::vector<const std::string*> paths_;
    std::unordered_map<const std::string*, std::uint32_t> numbers_;
    const std::string* last_ = nullptr;
    std::uint32_t lastNumber_ = 0;
};

// The rank in the high half and the line (offset so that negative lines order first) in the low
// half: one comparison orders by path, then line. The entry's position keeps equal ones in order.
struct SortKey {
    std::uint64_t rankAndLine;
    std::uint32_t index;

    SortKey(std::uint32_t rank, std::int32_t line, std::uint32_t position)
        : rankAndLine((std::uint64_t(rank) << 32) | (static_cast<std::uint32_t>(line) ^ 0x80000000u)), index(position)
    {
    }

    bool operator<(const SortKey& other) const
    {
        return rankAndLine != other.rankAndLine ? rankAndLine < other.rankAndLine : index < other.index;
    }
};

} // namespace

DiagnosticEntries buildEntries(const std::vector<M_DiagnosticHandle>& candidates)
{
    DiagnosticEntries unordered;
    unordered.reserve(candidates.size());
    PathRanks paths;
    std::vector<std::uint32_t> pathNumbers;
    pathNumbers.reserve(candidates.size());
    for (const auto& candidate : candidates) {
        if (!candidate || !candidate->location())
            continue;
        const U_LocationData& location = *candidate->location();
        const std::string* path = location.file().fullNameKey();
        pathNumbers.push_back(paths.add(path));
        unordered.push_back(DiagnosticEntry{path, location.line(), candidate->messageNumber(), candidate});
    }

    const std::vector<std::uint32_t> rank = paths.ranks();
    std::vector<SortKey> keys;
    keys.reserve(unordered.size());
    for (std::uint32_t i = 0; i < unordered.size(); ++i)
        keys.emplace_back(rank[pathNumbers[i]], unordered[i].line, i);
    if (!std::is_sorted(keys.begin(), keys.end()))
        std::sort(keys.begin(), keys.end());

    DiagnosticEntries entries;
    entries.reserve(unordered.size());
    for (const SortKey& key : keys)
        entries.push_back(std::move(unordered[key.index]));
    return entries;
}
