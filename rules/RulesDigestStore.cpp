// Digest files in the temporary directory.
#include "RulesDigestStore.h"

#include "PrivateFile.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <cstdio>

namespace {

struct StoreState {
    std::string directory;
    bool loading = true;
    std::string stamp;
    // Buffers for what is read where a file cannot be mapped, kept for the next (a string would
    // clear what it grows by first): per kind the digest that load() took last, whose group table
    // is used until the kind's next load, and one for groups.
    struct Buffer {
        std::unique_ptr<char[]> bytes;
        std::size_t capacity = 0;
    };
    Buffer digests[2];
    Buffer groups;
    // Per kind: the digest file that load() took last, kept open for its groups, and where they
    // start in it.
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

char* bufferOf(StoreState::Buffer& buffer, std::size_t size)
{
    if (size > buffer.capacity) {
        buffer.capacity = std::max(size, 2 * buffer.capacity);
        buffer.bytes.reset(new char[buffer.capacity]);
    }
    return buffer.bytes.get();
}

// FNV-1a of a path: a name that differs between files; what the file holds is checked.
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
    return fileNamedAfter(path, kind == RulesKind::Message ? "zembrel-rules-m-" : "zembrel-rules-p-", ".digest");
}

std::string RulesDigestStore::fileNamedAfter(const std::string& text, const char* prefix, const char* suffix)
{
    std::string name = state().directory;
    if (!name.empty() && name.back() != '/' && name.back() != '\\')
        name += '/';
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(pathHash(text)));
    return name + prefix + hash + suffix;
}

bool RulesDigestStore::load(RulesKind kind, const std::string& path, RulesDigest& digest)
{
    StoreState& store = state();
    if (!loading())
        return false;
    platform::PrivateFileReader& file = store.files[slot(kind)];
    char header[kRulesDigestHeaderBytes];
    if (!file.open(fileFor(kind, path)) || !file.readAt(0, sizeof header, header))
        return false;
    const std::uint64_t size = rulesDigestBodySize(std::string_view(header, sizeof header));
    const std::size_t whole = kRulesDigestHeaderBytes + static_cast<std::size_t>(size);
    // In the file's mapping, or else read into the kind's buffer.
    const char* data = nullptr;
    if (size != 0 && size < (1ull << 31)) {
        data = file.view(0, whole);
        if (!data) {
            char* buffer = bufferOf(store.digests[slot(kind)], whole);
            data = file.readAt(0, whole, buffer) ? buffer : nullptr;
        }
    }
    if (!data || !decodeRulesDigest(std::string_view(data, whole), kind, path, stamp(), digest)) {
        file.close();
        return false;
    }
    store.codesStart[slot(kind)] = kRulesDigestHeaderBytes + size;
    return true;
}

bool RulesDigestStore::loadGroups(RulesKind kind, const std::vector<RulesDigestGroup>& groups,
                                  std::vector<std::string_view>& data)
{
    // Runs of groups with gaps below a page are read as one range: a system call costs more than
    // reading part of a page more, and each page more read into the buffer costs a page fault.
    constexpr std::uint64_t kGap = 4096;
    StoreState& store = state();
    data.clear();
    if (groups.empty())
        return true;
    // Where the digest is mapped, each group is taken where it lies.
    platform::PrivateFileReader& file = store.files[slot(kind)];
    const std::uint64_t codesStart = store.codesStart[slot(kind)];
    if (file.view(codesStart, 0)) {
        for (const RulesDigestGroup& group : groups) {
            const char* bytes = file.view(codesStart + group.offset, group.size);
            if (!bytes || rulesDigestChecksum(bytes, group.size) != group.checksum)
                return false;
            data.emplace_back(bytes, group.size);
        }
        return true;
    }
    std::uint64_t total = 0;
    for (const RulesDigestGroup& group : groups)
        total += group.size;
    // Each range is read to where its groups start in the buffer; a gap read with it is kept.
    // A range runs from its first group to the last one that follows its predecessor closely.
    const auto lastOfRange = [&groups](std::size_t first) {
        std::size_t last = first;
        while (last + 1 < groups.size() &&
               groups[last + 1].offset < groups[last].offset + groups[last].size + kGap &&
               groups[last + 1].offset >= groups[last].offset + groups[last].size)
            ++last;
        return last;
    };
    std::uint64_t span = 0;
    for (std::size_t first = 0; first < groups.size();) {
        const std::size_t last = lastOfRange(first);
        span += groups[last].offset + groups[last].size - groups[first].offset;
        first = last + 1;
    }
    if (span >= (1ull << 31) || total > span)
        return false;
    char* buffer = bufferOf(store.groups, static_cast<std::size_t>(span));
    std::size_t at = 0;
    for (std::size_t first = 0; first < groups.size();) {
        const std::size_t last = lastOfRange(first);
        const std::uint64_t start = groups[first].offset;
        const auto length = static_cast<std::size_t>(groups[last].offset + groups[last].size - start);
        if (!file.readAt(codesStart + start, length, buffer + at))
            return false;
        for (std::size_t i = first; i <= last; ++i) {
            const char* bytes = buffer + at + (groups[i].offset - start);
            if (rulesDigestChecksum(bytes, groups[i].size) != groups[i].checksum)
                return false;
            data.emplace_back(bytes, groups[i].size);
        }
        at += length;
        first = last + 1;
    }
    return true;
}

void RulesDigestStore::save(RulesKind kind, const std::string& path, const std::string& bytes,
                            const RulesDigest& digest, const std::string& groups)
{
    if (state().directory.empty())
        return;
    const std::string data = encodeRulesDigest(kind, path, bytes, digest, stamp(), groups);
    if (!data.empty())
        platform::replacePrivateFile(fileFor(kind, path), data);
}

void RulesDigestStore::stopLoading()
{
    state().loading = false;
}
