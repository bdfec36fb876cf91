// The fault tests' installation: configuration, tool link, sources, rules and error files.
#include "ToolSandbox.h"

#include "M_InputBonnie.h"

#include <filesystem>
#include <stdexcept>

namespace reltest {

namespace fs = std::filesystem;
using testsupport::writeBytes;

ToolSandbox::ToolSandbox() : root_(fs::canonical(dir_.path()).generic_string())
{
    writeBytes(path("bin/velcpp.cfg"), "#options\n");
    writeBytes(path("home/.keep"), "");
    fs::create_directories(path("out"));
    fs::create_directories(path("tool"));
    testsupport::placeProgram(testsupport::builtProgram("app/suppresszembrel"), path("tool/suppresszembrel"));
}

void ToolSandbox::source(const std::string& name, const std::string& text) const
{
    writeBytes(path("src/" + name), text);
}

void ToolSandbox::messageRules(const std::string& text) const { writeBytes(path("tool/suppressions.txt"), text); }

void ToolSandbox::parameterRules(const std::string& text) const
{
    writeBytes(path("tool/parameter_suppressions.txt"), text);
}

std::string ToolSandbox::errorFile(const std::string& sourceName, const std::string& description) const
{
    const std::string text = "file S " + path("src/" + sourceName) + " src/" + sourceName + "\n" + description;
    const std::string descriptionPath = path("desc-" + sourceName + ".txt");
    writeBytes(descriptionPath, text);
    const std::string errorPath = path("out/" + sourceName + ".err");
    const testsupport::ProcessResult made =
        testsupport::runProcess({errtoolProgram(), "make", descriptionPath, errorPath});
    if (made.status != 0)
        throw std::runtime_error("errtool make failed: " + made.err);
    fs::remove(descriptionPath);
    return errorPath;
}

std::vector<std::string> ToolSandbox::toolCommand(const std::vector<std::string>& sources) const
{
    std::vector<std::string> argv{path("tool/suppresszembrel") + testsupport::kProgramSuffix, "VELCPP", "-op",
                                  path("out")};
    for (const std::string& s : sources)
        argv.push_back("src/" + s);
    argv.push_back("-forget");
    argv.push_back("cmaf");
    return argv;
}

testsupport::ProcessResult ToolSandbox::runTool(const std::vector<std::string>& sources) const
{
    testsupport::ProcessOptions options;
    options.workingDirectory = root_;
    options.env = childOptions().env;
    return testsupport::runProcess(toolCommand(sources), options);
}

ChildOptions ToolSandbox::childOptions() const
{
    ChildOptions options;
    options.workingDirectory = root_;
    options.env = {{"VELCPPBIN", path("bin")},
                   {"VELCPPTEMPFILES", root_},
                   {"HOME", path("home")},
                   {"PATH", testsupport::systemSearchPath()}};
    return options;
}

std::map<std::string, std::string> ToolSandbox::outputSnapshot() const
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(path("out"))) {
        if (!entry.is_regular_file() || entry.is_symlink())
            continue;
        try {
            files[entry.path().string()] = testsupport::readBytes(entry.path().string());
        } catch (const std::exception&) {
            files[entry.path().string()] = "<unreadable>";
        }
    }
    return files;
}

std::optional<std::vector<std::size_t>> suppressionsPerBlock(const std::string& errorFilePath)
{
    const U_Handle<M_InputBonnie> reader = M_InputBonnie::openAndRead(errorFilePath, "x");
    if (!reader)
        return std::nullopt;
    const auto& starts = reader->blockStarts();
    const std::size_t total = reader->suppressions().size();
    std::vector<std::size_t> counts;
    std::size_t previous = 0;
    for (const auto& start : starts) {
        counts.push_back(start.suppressions - previous);
        previous = start.suppressions;
    }
    counts.push_back(total - previous);
    return counts;
}

std::string errtoolProgram() { return testsupport::builtProgram("tools/errtool/errtool"); }

} // namespace reltest
