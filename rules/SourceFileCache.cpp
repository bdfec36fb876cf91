// A process-wide, size-bounded, least-recently-used cache of whole source files.
#include "SourceFileCache.h"

#include <cstdio>
#include <list>
#include <unordered_map>
#include <utility>

namespace {

struct Cache {
    using Entry = std::pair<std::string, std::shared_ptr<const std::string>>;
    std::list<Entry> order; // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> byPath;
    std::size_t bytes = 0;
};

Cache& cache()
{
    static Cache instance;
    return instance;
}

std::shared_ptr<const std::string> readWhole(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return nullptr;
    auto text = std::make_shared<std::string>();
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        text->append(chunk, got);
    std::fclose(file);
    return text;
}

} // namespace

std::shared_ptr<const std::string> SourceFileCache::load(const std::string& path)
{
    Cache& c = cache();
    const auto found = c.byPath.find(path);
    if (found != c.byPath.end()) {
        c.order.splice(c.order.begin(), c.order, found->second);
        return found->second->second;
    }
    std::shared_ptr<const std::string> text = readWhole(path);
    if (!text || text->size() > kMaxBytes / 4)
        return text; // a failed open is not remembered; a very large file is not kept
    c.order.emplace_front(path, text);
    c.byPath.emplace(path, c.order.begin());
    c.bytes += text->size();
    while (c.bytes > kMaxBytes) {
        const Cache::Entry& last = c.order.back();
        c.bytes -= last.second->size();
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
