// The abstract error-file writer.
#pragma once

class M_Diagnostic;
class M_SuppressionRecord;

class M_OutputBase {
public:
    // Closes the output; true when the underlying close succeeded.
    virtual bool close() = 0;
    // Filters (quiet files, "nogen" with "nomsg"/"only"), then writes a diagnostic record.
    virtual void writeDiagnostic(const M_Diagnostic& diagnostic, bool hiddenByPragma) = 0;
    // A stamped diagnostic record when the record format is 3, nothing otherwise.
    virtual void writeDiagnosticRecord(const M_Diagnostic& diagnostic, bool hiddenByPragma) = 0;
    virtual void writeSuppressionRecord(const M_SuppressionRecord& record) = 0;
    virtual ~M_OutputBase() = default;
};
