// errtool sarif: URIs, suppression kinds and the diagnostics a record does or does not cover, the
// fields that code-scanning services require, and fingerprints that survive edits elsewhere.
#include "ErrtoolDescription.h"
#include "ErrtoolSarif.h"
#include "ErrtoolTable.h"

#include "C_CmdArgs.h"
#include "M_InputBonnie.h"

#include "TestSupport.h"

#include "U_PathNames.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <map>
#include <sstream>

namespace {

// The value at a "/"-separated path of member names and item numbers, as text ("#" gives the
// number of items, "~1" stands for a "/" in a name); "-" when there is none.
std::string field(const nlohmann::json& root, const std::string& path)
{
    const nlohmann::json* value = &root;
    std::istringstream steps(path);
    for (std::string step; std::getline(steps, step, '/');) {
        for (std::size_t at; (at = step.find("~1")) != std::string::npos;)
            step.replace(at, 2, "/");
        if (step == "#")
            return std::to_string(value->size());
        if (value->is_array()) {
            const std::size_t index = std::stoul(step);
            if (index >= value->size())
                return "-";
            value = &(*value)[index];
        } else if (!value->is_object() || !value->contains(step)) {
            return "-";
        } else {
            value = &(*value)[step];
        }
    }
    if (value->is_number())
        return std::to_string(value->get<std::int64_t>());
    return value->is_string() ? value->get<std::string>() : "-";
}

// The SARIF log of error files made from descriptions ("@DIR@" stands for the temporary directory,
// which is the source root and holds the sources and out/, the error files).
class SarifOfDescriptions {
public:
    SarifOfDescriptions() : command_("VELCPP", std::vector<std::string>{}) { command_.makeCurrent(); }

    void source(const std::string& name, const std::string& text) { testsupport::writeBytes(dir_.file(name), text); }

    // The source root is the temporary directory unless `withoutRoot`; the source files that
    // cannot be read go to `unreadable`.
    nlohmann::json log(const std::vector<std::pair<std::string, std::string>>& errorFiles, errtool::SarifOptions options = {},
                       bool withoutRoot = false, std::vector<std::string>* unreadable = nullptr)
    {
        std::vector<U_Handle<M_InputBonnie>> readers;
        std::vector<errtool::SarifInput> inputs;
        for (const auto& [name, description] : errorFiles) {
            std::string text = description;
            for (std::size_t at; (at = text.find("@DIR@")) != std::string::npos;)
                text.replace(at, 5, dir_.path());
            const std::string path = dir_.file("out/" + name);
            readers.push_back(M_InputBonnie::readBytes(errtool::buildErrorFile(text),
                                                       errtool::format2Source(path, dir_.path())));
            EXPECT_TRUE(readers.back()) << description;
            if (!readers.back())
                return nlohmann::json();
            inputs.push_back({path, readers.back().get()});
        }
        if (!withoutRoot)
            options.sourceRoot = dir_.path();
        return nlohmann::json::parse(errtool::sarifLog(inputs, options, unreadable));
    }

    std::string file(const std::string& name) const { return dir_.file(name); }

private:
    C_CmdArgs command_;
    testsupport::TempDir dir_;
};

constexpr const char* kSource = "int a;\nint b = (int)c; // legacy\nint d;\n";
constexpr const char* kCast = "file A @DIR@/a.c a.c\nloc L A 2 9\nblock\ndiag L 2100\n str int\nend\n";

struct FieldCase {
    const char* what;
    std::vector<std::pair<std::string, std::string>> errorFiles; // name, description
    std::map<std::int32_t, std::string> messageTexts;
    std::vector<std::pair<std::string, std::string>> fields; // path below runs/0, value
};

// What code-scanning services require and people read: the driver's version, the rules' texts,
// messages without bookkeeping, a region for every result, hiddenBy on every suppression, one result
// for a header's diagnostic, and format-2 locations in the analysed source.
TEST(ErrtoolSarifTest, fieldsThatCodeScanningServicesRequireAndPeopleRead)
{
    const std::vector<FieldCase> cases = {
        {"the driver's version and a rule per message number, with what is known of it",
         {{"a.c.err", kCast}},
         {},
         {{"tool/driver/version", "9.8.7"},
          {"tool/driver/rules/#", "1"},
          {"tool/driver/rules/0/id", "2100"},
          {"tool/driver/rules/0/shortDescription/text", "VEL message 2100"},
          {"tool/driver/rules/0/fullDescription/text", "Message 2100 of the VEL analyser family (VELC, VELCPP)."},
          {"tool/driver/rules/0/help/text", "Message 2100 of the VEL analyser family: its documentation explains the "
                                            "message. errtool sarif --messages FILE gives the rules the texts of the "
                                            "messages."}}},
        {"the rules' texts from a messages file",
         {{"a.c.err", kCast}},
         {{2100, "C-style cast"}},
         {{"tool/driver/rules/0/shortDescription/text", "C-style cast"},
          {"tool/driver/rules/0/fullDescription/text", "VEL message 2100: C-style cast"},
          {"tool/driver/rules/0/help/text",
           "VEL message 2100: C-style cast. The analyser's documentation of the message tells more."}}},
        {"a message is the number and the parameters, lists in brackets",
         {{"a.c.err", "file A @DIR@/a.c a.c\nloc L A 2 9\nloc M A 3 1\nblock\n"
                      "diag L 4211\n str reserved\n list x y\nend\n"
                      "diag L 1234\n msglist\n  diag M 5\n   str x\n  end\n  diag L 6\n  end\n end\nend\n"}},
         {},
         {{"results/0/message/text", "Message 4211: reserved, [x, y]"},
          {"results/1/message/text", "Message 1234: [Message 5 at a.c line 3: x; Message 6 at a.c line 2]"}}},
        {"a line and column: a region with both",
         {{"a.c.err", kCast}},
         {},
         {{"results/0/locations/0/physicalLocation/artifactLocation/uri", "a.c"},
          {"results/0/locations/0/physicalLocation/region/startLine", "2"},
          {"results/0/locations/0/physicalLocation/region/startColumn", "9"}}},
        {"a path and a parameter in the file-name code page (Latin-1 e-acute; on Windows the ANSI code page's): "
         "UTF-8, percent-encoded in the URI",
         {{"a.c.err", "file A @DIR@/caf\xe9.c caf\xe9.c\nloc L A 2 9\nblock\ndiag L 2100\n str d\xe9j\xe0\nend\n"}},
         {},
         {{"results/0/locations/0/physicalLocation/artifactLocation/uri", "caf%C3%A9.c"},
          {"results/0/message/text", "Message 2100: d\xc3\xa9j\xc3\xa0"}}},
        {"line 0 (about the whole file): the whole file's lines",
         {{"a.c.err", "file A @DIR@/a.c a.c\nloc F A 0 0\nblock\ndiag F 1005\n str a.c\nend\n"}},
         {},
         {{"results/0/locations/0/physicalLocation/region/startLine", "1"},
          {"results/0/locations/0/physicalLocation/region/endLine", "3"},
          {"results/0/locations/0/physicalLocation/region/startColumn", "-"}}},
        {"line 0 of a file that cannot be read: from its first line",
         {{"gone.c.err", "file G @DIR@/gone.c gone.c\nloc F G 0 0\nblock\ndiag F 1005\nend\n"}},
         {},
         {{"results/0/locations/0/physicalLocation/region/startLine", "1"},
          {"results/0/locations/0/physicalLocation/region/endLine", "-"}}},
        {"a suppression record: hiddenBy as for pragma and user",
         {{"a.c.err", std::string(kCast) + "supp 1 L Auto L - 2100 2100\n"}},
         {},
         {{"results/0/suppressions/0/kind", "external"},
          {"results/0/suppressions/0/justification", "Auto"},
          {"results/0/suppressions/0/properties/hiddenBy", "record"}}},
        {"a header's diagnostic from two sources: one result with both include chains",
         {{"a.c.err", "file A @DIR@/a.c a.c\nfile H @DIR@/h.h h.h\nloc I A 1 0\nloc D H 2 9 incl I\nblock\n"
                      "diag D 1021\n str X\nend\n"},
          {"b.c.err", "file B @DIR@/b.c b.c\nfile H @DIR@/h.h h.h\nloc I B 4 0\nloc D H 2 9 incl I\nblock\n"
                      "diag D 1021\n str X\nend\n"}},
         {},
         {{"results/#", "1"},
          {"results/0/locations/0/physicalLocation/artifactLocation/uri", "h.h"},
          {"results/0/relatedLocations/#", "2"},
          {"results/0/relatedLocations/0/physicalLocation/artifactLocation/uri", "a.c"},
          {"results/0/relatedLocations/1/physicalLocation/artifactLocation/uri", "b.c"},
          {"results/0/relatedLocations/1/physicalLocation/region/startLine", "4"},
          {"results/0/relatedLocations/1/id", "2"},
          {"results/0/partialFingerprints/velResultHash~1v1", "-"}}},
        {"format 2: locations in the analysed source that the error file's name tells, not in the error file",
         {{"a.c.err", "format 2\nf2diag 0 3 -1 0 77 \"x\\0\"\nf2file @DIR@/h.h\nf2diag 0 2 1 4 78 \"y\\0\"\n"}},
         {},
         {{"results/0/locations/0/physicalLocation/artifactLocation/uri", "a.c"},
          {"results/0/message/text", "Message 77: x"},
          {"results/1/locations/0/physicalLocation/artifactLocation/uri", "h.h"},
          {"results/1/relatedLocations/0/physicalLocation/artifactLocation/uri", "a.c"},
          {"results/1/relatedLocations/0/physicalLocation/region/startLine", "1"}}},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.what);
        SarifOfDescriptions sarif;
        sarif.source("a.c", kSource);
        errtool::SarifOptions options;
        options.version = "9.8.7";
        options.messageTexts = c.messageTexts;
        const nlohmann::json log = sarif.log(c.errorFiles, options);
        ASSERT_EQ(field(log, "runs/#"), "1");
        const nlohmann::json& run = log.at("runs")[0];
        for (const auto& [path, value] : c.fields)
            EXPECT_EQ(field(run, path), value) << path;
        for (std::size_t i = 0; i < run.at("results").size(); ++i) {
            const std::string result = "results/" + std::to_string(i);
            EXPECT_NE(field(run, result + "/locations/0/physicalLocation/region/startLine"), "-") << "every result has a region";
            EXPECT_EQ(run.at("results")[i].at("partialFingerprints").size(), 1u) << "a fingerprint";
        }
    }
}

// The fingerprint of the cast on line 2 after an edit of the source, and whether it stays.
struct EditCase {
    const char* what;
    const char* source;
    int line;
    bool same;
};

TEST(ErrtoolSarifTest, fingerprintsSurviveEditsElsewhereAndChangeWithTheirLine)
{
    const auto fingerprint = [](const std::string& source, int line) {
        SarifOfDescriptions sarif;
        sarif.source("a.c", source);
        std::string description = kCast;
        description.replace(description.find("A 2 9"), 5, "A " + std::to_string(line) + " 9");
        const nlohmann::json log = sarif.log({{"a.c.err", description}});
        const std::string hash = field(log, "runs/0/results/0/partialFingerprints/velResultHash~1v1");
        return hash == "-" ? std::string() : hash;
    };
    const std::string before = fingerprint(kSource, 2);
    ASSERT_FALSE(before.empty());
    const std::vector<EditCase> cases = {
        {"a line inserted above", "// new first line\n\nint a;\nint b = (int)c; // legacy\nint d;\n", 4, true},
        {"a line below changed", "int a;\nint b = (int)c; // legacy\nlong d;\nint e;\n", 2, true},
        {"its line re-indented, CR LF line ends", "int a;\r\n    int b  =  (int)c;  // legacy\r\nint d;\r\n", 2, true},
        {"its own line changed", "int a;\nint b = (int)c; // legacy, reviewed\nint d;\n", 2, false},
        {"its own line replaced, the line number kept", "int a;\nint b = (int)e; // legacy\nint d;\n", 2, false},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(fingerprint(c.source, c.line) == before, c.same);
    }

    // The same diagnostic on two lines alike: told apart by their order.
    SarifOfDescriptions twice;
    twice.source("a.c", "int b = (int)c;\nint b = (int)c;\n");
    const nlohmann::json log = twice.log({{"a.c.err", "file A @DIR@/a.c a.c\nloc L A 1 9\nloc M A 2 9\nblock\n"
                                                   "diag L 2100\n str int\nend\ndiag M 2100\n str int\nend\n"}});
    const auto& results = log.at("runs")[0].at("results");
    ASSERT_EQ(results.size(), 2u);
    EXPECT_NE(results[0].at("partialFingerprints").at("velResultHash/v1"),
              results[1].at("partialFingerprints").at("velResultHash/v1"));
}

// Two checkouts of the same sources in different folders give the same fingerprints, with the
// source root given and without it (then the analysed sources' folder is the root); the root is
// named with a trailing slash. A source that cannot be read is said once and marks its results'
// fingerprints.
TEST(ErrtoolSarifTest, fingerprintsAreTheSameInCheckoutsInDifferentFolders)
{
    const std::vector<std::pair<std::string, std::string>> errorFiles = {
        {"a.c.err", "file A @DIR@/src/a.c a.c\nfile H @DIR@/include/h.h h.h\nloc I A 1 0\nloc D H 2 9 incl I\n"
                    "loc L A 2 9\nblock\ndiag D 1021\n str X\nend\ndiag L 2100\n str int\nend\n"},
        {"gone.c.err", "file G @DIR@/src/gone.c gone.c\nloc L G 3 1\nblock\ndiag L 2100\n str int\nend\n"}};
    for (const bool withoutRoot : {false, true}) {
        SCOPED_TRACE(withoutRoot ? "without a source root" : "with the source root");
        std::vector<std::vector<std::string>> fingerprints;
        std::vector<std::string> roots;
        for (int checkout = 0; checkout < 2; ++checkout) {
            SarifOfDescriptions sarif;
            sarif.source("src/a.c", kSource);
            sarif.source("include/h.h", "#define A\n#define X 1\n");
            std::vector<std::string> unreadable;
            const nlohmann::json log = sarif.log(errorFiles, {}, withoutRoot, &unreadable);
            EXPECT_EQ(unreadable, std::vector<std::string>({toForwardSlashes(sarif.file("src/gone.c"))}));
            const nlohmann::json& run = log.at("runs").at(0);
            roots.push_back(run.at("originalUriBaseIds").at("SRCROOT").at("uri").get<std::string>());
            EXPECT_EQ(roots.back().back(), '/');
            std::vector<std::string> hashes;
            for (const nlohmann::json& result : run.at("results"))
                for (const auto& [name, hash] : result.at("partialFingerprints").items())
                    hashes.push_back(name + " " + hash.get<std::string>());
            fingerprints.push_back(hashes);
        }
        EXPECT_NE(roots[0], roots[1]);
        EXPECT_EQ(fingerprints[0], fingerprints[1]);
        ASSERT_EQ(fingerprints[0].size(), 3u);
        EXPECT_EQ(fingerprints[0][0].rfind("velResultHash/v1 ", 0), 0u) << fingerprints[0][0];
        EXPECT_EQ(fingerprints[0][2].rfind("velResultHash/v1-nosource ", 0), 0u) << fingerprints[0][2];
    }
}

TEST(ErrtoolSarifTest, fileUrisArePercentEncodedAndKeepTheDrive)
{
    EXPECT_EQ(errtool::fileUri("/s/a.c"), "file:///s/a.c");
    EXPECT_EQ(errtool::fileUri("/s/my dir/a#1.c"), "file:///s/my%20dir/a%231.c");
    EXPECT_EQ(errtool::fileUri("C:/Src/a.c"), "file:///C:/Src/a.c");
    EXPECT_EQ(errtool::fileUri("C:\\Src\\\xc3\xa9.c"), "file:///C:/Src/%C3%A9.c");
    EXPECT_EQ(errtool::fileUri("//server/share/a b.c"), "file://server/share/a%20b.c");
    EXPECT_EQ(errtool::fileUri("\\\\server\\share\\a.c"), "file://server/share/a.c");
    EXPECT_EQ(errtool::fileUri("rel/a:b.c"), "rel/a%3Ab.c"); // a relative reference cannot hold a colon
}

// Pragma, user, a kind-1 record, a kind-2 record at its exact position, a fourth-flag diagnostic
// under a record, and one that nothing hides.
TEST(ErrtoolSarifTest, suppressionKindsFollowPragmaUserAndRecords)
{
    C_CmdArgs command("VELCPP", std::vector<std::string>{});
    command.makeCurrent();
    const std::string bytes = errtool::buildErrorFile(
        "file A /s/a.c a.c\nloc L1 A 1 1\nloc L2 A 2 1\nloc L3 A 3 5\nloc L4 A 4 1\nloc L5 A 5 1\nloc L6 A 6 1\nblock\n"
        "diag L1 10 pragma\nend\ndiag L2 10 user\nend\ndiag L3 10\nend\ndiag L4 10 fourth\nend\n"
        "diag L5 10\nend\ndiag L6 20\nend\n"
        "supp 1 L3 \"reviewed by QA\" L3 - 10 10\nsupp 1 L4 Auto L4 - 10 10\nsupp 2 L5 kind2 L5 - 10 10\n");
    const auto reader = M_InputBonnie::readBytes(bytes, "/s/a.c");
    ASSERT_TRUE(reader);
    const nlohmann::json log = nlohmann::json::parse(errtool::sarifLog({{"a.err", reader.get()}}, errtool::SarifOptions{}));
    const auto& results = log.at("runs").at(0).at("results");
    ASSERT_EQ(results.size(), 6u);
    const auto suppression = [&](std::size_t i) -> std::string {
        if (!results[i].contains("suppressions"))
            return "-";
        const nlohmann::json& first = results[i].at("suppressions").at(0);
        return first.value("kind", "") + "/" + first.value("justification", "") + "/" +
               first.at("properties").value("hiddenBy", "");
    };
    EXPECT_EQ(suppression(0), "inSource//pragma");
    EXPECT_EQ(suppression(1), "external//user");
    EXPECT_EQ(suppression(2), "external/reviewed by QA/record");
    EXPECT_EQ(suppression(3), "-"); // the fourth flag: never counted as suppressed
    EXPECT_EQ(suppression(4), "external/kind2/record");
    EXPECT_EQ(suppression(5), "-");
    const nlohmann::json& region =
        results[2].at("locations").at(0).at("physicalLocation").at("region");
    EXPECT_EQ(region.value("startLine", std::int64_t{0}), 3);
    EXPECT_EQ(region.value("startColumn", std::int64_t{0}), 5);
    EXPECT_EQ(results[5].value("ruleId", ""), "20");
    EXPECT_EQ(results[5].value("ruleIndex", std::int64_t{0}), 1);
}

TEST(ErrtoolTableTest, alignsNumbersRightAndTextLeftWithoutTrailingBlanks)
{
    errtool::TextTable table({{"hits", true}, {"rule", false}, {"text", false}});
    table.addRow({"2", "a.txt:1", "x"});
    table.addRow({"10", "long.txt:12", "\xc3\xa9t\xc3\xa9"});
    EXPECT_EQ(table.text(), "  hits  rule         text\n"
                            "     2  a.txt:1      x\n"
                            "    10  long.txt:12  \xc3\xa9t\xc3\xa9\n");
}

} // namespace
