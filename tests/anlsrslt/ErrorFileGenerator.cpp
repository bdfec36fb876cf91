// Random well-formed error-file content: every location property, parameter kind and record type.
#include "ErrorFileGenerator.h"

#include "ObjectDisplayName.h"
#include "R_BinaryWriter.h"
#include "R_ErrorFileEncoder.h"
#include "U_LocationData.h"
#include "U_MacroHistory.h"

#include <climits>
#include <cstdio>

namespace roundtrip {

std::int32_t Choices::word()
{
    switch (below(10)) {
    case 0:
        return static_cast<std::int32_t>(next());
    case 1: {
        static const std::int32_t extremes[] = {0, 1, -1, INT_MAX, INT_MIN, 0x7FFF, 0x10000};
        return extremes[below(sizeof extremes / sizeof extremes[0])];
    }
    case 2:
        return -static_cast<std::int32_t>(below(1000));
    default:
        return static_cast<std::int32_t>(below(5000));
    }
}

std::uint32_t SeededChoices::next()
{
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

std::uint32_t ByteChoices::next()
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | (pos_ < size_ ? data_[pos_++] : 0u);
    return value;
}

namespace {

// Texts: mostly readable, sometimes any bytes (NUL included), sometimes longer than 64 bytes.
std::string text(Choices& c, std::uint32_t maxLength)
{
    static const char readable[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_ ./\\:-\"{},;=";
    const std::uint32_t length = c.percent(3) ? 65 + c.below(200) : c.below(maxLength + 1);
    const bool anyBytes = c.percent(15);
    std::string out;
    out.reserve(length);
    for (std::uint32_t i = 0; i < length; ++i)
        out += anyBytes ? static_cast<char>(c.below(256)) : readable[c.below(sizeof readable - 1)];
    return out;
}

// Builds format-3 content. Every location, file name and macro name it makes is remembered, so
// that later ones can refer back to it: by id within a block, written in full again after a
// block record.
class Format3Generator {
public:
    explicit Format3Generator(Choices& c) : c_(c) {}

    Format3Content run()
    {
        static const std::int32_t ids[] = {0x8100, 0x8200, 0x9100, 0x9200, 0x9300};
        Format3Content content;
        content.formatId = ids[c_.below(5)];
        content.headerValue = c_.word();
        const std::uint32_t blocks = c_.below(5);
        for (std::uint32_t b = 0; b < blocks; ++b) {
            WrittenBlock block;
            block.blockRecord = b > 0 || c_.percent(85);
            if (block.blockRecord && c_.percent(15))
                block.skipped = text(c_, 12);
            // The writer's tables start empty in each block; what came before is written again.
            earlier_.insert(earlier_.end(), current_.begin(), current_.end());
            current_.clear();
            const std::uint32_t records = c_.below(12);
            for (std::uint32_t r = 0; r < records; ++r)
                block.records.push_back(record());
            content.blocks.push_back(std::move(block));
        }
        return content;
    }

private:
    WrittenRecord record()
    {
        WrittenRecord out;
        switch (c_.below(5)) {
        case 0:
        case 1:
            out.kind = WrittenRecord::Kind::diagnostic;
            out.diagnostic = diagnostic(0, true);
            break;
        case 2:
            out.kind = WrittenRecord::Kind::stampedDiagnostic;
            out.diagnostic = diagnostic(0, true);
            out.stamp = c_.word();
            break;
        default:
            out.kind = WrittenRecord::Kind::suppression;
            out.suppression = suppression();
            break;
        }
        return out;
    }

    // A top-level diagnostic carries hidden by pragma as the writer's argument; a nested one has it
    // clear, as the writer writes it.
    M_DiagnosticHandle diagnostic(int nesting, bool topLevel)
    {
        M_DiagnosticHandle d(new M_Diagnostic(c_.word(), location(budget())));
        d->setFlags(topLevel && c_.percent(30), c_.percent(30), false, c_.percent(30));
        const std::uint32_t parameters = c_.below(5);
        for (std::uint32_t i = 0; i < parameters; ++i) {
            switch (c_.below(3)) {
            case 0:
                d->addStringParameter(text(c_, 16));
                break;
            case 1: {
                std::vector<std::string> values(c_.below(5));
                for (std::string& value : values)
                    value = text(c_, 8);
                d->addListParameter(values);
                break;
            }
            default: {
                std::vector<M_DiagnosticHandle> messages(nesting < 3 ? c_.below(4) : 0);
                for (M_DiagnosticHandle& message : messages)
                    message = diagnostic(nesting + 1, false);
                d->addMessageListParameter(std::move(messages));
                break;
            }
            }
        }
        return d;
    }

    M_SuppressionRecordHandle suppression()
    {
        // Only the low 8 bits of the kind are written.
        const std::int32_t kind = c_.percent(80) ? static_cast<std::int32_t>(c_.below(256)) : c_.word();
        const U_Location origin = location(budget());
        const std::string description = text(c_, 12);
        M_MessageRanges ranges(c_.below(4));
        for (auto& range : ranges) {
            const bool numbers = c_.percent(70);
            range.first = numbers ? std::to_string(c_.word()) : text(c_, 6);
            range.second = numbers ? std::to_string(c_.word()) : text(c_, 6);
        }
        const U_Location start = location(budget());
        const U_Location end = c_.percent(50) ? location(budget()) : U_Location();
        return M_SuppressionRecordHandle(new M_SuppressionRecord(kind, origin, description, ranges, start, end));
    }

    // How deeply the properties of a new location may nest.
    int budget() { return static_cast<int>(c_.below(5)); }

    // A location from this block (a back reference), from an earlier block, or a new one.
    U_Location location(int budget)
    {
        if (!current_.empty() && c_.percent(30))
            return current_[c_.below(static_cast<std::uint32_t>(current_.size()))];
        if (!earlier_.empty() && c_.percent(10))
            return remember(earlier_[c_.below(static_cast<std::uint32_t>(earlier_.size()))]);
        if (budget > 0 && c_.percent(4))
            return chain(budget);
        return remember(newLocation(budget));
    }

    U_Location remember(const U_Location& location)
    {
        current_.push_back(location);
        return location;
    }

    // A chain of 2 to 12 new locations (include, instantiation or call), outermost last, so that the
    // writer hands out the ids of the whole chain before it stores any of them.
    U_Location chain(int budget)
    {
        const std::uint32_t length = 2 + c_.below(11);
        const std::uint32_t kind = c_.below(3);
        U_Location result = newLocation(0);
        for (std::uint32_t i = 1; i < length; ++i) {
            if (kind == 0) {
                result = U_LocationData::create(fileName(), c_.word(), c_.percent(50) ? 0 : c_.word(), result);
            } else if (kind == 1) {
                result = newLocation(budget - 1)->withInstantiatedFrom(
                    result, U_Handle<U_EntityDisplayName>(new ObjectDisplayName(text(c_, 10))));
            } else {
                U_Location caller = newLocation(0);
                result = caller->withCalledFrom(result);
            }
        }
        return remember(result);
    }

    U_Location newLocation(int budget)
    {
        const U_Filename file = fileName();
        const std::int32_t line = c_.word();
        const std::int32_t column = c_.word();
        const U_Location include = budget > 0 && c_.percent(25) ? location(budget - 1) : U_Location();
        U_Handle<U_MacroHistory> history;
        if (budget > 0 && c_.percent(15)) {
            std::vector<std::pair<U_Location, U_Identifier>> steps(1 + c_.below(c_.percent(10) ? 12 : 3));
            for (auto& step : steps)
                step = {location(budget - 1), macroName()};
            for (auto step = steps.rbegin(); step != steps.rend(); ++step)
                history = U_Handle<U_MacroHistory>(new U_MacroHistory(step->first, step->second, history));
        }
        U_Location result = U_LocationData::create(file, line, column, include, history);
        if (c_.percent(15))
            result = result->withPresumedPosition(fileName(), c_.word());
        if (budget > 0 && c_.percent(15))
            result = result->withInstantiatedFrom(location(budget - 1),
                                                  U_Handle<U_EntityDisplayName>(new ObjectDisplayName(text(c_, 10))));
        if (budget > 0 && c_.percent(15)) {
            const std::uint32_t calls = 1 + c_.below(3);
            for (std::uint32_t i = 0; i < calls; ++i)
                result = result->withCalledFrom(location(budget - 1));
        }
        return result;
    }

    U_Filename fileName()
    {
        if (!files_.empty() && c_.percent(60))
            return files_[c_.below(static_cast<std::uint32_t>(files_.size()))];
        // Names of their own: file names are interned process-wide and fold letter case on Windows,
        // so a generated /s/B.c would give the other tests' /s/b.c its spelling.
        const std::string name = "rt_" + text(c_, 10);
        const std::string canonical = c_.percent(80) ? "/roundtrip/" + name + ".c" : "rt_" + text(c_, 12);
        const std::string given = c_.percent(50) ? name + ".c" : (c_.percent(50) ? canonical : "rt_" + text(c_, 8));
        files_.emplace_back(canonical, given);
        return files_.back();
    }

    U_Identifier macroName()
    {
        if (!macros_.empty() && c_.percent(50))
            return macros_[c_.below(static_cast<std::uint32_t>(macros_.size()))];
        macros_.emplace_back(c_.percent(90) ? "M" + std::to_string(c_.below(1000)) : text(c_, 8));
        return macros_.back();
    }

    Choices& c_;
    std::vector<U_Location> current_;
    std::vector<U_Location> earlier_;
    std::vector<U_Filename> files_;
    std::vector<U_Identifier> macros_;
};

// A word of an errtool description that stands for exactly these bytes.
std::string quoted(const std::string& bytes)
{
    std::string out = "\"";
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && c != '"' && c != '\\') {
            out += c;
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", u);
            out += escape;
        }
    }
    return out + "\"";
}

// Format-2 strings may end in a NUL byte, which the reader drops.
std::string withoutTrailingNul(std::string text)
{
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::string format2Text(Choices& c)
{
    switch (c.below(4)) {
    case 0:
        return std::string();
    case 1:
        return text(c, 12) + std::string(1, '\0');
    default:
        return text(c, 12);
    }
}

} // namespace

Format3Content generateFormat3(Choices& choices)
{
    return Format3Generator(choices).run();
}

std::string encodeFormat3(const Format3Content& content)
{
    R_BinaryWriter out;
    out.word(content.formatId);
    out.word(content.headerValue);
    R_ErrorFileEncoder encoder(out);
    for (const WrittenBlock& block : content.blocks) {
        if (block.blockRecord && block.skipped.empty()) {
            encoder.blockRecord();
        } else if (block.blockRecord) {
            out.byte(1);
            out.string(block.skipped);
            encoder.resetTables();
        }
        for (const WrittenRecord& record : block.records) {
            switch (record.kind) {
            case WrittenRecord::Kind::diagnostic:
                encoder.diagnosticRecord(*record.diagnostic, record.diagnostic->hiddenByPragma());
                break;
            case WrittenRecord::Kind::stampedDiagnostic:
                encoder.stampedDiagnosticRecord(*record.diagnostic, record.diagnostic->hiddenByPragma(), record.stamp);
                break;
            case WrittenRecord::Kind::suppression:
                encoder.suppressionRecord(*record.suppression);
                break;
            }
        }
    }
    return out.bytes();
}

Format2Content generateFormat2(Choices& c, const std::string& sourceFileName)
{
    static const std::int32_t ids[] = {0x7700, 0x7800, 0x7900};
    Format2Content content;
    content.formatId = ids[c.below(3)];
    content.headerValue = c.word();
    std::string& d = content.description;
    char id[16];
    std::snprintf(id, sizeof id, "%x", static_cast<unsigned>(content.formatId));
    d += "format 2\nid " + std::string(id) + "\nheader " + std::to_string(content.headerValue) + "\n";

    const U_Filename primary = U_Filename::fromName(sourceFileName);
    U_Filename current = primary;
    const std::uint32_t records = c.below(16);
    for (std::uint32_t r = 0; r < records; ++r) {
        if (c.percent(20)) {
            // A file-name record; names stay relative or absolute without "." or ".." steps.
            const std::string name = (c.percent(50) ? "/roundtrip/" : "inc/") + std::to_string(c.below(100)) + ".h"
                + (c.percent(30) ? std::string(1, '\0') : std::string());
            d += "f2file " + quoted(name) + "\n";
            current = U_Filename::fromName(withoutTrailingNul(name));
            continue;
        }
        const std::int32_t type = static_cast<std::int32_t>(c.below(3)) == 0 ? 0 : (c.percent(50) ? 2 : 3);
        const std::int32_t line = c.word();
        const std::int32_t includingLine = c.percent(50) ? -1 : c.word();
        const std::int32_t column = c.word(); // stored 0-based
        const std::int32_t number = c.word();
        const std::int32_t flags = type == 0 ? 0 : c.word();
        const std::int32_t extra = type == 3 ? c.word() : 0;

        const auto readColumn = static_cast<std::int32_t>(static_cast<std::uint32_t>(column) + 1u);
        const U_Location where = includingLine == -1
            ? U_LocationData::create(current, line, readColumn)
            : U_LocationData::create(current, line, readColumn, U_LocationData::create(primary, includingLine, 0));
        M_DiagnosticHandle diagnostic(new M_Diagnostic(number, where));
        const bool pragma = (flags & 1) != 0;
        const bool user = (flags & 2) != 0;
        diagnostic->setFlags(pragma, user, pragma || user, type == 3 && (extra & 1) != 0);

        d += "f2diag " + std::to_string(type) + " " + std::to_string(line) + " " + std::to_string(includingLine) + " "
            + std::to_string(column) + " " + std::to_string(number);
        if (type != 0)
            d += " " + std::to_string(flags);
        if (type == 3) {
            d += " " + std::to_string(extra) + " 0";
            const std::uint32_t strings = c.below(4);
            for (std::uint32_t i = 0; i < strings; ++i) {
                const std::string value = format2Text(c);
                d += " " + quoted(value);
                diagnostic->addStringParameter(withoutTrailingNul(value));
            }
        } else {
            const std::string value = format2Text(c);
            d += " " + quoted(value);
            if (!withoutTrailingNul(value).empty())
                diagnostic->addStringParameter(withoutTrailingNul(value));
        }
        d += "\n";
        content.diagnostics.push_back(diagnostic);
    }
    return content;
}

} // namespace roundtrip
