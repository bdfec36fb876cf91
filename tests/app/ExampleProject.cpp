// The example project's installation and runs, and the report readers of its tests.
#include "ExampleProject.h"

#include "M_InputBonnie.h"
#include "U_LocationData.h"

#include <algorithm>
#include <filesystem>

namespace apptest {

namespace fs = std::filesystem;
using testsupport::ProcessResult;
using testsupport::readBytes;
using testsupport::runProcess;
using testsupport::sourceFile;
using testsupport::writeBytes;

std::vector<nlohmann::json> reportLines(const std::string& path)
{
    const std::string text = readBytes(path);
    std::vector<nlohmann::json> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "unfinished last line";
        if (end == std::string::npos)
            break;
        lines.push_back(nlohmann::json::parse(text.substr(start, end - start)));
        start = end + 2;
    }
    return lines;
}

std::vector<nlohmann::json> linesOfType(const std::vector<nlohmann::json>& lines, const std::string& type)
{
    std::vector<nlohmann::json> chosen;
    for (const nlohmann::json& line : lines)
        if (line.value("type", "") == type)
            chosen.push_back(line);
    return chosen;
}

bool hasRow(const std::string& text, const std::vector<std::string>& pieces)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        std::size_t at = 0;
        bool all = true;
        for (const std::string& piece : pieces) {
            at = line.find(piece, at);
            if (at == std::string::npos) {
                all = false;
                break;
            }
            at += piece.size();
        }
        if (all)
            return true;
        start = end + 1;
    }
    return false;
}

std::multiset<RecordKey> recordKeys(const std::vector<nlohmann::json>& records)
{
    std::multiset<RecordKey> keys;
    for (const nlohmann::json& r : records)
        keys.emplace(r.value("error_file", ""), r.value("message", std::int64_t{0}), r.value("file", ""), r.value("line", std::int64_t{0}),
                     r.value("column", std::int64_t{0}));
    return keys;
}

ExampleProject::ExampleProject() : root(fs::canonical(dir.path()).generic_string())
{
    writeBytes(path("bin/velcpp.cfg"), "#options\n");
    writeBytes(path("home/.keep"), "");
    fs::create_directories(path("out"));
    fs::create_directories(path("src"));
    testsupport::placeProgram(testsupport::builtProgram("app/suppresszembrel"), path("tool/suppresszembrel"));
    for (const char* rules : {"suppressions.txt", "parameter_suppressions.txt"})
        fs::copy_file(sourceFile(std::string("examples/project/rules/") + rules), path(std::string("tool/") + rules));
    for (const char* source : {"main.cpp", "sensor.cpp", "sensor.h"})
        fs::copy_file(sourceFile(std::string("examples/project/src/") + source), path(std::string("src/") + source));
    for (const std::string& source : sources) {
        // The example's descriptions name the sources below @SRC@, which errtool fills in.
        const ProcessResult made = errtool(
            {"make", "--set", "SRC=" + path("src"), sourceFile("examples/project/errors/" + source + ".txt"), errorFile(source)});
        EXPECT_EQ(made.status, 0) << made.err;
    }
    options.workingDirectory = root;
    options.env = {{"VELCPPBIN", path("bin")},
                   {"VELCPPTEMPFILES", root},
                   {"HOME", path("home")},
                   {"PATH", testsupport::systemSearchPath()}};
}

ProcessResult ExampleProject::errtool(std::vector<std::string> arguments) const
{
    arguments.insert(arguments.begin(), testsupport::builtProgram("tools/errtool/errtool"));
    return runProcess(arguments);
}

std::vector<std::string> ExampleProject::toolCommand(const std::vector<std::string>& sources,
                                                     const std::vector<std::string>& more) const
{
    std::vector<std::string> argv{path("tool/suppresszembrel") + testsupport::kProgramSuffix, "VELCPP", "-op",
                                  path("out")};
    for (const std::string& source : sources)
        argv.push_back("src/" + source);
    argv.push_back("-forget");
    argv.push_back("cmaf");
    argv.insert(argv.end(), more.begin(), more.end());
    return argv;
}

ProcessResult ExampleProject::tool(const std::string& source, const std::vector<std::string>& more) const
{
    return runProcess(toolCommand({source}, more), options);
}

ProcessResult ExampleProject::build(const std::vector<std::string>& more) const
{
    ProcessResult all{0, "", ""};
    for (const std::string& source : sources) {
        const ProcessResult r = tool(source, more);
        all.status = std::max(all.status, r.status);
        all.out += r.out;
        all.err += r.err;
    }
    return all;
}

ProcessResult ExampleProject::sarifOfTheExample(const std::string& output, const std::string& sourceRoot) const
{
    return errtool({"sarif", errorFile("sensor.cpp"), errorFile("main.cpp"), "--source-root",
                    sourceRoot.empty() ? root : sourceRoot, "-o", output});
}

std::map<std::string, std::string> ExampleProject::errorFiles() const
{
    std::map<std::string, std::string> bytes;
    for (const std::string& source : sources)
        bytes[source] = readBytes(errorFile(source));
    return bytes;
}

std::multiset<RecordKey> ExampleProject::appendedRecords() const
{
    std::multiset<RecordKey> records;
    for (const std::string& source : sources) {
        const auto reader = M_InputBonnie::openAndRead(errorFile(source), "x");
        EXPECT_TRUE(reader);
        if (!reader)
            continue;
        // Block 1 is the analyser's; the tool appends from block 2 on.
        const std::size_t first = reader->blockStarts().size() > 1 ? reader->blockStarts()[1].suppressions : 0;
        for (std::size_t i = first; i < reader->suppressions().size(); ++i) {
            const auto& record = *reader->suppressions()[i];
            const U_LocationData& at = *record.rangeStart();
            records.emplace(errorFile(source), std::stoll(record.messageRanges().at(0).first), at.file().fullName(),
                            at.line(), at.column());
        }
    }
    return records;
}

} // namespace apptest
