// The appending writer: one locked, all-or-nothing append per open and close.
#include "M_OutputBonnie2.h"

#include "AtomicAppend.h"
#include "M_Diagnostic.h"
#include "M_ErrorFileException.h"
#include "M_ErrorFileFormat.h"
#include "M_ErrorFilePath.h"
#include "M_OptionQueries.h"
#include "M_QuietFiles.h"
#include "R_BinaryException.h"
#include "R_ErrorFileEncoder.h"
#include "U_LocationData.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// The process-wide state of the one open writer.
struct WriterState {
    std::unique_ptr<M_OutputBonnie2> current;
    int recordFormat = 3;
    platform::AtomicAppendFile file; // locked from open; the block is published at close
    R_BinaryWriter buffer;
    R_ErrorFileEncoder encoder{buffer};
    std::vector<std::size_t> blockStarts; // offsets in the buffer of the blocks after the first
};

WriterState& state()
{
    static WriterState* s = new WriterState(); // never destroyed: no append happens at exit
    return *s;
}

std::int32_t littleEndianWord(const unsigned char* b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8)
                                     | (static_cast<std::uint32_t>(b[2]) << 16)
                                     | (static_cast<std::uint32_t>(b[3]) << 24));
}

} // namespace

void M_OutputBonnie2::openForAppend(const std::string& sourceFileName)
{
    openPathForAppend(M_errorFilePath(M_OptionQueries::outputDirectory(), sourceFileName));
}

void M_OutputBonnie2::openPathForAppend(const std::string& path)
{
    WriterState& s = state();
    if (s.current)
        closeCurrent();
    s.recordFormat = 3;
    if (!s.file.open(path))
        throw M_BadFileOpenException(path);
    // Appending format-3 records to anything but a format-3 file (or to a file without a whole
    // header) would leave it unreadable.
    unsigned char header[8];
    if (s.file.readAt(0, header, sizeof header) != static_cast<long long>(sizeof header)) {
        s.file.abandon();
        throw M_BadFileOpenException(path);
    }
    const std::int32_t id = littleEndianWord(header);
    if (M_ErrorFileFormat::formatOfId(id) != 3) {
        s.file.abandon();
        throw M_BadErrorFileVersion(id);
    }
    s.buffer.clear();
    s.blockStarts.clear();
    s.encoder.resetTables();
    s.current.reset(new M_OutputBonnie2());
    s.encoder.blockRecord();
}

void M_OutputBonnie2::startNextBlock()
{
    WriterState& s = state();
    if (!s.current)
        return;
    s.blockStarts.push_back(s.buffer.size());
    s.encoder.resetTables();
    s.encoder.blockRecord();
}

void M_OutputBonnie2::writeSuppression(std::int32_t kind, const U_Location& origin, const std::string& text,
                                       const M_MessageRanges& ranges, const U_Location& rangeStart,
                                       const U_Location& rangeEnd)
{
    M_OutputBonnie2* writer = current();
    if (!writer)
        return;
    const auto record = makeHandle<M_SuppressionRecord>(kind, origin, text, ranges, rangeStart, rangeEnd);
    writer->writeSuppressionRecord(*record);
}

void M_OutputBonnie2::closeCurrent()
{
    WriterState& s = state();
    if (!s.current)
        return;
    const bool closed = s.current->close();
    s.current.reset();
    if (!closed)
        throw R_WritingException();
}

void M_OutputBonnie2::discardCurrent()
{
    state().current.reset();
}

M_OutputBonnie2* M_OutputBonnie2::current()
{
    return state().current.get();
}

int M_OutputBonnie2::recordFormat()
{
    return state().recordFormat;
}

M_OutputBonnie2::~M_OutputBonnie2()
{
    // Destroyed without close: nothing of the append reaches the file.
    WriterState& s = state();
    s.file.abandon();
    s.buffer.clear();
    s.blockStarts.clear();
}

bool M_OutputBonnie2::close()
{
    WriterState& s = state();
    if (!s.file.isOpen())
        return true;
    // All or nothing per block: afterwards the file holds its old bytes and each block whole or
    // not at all (a block only when the ones before it are there too).
    std::vector<platform::AtomicAppendFile::Block> blocks;
    std::size_t start = 0;
    const char* bytes = s.buffer.bytes().data();
    for (const std::size_t end : s.blockStarts) {
        blocks.push_back({bytes + start, end - start});
        start = end;
    }
    blocks.push_back({bytes + start, s.buffer.size() - start});
    const bool ok = s.file.commit(blocks.data(), blocks.size());
    s.buffer.clear();
    s.blockStarts.clear();
    s.encoder.resetTables();
    return ok;
}

void M_OutputBonnie2::writeDiagnostic(const M_Diagnostic& diagnostic, bool hiddenByPragma)
{
    if (diagnostic.location() && M_QuietFiles::instance().isQuiet(*diagnostic.location()))
        return;
    if (M_OptionQueries::messageFilteredOut(diagnostic.messageNumber()))
        return;
    writeDiagnosticRecord(diagnostic, hiddenByPragma);
}

void M_OutputBonnie2::writeDiagnosticRecord(const M_Diagnostic& diagnostic, bool hiddenByPragma)
{
    WriterState& s = state();
    if (s.recordFormat != 3)
        return;
    const std::int32_t stamp = diagnostic.messageNumber() ^ (std::rand() % 9999);
    s.encoder.stampedDiagnosticRecord(diagnostic, hiddenByPragma, stamp);
}

void M_OutputBonnie2::writeSuppressionRecord(const M_SuppressionRecord& record)
{
    state().encoder.suppressionRecord(record);
}
