// The appending error-file writer and the process-wide operations that drive it.
#pragma once

#include "M_OutputBase.h"
#include "M_SuppressionRecord.h"

#include <cstdint>
#include <string>

// At most one error file is open for appending at a time; its state is process-wide. The whole
// append is built in memory under an exclusive lock held from open to close, and published at close
// all or nothing (platform::AtomicAppendFile): even a process killed during the close leaves the
// file with its old bytes or with the whole block. When the append fails, R_WritingException is
// raised and the file is exactly as it was. An append of several blocks (startNextBlock) publishes
// each of them all or nothing, in order, under the one lock; when it fails, the file holds its old
// bytes and at most the blocks before the one that failed.
class M_OutputBonnie2 : public M_OutputBase {
public:
    // Opens the error file of the source file in the run's output directory.
    static void openForAppend(const std::string& sourceFileName);
    // Opens the error file at the path: closes a writer still open, sets the record format to 3,
    // locks the file and starts the append with a block record. Raises M_BadFileOpenException when
    // the file is missing or cannot be opened, and M_BadErrorFileVersion when its first word is
    // not a format-3 id; the file is untouched then.
    static void openPathForAppend(const std::string& path);
    // A suppression record built from the arguments; nothing when no writer is open.
    static void writeSuppression(std::int32_t kind, const U_Location& origin, const std::string& text,
                                 const M_MessageRanges& ranges, const U_Location& rangeStart,
                                 const U_Location& rangeEnd);
    // Ends the block being written and starts another in the same append: a block record, after
    // which ids count from 0 again. Nothing when no writer is open.
    static void startNextBlock();
    // Closes and destroys the open writer, if any. Raises R_WritingException when the append failed.
    static void closeCurrent();
    // Destroys the open writer, if any, without writing anything of its append.
    static void discardCurrent();
    // The open writer, or null.
    static M_OutputBonnie2* current();
    static int recordFormat();

    ~M_OutputBonnie2() override;
    bool close() override;
    void writeDiagnostic(const M_Diagnostic& diagnostic, bool hiddenByPragma) override;
    void writeDiagnosticRecord(const M_Diagnostic& diagnostic, bool hiddenByPragma) override;
    void writeSuppressionRecord(const M_SuppressionRecord& record) override;

private:
    M_OutputBonnie2() = default;
};
