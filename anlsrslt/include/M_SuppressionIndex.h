// The index of an error file's suppression records: answers whether a diagnostic is already hidden.
#pragma once

#include "M_SuppressionRecord.h"
#include "U_Location.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class M_Diagnostic;
class U_LocationData;

// The positions a suppression record covers: its range start up to its range end (or the start
// again when it has none), in the start's file.
struct M_CoveredRange {
    const std::string* file = nullptr; // the interned canonical path
    std::int32_t startLine = 0;
    std::int32_t startColumn = 0;
    std::int32_t endLine = 0;
    std::int32_t endColumn = 0;

    bool operator==(const M_CoveredRange& other) const;

    // The last line covered: a range ending at column 0 of a later line ends with the line before.
    std::int64_t lastLine() const;

    // Whether the range covers the position of its file. A range ending at column 0 of a later
    // line ends with the line before it. A kind-2 range covers only its start position.
    bool covers(std::int32_t line, std::int32_t column, bool kind2) const;
};

// A message range of a record as decimal texts: a first number of 0 drops the range, a last
// number of 0 stands for the first. False when the range is dropped.
bool readMessageRange(const std::pair<std::string, std::string>& texts, std::int32_t& first, std::int32_t& last);

class M_SuppressionIndex {
public:
    using QuietTest = std::function<bool(const U_LocationData&)>;

    // The quiet test defaults to the current command line's quiet files.
    M_SuppressionIndex();
    explicit M_SuppressionIndex(QuietTest quiet);

    // Indexes every record of kind 1 (and of kind 2 when alsoKind2), unless its origin location or
    // its range start lies in a quiet file.
    void addRecords(const std::vector<M_SuppressionRecordHandle>& records, bool alsoKind2);
    void addRecord(const M_SuppressionRecordHandle& record, bool alsoKind2);

    // False when the diagnostic's fourth flag is set; otherwise true when a kind-1 or kind-2
    // range of its message number covers its location or a location in its include chain.
    bool isSuppressed(const M_Diagnostic& diagnostic) const;
    // The same for a diagnostic given by its number, location and fourth flag.
    bool isSuppressed(std::int32_t messageNumber, const U_Location& location, bool fourthFlag) const;
    // The record whose range covers the diagnostic (the first found, kind 1 before kind 2), or null
    // exactly when isSuppressed answers false.
    const M_SuppressionRecord* coveringRecord(const M_Diagnostic& diagnostic) const;

private:
    struct Tag {
        M_CoveredRange range;
        M_SuppressionRecordHandle record;
    };
    // Ranges of messages too wide to list number by number.
    struct WideRange {
        std::int32_t first;
        std::int32_t last;
        std::int32_t tag;
    };
    // A message number at one line of one file.
    struct Position {
        std::int32_t message;
        std::int32_t line;
        const std::string* file;
        bool operator==(const Position& other) const
        {
            return message == other.message && line == other.line && file == other.file;
        }
    };
    struct PositionHash {
        std::size_t operator()(const Position& position) const
        {
            const std::uint64_t numbers = (std::uint64_t(std::uint32_t(position.message)) << 32) |
                                          std::uint32_t(position.line);
            return std::hash<std::uint64_t>()(numbers * 0x9e3779b97f4a7c15ull) ^
                   std::hash<const std::string*>()(position.file);
        }
    };
    struct CoveredRangeHash {
        std::size_t operator()(const M_CoveredRange& range) const;
    };
    struct KindTable {
        // Equal ranges share one tag, handed out in order of first insertion.
        std::unordered_map<M_CoveredRange, std::int32_t, CoveredRangeHash> rangeTags;
        std::vector<Tag> tags;
        // Every listed message number, with the ranges of more than one line that name it.
        std::unordered_map<std::int32_t, std::vector<std::int32_t>> byMessage;
        // The ranges within one line (those the tool itself records) by number, line and file, so
        // that a diagnostic meets only the ranges on its own line.
        std::unordered_map<Position, std::vector<std::int32_t>, PositionHash> byPosition;
        std::vector<WideRange> wide;
    };

    // Whether a range covers the location or one in its include chain; found(tag) is called with
    // the first that does.
    template <class Found>
    static bool coveredBy(const KindTable& table, std::int32_t message, const U_LocationData& location, bool kind2,
                          Found&& found);
    static bool tagCovers(const Tag& tag, const U_LocationData& location, bool kind2);

    QuietTest quiet_;
    KindTable kind1_;
    KindTable kind2_;
};
