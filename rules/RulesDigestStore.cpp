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
    std::string scratch; // a digest's bytes, kept for the next one
    // Per kind: the digest file that load() took last, kept open for its compiled patterns, and
    // where they start in it.
    platform::PrivateFileReader files[2];
    std::uint64_t codesStart[2] = {0, 0};
};

int slot(RulesKind kind)
{
    return kind == RulesKind::Message ? 0 : 1;
}

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
    platform::PrivateFileReader& file = store.files[slot(kind)];
    if (!file.open(fileFor(kind, path)) || !file.readAt(0, kRulesDigestHeaderBytes, store.scratch))
        return false;
    const std::uint64_t size = rulesDigestBodySize(store.scratch);
    if (size == 0 || size >= (1ull << 31) ||
        !file.readAt(0, kRulesDigestHeaderBytes + static_cast<std::size_t>(size), store.scratch) ||
        !decodeRulesDigest(store.scratch, kind, path, bytes, stamp(), digest)) {
        file.close();
        return false;
    }
    store.codesStart[slot(kind)] = kRulesDigestHeaderBytes + size;
    return true;
}

bool RulesDigestStore::loadGroup(RulesKind kind, const RulesDigestGroup& group, std::string& serialised)
{
    StoreState& store = state();
    return store.files[slot(kind)].readAt(store.codesStart[slot(kind)] + group.offset, group.size, serialised) &&
           rulesDigestChecksum(serialised.data(), serialised.size()) == group.checksum;
}

void RulesDigestStore::save(RulesKind kind, const std::string& path, const std::string& bytes,
                            const RulesDigest& digest, const std::string& codes)
{
    if (state().directory.empty())
        return;
    const std::string data = encodeRulesDigest(kind, path, bytes, digest, stamp(), codes);
    if (!data.empty())
        platform::replacePrivateFile(fileFor(kind, path), data);
}

void RulesDigestStore::stopLoading()
{
    state().loading = false;
}
