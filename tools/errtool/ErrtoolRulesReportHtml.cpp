// errtool rules-report --html: the rules report as one self-contained page.
#include "ErrtoolRulesReport.h"

#include "U_JsonWriter.h"

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
body { font: 14px/1.45 system-ui, -apple-system, "Segoe UI", "DejaVu Sans", sans-serif; color: #1f2328; margin: 0; background: #f6f8fa; }
header { background: #24292f; color: #fff; padding: 18px 28px; }
header h1 { margin: 0; font-size: 22px; font-weight: 600; }
header p { margin: 4px 0 0; color: #c9d1d9; font-size: 13px; }
main { padding: 8px 28px 28px; max-width: 1400px; }
section { background: #fff; border: 1px solid #d0d7de; border-radius: 6px; margin-top: 18px; padding: 4px 16px 14px; }
h2 { font-size: 16px; margin: 12px 0 8px; }
h2 .count { font-weight: normal; color: #57606a; }
.cards { display: flex; flex-wrap: wrap; gap: 12px; margin-top: 18px; }
.card { background: #fff; border: 1px solid #d0d7de; border-radius: 6px; padding: 10px 16px; min-width: 120px; }
.card .value { font-size: 24px; font-weight: 600; }
.card .label { color: #57606a; font-size: 12px; }
.card.unused { border-color: #d4a72c; background: #fff8c5; }
.card.broken { border-color: #cf222e; background: #ffebe9; }
.card.quiet { opacity: .75; }
table { border-collapse: collapse; width: 100%; }
th, td { text-align: left; padding: 5px 10px; border-bottom: 1px solid #eaeef2; vertical-align: top; }
th { font-size: 12px; color: #57606a; font-weight: 600; cursor: pointer; user-select: none; white-space: nowrap; }
th.num, td.num { text-align: right; }
th[aria-sort="ascending"]::after { content: " \25B2"; }
th[aria-sort="descending"]::after { content: " \25BC"; }
td.mono, code { font-family: ui-monospace, "DejaVu Sans Mono", Menlo, Consolas, monospace; font-size: 12.5px; word-break: break-all; }
td.barcell { width: 260px; white-space: nowrap; }
.track { display: inline-block; width: 190px; height: 10px; background: #eaeef2; border-radius: 5px; margin-right: 8px; vertical-align: middle; }
.bar { display: block; height: 10px; background: #2f81f7; border-radius: 5px; }
tr.unused td { background: #fff8c5; }
tr.unused td:first-child { box-shadow: inset 4px 0 #d4a72c; }
tr.broken td { background: #ffebe9; }
tr.broken td:first-child { box-shadow: inset 4px 0 #cf222e; }
.tag { display: inline-block; font-size: 11px; font-weight: 600; padding: 0 6px; border-radius: 10px; margin-left: 6px; }
.tag.unused { background: #d4a72c; color: #fff; }
.tag.broken { background: #cf222e; color: #fff; }
.tag.changed { background: #8250df; color: #fff; }
.empty { color: #57606a; font-style: italic; margin: 4px 0; }
ul.notes { margin: 4px 0; padding-left: 20px; }
footer { color: #57606a; font-size: 12px; padding: 0 28px 24px; }
</style>
</head>
<body>
)";

// Sorting by a click on a column's heading: numbers by value, other columns by text.
constexpr const char* kScript = R"(<script>
document.querySelectorAll("table.sortable th").forEach(function (th) {
  th.addEventListener("click", function () {
    var table = th.closest("table"), body = table.tBodies[0], index = th.cellIndex;
    var numeric = th.classList.contains("num");
    var ascending = th.getAttribute("aria-sort") !== "ascending";
    table.querySelectorAll("th").forEach(function (other) { other.removeAttribute("aria-sort"); });
    th.setAttribute("aria-sort", ascending ? "ascending" : "descending");
    var key = function (row) {
      var cell = row.cells[index], value = cell.getAttribute("data-sort") || cell.textContent;
      return numeric ? Number(value) : value.toLowerCase();
    };
    Array.prototype.slice.call(body.rows).sort(function (a, b) {
      var x = key(a), y = key(b);
      return (x < y ? -1 : x > y ? 1 : 0) * (ascending ? 1 : -1);
    }).forEach(function (row) { body.appendChild(row); });
  });
});
document.body.setAttribute("data-sorting", "ready");
</script>
)";

std::string escaped(const std::string& text)
{
    return htmlEscape(text);
}

std::string number(std::int64_t value)
{
    return std::to_string(value);
}

std::string shortHash(const std::string& sha256)
{
    return sha256.empty() ? "-" : sha256.substr(0, 12);
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
    const std::string utf8 = U_JsonWriter::utf8(text);
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

std::string RulesReport::html(const std::vector<std::string>& reportFiles) const
{
    std::string out = kHead;
    out += "<header><h1>Rules report</h1><p>errtool rules-report, from " +
           number(static_cast<std::int64_t>(reportFiles.size())) +
           (reportFiles.size() == 1 ? " report file" : " report files") + " of suppresszembrel runs</p></header>\n<main>\n";

    std::int64_t largestHit = 0;
    std::int64_t hitCount = 0;
    for (const auto& entry : hits_) {
        largestHit = std::max(largestHit, entry.second.count);
        hitCount += entry.second.count;
    }
    out += "<div class=\"cards\">\n";
    out += card(number(runs_.runs), "runs (" + number(runs_.dryRuns) + " dry runs)");
    out += card(number(static_cast<std::int64_t>(reportFiles.size())), "report files (builds)");
    out += card(number(runs_.files), "files (summed over the runs)");
    out += card(number(runs_.diagnostics), "diagnostics examined (summed over the runs)");
    out += card(number(runs_.records), "records appended");
    out += card(number(static_cast<std::int64_t>(hits_.size())), "rules with hits");
    out += card(compared_ ? number(static_cast<std::int64_t>(unused_.size())) : "?", "unused rules",
                unused_.empty() ? "quiet" : "unused");
    out += card(number(static_cast<std::int64_t>(unusable_.size())), "rules that could not be used",
                unusable_.empty() ? "quiet" : "broken");
    out += "</div>\n";

    const auto ruleAt = [](const std::string& path, std::int32_t line) { return path + ":" + std::to_string(line); };
    const auto kindText = [](const Rule& rule) {
        return rule.kind == "parameter" ? rule.kind + " " + std::to_string(rule.position) : rule.kind;
    };
    const auto sortedRules = [](const std::map<RuleKey, Rule>& rules) {
        std::vector<const Rule*> sorted;
        for (const auto& entry : rules)
            sorted.push_back(&entry.second);
        std::stable_sort(sorted.begin(), sorted.end(), [](const Rule* a, const Rule* b) {
            return std::tie(a->path, a->line, a->sha256) < std::tie(b->path, b->line, b->sha256);
        });
        return sorted;
    };
    const auto hashCell = [](const std::string& sha256) {
        return HtmlTable::Cell{"<code title=\"" + escaped(sha256) + "\">" + escaped(shortHash(sha256)) + "</code>",
                               sha256, ""};
    };

    HtmlTable hits({{"hits", true}, {"rule", false}, {"kind", false}, {"content", false}, {"text", false}});
    for (const Rule* rule : sortedRules(hits_))
        hits.addRow({barCell(rule->count, largestHit), monoCell(ruleAt(rule->path, rule->line)), textCell(kindText(*rule)),
                     hashCell(rule->sha256), monoCell(rule->text)});
    out += section("hits", "Hits per rule", hits, "No rule hid a diagnostic.");

    HtmlTable unused({{"rule", false}, {"kind", false}, {"text", false}});
    for (const UnusedRule& rule : unused_)
        unused.addRow({{escaped(ruleAt(rule.path, rule.line)) + "<span class=\"tag unused\">unused</span>", "", "mono"},
                       textCell(rule.kind), monoCell(rule.text)},
                      "unused");
    out += section("unused", "Unused rules (no hit over all runs)", unused,
                   compared_ ? "None." : "Give the rules files (--rules, --parameter-rules) to list them.");

    HtmlTable unusable({{"runs", true}, {"rule", false}, {"kind", false}, {"reason", false}, {"text", false}});
    for (const Rule* rule : sortedRules(unusable_))
        unusable.addRow({{number(rule->count), number(rule->count), ""},
                         {escaped(ruleAt(rule->path, rule->line)) + "<span class=\"tag broken\">broken</span>", "", "mono"},
                         textCell(rule->kind), textCell(rule->reason), monoCell(rule->text)},
                        "broken");
    out += section("unusable", "Rules that could not be used", unusable, "None.");

    std::int64_t largestMessage = 0;
    for (const auto& entry : perMessage_)
        largestMessage = std::max(largestMessage, entry.second);
    std::vector<std::pair<std::int64_t, std::int64_t>> messages(perMessage_.begin(), perMessage_.end());
    std::stable_sort(messages.begin(), messages.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    HtmlTable messageTable({{"hits", true}, {"message", true}});
    for (const auto& [message, count] : messages)
        messageTable.addRow({barCell(count, largestMessage), {number(message), number(message), ""}});
    out += section("messages", "Hits per message number", messageTable, "None.");

    std::int64_t largestFile = 0;
    for (const auto& entry : perFile_)
        largestFile = std::max(largestFile, entry.second);
    std::vector<std::pair<std::string, std::int64_t>> files(perFile_.begin(), perFile_.end());
    std::stable_sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    HtmlTable fileTable({{"hits", true}, {"file", false}});
    for (const auto& [file, count] : files)
        fileTable.addRow({barCell(count, largestFile), monoCell(file)});
    out += section("files", "Hits per source file", fileTable, "None.");

    // Every content of every rules file the runs read, by its hash; a file read in more than one
    // content changed between runs, and its hits are counted per content.
    std::map<std::string, int> contentsPerPath;
    for (const auto& entry : contents_)
        ++contentsPerPath[entry.second.path];
    HtmlTable contents({{"runs", true}, {"hits", true}, {"rules file", false}, {"content (sha256)", false}});
    for (const auto& entry : contents_) {
        const Content& content = entry.second;
        const bool changed = contentsPerPath[content.path] > 1;
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
    if (!notes_.empty()) {
        out += "<h2>Notes</h2><ul class=\"notes\" id=\"notes\">\n";
        for (const std::string& note : notes_)
            out += "<li>" + escaped(note) + "</li>\n";
        out += "</ul>\n";
    }
    out += "</section>\n</main>\n";
    out += "<footer>" + escaped(number(hitCount)) + " hits in all. Click a column's heading to sort by it.</footer>\n";
    out += kScript;
    out += "</body>\n</html>\n";
    return out;
}

} // namespace errtool
