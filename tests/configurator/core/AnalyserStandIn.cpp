// The analyser stand-in's reading of the configuration and its filling of the placeholders.
#include "AnalyserStandIn.h"

#include <cctype>
#include <sstream>

namespace standin {

namespace {

// The lines of a text, the CR of a CR LF dropped.
std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// The value of a personality's -rem "Name=value" line, or false.
bool remValue(const std::string& line, const std::string& name, std::string& value)
{
    const std::string prefix = "-rem \"" + name + "=";
    if (!startsWithIgnoringCase(line, prefix) || line.size() < prefix.size() + 1 || line.back() != '"')
        return false;
    value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
    return true;
}

std::string baseNameWithoutExtension(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace

bool readBuildBatch(const std::string& text, BuildBatch& batch, std::string& why)
{
    batch = BuildBatch();
    for (const std::string& line : linesOf(text)) {
        if (startsWithIgnoringCase(line, "set velcpp="))
            batch.analyserDirectory = line.substr(11);
        if (line.find("create_project_back_end.exe ") == std::string::npos)
            continue;
        std::istringstream words(line);
        std::string word;
        while (words >> word)
            if (word == "-p_s" && (words >> word))
                batch.messagePersonality = word;
    }
    if (batch.analyserDirectory.empty())
        why = "the build batch sets no analyser directory (set velcpp=)";
    else if (batch.messagePersonality.empty())
        why = "the build batch names no message personality (-p_s)";
    return why.empty();
}

bool readPostAnalysis(const std::string& text, PostAnalysis& command, std::string& why)
{
    command = PostAnalysis();
    std::string value;
    for (const std::string& line : linesOf(text)) {
        if (remValue(line, "EnablePostAnalysis", value))
            command.enabled = value == "1";
        else if (remValue(line, "ShellExe", value))
            command.shellExe = value;
        else if (remValue(line, "ShellParams", value))
            command.shellParams = value;
    }
    if (!command.enabled)
        why = "the message personality does not enable the post-analysis command";
    else if (command.shellExe.empty())
        why = "the message personality names no post-analysis command (ShellExe)";
    return why.empty();
}

bool postAnalysisArguments(const std::string& shellParams, const AnalysedFile& file, std::vector<std::string>& arguments,
                           std::string& why)
{
    arguments.clear();
    std::istringstream words(shellParams);
    std::string word;
    while (words >> word) {
        if (word == "%Q") {
            arguments.push_back("VELCPP");
        } else if (word == "%F") {
            arguments.insert(arguments.end(), {"-op", file.outputDirectory, file.sourceFile});
        } else if (word == "%P+") {
            arguments.insert(arguments.end(), {"-p", "velcpp\\velcpp.prj"});
        } else if (word == "%N+") {
            arguments.insert(arguments.end(), {"-n", baseNameWithoutExtension(file.sourceFile)});
        } else if (word == "%S") {
            arguments.push_back(file.session);
        } else if (word[0] == '%') {
            why = "placeholder " + word + " of ShellParams is unknown to the analyser stand-in";
            return false;
        } else {
            arguments.push_back(word);
        }
    }
    return true;
}

} // namespace standin
