// errtool rules-report --html on the example's report, rendered by headless Chromium (Debian's,
// installed by scripts/setup): the rendered DOM holds the rows of the example's rules, and a rule and
// a path made to inject markup stay text.
#include "ExampleProject.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace apptest {
namespace {

namespace fs = std::filesystem;
using testsupport::ProcessResult;
using testsupport::readBytes;
using testsupport::runProcess;
using testsupport::writeBytes;

using RulesReportHtmlBrowserPosixTest = ExampleProject;

// Chromium headless as root, in a closed network: without these switches it waits for connections.
std::vector<std::string> chromium(const std::string& profile, const std::vector<std::string>& more)
{
    std::vector<std::string> argv{"/usr/bin/timeout", "120", "chromium", "--headless", "--no-sandbox", "--disable-gpu",
                                  "--disable-quic", "--no-first-run", "--disable-background-networking",
                                  "--disable-component-update", "--disable-sync", "--user-data-dir=" + profile};
    argv.insert(argv.end(), more.begin(), more.end());
    return argv;
}

std::size_t occurrences(const std::string& text, const std::string& piece)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

// The part of the DOM from the element with the id to the end of its table.
std::string table(const std::string& dom, const std::string& id)
{
    const std::size_t start = dom.find("id=\"" + id + "\"");
    if (start == std::string::npos)
        return {};
    return dom.substr(start, dom.find("</table>", start) - start);
}

TEST_F(RulesReportHtmlBrowserPosixTest, examplePageRendersItsRowsAndInjectedTextStaysText)
{
    ASSERT_TRUE(testsupport::fileExists("/usr/bin/chromium")) << "Chromium is missing: run scripts/setup";
    // The tool and its rules files in a directory whose name closes an attribute and opens an
    // element, with one more message rule that tries to open a script (it never hits: unused).
    const std::string evil = path("\"><img src=x onerror=alert(1)>");
    fs::create_directories(evil);
    fs::copy_file(path("tool/suppresszembrel"), evil + "/suppresszembrel");
    fs::copy_file(path("tool/parameter_suppressions.txt"), evil + "/parameter_suppressions.txt");
    writeBytes(evil + "/suppressions.txt", readBytes(path("tool/suppressions.txt")) + "7 <script>alert(1)</script>\n");
    const std::string report = path("report.jsonl");
    for (const std::string& source : sources) {
        std::vector<std::string> argv = toolCommand({source}, {"-po", "suppresszembrel::report=" + report});
        argv[0] = evil + "/suppresszembrel";
        const ProcessResult run = runProcess(argv, options);
        ASSERT_EQ(run.status, 0) << run.out << run.err;
    }
    const std::string page = path("rules-report.html");
    const ProcessResult made = errtool({"rules-report", report, "--rules", evil + "/suppressions.txt",
                                        "--parameter-rules", evil + "/parameter_suppressions.txt", "--html", page});
    ASSERT_EQ(made.status, 0) << made.err;
    const nlohmann::json json = nlohmann::json::parse(
        errtool({"rules-report", report, "--rules", evil + "/suppressions.txt", "--parameter-rules",
                 evil + "/parameter_suppressions.txt", "--json"})
            .out);

    const ProcessResult rendered = runProcess(chromium(path("profile"), {"--dump-dom", "file://" + page}));
    ASSERT_EQ(rendered.status, 0) << rendered.err;
    const std::string& dom = rendered.out;
    ASSERT_NE(dom.find("<h1>Rules report</h1>"), std::string::npos) << dom;
    EXPECT_NE(dom.find("data-sorting=\"ready\""), std::string::npos) << "the page's own script ran";

    // The example's rows: a row for every rule that hit, every unused and broken rule, every message
    // number and file with hits.
    const std::string hits = table(dom, "hits");
    EXPECT_EQ(occurrences(hits, "<tr>"), json.at("hits").size() + 1); // and the heading
    for (const char* rule : {"2100 // legacy cast", "3030 // reviewed:", "1021 1 ^SENSOR_", "4211 1 ^reserved$",
                             "5002 1 ^total$"})
        EXPECT_NE(hits.find(rule), std::string::npos) << rule << "\n" << hits;
    const std::string unused = table(dom, "unused");
    EXPECT_EQ(occurrences(unused, "<tr class=\"unused\">"), 3u) << unused;
    for (const char* rule : {"2100 NOLINT\\(cast\\)", "5010 1 ^kLegacy", "7 &lt;script&gt;alert(1)&lt;/script&gt;"})
        EXPECT_NE(unused.find(rule), std::string::npos) << rule << "\n" << unused;
    const std::string unusable = table(dom, "unusable");
    EXPECT_EQ(occurrences(unusable, "<tr class=\"broken\">"), 1u) << unusable;
    EXPECT_NE(unusable.find("3030 // checked: ("), std::string::npos) << unusable;
    EXPECT_EQ(occurrences(table(dom, "messages"), "<tr>"), json.at("messages").size() + 1);
    EXPECT_EQ(occurrences(table(dom, "files"), "<tr>"), json.at("files").size() + 1);
    EXPECT_NE(table(dom, "files").find(path("src/sensor.cpp")), std::string::npos);
    EXPECT_EQ(occurrences(table(dom, "contents"), "<tr>"), 3u); // the two rules files' contents

    // No injected element: the page's one script, no image; the texts are text.
    EXPECT_EQ(occurrences(dom, "<script"), 1u);
    EXPECT_EQ(dom.find("<img"), std::string::npos);
    EXPECT_NE(dom.find("&gt;&lt;img src=x onerror=alert(1)&gt;/suppressions.txt:2"), std::string::npos);
}

} // namespace
} // namespace apptest
