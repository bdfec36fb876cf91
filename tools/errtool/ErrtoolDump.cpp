// Writes an error file's contents as text, block by block.
#include "ErrtoolDump.h"

#include "M_InputBonnie.h"
#include "M_OptionQueries.h"
#include "M_SuppressionRecord.h"
#include "U_LocationData.h"

#include <cstdio>

namespace errtool {
namespace {

std::string position(const U_Location& location)
{
    if (!location)
        return "-";
    const U_Filename& file = location->file();
    return M_OptionQueries::outputText(M_OptionQueries::expandFileNames() ? file.fullName() : file.givenName())
        + ":" + std::to_string(location->line()) + ":" + std::to_string(location->column());
}

std::string hex(std::int32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", static_cast<unsigned>(value));
    return buffer;
}

} // namespace

std::string suppressionLine(const M_SuppressionRecord& record)
{
    std::string line = "suppression kind=" + std::to_string(record.kind()) + " origin=" + position(record.origin())
        + " text=\"" + record.text() + "\" messages=";
    const M_MessageRanges& ranges = record.messageRanges();
    for (std::size_t i = 0; i < ranges.size(); ++i)
        line += (i > 0 ? "," : "") + ranges[i].first + "-" + ranges[i].second;
    line += " start=" + position(record.rangeStart()) + " end=" + position(record.rangeEnd());
    return line;
}

std::string dump(const M_InputBonnie& reader, const std::string& path)
{
    // Fewer than four bytes hold no format id: the reader gives no records and no format.
    if (reader.format() == 5)
        return path + ": the file is empty (shorter than a format id), no records\n";
    std::string out = path + ": format " + std::to_string(reader.format()) + ", id "
        + hex(reader.formatId()) + ", header " + std::to_string(reader.headerValue()) + "\n";
    // Group boundaries: the start of the file, then every block record.
    std::vector<M_InputBonnie::BlockStart> starts{{0, 0}};
    starts.insert(starts.end(), reader.blockStarts().begin(), reader.blockStarts().end());
    const auto& diagnostics = reader.diagnostics();
    const auto& suppressions = reader.suppressions();
    for (std::size_t group = 0; group < starts.size(); ++group) {
        const std::size_t diagnosticEnd = group + 1 < starts.size() ? starts[group + 1].diagnostics : diagnostics.size();
        const std::size_t suppressionEnd =
            group + 1 < starts.size() ? starts[group + 1].suppressions : suppressions.size();
        const bool empty = starts[group].diagnostics == diagnosticEnd && starts[group].suppressions == suppressionEnd;
        if (group == 0 && empty)
            continue; // nothing before the first block record
        out += group == 0 ? std::string(starts.size() == 1 ? "records\n" : "before the first block\n") : "block " + std::to_string(group) + "\n";
        for (std::size_t i = starts[group].diagnostics; i < diagnosticEnd; ++i)
            out += "  " + diagnostics[i]->text() + "\n";
        for (std::size_t i = starts[group].suppressions; i < suppressionEnd; ++i)
            out += "  " + suppressionLine(*suppressions[i]) + "\n";
    }
    return out;
}

} // namespace errtool
