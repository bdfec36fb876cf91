// Memos of questions that no rule matched, one file per error file.
#include "NoMatchMemo.h"

#include "RulesDigest.h"
#include "RulesDigestStore.h"
#include "RulesReadAhead.h"
#include "SourceFileCache.h"
#include "SourceLineCursor.h"

#include "M_ParamType.h"
#include "PrivateFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

// Raised whenever the questions or the file change their form.
const char kMemoHead[] = "zembrel no-match memo 1\n";
constexpr std::size_t kHashDigits = 16;
constexpr std::uint64_t kSeeds[2] = {0x6A09E667F3BCC908ULL, 0xBB67AE8584CAA73BULL};

void putNumber(char* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The kind, the number, the position and the text's size (4 bytes each, least significant first),
// then the text.
void addQuestion(std::string& out, char kind, std::int32_t number, std::int32_t position, const std::string& text)
{
    char head[13] = {kind};
    putNumber(head + 1, static_cast<std::uint32_t>(number));
    putNumber(head + 5, static_cast<std::uint32_t>(position));
    putNumber(head + 9, static_cast<std::uint32_t>(text.size()));
    out.append(head, sizeof head);
    out += text;
}

} // namespace

std::optional<NoMatchMemo> NoMatchMemo::ask(const RulesReadAhead& rules, const DiagnosticEntries& entries)
{
    NoMatchMemo memo;
    memo.ids_ = rules.contentIds();
    if (memo.ids_.empty())
        return std::nullopt;
    memo.asked_.reserve(entries.size());
    // Each entry's message question, then its parameters' questions. The lines are read as
    // matchMessageRules reads them: entries come by path, then line.
    const std::string* currentPath = nullptr;
    std::optional<SourceLineCursor> source;
    for (const DiagnosticEntry& entry : entries) {
        const std::size_t begin = memo.questions_.size();
        if (entry.line > 0 && rules.hasMessageRules(entry.messageNumber)) {
            if (currentPath == nullptr || (entry.path != currentPath && *entry.path != *currentPath)) {
                currentPath = entry.path;
                std::shared_ptr<const SourceText> text = SourceFileCache::load(*currentPath);
                if (!text)
                    return std::nullopt;
                source.emplace(std::move(text));
            }
            source->advanceTo(entry.line);
            addQuestion(memo.questions_, 'M', entry.messageNumber, 0, source->text());
        }
        if (rules.hasParameterRules(entry.messageNumber)) {
            const M_Diagnostic& diagnostic = *entry.diagnostic;
            for (std::size_t i = 0; i < diagnostic.parameterCount(); ++i)
                if (const std::string* value = diagnostic.parameter(i)->stringValue())
                    addQuestion(memo.questions_, 'P', entry.messageNumber, static_cast<std::int32_t>(i + 1), *value);
        }
        if (memo.questions_.size() > begin)
            memo.asked_.push_back(Asked{entry.diagnostic.get(), begin, memo.questions_.size()});
    }
    return memo;
}

std::string NoMatchMemo::key(const std::vector<const M_Diagnostic*>& leftOut) const
{
    std::string kept;
    if (!leftOut.empty()) {
        kept.reserve(questions_.size());
        for (const Asked& asked : asked_)
            if (!std::binary_search(leftOut.begin(), leftOut.end(), asked.diagnostic))
                kept.append(questions_, asked.begin, asked.end - asked.begin);
    }
    const std::string& questions = leftOut.empty() ? questions_ : kept;
    // Two independent 64-bit checksums: questions that differ share both by chance once in 2^128.
    char hash[2 * kHashDigits + 1];
    std::snprintf(hash, sizeof hash, "%016llx%016llx",
                  static_cast<unsigned long long>(rulesDigestChecksum(questions.data(), questions.size(), kSeeds[0])),
                  static_cast<unsigned long long>(rulesDigestChecksum(questions.data(), questions.size(), kSeeds[1])));
    return ids_ + hash;
}

bool NoMatchMemo::known(const std::string& errorFile) const
{
    const std::string asked = key({});
    const std::size_t size = encode(asked).size();
    std::string data(size + 1, '\0');
    platform::PrivateFileReader file;
    // The file holds the bytes of a memo and not one byte more.
    return file.open(fileFor(errorFile)) && !file.readAt(0, size + 1, data.data()) &&
           file.readAt(0, size, data.data()) && holds(std::string_view(data.data(), size), asked);
}

void NoMatchMemo::keep(const std::string& errorFile, std::vector<const M_Diagnostic*> matched) const
{
    std::sort(matched.begin(), matched.end());
    platform::replacePrivateFile(fileFor(errorFile), encode(key(matched)));
}

std::string NoMatchMemo::fileFor(const std::string& errorFile)
{
    return RulesDigestStore::fileNamedAfter(errorFile, "zembrel-nomatch-", ".memo");
}

std::string NoMatchMemo::encode(const std::string& key)
{
    return kMemoHead + rulesDigestStamp() + '\n' + key + '\n';
}

bool NoMatchMemo::holds(std::string_view data, const std::string& key)
{
    return !key.empty() && data == encode(key);
}
