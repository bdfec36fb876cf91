// errtool rules-report --html: the rules report as one self-contained page.
#include "ErrtoolRulesReport.h"

#include "RulesReportAssets.h"
#include "U_Utf8Text.h"

#include <algorithm>

namespace errtool {

namespace {

// Everything the page needs is in it: no file, style sheet, script, font or image is fetched, so it
// opens from a build's artefact store or a mail attachment alike. The policy forbids fetching
// anything, should the page ever ask.
constexpr const char* kHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Rules report</title>
<style>
)";

std::string escaped(const std::string& text)
{
    return htmlEscape(text);
}

std::string number(std::int64_t value)
{
    return std::to_string(value);
}

// A table whose cells are HTML already; a numeric column sorts by value.
class HtmlTable {
public:
    struct Column {
        std::string heading;
        bool numeric = false;
    };
    struct Cell {
        std::string html;
        std::string sortKey; // the value to sort by, when not the cell's text
        std::string cssClass;
    };

    explicit HtmlTable(std::vector<Column> columns) : columns_(std::move(columns)) {}

    void addRow(const std::vector<Cell>& cells, const std::string& rowClass = "")
    {
        rows_ += rowClass.empty() ? "<tr>" : "<tr class=\"" + rowClass + "\">";
        for (std::size_t i = 0; i < cells.size(); ++i) {
            std::string css = cells[i].cssClass;
            if (columns_[i].numeric)
                css = css.empty() ? "num" : css + " num";
            rows_ += "<td";
            if (!css.empty())
                rows_ += " class=\"" + css + "\"";
            if (!cells[i].sortKey.empty())
                rows_ += " data-sort=\"" + escaped(cells[i].sortKey) + "\"";
            rows_ += ">" + cells[i].html + "</td>";
        }
        rows_ += "</tr>\n";
        ++count_;
    }
    bool empty() const { return count_ == 0; }
    std::size_t size() const { return count_; }

    std::string html() const
    {
        std::string out = "<table class=\"sortable\"><thead><tr>";
        for (const Column& column : columns_)
            out += std::string(column.numeric ? "<th class=\"num\">" : "<th>") + escaped(column.heading) + "</th>";
        return out + "</tr></thead>\n<tbody>\n" + rows_ + "</tbody></table>\n";
    }

private:
    std::vector<Column> columns_;
    std::string rows_;
    std::size_t count_ = 0;
};

// A count with a bar as long as its share of the largest count of its table.
HtmlTable::Cell barCell(std::int64_t count, std::int64_t largest)
{
    const std::int64_t percent = largest > 0 ? std::max<std::int64_t>(count * 100 / largest, count > 0 ? 1 : 0) : 0;
    return {"<span class=\"track\"><span class=\"bar\" style=\"width:" + number(percent) + "%\"></span></span>" +
                number(count),
            number(count), "barcell"};
}

HtmlTable::Cell textCell(const std::string& text)
{
    return {escaped(text), "", ""};
}

HtmlTable::Cell monoCell(const std::string& text)
{
    return {escaped(text), "", "mono"};
}

std::string section(const std::string& id, const std::string& heading, const HtmlTable& table,
                    const std::string& whenEmpty)
{
    std::string out = "<section id=\"" + id + "\"><h2>" + escaped(heading) + " <span class=\"count\">(" +
                      number(static_cast<std::int64_t>(table.size())) + ")</span></h2>\n";
    out += table.empty() ? "<p class=\"empty\">" + escaped(whenEmpty) + "</p>\n" : table.html();
    return out + "</section>\n";
}

std::string card(const std::string& value, const std::string& label, const std::string& cssClass = "")
{
    return "<div class=\"card" + (cssClass.empty() ? "" : " " + cssClass) + "\"><div class=\"value\">" + escaped(value) +
           "</div><div class=\"label\">" + escaped(label) + "</div></div>\n";
}

} // namespace

std::string htmlEscape(const std::string& text)
{
    const std::string utf8 = utf8OrLatin1(text);
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string RulesReport::renderHtml(const Model& model, const std::vector<std::string>& reportFiles)
{
    std::string out = std::string(kHead) + assets::kStyle + "</style>\n</head>\n<body>\n";
    out += "<header><h1>Rules report</h1><p>errtool rules-report, from " +
           number(static_cast<std::int64_t>(reportFiles.size())) +
           (reportFiles.size() == 1 ? " report file" : " report files") + " of suppresszembrel runs</p></header>\n<main>\n";

    const Runs& runs = model.runs;
    out += "<div class=\"cards\">\n";
    out += card(number(runs.runs), "runs (" + number(runs.dryRuns) + " dry runs)");
    out += card(number(static_cast<std::int64_t>(reportFiles.size())), "report files (builds)");
    out += card(number(runs.files), "files (summed over the runs)");
    out += card(number(runs.diagnostics), "diagnostics examined (summed over the runs)");
    out += card(number(model.recordsAppended), "records appended");
    if (runs.dryRuns > 0)
        out += card(number(runs.dryRunRecords), "records would be appended by the dry runs");
    out += card(number(static_cast<std::int64_t>(model.hits.size())), "rules with hits");
    out += card(model.compared ? number(static_cast<std::int64_t>(model.unused.size())) : "?", "unused rules",
                model.unused.empty() ? "quiet" : "unused");
    out += card(number(static_cast<std::int64_t>(model.unusable.size())), "rules that could not be used",
                model.unusable.empty() ? "quiet" : "broken");
    out += card(number(static_cast<std::int64_t>(model.warnings.size())), "rules to check",
                model.warnings.empty() ? "quiet" : "unused");
    out += "</div>\n";

    const auto hashCell = [](const std::string& sha256) {
        return HtmlTable::Cell{"<code title=\"" + escaped(sha256) + "\">" + escaped(shortHash(sha256)) + "</code>",
                               sha256, ""};
    };
    const auto largest = [](const auto& rows, const auto& count) {
        std::int64_t most = 0;
        for (const auto& row : rows)
            most = std::max(most, count(row));
        return most;
    };

    HtmlTable hits({{"hits", true}, {"rule", false}, {"kind", false}, {"content", false}, {"text", false}});
    const std::int64_t largestHit = largest(model.hits, [](const Rule& rule) { return rule.count; });
    for (const Rule& rule : model.hits)
        hits.addRow({barCell(rule.count, largestHit), monoCell(rule.where()), textCell(rule.kindText()),
                     hashCell(rule.sha256), monoCell(rule.text)});
    out += section("hits", "Hits per rule", hits, "No rule hid a diagnostic.");

    HtmlTable unused({{"rule", false}, {"kind", false}, {"text", false}});
    for (const UnusedRule& rule : model.unused)
        unused.addRow({{escaped(rule.where()) + "<span class=\"tag unused\">unused</span>", "", "mono"},
                       textCell(rule.kind), monoCell(rule.text)},
                      "unused");
    out += section("unused", "Unused rules (no hit over all runs)", unused,
                   model.compared ? "None." : "Give the rules files (--rules, --parameter-rules) to list them.");

    HtmlTable unusable({{"runs", true}, {"rule", false}, {"kind", false}, {"reason", false}, {"text", false}});
    for (const Rule& rule : model.unusable)
        unusable.addRow({{number(rule.count), number(rule.count), ""},
                         {escaped(rule.where()) + "<span class=\"tag broken\">broken</span>", "", "mono"},
                         textCell(rule.kind), textCell(rule.reason), monoCell(rule.text)},
                        "broken");
    out += section("unusable", "Rules that could not be used", unusable, "None.");

    HtmlTable warnings({{"rule", false}, {"kind", false}, {"warning", false}, {"text", false}});
    for (const Rule& rule : model.warnings)
        warnings.addRow({{escaped(rule.where()) + "<span class=\"tag unused\">check</span>", "", "mono"},
                         textCell(rule.kindText()), textCell(rule.reason), monoCell(rule.text)},
                        "unused");
    out += section("warnings", "Rules to check (read as the tool reads them, perhaps not as meant)", warnings, "None.");

    HtmlTable messages({{"hits", true}, {"message", true}});
    const std::int64_t largestMessage = largest(model.messages, [](const auto& row) { return row.second; });
    for (const auto& [message, count] : model.messages)
        messages.addRow({barCell(count, largestMessage), {number(message), number(message), ""}});
    out += section("messages", "Hits per message number", messages, "None.");

    HtmlTable files({{"hits", true}, {"file", false}});
    const std::int64_t largestFile = largest(model.files, [](const auto& row) { return row.second; });
    for (const auto& [file, count] : model.files)
        files.addRow({barCell(count, largestFile), monoCell(file)});
    out += section("files", "Hits per source file", files, "None.");

    // Every content of every rules file the runs read, by its hash; a file read in more than one
    // content changed between runs, and its hits are counted per content.
    HtmlTable contents({{"runs", true}, {"hits", true}, {"rules file", false}, {"content (sha256)", false}});
    for (const Content& content : model.contents) {
        const bool changed = std::any_of(model.changed.begin(), model.changed.end(), [&](const Content& other) {
            return other.path == content.path && other.sha256 == content.sha256;
        });
        contents.addRow({{number(content.runs), number(content.runs), ""},
                         {number(content.hits), number(content.hits), ""},
                         {escaped(content.path) + (changed ? "<span class=\"tag changed\">changed between runs</span>" : ""),
                          "", "mono"},
                         monoCell(content.sha256.empty() ? "-" : content.sha256)});
    }
    out += section("contents", "Rules files and their contents", contents, "No run named a rules file.");

    out += "<section id=\"sources\"><h2>Read from</h2><ul class=\"notes\">\n";
    for (const std::string& path : reportFiles)
        out += "<li><code>" + escaped(path) + "</code></li>\n";
    out += "</ul>\n";
    if (!model.notes.empty()) {
        out += "<h2>Notes</h2><ul class=\"notes\" id=\"notes\">\n";
        for (const std::string& note : model.notes)
            out += "<li>" + escaped(note) + "</li>\n";
        out += "</ul>\n";
    }
    out += "</section>\n</main>\n";
    out += "<footer>" + escaped(number(model.hitCount)) + " hits in all. Click a column's heading to sort by it.</footer>\n";
    out += std::string("<script>\n") + assets::kScript + "</script>\n";
    out += "</body>\n</html>\n";
    return out;
}

} // namespace errtool
