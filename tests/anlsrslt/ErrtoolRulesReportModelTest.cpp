// errtool rules-report: the text, the JSON and the page render one model, so they show the same
// figures, and the page shows the text's sections in the text's order.
#include "ErrtoolRulesReport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <map>
#include <regex>

namespace {

using Model = errtool::RulesReport::Model;
using Rule = errtool::RulesReport::Rule;
using Figures = std::map<std::string, std::int64_t>;

// The sections both outputs show, by the page's ids, in the text's order.
const std::vector<std::pair<std::string, std::string>> kSections = {
    {"hits", "Hits per rule"},
    {"unused", "Unused rules (no hit over all runs)"},
    {"unusable", "Rules that could not be used"},
    {"warnings", "Rules to check (read as the tool reads them, perhaps not as meant)"},
    {"messages", "Hits per message number"},
    {"files", "Hits per source file"},
};

std::int64_t count(const std::string& text, const std::string& piece)
{
    std::int64_t n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

// The text of the block that starts with the heading line, up to the next empty line.
std::string textSection(const std::string& text, const std::string& heading)
{
    const std::size_t start = text.find("\n" + heading + "\n");
    if (start == std::string::npos)
        return {};
    const std::size_t body = start + heading.size() + 2;
    const std::size_t end = text.find("\n\n", body);
    return text.substr(body, end == std::string::npos ? std::string::npos : end + 1 - body);
}

Figures textFigures(const std::string& text)
{
    Figures figures;
    std::smatch m;
    const std::regex first(R"(^Runs: (\d+) \((\d+) dry runs\); summed over the runs: (\d+) files and (\d+) diagnostics )"
                           R"(examined, (\d+) records appended(, (\d+) records would be appended by the dry runs)?\n)");
    EXPECT_TRUE(std::regex_search(text, m, first)) << text;
    figures["runs"] = std::stoll(m[1]);
    figures["dry runs"] = std::stoll(m[2]);
    figures["files examined"] = std::stoll(m[3]);
    figures["diagnostics"] = std::stoll(m[4]);
    figures["records appended"] = std::stoll(m[5]);
    figures["records would be appended"] = m[7].matched ? std::stoll(m[7]) : 0;
    for (const auto& [id, heading] : kSections) {
        const std::string body = textSection(text, heading);
        const std::int64_t lines = count(body, "\n");
        figures[id] = lines <= 1 ? 0 : lines - 1; // a heading row above the rows, or one line saying none
    }
    std::int64_t hits = 0;
    const std::string rows = textSection(text, "Hits per rule");
    for (std::size_t at = rows.find('\n'); at != std::string::npos && at + 1 < rows.size(); at = rows.find('\n', at + 1)) {
        const std::size_t start = rows.find_first_not_of(' ', at + 1);
        hits += std::stoll(rows.substr(start, rows.find_first_of(" \n", start) - start));
    }
    figures["hit count"] = figures["hits"] > 0 ? hits : 0;
    figures["changed"] = std::max<std::int64_t>(
        0, count(textSection(text, "Rules files whose content changed between runs (their hits are counted per content)"), "\n") - 1);
    figures["notes"] = count(textSection(text, "Notes"), "\n");
    return figures;
}

Figures jsonFigures(const std::string& text)
{
    const nlohmann::json json = nlohmann::json::parse(text);
    const nlohmann::json& runs = json.at("runs");
    Figures figures;
    figures["runs"] = runs.at("runs");
    figures["dry runs"] = runs.at("dry_runs");
    figures["files examined"] = runs.at("files");
    figures["diagnostics"] = runs.at("diagnostics");
    figures["records appended"] = runs.at("records").get<std::int64_t>() - runs.at("dry_run_records").get<std::int64_t>();
    figures["records would be appended"] = runs.at("dry_run_records");
    for (const auto& [id, heading] : kSections)
        figures[id] = static_cast<std::int64_t>(json.at(id).size());
    figures["hit count"] = 0;
    for (const nlohmann::json& hit : json.at("hits"))
        figures["hit count"] += hit.at("hits").get<std::int64_t>();
    figures["changed"] = static_cast<std::int64_t>(json.at("changed").size());
    figures["notes"] = static_cast<std::int64_t>(json.at("notes").size());
    return figures;
}

std::int64_t card(const std::string& page, const std::string& label)
{
    std::smatch m;
    if (!std::regex_search(page, m, std::regex("<div class=\"value\">(\\d+)</div><div class=\"label\">" + label + "</div>")))
        return 0;
    return std::stoll(m[1]);
}

Figures htmlFigures(const std::string& page)
{
    Figures figures;
    figures["runs"] = card(page, "runs \\(\\d+ dry runs\\)");
    std::smatch m;
    figures["dry runs"] = std::regex_search(page, m, std::regex("runs \\((\\d+) dry runs\\)")) ? std::stoll(m[1]) : -1;
    figures["files examined"] = card(page, "files \\(summed over the runs\\)");
    figures["diagnostics"] = card(page, "diagnostics examined \\(summed over the runs\\)");
    figures["records appended"] = card(page, "records appended");
    figures["records would be appended"] = card(page, "records would be appended by the dry runs");
    for (const auto& [id, heading] : kSections) {
        const std::size_t start = page.find("<section id=\"" + id + "\">");
        const std::string section = start == std::string::npos ? "" : page.substr(start, page.find("</section>", start) - start);
        figures[id] = count(section, "<tr") - (count(section, "<thead>") > 0 ? 1 : 0);
        // The heading's own count says the same.
        EXPECT_NE(section.find(" <span class=\"count\">(" + std::to_string(figures[id]) + ")</span>"), std::string::npos) << id;
    }
    figures["hit count"] = std::regex_search(page, m, std::regex("<footer>(\\d+) hits in all")) ? std::stoll(m[1]) : -1;
    figures["changed"] = count(page, "<span class=\"tag changed\">");
    const std::size_t notes = page.find("<ul class=\"notes\" id=\"notes\">");
    figures["notes"] = notes == std::string::npos ? 0 : count(page.substr(notes, page.find("</ul>", notes) - notes), "<li>");
    return figures;
}

Rule rule(const std::string& path, std::int32_t line, const std::string& kind, std::int64_t count,
          const std::string& reason = "")
{
    return Rule{path, std::string(64, 'a'), line, kind, kind == "parameter" ? 1 : 0, std::to_string(line) + " rule",
                reason, count};
}

struct ModelCase {
    const char* what;
    Model model;
};

std::vector<ModelCase> cases()
{
    // The example's report: one dry run and one real run, with a warning, an unusable and an unused rule.
    Model example;
    example.runs = {2, 1, 6, 20, 12, 6};
    example.recordsAppended = 6;
    example.hits = {rule("s.txt", 1, "message", 4), rule("s.txt", 2, "message", 6), rule("p.txt", 1, "parameter", 2)};
    example.hitCount = 12;
    example.compared = true;
    example.unused = {{"s.txt", 3, "message", "3 never"}};
    example.unusable = {rule("s.txt", 4, "message", 2, "regex compilation error: missing )")};
    example.warnings = {rule("p.txt", 2, "parameter", 0, "the pattern ends with a blank")};
    example.messages = {{2100, 6}, {4211, 4}, {1021, 2}};
    example.files = {{"/s/a.cpp", 8}, {"/s/a.h", 4}};
    example.contents = {{"p.txt", std::string(64, 'a'), 2, 2}, {"s.txt", std::string(64, 'a'), 2, 10}};

    // Nothing hit, no rules files given, no dry run.
    Model quiet;
    quiet.runs = {1, 0, 3, 9, 0, 0};
    quiet.contents = {{"s.txt", std::string(64, 'b'), 1, 0}};

    // A rules file that changed between runs, and notes.
    Model changed = example;
    changed.runs = {3, 0, 9, 30, 12, 0};
    changed.recordsAppended = 12;
    changed.contents.push_back({"s.txt", std::string(64, 'c'), 1, 0});
    changed.changed = {changed.contents[1], changed.contents[2]};
    changed.notes = {"r.jsonl: 1 lines that are not report lines were skipped", "a second note"};

    return {{"a dry run and a real run", example}, {"no hit and no rules files", quiet}, {"a changed rules file", changed}};
}

TEST(ErrtoolRulesReportModelTest, textJsonAndPageShowTheSameFigures)
{
    for (const ModelCase& c : cases()) {
        SCOPED_TRACE(c.what);
        const std::string text = errtool::RulesReport::renderText(c.model);
        const Figures fromText = textFigures(text);
        EXPECT_EQ(fromText, jsonFigures(errtool::RulesReport::renderJson(c.model))) << text;
        const std::string page = errtool::RulesReport::renderHtml(c.model, {"r.jsonl"});
        EXPECT_EQ(fromText, htmlFigures(page));
        EXPECT_EQ(fromText.at("records appended"), c.model.recordsAppended);
        EXPECT_EQ(fromText.at("warnings"), static_cast<std::int64_t>(c.model.warnings.size()));

        // The page's sections come in the text's order.
        std::size_t inText = 0;
        std::size_t inPage = 0;
        for (const auto& [id, heading] : kSections) {
            const std::size_t t = text.find("\n" + heading + "\n");
            const std::size_t p = page.find("<section id=\"" + id + "\">");
            ASSERT_NE(t, std::string::npos) << heading;
            ASSERT_NE(p, std::string::npos) << id;
            EXPECT_GT(t, inText) << heading;
            EXPECT_GT(p, inPage) << id;
            inText = t;
            inPage = p;
        }
    }
}

} // namespace
