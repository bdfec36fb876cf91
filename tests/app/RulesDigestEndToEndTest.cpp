// suppresszembrel with what it keeps between runs (the digests of its rules files and the memos of
// questions that matched nothing) in every state a run can find them in: the output, the status and
// the error files are those of runs that find nothing kept.
#include "NoMatchMemo.h"
#include "RulesDigest.h"
#include "RulesDigestStore.h"

#include "ChildProcess.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;
using testsupport::ProcessResult;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace {

// Rules with every kind of line a reading reports, CR LF line ends in the message rules, and numbers
// beyond the analyser's range (which a digest looks up another way than the others).
const char* const kMessageRules = "100 legacy$\r\n200 ^legacy\r\nabc\r\n300 \r\n400 (unclosed\r\n"
                                  "500 [z-a]\r\n\r\n100 never\r\n7 ^int\r\n70000 legacy\r\n-3 ^legacy\r\n";
// The same size, other reports: a digest of it must never be taken for kMessageRules.
const char* const kOtherMessageRules = "100 (egacy$\r\n200 ^legacy\r\nabc\r\n300 x\r\n400 unclosed\r\n"
                                       "500 [a-z]\r\n\r\n100 never\r\n7 ^int\r\n70000 (egacy\r\n-3 ^legacy\r\n";
const char* const kParameterRules = "60 1 ^p\n60\n60 \n60 1\n60 1 \n60 1 (bad\n7 1 ^legacy$\n61 2 q\n";
// The same rules, lines and reports, matching nothing: a memo they leave holds the questions that
// the rules above answer.
const char* const kMessageRulesMatchingNothing = "100 LEGACY$\r\n200 ^LEGACY\r\nabc\r\n300 \r\n"
                                                  "400 (unclosed\r\n500 [z-a]\r\n\r\n100 NEVER\r\n7 ^INT\r\n"
                                                  "70000 LEGACY\r\n-3 ^LEGACY\r\n";
const char* const kParameterRulesMatchingNothing = "60 1 ^P\n60\n60 \n60 1\n60 1 \n60 1 (bad\n7 1 ^LEGACY$\n61 2 Q\n";

// What a run gives: its status and output, and the error files afterwards.
struct Outcome {
    int status = 0;
    std::string out;
    std::string errorFiles;
};

// The states below work on the fixture from outside the test body, so its members are public.
class RulesDigestEndToEndTest : public testing::Test {
public:
    RulesDigestEndToEndTest() : root(fs::canonical(dir.path()).generic_string())
    {
        writeBytes(path("bin/velcpp.cfg"), "#options\n");
        writeBytes(path("home/.keep"), "");
        fs::create_directories(path("tool"));
        fs::create_directories(path("pristine"));
        fs::create_directories(path("tmp"));
        testsupport::placeProgram(testsupport::builtProgram("app/suppresszembrel"), path("tool/suppresszembrel"));
        writeBytes(path("src/a.cpp"), "int a = 1; // legacy\nlegacy_call(a);\nint b = 2;\n");
        writeBytes(path("src/b.cpp"), "legacy();\nint c; // legacy\n");
        errorFile("a.cpp", "loc L1 S 1 5\nloc L2 S 2 1\nloc L3 S 3 1\nloc L0 S 0 0\nblock\n"
                           "diag L1 100\nend\ndiag L2 200\nend\ndiag L3 7\n str \"legacy\"\nend\n"
                           "diag L3 60\n str \"px\"\n str \"q\"\nend\ndiag L0 7\n str \"legacy\"\nend\n"
                           "diag L2 300\nend\ndiag L1 61\n str \"a\"\n str \"q\"\nend\n"
                           "diag L1 70000\nend\ndiag L2 -3\nend\ndiag L2 70001\nend\n");
        errorFile("b.cpp", "loc L1 S 1 1\nloc L2 S 2 1\nblock\ndiag L1 200\nend\ndiag L2 100\nend\n"
                           "diag L2 500\nend\ndiag L1 60\n str \"none\"\nend\n");
        writeRules(kMessageRules);
        writeBytes(parameterRulesPath(), kParameterRules);
        RulesDigestStore::setDirectory(path("tmp"));
        digestFiles = {RulesDigestStore::fileFor(RulesKind::Message, messageRulesPath()),
                       RulesDigestStore::fileFor(RulesKind::Parameter, parameterRulesPath())};
        RulesDigestStore::setDirectory("");
    }

    std::string path(const std::string& name) const { return root + "/" + name; }
    std::string messageRulesPath() const { return path("rules/suppressions.txt"); }
    std::string parameterRulesPath() const { return path("rules/parameter_suppressions.txt"); }
    void writeRules(const std::string& text) { writeBytes(messageRulesPath(), text); }

    void errorFile(const std::string& sourceName, const std::string& description)
    {
        writeBytes(path("desc.txt"), "file S " + path("src/" + sourceName) + " src/" + sourceName + "\n" + description);
        const ProcessResult made = testsupport::runProcess({testsupport::builtProgram("tools/errtool/errtool"), "make",
                                                            path("desc.txt"), path("pristine/" + sourceName + ".err")});
        ASSERT_EQ(made.status, 0) << made.err;
    }

    // The tool's command line for the files, with the output directory and the temporary directory.
    std::vector<std::string> command(const std::string& out, const std::vector<std::string>& files) const
    {
        std::vector<std::string> argv{path("tool/suppresszembrel") + testsupport::kProgramSuffix, "VELCPP", "-op",
                                      out, "-po", "suppresszembrel::suppressions_txt=" + messageRulesPath(), "-po",
                                      "suppresszembrel::parameter_suppressions_txt=" + parameterRulesPath()};
        argv.insert(argv.end(), files.begin(), files.end());
        argv.insert(argv.end(), {"-forget", "cmaf"});
        return argv;
    }

    std::map<std::string, std::string> environment(const std::string& temp) const
    {
        return {{"VELCPPBIN", path("bin")}, {"VELCPPTEMPFILES", temp}, {"HOME", path("home")},
                {"PATH", testsupport::systemSearchPath()}};
    }

    void freshOutput(const std::string& out)
    {
        fs::remove_all(out);
        fs::create_directories(out);
        for (const char* name : {"a.cpp.err", "b.cpp.err"})
            fs::copy_file(path("pristine/") + name, out + "/" + name);
    }

    // A first and a second run on fresh error files, as a build runs the tool: a process for a.cpp,
    // then one for both files; the error files as each process left them. Without digests, the
    // digest and memo files are deleted before each process.
    Outcome run(const std::string& out, bool withoutDigests = false)
    {
        freshOutput(out);
        Outcome outcome;
        testsupport::ProcessOptions options;
        options.workingDirectory = root;
        options.env = environment(path("tmp"));
        for (int round = 0; round < 2; ++round) {
            for (const auto& files : {std::vector<std::string>{"src/a.cpp"}, {"src/a.cpp", "src/b.cpp"}}) {
                if (withoutDigests)
                    removeDigests();
                const ProcessResult r = testsupport::runProcess(command(out, files), options);
                outcome.status = outcome.status * 100 + r.status;
                outcome.out += r.out + "--\n";
                outcome.errorFiles += readBytes(out + "/a.cpp.err") + readBytes(out + "/b.cpp.err");
            }
        }
        return outcome;
    }

    void removeDigests()
    {
        for (const std::string& file : digestFiles)
            fs::remove_all(file);
        for (const std::string& file : memoFiles())
            fs::remove_all(file);
    }

    std::vector<std::string> memoFiles() const
    {
        std::vector<std::string> files;
        for (const auto& entry : fs::directory_iterator(path("tmp")))
            if (entry.path().filename().string().rfind("zembrel-nomatch-", 0) == 0)
                files.push_back(entry.path().string());
        return files;
    }

    // Replaces each memo file with what the function makes of its bytes.
    void rewriteMemos(const std::function<std::string(const std::string&)>& rewrite)
    {
        const std::vector<std::string> files = memoFiles();
        ASSERT_FALSE(files.empty());
        for (const std::string& file : files)
            writeBytes(file, rewrite(readBytes(file)));
    }

    // Runs with rules of the same size, time and numbers that match nothing (the message rules
    // given), then puts back the rules that were there.
    void warmWithRulesMatchingNothing(const char* messageRules = kMessageRulesMatchingNothing)
    {
        const auto message = fs::last_write_time(messageRulesPath());
        const auto parameter = fs::last_write_time(parameterRulesPath());
        const std::string messageBefore = readBytes(messageRulesPath());
        const std::string parameterBefore = readBytes(parameterRulesPath());
        writeRules(messageRules);
        writeBytes(parameterRulesPath(), kParameterRulesMatchingNothing);
        fs::last_write_time(messageRulesPath(), message);
        fs::last_write_time(parameterRulesPath(), parameter);
        run(path("out"));
        writeRules(messageBefore);
        writeBytes(parameterRulesPath(), parameterBefore);
        fs::last_write_time(messageRulesPath(), message);
        fs::last_write_time(parameterRulesPath(), parameter);
    }

    // Replaces each digest file with what the function makes of its bytes.
    void rewriteDigests(const std::function<std::string(const std::string&, RulesKind)>& rewrite)
    {
        const RulesKind kinds[] = {RulesKind::Message, RulesKind::Parameter};
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(fs::exists(digestFiles[i])) << digestFiles[i];
            writeBytes(digestFiles[i], rewrite(readBytes(digestFiles[i]), kinds[i]));
        }
    }

    // The digest in a digest file's data, of the current rules file of the kind, as this build
    // reads it.
    RulesDigest currentDigest(const std::string& data, RulesKind kind) const
    {
        RulesDigest digest;
        const std::string rules = kind == RulesKind::Message ? messageRulesPath() : parameterRulesPath();
        const std::string_view head(data.data(), kRulesDigestHeaderBytes + rulesDigestBodySize(data));
        EXPECT_TRUE(decodeRulesDigest(head, kind, rules, readBytes(rules), rulesDigestStamp(), digest));
        digest.groups = digest.groupTable.all(); // the data goes with the caller
        digest.groupTable = RulesDigestGroupTable();
        return digest;
    }

    // A digest file of the current rules file of the kind; its compiled patterns those of the data.
    std::string encode(RulesKind kind, const RulesDigest& digest, const std::string& stamp,
                       const std::string& data = std::string()) const
    {
        const std::string rules = kind == RulesKind::Message ? messageRulesPath() : parameterRulesPath();
        const std::string codes =
            data.empty() ? std::string() : data.substr(kRulesDigestHeaderBytes + rulesDigestBodySize(data));
        return encodeRulesDigest(kind, rules, readBytes(rules), digest, stamp, codes);
    }

    testsupport::TempDir dir;
    std::string root;
    std::vector<std::string> digestFiles;
};

struct DigestState {
    const char* name;
    // Brings the digests into the state before the compared run.
    std::function<void(RulesDigestEndToEndTest&)> prepare;
};

TEST_F(RulesDigestEndToEndTest, everyStateOfTheDigestsGivesTheOutputOfRunsWithoutThem)
{
    const Outcome expected = run(path("reference"), true);
    ASSERT_NE(expected.out.find("Ignoring " + messageRulesPath() + " regex compilation error for line: 400 (unclosed"),
              std::string::npos)
        << expected.out;
    // In the output directory of the compared run, whose error files name the memos.
    const auto warm = [](RulesDigestEndToEndTest& t) { t.run(t.path("out")); };

    const DigestState states[] = {
        {"cold", [](RulesDigestEndToEndTest& t) { t.removeDigests(); }},
        {"warm", warm},
        {"stale: other rules of the same size and time",
         [&](RulesDigestEndToEndTest& t) {
             const auto time = fs::last_write_time(t.messageRulesPath());
             t.writeRules(kOtherMessageRules);
             fs::last_write_time(t.messageRulesPath(), time);
             warm(t);
             t.writeRules(kMessageRules);
             fs::last_write_time(t.messageRulesPath(), time);
         }},
        {"a byte changed in the middle",
         [&](RulesDigestEndToEndTest& t) {
             warm(t);
             t.rewriteDigests([](std::string data, RulesKind) {
                 data[data.size() / 2] = static_cast<char>(data[data.size() / 2] ^ 0x10);
                 return data;
             });
         }},
        {"a byte changed in the checksum",
         [&](RulesDigestEndToEndTest& t) {
             warm(t);
             t.rewriteDigests([](std::string data, RulesKind) {
                 data[20] = static_cast<char>(data[20] ^ 1);
                 return data;
             });
         }},
        {"cut in half",
         [&](RulesDigestEndToEndTest& t) {
             warm(t);
             t.rewriteDigests([](const std::string& data, RulesKind) { return data.substr(0, data.size() / 2); });
         }},
        {"empty",
         [&](RulesDigestEndToEndTest& t) {
             warm(t);
             t.rewriteDigests([](const std::string&, RulesKind) { return std::string(); });
         }},
        {"another build's digest that says the files hold nothing",
         [&](RulesDigestEndToEndTest& t) {
             warm(t);
             t.rewriteDigests([&t](const std::string&, RulesKind kind) {
                 return t.encode(kind, RulesDigest(), "suppresszembrel 0.9; rules digest 1; PCRE2 10.00");
             });
         }},
        {"a digest whose rules stand on other lines",
         [&](RulesDigestEndToEndTest& t) {
             warm(t);
             t.rewriteDigests([&t](const std::string& data, RulesKind kind) {
                 RulesDigest digest = t.currentDigest(data, kind);
                 const std::string_view groups =
                     std::string_view(data).substr(kRulesDigestHeaderBytes + rulesDigestBodySize(data));
                 // Every rule takes the place of the next one; the groups stay whole.
                 std::vector<std::vector<RulesDigestRule>> entries;
                 std::vector<std::string_view> patterns;
                 std::vector<RulesDigestRule*> all;
                 for (const RulesDigestGroup& group : digest.groups) {
                     entries.emplace_back();
                     patterns.emplace_back();
                     EXPECT_TRUE(decodeRulesDigestGroup(groups.substr(group.offset, group.size), group,
                                                        readBytes(t.messageRulesPath()).size() * 4, entries.back(),
                                                        patterns.back()));
                 }
                 for (auto& group : entries)
                     for (RulesDigestRule& rule : group)
                         all.push_back(&rule);
                 for (std::size_t i = 0; i + 1 < all.size(); ++i) {
                     std::swap(all[i]->offset, all[i + 1]->offset);
                     std::swap(all[i]->patternOffset, all[i + 1]->patternOffset);
                 }
                 std::string rebuilt;
                 for (std::size_t g = 0; g < digest.groups.size(); ++g) {
                     RulesDigestGroup& group = digest.groups[g];
                     group.offset = rebuilt.size();
                     rebuilt.append(reinterpret_cast<const char*>(entries[g].data()),
                                    entries[g].size() * sizeof(RulesDigestRule));
                     rebuilt.append(patterns[g].data(), patterns[g].size());
                     group.checksum = rulesDigestChecksum(rebuilt.data() + group.offset, rebuilt.size() - group.offset);
                 }
                 digest.groupsSize = rebuilt.size();
                 return encodeRulesDigest(kind, kind == RulesKind::Message ? t.messageRulesPath() : t.parameterRulesPath(),
                                          readBytes(kind == RulesKind::Message ? t.messageRulesPath()
                                                                               : t.parameterRulesPath()),
                                          digest, rulesDigestStamp(), rebuilt);
             });
         }},
        {"unwritable: a directory in place of each digest and memo",
         [&](RulesDigestEndToEndTest& t) {
             warm(t);
             const std::vector<std::string> memos = t.memoFiles();
             t.removeDigests();
             for (const std::string& file : t.digestFiles)
                 fs::create_directories(file);
             for (const std::string& file : memos)
                 fs::create_directories(file);
         }},
        {"memos of rules that matched nothing, then changed with their size and time kept",
         [](RulesDigestEndToEndTest& t) { t.warmWithRulesMatchingNothing(); }},
        {"memos with a byte changed, cut short, or one byte longer",
         [&](RulesDigestEndToEndTest& t) {
             t.warmWithRulesMatchingNothing();
             int i = 0;
             t.rewriteMemos([&i](std::string data) {
                 switch (i++ % 3) {
                 case 0: data[data.size() - 2] = static_cast<char>(data[data.size() - 2] ^ 1); break;
                 case 1: data.resize(data.size() - 1); break;
                 default: data += '\n';
                 }
                 return data;
             });
         }},
        {"memos of another build",
         [&](RulesDigestEndToEndTest& t) {
             t.warmWithRulesMatchingNothing();
             t.rewriteMemos([](std::string data) {
                 const std::size_t version = data.find("suppresszembrel ") + 16;
                 data[version] = static_cast<char>(data[version] ^ 1);
                 return data;
             });
         }},
#ifndef _WIN32
        {"a digest that others may write, saying the files hold nothing",
         [&](RulesDigestEndToEndTest& t) {
             warm(t);
             t.rewriteDigests([&t](const std::string& data, RulesKind kind) {
                 RulesDigest digest = t.currentDigest(data, kind);
                 digest.unusable.clear();
                 return t.encode(kind, digest, rulesDigestStamp(), data);
             });
             for (const std::string& file : t.digestFiles)
                 ::chmod(file.c_str(), 0666);
         }},
#endif
    };
    for (const DigestState& state : states) {
        SCOPED_TRACE(state.name);
        state.prepare(*this);
        const Outcome got = run(path("out"));
        EXPECT_EQ(got.status, expected.status);
        EXPECT_EQ(got.out, expected.out);
        EXPECT_EQ(got.errorFiles, expected.errorFiles);
        removeDigests();
    }

    // The control: a digest of this build that fits its file is taken as it stands (so the states
    // above were turned away, not ignored); one that leaves out the reported lines shows.
    warm(*this);
    rewriteDigests([this](const std::string& data, RulesKind kind) {
        RulesDigest digest = currentDigest(data, kind);
        digest.unusable.clear();
        return encode(kind, digest, rulesDigestStamp(), data);
    });
    EXPECT_EQ(run(path("out")).out.find("Ignoring "), std::string::npos);
}

TEST_F(RulesDigestEndToEndTest, memosOfOtherParameterRulesWithTheSameMessageRulesAreNotTaken)
{
    // Message rules that match nothing, so that a run's memo holds every question it asked.
    writeRules(kMessageRulesMatchingNothing);
    const Outcome expected = run(path("reference"), true);
    ASSERT_NE(expected.errorFiles, readBytes(path("pristine/a.cpp.err")) + readBytes(path("pristine/b.cpp.err")));
    warmWithRulesMatchingNothing(kMessageRulesMatchingNothing);
    const Outcome got = run(path("out"));
    EXPECT_EQ(got.out, expected.out);
    EXPECT_EQ(got.errorFiles, expected.errorFiles);
}

TEST_F(RulesDigestEndToEndTest, processesWritingTheDigestsAtOnceGiveTheOutputOfRunsWithoutThem)
{
    // One process on both files, on fresh error files; or, for a second run, on a.cpp alone (a
    // process for one file keeps memos). Its standard output and error in out + ".txt", or the
    // file given for a second run.
    const auto start = [this](const std::string& out, const std::string& secondRunOutput = std::string()) {
        const bool secondRun = !secondRunOutput.empty();
        if (!secondRun)
            freshOutput(out);
        testsupport::ChildOptions options;
        options.workingDirectory = root;
        options.env = environment(path("tmp"));
        options.outputPath = secondRun ? secondRunOutput : out + ".txt";
        const std::vector<std::string> files =
            secondRun ? std::vector<std::string>{"src/a.cpp"} : std::vector<std::string>{"src/a.cpp", "src/b.cpp"};
        return testsupport::startChild(command(out, files), options);
    };
    const auto errorFiles = [](const std::string& out) {
        return readBytes(out + "/a.cpp.err") + readBytes(out + "/b.cpp.err");
    };
    removeDigests();
    ASSERT_EQ(testsupport::waitForChild(start(path("reference"))), 0);
    removeDigests();

    constexpr int kProcesses = 4;
    for (int round = 0; round < 3; ++round) {
        if (round < 2)
            removeDigests(); // the last round finds the digests that the racing writers left
        std::vector<testsupport::ChildId> children;
        for (int i = 0; i < kProcesses; ++i)
            children.push_back(start(path("out" + std::to_string(i))));
        for (int i = 0; i < kProcesses; ++i) {
            SCOPED_TRACE("round " + std::to_string(round) + ", process " + std::to_string(i));
            const std::string out = path("out" + std::to_string(i));
            EXPECT_EQ(testsupport::waitForChild(children[static_cast<std::size_t>(i)]), 0);
            EXPECT_EQ(readBytes(out + ".txt"), readBytes(path("reference.txt")));
            EXPECT_EQ(errorFiles(out), errorFiles(path("reference")));
        }
    }
    for (const std::string& file : digestFiles)
        EXPECT_TRUE(fs::is_regular_file(file)) << file;

    // The second run, four processes on the same error file: they append nothing and race for its
    // memo, then find what the racers left.
    removeDigests();
    ASSERT_EQ(testsupport::waitForChild(start(path("reference"), path("second.txt"))), 0);
    const std::string suppressed = errorFiles(path("reference"));
    for (int round = 0; round < 2; ++round) {
        if (round == 0)
            removeDigests();
        std::vector<testsupport::ChildId> children;
        for (int i = 0; i < kProcesses; ++i)
            children.push_back(start(path("reference"), path("second" + std::to_string(i) + ".txt")));
        for (int i = 0; i < kProcesses; ++i) {
            SCOPED_TRACE("second run, round " + std::to_string(round) + ", process " + std::to_string(i));
            EXPECT_EQ(testsupport::waitForChild(children[static_cast<std::size_t>(i)]), 0);
            EXPECT_EQ(readBytes(path("second" + std::to_string(i) + ".txt")), readBytes(path("second.txt")));
        }
        EXPECT_EQ(errorFiles(path("reference")), suppressed);
        EXPECT_EQ(memoFiles().size(), 1u);
    }
}

} // namespace
