// The error-file reader: turns a whole error file into its diagnostics and suppression records.
#pragma once

#include "M_Diagnostic.h"
#include "M_ErrorFileFormat.h"
#include "M_ReadFailure.h"
#include "M_ReadingInterest.h"
#include "M_SuppressionRecord.h"
#include "U_Filename.h"
#include "U_Ref.h"

#include <cstdint>
#include <string>
#include <vector>

class M_InputBonnie : public U_Ref {
public:
    using DiagnosticIterator = std::vector<M_DiagnosticHandle>::const_iterator;
    using SuppressionIterator = std::vector<M_SuppressionRecordHandle>::const_iterator;

    // Where each block record stood: the numbers of diagnostics and suppression records before it.
    struct BlockStart {
        std::size_t diagnostics;
        std::size_t suppressions;
    };

    // Reads the whole error file. Returns null on any failure: a file that cannot be opened, an
    // unknown format id, an unknown record, a truncated or malformed file. The analysed source
    // file's name is the primary file of format-2 locations. With an interest, the format-3
    // diagnostics it does not want are passed over (format 2 builds them all), and diagnostics()
    // and blockStarts() count the ones built.
    // With a failure record, a null handle also says why (M_ReadFailure).
    static U_Handle<M_InputBonnie> openAndRead(const std::string& errorFilePath,
                                               const std::string& sourceFileName,
                                               M_ReadingInterest* interest = nullptr,
                                               M_ReadFailure* failure = nullptr);
    // The same for the bytes of an error file already in memory.
    static U_Handle<M_InputBonnie> readBytes(const std::string& bytes, const std::string& sourceFileName,
                                             M_ReadingInterest* interest = nullptr,
                                             M_ReadFailure* failure = nullptr);

    ~M_InputBonnie() override;

    DiagnosticIterator diagnosticsBegin() const { return diagnostics_.begin(); }
    DiagnosticIterator diagnosticsEnd() const { return diagnostics_.end(); }
    SuppressionIterator suppressionsBegin() const { return suppressions_.begin(); }
    SuppressionIterator suppressionsEnd() const { return suppressions_.end(); }
    const std::vector<M_DiagnosticHandle>& diagnostics() const { return diagnostics_; }
    const std::vector<M_SuppressionRecordHandle>& suppressions() const { return suppressions_; }
    const std::vector<BlockStart>& blockStarts() const { return blockStarts_; }

    // 2 or 3; 5 when the file was too short to hold a format id.
    int format() const { return format_; }
    std::int32_t formatId() const { return formatId_; }
    std::int32_t headerValue() const { return headerValue_; }

    // Nesting beyond these is refused (see M_ErrorFileFormat.h).
    static constexpr int kMaxMessageListDepth = M_ErrorFileFormat::kMaxMessageListDepth;
    static constexpr int kMaxLocationDepth = M_ErrorFileFormat::kMaxLocationDepth;

private:
    class Parser;
    M_InputBonnie() = default;

    U_Filename currentFile_;
    U_Filename primaryFile_;
    std::int32_t headerValue_ = 0;
    int format_ = 5;
    std::vector<M_DiagnosticHandle> diagnostics_;
    std::vector<M_SuppressionRecordHandle> suppressions_;
    std::int32_t formatId_ = 0;
    std::vector<BlockStart> blockStarts_;
};
