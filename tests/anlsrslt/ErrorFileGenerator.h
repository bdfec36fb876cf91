// Random well-formed error-file content, for the round-trip tests and the reader's fuzz target.
#pragma once

#include "M_Diagnostic.h"
#include "M_SuppressionRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace roundtrip {

// Where the generator's choices come from.
class Choices {
public:
    virtual ~Choices() = default;
    virtual std::uint32_t next() = 0;

    // 0 to bound - 1; 0 when the bound is 0.
    std::uint32_t below(std::uint32_t bound) { return bound == 0 ? 0 : next() % bound; }
    bool percent(std::uint32_t chance) { return below(100) < chance; }
    // A word as files hold them: mostly small, sometimes negative, extreme or any value.
    std::int32_t word();
};

// A seeded sequence (splitmix64): one seed gives the same content on every platform and build.
class SeededChoices : public Choices {
public:
    explicit SeededChoices(std::uint64_t seed) : state_(seed) {}
    std::uint32_t next() override;

private:
    std::uint64_t state_;
};

// The bytes of a fuzzer's input, four at a time; zeros once they are used up, which ends every
// list the generator makes, so any input gives finite content.
class ByteChoices : public Choices {
public:
    ByteChoices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint32_t next() override;

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// One record as the writer is given it.
struct WrittenRecord {
    enum class Kind { diagnostic, stampedDiagnostic, suppression };
    Kind kind = Kind::diagnostic;
    M_DiagnosticHandle diagnostic; // its hidden-by-pragma flag is the writer's argument
    std::int32_t stamp = 0;
    M_SuppressionRecordHandle suppression;
};

struct WrittenBlock {
    bool blockRecord = true; // false only for records that come before the first block record
    std::string skipped;     // the body of the block record, which readers skip
    std::vector<WrittenRecord> records;
};

// A whole format-3 file: header and blocks. Locations, file names and macro names are shared
// within and across records and blocks, so the writer writes many of them by id.
struct Format3Content {
    std::int32_t formatId = 0x9300;
    std::int32_t headerValue = 0;
    std::vector<WrittenBlock> blocks;
};

Format3Content generateFormat3(Choices& choices);

// The file as the project's encoder writes it: header, then every block and record.
std::string encodeFormat3(const Format3Content& content);

// A format-2 file as an errtool description, and the diagnostics a reader must make of it when
// given the analysed source file's name.
struct Format2Content {
    std::string description;
    std::int32_t formatId = 0x7700;
    std::int32_t headerValue = 0;
    std::vector<M_DiagnosticHandle> diagnostics;
};

Format2Content generateFormat2(Choices& choices, const std::string& sourceFileName);

} // namespace roundtrip
