// A process-wide, size-bounded, least-recently-used cache of whole source files.
#include "SourceFileCache.h"

#include "U_FileBytes.h"

#include <list>
#include <unordered_map>
#include <utility>

namespace {

struct Cache {
    using Entry = std::pair<std::string, std::shared_ptr<const SourceText>>;
    std::list<Entry> order; // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> byPath;
    std::size_t bytes = 0;
};

Cache& cache()
{
    static Cache instance;
    return instance;
}

std::shared_ptr<const SourceText> readWhole(const std::string& path)
{
    std::string bytes;
    if (!readWholeFile(path, bytes))
        return nullptr;
    return std::make_shared<const SourceText>(std::move(bytes));
}

} // namespace

std::shared_ptr<const SourceText> SourceFileCache::load(const std::string& path)
{
    Cache& c = cache();
    const auto found = c.byPath.find(path);
    if (found != c.byPath.end()) {
        c.order.splice(c.order.begin(), c.order, found->second);
        return found->second->second;
    }
    std::shared_ptr<const SourceText> text = readWhole(path);
    if (!text || text->footprint() > kMaxBytes / 4)
        return text; // a failed open is not remembered; a very large file is not kept
    c.order.emplace_front(path, text);
    c.byPath.emplace(path, c.order.begin());
    c.bytes += text->footprint();
    while (c.bytes > kMaxBytes) {
        const Cache::Entry& last = c.order.back();
        c.bytes -= last.second->footprint();
        c.byPath.erase(last.first);
        c.order.pop_back();
    }
    return text;
}

void SourceFileCache::clear()
{
    Cache& c = cache();
    c.order.clear();
    c.byPath.clear();
    c.bytes = 0;
}
