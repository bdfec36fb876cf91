// Indexing suppression records by message number and covered range, and testing diagnostics.
#include "M_SuppressionIndex.h"

#include "M_Diagnostic.h"
#include "M_QuietFiles.h"
#include "U_LocationData.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

// Message ranges up to this width are listed number by number; wider ones are tested one by one.
constexpr std::int64_t kListedWidth = 4096;

// Reads a decimal number from the start of the text as strtol does (leading white space and a
// sign allowed, stops at the first non-digit, 0 without digits), clamped to 32 bits.
std::int32_t readNumber(const std::string& text)
{
    // Nearly every text is a plain number of a few digits: read those directly.
    if (!text.empty() && text.size() <= 9) {
        std::int32_t plain = 0;
        std::size_t i = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            plain = plain * 10 + (text[i] - '0');
        if (i == text.size())
            return plain;
    }
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

} // namespace

bool M_CoveredRange::operator==(const M_CoveredRange& other) const
{
    return file == other.file && startLine == other.startLine && startColumn == other.startColumn &&
           endLine == other.endLine && endColumn == other.endColumn;
}

std::size_t M_SuppressionIndex::CoveredRangeHash::operator()(const M_CoveredRange& range) const
{
    std::uint64_t h = reinterpret_cast<std::uintptr_t>(range.file);
    for (const std::int32_t part : {range.startLine, range.startColumn, range.endLine, range.endColumn})
        h = (h ^ std::uint32_t(part)) * 0x9e3779b97f4a7c15ull;
    return static_cast<std::size_t>(h ^ (h >> 29));
}

std::int64_t M_CoveredRange::lastLine() const
{
    return startLine != endLine && endColumn == 0 ? std::int64_t(endLine) - 1 : endLine;
}

bool M_CoveredRange::covers(std::int32_t line, std::int32_t column, bool kind2) const
{
    const std::int64_t last = lastLine();
    const std::int32_t lastColumn = startLine != endLine && endColumn == 0 ? -1 : endColumn;
    if (line < startLine || line > last)
        return false;
    const bool covered = (line == startLine && column >= startColumn) || line != last ||
                         column <= lastColumn || lastColumn == -1;
    if (!covered)
        return false;
    return !kind2 || (line == startLine && column == startColumn);
}

bool readMessageRange(const std::pair<std::string, std::string>& texts, std::int32_t& first, std::int32_t& last)
{
    first = readNumber(texts.first);
    if (first == 0)
        return false;
    last = readNumber(texts.second);
    if (last == 0)
        last = first;
    return true;
}

M_SuppressionIndex::M_SuppressionIndex()
    : quiet_([](const U_LocationData& location) { return M_QuietFiles::instance().isQuiet(location); })
{
}

M_SuppressionIndex::M_SuppressionIndex(QuietTest quiet) : quiet_(std::move(quiet)) {}

void M_SuppressionIndex::addRecords(const std::vector<M_SuppressionRecordHandle>& records, bool alsoKind2)
{
    for (const auto& record : records)
        if (record)
            addRecord(record, alsoKind2);
}

void M_SuppressionIndex::addRecord(const M_SuppressionRecordHandle& handle, bool alsoKind2)
{
    const M_SuppressionRecord& record = *handle;
    KindTable* table = nullptr;
    if (record.kind() == 1)
        table = &kind1_;
    else if (record.kind() == 2 && alsoKind2)
        table = &kind2_;
    if (table == nullptr || !record.rangeStart())
        return;
    if (record.origin() && quiet_(*record.origin()))
        return;
    if (quiet_(*record.rangeStart()))
        return;

    // Each distinct range once (a record has one or a few).
    std::vector<std::pair<std::int32_t, std::int32_t>> ranges;
    ranges.reserve(record.messageRanges().size());
    for (const auto& texts : record.messageRanges()) {
        std::int32_t first = 0;
        std::int32_t last = 0;
        if (readMessageRange(texts, first, last))
            ranges.emplace_back(first, last);
    }
    if (ranges.size() > 1) {
        std::sort(ranges.begin(), ranges.end());
        ranges.erase(std::unique(ranges.begin(), ranges.end()), ranges.end());
    }

    const U_LocationData& start = *record.rangeStart();
    const U_LocationData& end = record.rangeEnd() ? *record.rangeEnd() : start;
    const M_CoveredRange range{start.file().fullNameKey(), start.line(), start.column(), end.line(), end.column()};
    const auto [tagged, isNew] = table->rangeTags.emplace(range, static_cast<std::int32_t>(table->tags.size()));
    const std::int32_t tag = tagged->second;
    if (isNew)
        table->tags.push_back(Tag{range, M_SuppressionRecordHandle()});
    table->tags[static_cast<std::size_t>(tag)].record = handle;

    const bool oneLine = range.startLine == range.lastLine();
    const auto addTag = [tag](std::vector<std::int32_t>& tags) {
        if (std::find(tags.begin(), tags.end(), tag) == tags.end())
            tags.push_back(tag);
    };
    for (const auto& [first, last] : ranges) {
        if (first > last)
            continue;
        if (static_cast<std::int64_t>(last) - first >= kListedWidth) {
            table->wide.push_back(WideRange{first, last, tag});
            continue;
        }
        for (std::int64_t number = first; number <= last; ++number) {
            const auto message = static_cast<std::int32_t>(number);
            auto& multiLine = table->byMessage[message]; // listed either way
            if (oneLine)
                addTag(table->byPosition[Position{message, range.startLine, range.file}]);
            else
                addTag(multiLine);
        }
    }
}

bool M_SuppressionIndex::tagCovers(const Tag& tag, const U_LocationData& location, bool kind2)
{
    return tag.range.file == location.file().fullNameKey() &&
           tag.range.covers(location.line(), location.column(), kind2);
}

template <class Found>
bool M_SuppressionIndex::coveredBy(const KindTable& table, std::int32_t message, const U_LocationData& location,
                                   bool kind2, Found&& found)
{
    const auto covers = [&](std::int32_t tag, const U_LocationData& at) {
        const Tag& covering = table.tags[static_cast<std::size_t>(tag)];
        if (!tagCovers(covering, at, kind2))
            return false;
        found(covering);
        return true;
    };
    const auto listed = table.byMessage.find(message);
    if (listed == table.byMessage.end() && table.wide.empty())
        return false; // no range names the number: the include chain need not be walked
    // Each include location is owned by the location that names it, so the raw pointers stay valid.
    for (const U_LocationData* current = &location; current; current = current->includingLocation()) {
        if (listed != table.byMessage.end()) {
            const auto onLine = table.byPosition.find(Position{message, current->line(), current->file().fullNameKey()});
            if (onLine != table.byPosition.end())
                for (const std::int32_t tag : onLine->second)
                    if (covers(tag, *current))
                        return true;
            for (const std::int32_t tag : listed->second)
                if (covers(tag, *current))
                    return true;
        }
        for (const WideRange& wide : table.wide)
            if (message >= wide.first && message <= wide.last && covers(wide.tag, *current))
                return true;
    }
    return false;
}

bool M_SuppressionIndex::isSuppressed(const M_Diagnostic& diagnostic) const
{
    return isSuppressed(diagnostic.messageNumber(), diagnostic.location(), diagnostic.fourthFlag());
}

bool M_SuppressionIndex::isSuppressed(std::int32_t messageNumber, const U_Location& location, bool fourthFlag) const
{
    if (fourthFlag || !location)
        return false;
    const auto any = [](const Tag&) {};
    return coveredBy(kind1_, messageNumber, *location, false, any) ||
           coveredBy(kind2_, messageNumber, *location, true, any);
}

const M_SuppressionRecord* M_SuppressionIndex::coveringRecord(const M_Diagnostic& diagnostic) const
{
    const U_Location& location = diagnostic.location();
    if (diagnostic.fourthFlag() || !location)
        return nullptr;
    const M_SuppressionRecord* record = nullptr;
    const auto keep = [&](const Tag& tag) { record = tag.record.get(); };
    if (!coveredBy(kind1_, diagnostic.messageNumber(), *location, false, keep))
        coveredBy(kind2_, diagnostic.messageNumber(), *location, true, keep);
    return record;
}
