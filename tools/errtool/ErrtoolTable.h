// A text table with aligned columns, for errtool's reports.
#pragma once

#include <string>
#include <vector>

namespace errtool {

// Columns are as wide as their widest cell; numeric columns are aligned right, the others left.
// The last column is not padded, so lines carry no trailing blanks.
class TextTable {
public:
    struct Column {
        std::string heading;
        bool numeric = false;
    };

    explicit TextTable(std::vector<Column> columns) : columns_(std::move(columns)) {}

    void addRow(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }
    bool empty() const { return rows_.empty(); }

    // The heading line and the rows, each line indented by two blanks and ended by a line feed.
    std::string text() const;

private:
    std::vector<Column> columns_;
    std::vector<std::vector<std::string>> rows_;
};

} // namespace errtool
