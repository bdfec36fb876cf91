// Laying out a text table.
#include "ErrtoolTable.h"

#include <algorithm>

namespace errtool {

namespace {

// Display width: UTF-8 continuation bytes take no column.
std::size_t widthOf(const std::string& text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace

std::string TextTable::text() const
{
    std::vector<std::size_t> widths(columns_.size());
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        widths[c] = widthOf(columns_[c].heading);
        for (const auto& row : rows_)
            if (c < row.size())
                widths[c] = std::max(widths[c], widthOf(row[c]));
    }
    std::string out;
    const auto addLine = [&](const std::vector<std::string>& cells) {
        std::string line = "  ";
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            const std::string& cell = c < cells.size() ? cells[c] : std::string();
            const std::string padding(widths[c] - widthOf(cell), ' ');
            if (c > 0)
                line += "  ";
            if (columns_[c].numeric)
                line += padding + cell;
            else
                line += c + 1 < columns_.size() ? cell + padding : cell;
        }
        out += line + "\n";
    };
    std::vector<std::string> headings;
    for (const Column& column : columns_)
        headings.push_back(column.heading);
    addLine(headings);
    for (const auto& row : rows_)
        addLine(row);
    return out;
}

} // namespace errtool
