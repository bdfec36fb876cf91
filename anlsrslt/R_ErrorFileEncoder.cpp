// Format-3 record encoding with per-block id tables and whole-record roll-back.
#include "R_ErrorFileEncoder.h"

#include "M_Diagnostic.h"
#include "M_ErrorFileFormat.h"
#include "M_OptionQueries.h"
#include "M_SuppressionRecord.h"
#include "R_BinaryException.h"
#include "R_writeParamTypeVisitor.h"
#include "U_LocationData.h"
#include "U_MacroHistory.h"

#include <algorithm>

// Remembers where a record started; unless committed, takes everything it added back.
class R_ErrorFileEncoder::Record {
public:
    explicit Record(R_ErrorFileEncoder& encoder)
        : encoder_(encoder), bytes_(encoder.out_.size()), locations_(encoder.locations_.size()),
          files_(encoder.files_.size()), identifiers_(encoder.identifiers_.size())
    {
    }
    ~Record()
    {
        if (!committed_)
            encoder_.rollBack(bytes_, locations_, files_, identifiers_);
    }
    void commit() { committed_ = true; }

private:
    R_ErrorFileEncoder& encoder_;
    std::size_t bytes_, locations_, files_, identifiers_;
    bool committed_ = false;
};

R_ErrorFileEncoder::R_ErrorFileEncoder(R_BinaryWriter& out) : out_(out) {}

void R_ErrorFileEncoder::resetTables()
{
    locationIds_.clear();
    locations_.clear();
    fileIds_.clear();
    files_.clear();
    identifierIds_.clear();
    identifiers_.clear();
}

void R_ErrorFileEncoder::rollBack(std::size_t bytes, std::size_t locations, std::size_t files,
                                  std::size_t identifiers)
{
    out_.truncate(bytes);
    messageListDepth_ = 0; // records are written at the top level
    while (locations_.size() > locations) {
        locationIds_.erase(locations_.back().location.get());
        locations_.pop_back();
    }
    while (files_.size() > files) {
        fileIds_.erase(files_.back());
        files_.pop_back();
    }
    while (identifiers_.size() > identifiers) {
        identifierIds_.erase(identifiers_.back());
        identifiers_.pop_back();
    }
}

void R_ErrorFileEncoder::blockRecord()
{
    out_.byte(1);
    out_.word(0);
    resetTables();
}

void R_ErrorFileEncoder::diagnosticRecord(const M_Diagnostic& diagnostic, bool hiddenByPragma)
{
    Record record(*this);
    out_.byte(2);
    diagnosticBody(diagnostic, hiddenByPragma);
    record.commit();
}

void R_ErrorFileEncoder::stampedDiagnosticRecord(const M_Diagnostic& diagnostic, bool hiddenByPragma,
                                                 std::int32_t stamp)
{
    Record record(*this);
    out_.byte(8);
    diagnosticBody(diagnostic, hiddenByPragma);
    out_.word(stamp);
    record.commit();
}

void R_ErrorFileEncoder::suppressionRecord(const M_SuppressionRecord& suppression)
{
    Record record(*this);
    out_.byte(4);
    out_.byte(static_cast<std::uint8_t>(suppression.kind() & 0xFF));
    location(suppression.origin());
    out_.string(suppression.text());
    out_.word(static_cast<std::int32_t>(suppression.messageRanges().size()));
    for (const auto& range : suppression.messageRanges()) {
        out_.string(range.first);
        out_.string(range.second);
    }
    out_.byte(4);
    location(suppression.rangeStart());
    if (suppression.rangeEnd()) {
        out_.byte(1);
        location(suppression.rangeEnd());
    } else {
        out_.byte(0);
    }
    record.commit();
}

void R_ErrorFileEncoder::diagnosticBody(const M_Diagnostic& diagnostic, bool hiddenByPragma)
{
    location(diagnostic.location());
    out_.word(diagnostic.messageNumber());
    out_.word((hiddenByPragma ? 1 : 0) | (diagnostic.hiddenByUser() ? 2 : 0));
    out_.word(diagnostic.fourthFlag() ? 1 : 0);
    out_.word(static_cast<std::int32_t>(diagnostic.parameterCount()));
    R_writeParamTypeVisitor visitor(*this);
    for (const auto& parameter : diagnostic.parameters())
        parameter->accept(visitor);
}

void R_ErrorFileEncoder::beginMessageList()
{
    if (messageListDepth_ >= M_ErrorFileFormat::kMaxMessageListDepth)
        throw R_WritingException();
    ++messageListDepth_;
}

void R_ErrorFileEncoder::entityName(const U_EntityDisplayName& name)
{
    if (showAlias_ < 0)
        showAlias_ = M_OptionQueries::showAlias() ? 1 : 0;
    out_.string(showAlias_ ? name.aliasName() : name.plainName());
}

void R_ErrorFileEncoder::fileName(const U_Filename& file)
{
    const FileKey key{file.fullNameKey(), file.givenNameKey()};
    const auto found = fileIds_.find(key);
    if (found != fileIds_.end()) {
        out_.word(found->second);
        return;
    }
    const auto id = static_cast<std::int32_t>(files_.size());
    fileIds_.emplace(key, id);
    files_.push_back(key);
    out_.word(id);
    out_.string(file.fullName());
    out_.string(file.givenName());
}

void R_ErrorFileEncoder::identifier(const U_Identifier& identifier)
{
    const auto found = identifierIds_.find(identifier.key());
    if (found != identifierIds_.end()) {
        out_.word(found->second);
        return;
    }
    const auto id = static_cast<std::int32_t>(identifiers_.size());
    identifierIds_.emplace(identifier.key(), id);
    identifiers_.push_back(identifier.key());
    out_.word(id);
    out_.string(identifier.text());
}

int R_ErrorFileEncoder::location(const U_Location& location)
{
    // The format has no encoding for "no location".
    if (!location)
        throw R_WritingException();
    const auto found = locationIds_.find(location.get());
    if (found != locationIds_.end()) {
        out_.word(found->second);
        return locations_[static_cast<std::size_t>(found->second)].depth;
    }
    const auto id = static_cast<std::int32_t>(locations_.size());
    locationIds_.emplace(location.get(), id);
    locations_.push_back({location, 0});
    out_.word(id);

    const U_LocationData& data = *location;
    fileName(data.file());
    out_.word(data.line());
    out_.word(data.column());
    out_.byte(static_cast<std::uint8_t>((data.hasIncludeLocation() ? 1 : 0) | (data.hasInstantiatedFrom() ? 2 : 0)
                                        | (data.hasMacroHistory() ? 4 : 0) | (data.hasPresumedPosition() ? 8 : 0)
                                        | (data.hasCalledFrom() ? 16 : 0)));
    // The depth as readers count it: one more than the deepest location below, and each macro step
    // one more than the step before.
    int depth = 1;
    if (data.hasIncludeLocation())
        depth = std::max(depth, this->location(data.includeLocation()) + 1);
    if (data.hasMacroHistory()) {
        U_Handle<U_MacroHistory> step = data.macroHistory();
        if (!step)
            throw R_WritingException();
        for (int steps = 1; step; step = step->next(), ++steps) {
            if (steps > 1)
                out_.byte(1);
            depth = std::max(depth, this->location(step->location()) + 1 + steps);
            identifier(step->macro());
            if (depth > M_ErrorFileFormat::kMaxLocationDepth)
                throw R_WritingException();
        }
        out_.byte(0);
    }
    if (data.hasPresumedPosition()) {
        fileName(data.presumedFile());
        out_.word(data.presumedLine());
    }
    if (data.hasInstantiatedFrom()) {
        depth = std::max(depth, this->location(data.instantiatedFrom()) + 1);
        const U_Handle<U_EntityDisplayName> name = data.instantiatedEntity();
        if (name) {
            R_writeParamTypeVisitor visitor(*this);
            visitor.visitEntityName(*name);
        } else {
            out_.string(std::string());
        }
    }
    if (data.hasCalledFrom())
        depth = std::max(depth, this->location(data.calledFrom()) + 1);
    if (depth > M_ErrorFileFormat::kMaxLocationDepth)
        throw R_WritingException();
    locations_[static_cast<std::size_t>(id)].depth = depth;
    return depth;
}
