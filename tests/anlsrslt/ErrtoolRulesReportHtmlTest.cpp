// errtool rules-report --html: every text from a rules file, a report, a source line or a path is
// escaped, so that what the runs read can never become markup of the page.
#include "ErrtoolRulesReport.h"

#include "U_Sha256.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

std::size_t occurrences(const std::string& text, const std::string& piece)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

struct EscapeCase {
    const char* what;
    std::string text;
    std::string escaped;
};

TEST(ErrtoolRulesReportHtmlTest, textsAreEscapedForContentAndAttributes)
{
    const std::vector<EscapeCase> cases = {
        {"a rule with a script", "7 <script>alert(1)</script>", "7 &lt;script&gt;alert(1)&lt;/script&gt;"},
        {"a path that closes an attribute", "/s/\"><img src=x onerror=alert(1)>/a.c",
         "/s/&quot;&gt;&lt;img src=x onerror=alert(1)&gt;/a.c"},
        {"ampersands and single quotes", "a && b || 'c'", "a &amp;&amp; b || &#39;c&#39;"},
        {"an entity stays text", "&lt;", "&amp;lt;"},
        {"Latin-1 from a source line", "caf\xe9", "caf\xc3\xa9"},
        {"UTF-8 as it is", "\xc3\xa9t\xc3\xa9 \xe2\x82\xac", "\xc3\xa9t\xc3\xa9 \xe2\x82\xac"},
        {"plain text", "2100 // legacy cast", "2100 // legacy cast"},
    };
    for (const EscapeCase& c : cases)
        EXPECT_EQ(errtool::htmlEscape(c.text), c.escaped) << c.what;
}

// A report whose every text field tries to inject markup, read from a directory whose name does too
// (where file names may hold quotes and angle brackets; Windows refuses them, so there the directory
// is plain and the markup comes only from the report's texts): the page shows each text, and holds
// no element but its own.
TEST(ErrtoolRulesReportHtmlTest, injectedTextsInEveryFieldStayText)
{
    testsupport::TempDir dir;
    const std::string evil = "\"><img src=x onerror=alert(1)>";
#ifdef _WIN32
    const std::string evilDir = "plain";
#else
    const std::string evilDir = evil;
#endif
    const std::string rulesPath = dir.file(evilDir + "/suppressions.txt");
    const std::string rules = "7 <script>alert(1)</script>\n8 (<b>\n9 <svg onload=alert(1)>\n";
    testsupport::writeBytes(rulesPath, rules);
    const std::string sha = sha256Hex(rules);
    // A report line of members whose values are JSON already; q() quotes a text.
    const auto q = [](const std::string& text) {
        return nlohmann::json(text).dump();
    };
    const auto line = [](const std::vector<std::pair<std::string, std::string>>& members) {
        std::string out;
        for (const auto& [name, value] : members)
            out += (out.empty() ? "{\"" : ",\"") + name + "\":" + value;
        return out + "}\r\n";
    };
    std::string report = line({{"type", q("run")}, {"message_rules", q(rulesPath)}, {"message_rules_sha256", q(sha)},
                               {"files", "1"}, {"diagnostics", "2"}, {"records", "1"}});
    report += line({{"type", q("record")}, {"rules_file", q(rulesPath)}, {"rules_sha256", q(sha)}, {"kind", q("message")},
                    {"rule_line", "1"}, {"rule", q("7 <script>alert(1)</script>")}, {"message", "7"},
                    {"file", q("/s/" + evil + ".c")}, {"matched", q("<i>x</i>")}});
    report += line({{"type", q("unusable")}, {"rules_file", q(rulesPath)}, {"rules_sha256", q(sha)},
                    {"kind", q("message")}, {"rule_line", "2"}, {"rule", q("8 (<b>")},
                    {"reason", q("regex compilation error: <u>missing )</u>")}});
    report += "<marquee>not a report line</marquee>\r\n";
    const std::string reportPath = dir.file(evilDir + "/report.jsonl");
    testsupport::writeBytes(reportPath, report);

    errtool::RulesReport read;
    read.readReport(reportPath);
    read.compareWithRules(rulesPath, "message");
    const std::string page = read.html({reportPath});

    EXPECT_EQ(occurrences(page, "<script"), 1u) << "only the page's own sorting script";
    for (const char* markup : {"<img", "<svg", "<b>", "<u>", "<i>", "<marquee", "onerror=alert(1)>"})
        EXPECT_EQ(page.find(markup), std::string::npos) << markup;
    const std::string escapedDir = errtool::htmlEscape(evilDir);
    for (const std::string& text :
         {std::string("7 &lt;script&gt;alert(1)&lt;/script&gt;"), std::string("8 (&lt;b&gt;"),
          std::string("9 &lt;svg onload=alert(1)&gt;"), std::string("regex compilation error: &lt;u&gt;missing )&lt;/u&gt;"),
          escapedDir + "/suppressions.txt:1", std::string("&quot;&gt;&lt;img src=x onerror=alert(1)&gt;.c"),
          escapedDir + "/report.jsonl: 1 lines that are not report lines"})
        EXPECT_NE(page.find(text), std::string::npos) << text;
    // Nothing is fetched: no reference to another file or host.
    for (const char* fetch : {"src=\"", "href=", "url(", "@import", "http://", "https://"})
        EXPECT_EQ(page.find(fetch), std::string::npos) << fetch;
}

} // namespace
