// Reads a whole error file of format 3 or format 2 into diagnostics and suppression records.
#include "M_InputBonnie.h"

#include "M_ErrorFileException.h"
#include "M_ErrorFileFormat.h"
#include "M_Messages.h"
#include "ObjectDisplayName.h"
#include "R_BinaryException.h"
#include "U_FileBytes.h"
#include "U_LocationData.h"
#include "U_MacroHistory.h"
#include "U_PathNames.h"
#include "U_StandardStreams.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <ostream>

namespace {

// The smallest encodings, used to refuse counts that cannot fit in the bytes left.
constexpr std::size_t kMinStringSize = 4;
constexpr std::size_t kMinDiagnosticBodySize = 20;     // location id and four words
constexpr std::size_t kMinFullLocationSize = 17;       // id, file id, line, column, flags
constexpr std::size_t kMinRangeSize = 2 * kMinStringSize;

std::string hex(std::int32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", static_cast<unsigned>(value));
    return buffer;
}

// Reads the file whole; false when it cannot be opened or read.
bool loadFile(const std::string& path, std::string& bytes)
{
    bool readFailed = false;
    return readWholeFile(path, bytes, &readFailed) && !readFailed;
}

} // namespace

// The parse of one file: a cursor over its bytes and the three id tables of the current block.
class M_InputBonnie::Parser {
public:
    Parser(M_InputBonnie& reader, const std::string& bytes, const std::string& sourceFileName,
           M_ReadingInterest* interest)
        : reader_(reader), bytes_(bytes), sourceFileName_(sourceFileName), interest_(interest)
    {
    }

    // Where the record read last (or being read) starts; 0 for the header.
    std::size_t recordStart() const { return recordStart_; }

    void run()
    {
        std::int32_t id;
        if (remaining() < 4)
            return; // the failed read of the id leaves the input at its end: no records
        id = word();
        reader_.formatId_ = id;
        const int format = M_ErrorFileFormat::formatOfId(id);
        if (format == 0) {
            standardError() << M_Messages::kUnknownFormatLine << hex(id) << std::endl;
            throw M_BadErrorFileVersion(id);
        }
        reader_.headerValue_ = word();
        reader_.format_ = format;
        if (format == 2) {
            reader_.primaryFile_ = U_Filename::fromName(sourceFileName_);
            reader_.currentFile_ = reader_.primaryFile_;
        }
        try {
            while (!atEnd()) {
                recordStart_ = pos_;
                if (format == 3)
                    format3Record();
                else
                    format2Record();
            }
        } catch (const R_ReadingException& e) {
            standardError() << M_Messages::kCaughtReadingLine << std::endl
                      << M_Messages::kReasonLine << e.what() << std::endl;
            throw;
        }
    }

private:
    struct Slot {
        U_Location location;
        int depth = 0;
    };

    // ---- primitives -------------------------------------------------------------------------
    std::size_t remaining() const { return bytes_.size() - pos_; }
    bool atEnd() const { return pos_ >= bytes_.size(); }

    const unsigned char* take(std::size_t size)
    {
        if (size > remaining()) {
            pos_ = bytes_.size();
            throw R_ReadingReadException(0);
        }
        const auto* data = reinterpret_cast<const unsigned char*>(bytes_.data() + pos_);
        pos_ += size;
        return data;
    }

    std::uint8_t byte() { return *take(1); }

    std::int32_t word()
    {
        const unsigned char* b = take(4);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8)
                                         | (static_cast<std::uint32_t>(b[2]) << 16)
                                         | (static_cast<std::uint32_t>(b[3]) << 24));
    }

    // A count that is negative, or larger than the bytes left could hold, is a truncated file.
    std::size_t count(std::size_t minElementSize)
    {
        const std::int32_t n = word();
        if (n < 0 || static_cast<std::size_t>(n) > remaining() / minElementSize)
            throw R_ReadingReadException(0);
        return static_cast<std::size_t>(n);
    }

    std::string string()
    {
        const std::size_t n = count(1);
        return std::string(reinterpret_cast<const char*>(take(n)), n);
    }

    void skipString() { take(count(1)); }

    // Format-2 strings may end in a NUL byte.
    std::string string2()
    {
        std::string text = string();
        if (!text.empty() && text.back() == '\0')
            text.pop_back();
        return text;
    }

    // ---- id tables ----------------------------------------------------------------------------
    void newBlock()
    {
        identifiers_.clear();
        files_.clear();
        locations_.clear();
        reader_.blockStarts_.push_back({reader_.diagnostics_.size(), reader_.suppressions_.size()});
    }

    U_Filename fileName()
    {
        const std::int32_t id = word();
        if (id < 0)
            throw R_ReadingReadException(0);
        if (static_cast<std::size_t>(id) < files_.size())
            return files_[static_cast<std::size_t>(id)];
        std::string canonical = string();
        std::string given = string();
        files_.emplace_back(canonical, given);
        return files_.back();
    }

    U_Identifier identifier()
    {
        const std::int32_t id = word();
        if (id < 0)
            throw R_ReadingReadException(0);
        if (static_cast<std::size_t>(id) < identifiers_.size())
            return identifiers_[static_cast<std::size_t>(id)];
        identifiers_.emplace_back(string());
        return identifiers_.back();
    }

    // A location nested in another one (or in a record); bounds the recursion.
    U_Location nestedLocation(int& depth)
    {
        if (locationRecursion_ >= kMaxLocationDepth)
            throw R_ReadingNestingException(kMaxLocationDepth);
        ++locationRecursion_;
        U_Location result = location(depth);
        --locationRecursion_;
        return result;
    }

    // Depth counts the longest chain of location data (and macro steps) below this one, so that
    // back references cannot build chains deeper than the limit either.
    U_Location location(int& depth)
    {
        const std::int32_t id = word();
        if (id < 0)
            throw R_ReadingReadException(0);
        const auto slot = static_cast<std::size_t>(id);
        if (slot < locations_.size()) {
            const Slot& known = locations_[slot];
            // An empty slot is never referred to by a producer that numbers as it writes.
            if (!known.location)
                throw R_ReadingReadException(0);
            depth = known.depth;
            return known.location;
        }
        // A producer numbers a location when it starts writing it, so the next new id counts the
        // locations stored and those still being read (the outer ones of a chain take their ids
        // first and are stored last). Ids beyond that leave empty slots; refused when the bytes
        // left could not hold a location for each of them, so a crafted id allocates no more.
        if (slot - locations_.size() > unstoredLocations_ + remaining() / kMinFullLocationSize)
            throw R_ReadingReadException(0);
        ++unstoredLocations_;

        const U_Filename file = fileName();
        const std::int32_t line = word();
        const std::int32_t column = word();
        const std::uint8_t flags = byte();
        depth = 1;
        int inner = 0;

        U_Location includeLocation;
        if (flags & 1) {
            includeLocation = nestedLocation(inner);
            depth = std::max(depth, inner + 1);
        }
        U_Handle<U_MacroHistory> history;
        if (flags & 4) {
            std::vector<std::pair<U_Location, U_Identifier>> steps;
            std::uint8_t more;
            do {
                U_Location stepLocation = nestedLocation(inner);
                steps.emplace_back(stepLocation, identifier());
                depth = std::max(depth, inner + 1 + static_cast<int>(steps.size()));
                if (depth > kMaxLocationDepth)
                    throw R_ReadingNestingException(kMaxLocationDepth);
                more = byte();
            } while (more != 0);
            for (auto step = steps.rbegin(); step != steps.rend(); ++step)
                history = U_Handle<U_MacroHistory>(new U_MacroHistory(step->first, step->second, history));
        }
        U_Location result = U_LocationData::create(file, line, column, includeLocation, history);
        if (flags & 8) {
            const U_Filename presumedFile = fileName();
            const std::int32_t presumedLine = word();
            result = result->withPresumedPosition(presumedFile, presumedLine);
        }
        if (flags & 2) {
            const U_Location from = nestedLocation(inner);
            depth = std::max(depth, inner + 1);
            const U_Handle<U_EntityDisplayName> name(new ObjectDisplayName(string()));
            result = result->withInstantiatedFrom(from, name);
        }
        if (flags & 16) {
            const U_Location from = nestedLocation(inner);
            depth = std::max(depth, inner + 1);
            result = result->withCalledFrom(from);
        }
        if (depth > kMaxLocationDepth)
            throw R_ReadingNestingException(kMaxLocationDepth);
        --unstoredLocations_;
        // Producers number locations as they write them, so a new one is nearly always the next.
        if (slot == locations_.size()) {
            locations_.push_back(Slot{result, depth});
            return result;
        }
        if (slot > locations_.size())
            locations_.resize(slot + 1);
        locations_[slot] = Slot{result, depth};
        return result;
    }

    // ---- format 3 -----------------------------------------------------------------------------
    void format3Record()
    {
        switch (byte()) {
        case 1: {
            const std::size_t skipped = count(1);
            take(skipped);
            newBlock();
            break;
        }
        case 2:
            topLevelDiagnostic();
            break;
        case 8:
            topLevelDiagnostic();
            word(); // the stamp
            break;
        case 4:
            reader_.suppressions_.push_back(suppressionBody());
            break;
        default:
            throw M_BadInfoTypeException();
        }
    }

    // How much of a diagnostic is built.
    enum class Detail { everything, withoutParameters, nothing };

    void topLevelDiagnostic()
    {
        M_DiagnosticHandle diagnostic = diagnosticBody(Detail::everything, interest_ != nullptr);
        if (diagnostic)
            reader_.diagnostics_.push_back(std::move(diagnostic));
    }

    // Reads a diagnostic; builds as much of it as the detail says, or, for a top-level one read
    // with an interest, as the interest says. Null when nothing was built.
    M_DiagnosticHandle diagnosticBody(Detail detail = Detail::everything, bool askInterest = false)
    {
        int depth = 0;
        const U_Location where = nestedLocation(depth);
        const std::int32_t number = word();
        const std::int32_t flags = word();
        const std::int32_t fourth = word();
        if (askInterest) {
            detail = !interest_->wantsDiagnostic(number) ? Detail::nothing
                : interest_->wantsParameters(number)     ? Detail::everything
                                                         : Detail::withoutParameters;
        }
        const std::size_t parameters = count(1);
        if (detail == Detail::nothing) {
            for (std::size_t i = 0; i < parameters; ++i)
                skipParameter();
            if (askInterest)
                interest_->passedOver(number, where, fourth != 0);
            return nullptr;
        }
        M_DiagnosticHandle diagnostic(new M_Diagnostic(number, where));
        diagnostic->setFlags((flags & 1) != 0, (flags & 2) != 0, false, fourth != 0);
        if (detail == Detail::withoutParameters) {
            for (std::size_t i = 0; i < parameters; ++i)
                skipParameter();
            return diagnostic;
        }
        // Capped, so that a crafted count cannot make the reservation outgrow the file.
        diagnostic->reserveParameters(std::min<std::size_t>(parameters, 16));
        for (std::size_t i = 0; i < parameters; ++i)
            parameter(*diagnostic);
        return diagnostic;
    }

    // The entry count of a message-list parameter, one level deeper; the depth is bounded.
    std::size_t beginMessageList()
    {
        const std::size_t n = count(kMinDiagnosticBodySize);
        if (messageListDepth_ >= kMaxMessageListDepth)
            throw R_ReadingNestingException(kMaxMessageListDepth);
        ++messageListDepth_;
        return n;
    }
    void endMessageList() { --messageListDepth_; }

    // The same reading and checks as parameter(), building nothing.
    void skipParameter()
    {
        switch (byte()) {
        case 1:
            skipString();
            break;
        case 2: {
            const std::size_t n = count(kMinStringSize);
            for (std::size_t i = 0; i < n; ++i)
                skipString();
            break;
        }
        case 4: {
            const std::size_t n = beginMessageList();
            for (std::size_t i = 0; i < n; ++i)
                diagnosticBody(Detail::nothing);
            endMessageList();
            break;
        }
        default:
            break;
        }
    }

    void parameter(M_Diagnostic& diagnostic)
    {
        switch (byte()) {
        case 1:
            diagnostic.addStringParameter(string());
            break;
        case 2: {
            const std::size_t n = count(kMinStringSize);
            std::vector<std::string> values;
            values.reserve(n);
            for (std::size_t i = 0; i < n; ++i)
                values.push_back(string());
            diagnostic.addListParameter(values);
            break;
        }
        case 4: {
            const std::size_t n = beginMessageList();
            std::vector<M_DiagnosticHandle> messages;
            messages.reserve(n);
            for (std::size_t i = 0; i < n; ++i)
                messages.push_back(diagnosticBody());
            endMessageList();
            diagnostic.addMessageListParameter(std::move(messages));
            break;
        }
        default:
            break; // no payload, no parameter
        }
    }

    M_SuppressionRecordHandle suppressionBody()
    {
        int depth = 0;
        const std::int32_t kind = byte();
        const U_Location origin = nestedLocation(depth);
        std::string text = string();
        const std::size_t n = count(kMinRangeSize);
        M_MessageRanges ranges;
        ranges.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            std::string first = string();
            ranges.emplace_back(std::move(first), string());
        }
        byte(); // written as 4
        const U_Location start = nestedLocation(depth);
        U_Location end;
        if (byte() != 0)
            end = nestedLocation(depth);
        return M_SuppressionRecordHandle(
            new M_SuppressionRecord(kind, origin, std::move(text), std::move(ranges), start, end));
    }

    // ---- format 2 -----------------------------------------------------------------------------
    // A file-name record only changes the current file; reading goes straight on to the next one.
    void format2Record()
    {
        for (;;) {
            const std::int32_t type = word();
            if (type == 1) {
                reader_.currentFile_ = U_Filename::fromName(string2());
                if (atEnd())
                    return; // a file-name record may end the file
                continue;
            }
            if (type < 0 || type > 3)
                throw M_BadInfoTypeException();
            const std::int32_t line = word();
            const std::int32_t includingLine = word();
            // Columns are stored 0-based.
            const auto column = static_cast<std::int32_t>(static_cast<std::uint32_t>(word()) + 1u);
            const std::int32_t number = word();
            const std::int32_t flags = type == 0 ? 0 : word();
            const U_Location where = includingLine == -1
                ? U_LocationData::create(reader_.currentFile_, line, column)
                : U_LocationData::create(reader_.currentFile_, line, column,
                                         U_LocationData::create(reader_.primaryFile_, includingLine, 0));
            M_DiagnosticHandle diagnostic(new M_Diagnostic(number, where));
            const bool pragma = (flags & 1) != 0;
            const bool user = (flags & 2) != 0;
            if (type == 3) {
                const std::int32_t extra = word();
                const std::size_t n = count(kMinStringSize);
                for (std::size_t i = 0; i < n; ++i)
                    diagnostic->addStringParameter(string2());
                if (word() != 0)
                    throw M_HasListParameterException();
                diagnostic->setFlags(pragma, user, pragma || user, (extra & 1) != 0);
            } else {
                const std::string text = string2();
                if (!text.empty())
                    diagnostic->addStringParameter(text);
                diagnostic->setFlags(pragma, user, pragma || user, false);
            }
            reader_.diagnostics_.push_back(diagnostic);
            return;
        }
    }

    M_InputBonnie& reader_;
    const std::string& bytes_;
    const std::string& sourceFileName_;
    M_ReadingInterest* interest_;
    std::size_t pos_ = 0;
    std::size_t recordStart_ = 0;
    std::vector<U_Identifier> identifiers_;
    std::vector<U_Filename> files_;
    std::vector<Slot> locations_;
    std::size_t unstoredLocations_ = 0; // new locations whose id was read, not yet stored
    int locationRecursion_ = 0;
    int messageListDepth_ = 0;
};

M_InputBonnie::~M_InputBonnie() = default;

U_Handle<M_InputBonnie> M_InputBonnie::readBytes(const std::string& bytes, const std::string& sourceFileName,
                                                 M_ReadingInterest* interest, M_ReadFailure* failure)
{
    std::size_t recordStart = 0;
    try {
        U_Handle<M_InputBonnie> reader(new M_InputBonnie());
        Parser parser(*reader, bytes, sourceFileName, interest);
        try {
            parser.run();
        } catch (...) {
            recordStart = parser.recordStart();
            throw;
        }
        return reader;
    } catch (const M_BadErrorFileVersion&) {
        if (failure)
            *failure = M_ReadFailure{M_ReadFailure::Cause::notAnErrorFile, 0};
        return nullptr;
    } catch (...) {
        // Every failure, the error-file and reading exceptions included, is a null handle.
        if (failure)
            *failure = M_ReadFailure{M_ReadFailure::Cause::damaged, recordStart};
        return nullptr;
    }
}

U_Handle<M_InputBonnie> M_InputBonnie::openAndRead(const std::string& errorFilePath,
                                                   const std::string& sourceFileName,
                                                   M_ReadingInterest* interest, M_ReadFailure* failure)
{
    try {
        // One buffer for every file this process reads (it is single-threaded): its capacity
        // follows the largest error file, and no large allocation is made per file.
        static std::string& bytes = *new std::string();
        if (!loadFile(errorFilePath, bytes)) {
            if (failure)
                *failure = M_ReadFailure{fileExists(errorFilePath) ? M_ReadFailure::Cause::notReadable
                                                                   : M_ReadFailure::Cause::missing, 0};
            throw M_BadFileOpenException(errorFilePath);
        }
        return readBytes(bytes, sourceFileName, interest, failure);
    } catch (...) {
        return nullptr;
    }
}
