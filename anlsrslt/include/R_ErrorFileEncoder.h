// Encodes format-3 error-file records into memory, with the block's write tables.
#pragma once

#include "R_BinaryWriter.h"
#include "U_Filename.h"
#include "U_Identifier.h"
#include "U_Location.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class M_Diagnostic;
class M_SuppressionRecord;
class U_EntityDisplayName;
class U_LocationData;

// Identifiers, file names and location-data objects are written in full the first time they occur
// in a block and by id afterwards; ids count from 0 in each block. A record is written whole or
// not at all: when it cannot be encoded (a null location where one is needed, or nesting deeper
// than readers follow), the bytes and the table entries it added are taken back and
// R_WritingException is raised.
class R_ErrorFileEncoder {
public:
    explicit R_ErrorFileEncoder(R_BinaryWriter& out);

    // Byte 1 and an empty body; starts a new block, so the write tables are emptied.
    void blockRecord();
    // Byte 2 and the body.
    void diagnosticRecord(const M_Diagnostic& diagnostic, bool hiddenByPragma);
    // Byte 8, the body and the stamp word.
    void stampedDiagnosticRecord(const M_Diagnostic& diagnostic, bool hiddenByPragma,
                                 std::int32_t stamp);
    // Byte 4 and the suppression body.
    void suppressionRecord(const M_SuppressionRecord& record);

    void resetTables();
    R_BinaryWriter& out() { return out_; }

    // Pieces used by the parameter visitor.
    void diagnosticBody(const M_Diagnostic& diagnostic, bool hiddenByPragma);
    void entityName(const U_EntityDisplayName& name);
    // Around the nested bodies of a message list; raises R_WritingException beyond the depth
    // readers follow.
    void beginMessageList();
    void endMessageList() { --messageListDepth_; }

private:
    class Record;

    // Writes the location and returns its depth as readers count it (M_ErrorFileFormat.h).
    int location(const U_Location& location);
    void fileName(const U_Filename& file);
    void identifier(const U_Identifier& identifier);
    void rollBack(std::size_t bytes, std::size_t locations, std::size_t files, std::size_t identifiers);

    struct FileKey {
        const std::string* full;
        const std::string* given;
        bool operator==(const FileKey& other) const { return full == other.full && given == other.given; }
    };
    struct FileKeyHash {
        std::size_t operator()(const FileKey& key) const
        {
            return std::hash<const void*>()(key.full) * 31 + std::hash<const void*>()(key.given);
        }
    };

    R_BinaryWriter& out_;
    // Each table maps a value to its id; the vectors list the values by id (and keep the
    // location data alive, so that an address is never reused for another location meanwhile).
    struct WrittenLocation {
        U_Location location;
        int depth;
    };
    std::unordered_map<const U_LocationData*, std::int32_t> locationIds_;
    std::vector<WrittenLocation> locations_;
    std::unordered_map<FileKey, std::int32_t, FileKeyHash> fileIds_;
    std::vector<FileKey> files_;
    std::unordered_map<const std::string*, std::int32_t> identifierIds_;
    std::vector<const std::string*> identifiers_;
    int showAlias_ = -1; // read from the options once, on first need
    int messageListDepth_ = 0;
};
