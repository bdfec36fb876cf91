// The container set built for one error file: tag containers, interned strings and the
// suppression index, of which the suppression tool queries only the index.
#pragma once

#include "M_KeyTagCont.h"
#include "M_SuppressionIndex.h"

#include <set>
#include <string>
#include <vector>

class M_SuppressionContext {
public:
    M_SuppressionContext() = default;
    explicit M_SuppressionContext(M_SuppressionIndex::QuietTest quiet) : index_(std::move(quiet)) {}

    // Indexes the records (kind 1, and kind 2 when alsoKind2) outside quiet files.
    void addRecords(const std::vector<M_SuppressionRecordHandle>& records, bool alsoKind2)
    {
        index_.addRecords(records, alsoKind2);
    }
    bool isSuppressed(const M_Diagnostic& diagnostic) const { return index_.isSuppressed(diagnostic); }
    bool isSuppressed(std::int32_t messageNumber, const U_Location& location, bool fourthFlag) const
    {
        return index_.isSuppressed(messageNumber, location, fourthFlag);
    }
    const M_SuppressionRecord* coveringRecord(const M_Diagnostic& diagnostic) const
    {
        return index_.coveringRecord(diagnostic);
    }

private:
    M_KeyTagCont<std::string> texts_;
    M_KeyTagCont<std::string> moreTexts_;
    M_MessageTagCont messages_;
    M_LocationTagCont locations_;
    M_LocationRangeTagCont locationRanges_;
    M_FilenameTagCont filenames_;
    std::set<std::string> strings_;
    M_SuppressionIndex index_;
};
