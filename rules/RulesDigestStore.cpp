// Digest files in the temporary directory.
#include "RulesDigestStore.h"

#include "PrivateFile.h"

#include <cstdint>
#include <cstdio>

namespace {

struct StoreState {
    std::string directory;
    bool loading = true;
    std::string stamp;
    std::string scratch; // a digest file's bytes, kept for the next one
};

StoreState& state()
{
    static StoreState store;
    return store;
}

// FNV-1a of the path: a name that differs between rules files; what the file holds is checked.
std::uint64_t pathHash(const std::string& path)
{
    std::uint64_t h = 0xCBF29CE484222325ULL;
    for (const char c : path)
        h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    return h;
}

const std::string& stamp()
{
    StoreState& store = state();
    if (store.stamp.empty())
        store.stamp = rulesDigestStamp();
    return store.stamp;
}

} // namespace

void RulesDigestStore::setDirectory(const std::string& directory)
{
    state().directory = directory;
}

bool RulesDigestStore::active()
{
    return !state().directory.empty();
}

bool RulesDigestStore::loading()
{
    return active() && state().loading;
}

std::string RulesDigestStore::fileFor(RulesKind kind, const std::string& path)
{
    std::string name = state().directory;
    if (!name.empty() && name.back() != '/' && name.back() != '\\')
        name += '/';
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(pathHash(path)));
    return name + "zembrel-rules-" + (kind == RulesKind::Message ? "m-" : "p-") + hash + ".digest";
}

bool RulesDigestStore::load(RulesKind kind, const std::string& path, const std::string& bytes, RulesDigest& digest)
{
    StoreState& store = state();
    if (!loading())
        return false;
    if (!platform::readPrivateFile(fileFor(kind, path), store.scratch))
        return false;
    return decodeRulesDigest(store.scratch, kind, path, bytes, stamp(), digest);
}

void RulesDigestStore::save(RulesKind kind, const std::string& path, const std::string& bytes,
                            const RulesDigest& digest)
{
    if (state().directory.empty())
        return;
    const std::string data = encodeRulesDigest(kind, path, bytes, digest, stamp());
    if (!data.empty())
        platform::replacePrivateFile(fileFor(kind, path), data);
}

void RulesDigestStore::stopLoading()
{
    state().loading = false;
}
