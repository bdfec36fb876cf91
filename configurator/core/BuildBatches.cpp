// Zembrel's build batch files extended by the analysis, the custom message personality and the
// post-analysis batch file that runs suppresszembrel.
#include "BuildBatches.h"

#include "ConfMessages.h"
#include "Discovery.h"
#include "GenerationContext.h"
#include "MessageSink.h"
#include "TextFiles.h"

#include "TextLines.h"
#include "WindowsPathMap.h"

#include <regex>
#include <vector>

namespace conf {

namespace {

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && lowerCase(text.substr(0, prefix.size())) == lowerCase(prefix);
}

// The value inside a "-rem \"Key=value\"" line: without the prefix and the closing quote.
std::string remValue(const std::string& line, std::size_t prefixLength)
{
    const std::string t = trimmed(line);
    if (t.size() <= prefixLength)
        return {};
    return t.substr(prefixLength, t.size() - prefixLength - 1);
}

// Zembrel's batch file in text mode, one entry per line without its line end, as UTF-8 text. A file
// that exists but cannot be read gives no lines.
std::vector<std::string> readBatchLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::string bytes;
    if (!platform::readWindowsFile(path, bytes))
        return lines;
    replaceAll(bytes, "\r\n", "\n");
    platform::forEachTextLine(batchFileText(bytes), [&](const std::string& line) { lines.push_back(line); });
    return lines;
}

void essentialFileMissing(const std::string& path)
{
    showWarning(msg::kEssentialFileMissing + path + msg::kNotFoundSuffix);
    endWithStatus(10);
}

const std::regex& cleanTargetLine()
{
    static const std::regex re("set.+target.+clean");
    return re;
}

const std::regex& pathLine()
{
    static const std::regex re("set\\s*path=.*;%path%\\s*$");
    return re;
}

const std::regex& wrenvMakeLine()
{
    static const std::regex re("\\s*wrenv.+make");
    return re;
}

const char* const kDeleteProject = " & del master.wqp 2>NUL";

} // namespace

void writeMsBuildBatch(bool customMessagePersonality)
{
    const GenerationContext& ctx = GenerationContext::instance();
    std::string header = "@echo off\nset velcpp={VelcppDir}\nset HERE=%cd%\ncall \"%velcpp%\\bin\\VelcppConf.bat\" >NUL\n";
    replaceAll(header, "{VelcppDir}", backslashForm(batchPath(ctx.batchVelcppDir)));

    const std::string zembDir = findZembDir();
    std::string source = zembDir + "\\Share\\etc\\msmake.bat";
    if (!platform::windowsPathExists(source)) {
        source = zembDir + "\\Share\\etc\\msvc9make.bat";
        if (!platform::windowsPathExists(source))
            essentialFileMissing(source);
    }
    const std::string integrationBack = backslashForm(batchPath(findZembIntLocationDir()) + "\\ZembrelIntegration");

    // Every copied line gets its line end, the last one too, so nothing is glued to what follows.
    std::string body;
    for (const std::string& line : readBatchLines(source)) {
        const std::string lower = lowerCase(line);
        body += line;
        if (std::regex_search(lower, cleanTargetLine()))
            body += kDeleteProject;
        body += "\n";
        if (lower.find("vcvars32.bat") != std::string::npos) {
            body += "rem Ensure that the cl that calls VELC++ is used rather than microsoft cl.\n";
            body += "set PATH=" + integrationBack + "\\wrapper;%PATH%\n";
        }
    }

    std::string tail = "if \"%2\"==\"clean\" goto :EOF\n{ZembIntegrationDirBack}\\wrapper\\create_project_back_end.exe"
                       " -wqp master.wqp -prjf velcpp\\velcpp.prj -p_c {chosen_p_c_path} -p_s ";
    tail += customMessagePersonality ? "{ZembIntegrationDirBack}\\suppresszembrel\\custom.p_s"
                                     : "{ZembIntegrationDirBack}\\suppresszembrel\\suppresszembrel.p_s";
    tail += "\ncall {ZembIntegrationDirBack}\\wrapper\\velcppanl.bat velcpp\\velcpp.prj\n:EOF\n";
    replaceAll(tail, "{ZembIntegrationDirBack}", integrationBack);
    replaceAll(tail, "{chosen_p_c_path}", backslashForm(batchPath(ctx.batchPersonality)));

    const std::string output = zembDir + "\\Share\\etc\\msvelcppmake.bat";
    ensureParentDir(output);
    replaceBatchFile(header + body + tail, output);
}

std::string writeVxBuildBatch(const std::string& velcppDir, const std::string& personalityPath)
{
    const std::string location = batchPath(findZembIntLocationDir());
    std::string header = "@echo off\nset wrapper={ZembIntegrationDir}/wrapper\nset velcpp={VelcppDir}\nset HERE=%cd%\n"
                         "call \"%velcpp%\\bin\\VelcppConf.bat\" >NUL\n";
    replaceAll(header, "{ZembIntegrationDir}", forwardForm(location + "/ZembrelIntegration"));
    replaceAll(header, "{VelcppDir}", backslashForm(batchPath(velcppDir)));

    std::string windDir;
    const std::string zembDir = findZembDir();
    const std::string source = zembDir + "\\Share\\etc\\Vx6make.bat";
    if (!platform::windowsPathExists(source))
        essentialFileMissing(source);

    std::string body;
    for (const std::string& line : readBatchLines(source)) {
        const std::string lower = lowerCase(line);
        body += line;
        if (std::regex_search(lower, pathLine())) {
            const std::size_t eq = line.find('=');
            const std::size_t semi = line.find(';', eq + 1);
            windDir = line.substr(eq + 1, semi - eq - 1);
            while (!windDir.empty() && windDir.back() == '\\')
                windDir.pop_back();
        } else if (std::regex_search(lower, wrenvMakeLine())) {
            body += " CXX=\"%wrapper%/wrapper.exe -wcf %wrapper%/wrapper_%tool%.cfg true\"";
        } else if (std::regex_search(lower, cleanTargetLine())) {
            body += kDeleteProject;
        }
        body += "\n";
    }

    std::string tail = "{ZembIntegrationDirBack}\\wrapper\\create_project_back_end.exe -wqp master.wqp -prjf "
                       "velcpp\\velcpp.prj -p_c {chosen_p_c_path} -p_s {ZembIntegrationDirBack}\\suppresszembrel\\"
                       "suppresszembrel.p_s\ncall {ZembIntegrationDirBack}\\wrapper\\velcppanl.bat velcpp\\velcpp.prj\n";
    replaceAll(tail, "{ZembIntegrationDirBack}", backslashForm(location + "\\ZembrelIntegration"));
    replaceAll(tail, "{chosen_p_c_path}", backslashForm(batchPath(personalityPath)));

    // Zembrel's own end label becomes the start of the analysis, which a clean run skips.
    std::string text = header + body + tail;
    replaceAll(text, "EOF", "DoneAnalysis");
    replaceAll(text, "\n:DoneAnalysis\n", "\n:DoneAnalysis\nif \"%2\"==\"clean\" goto :EOF\n");
    text += ":EOF\n";

    const std::string output = zembDir + "\\Share\\etc\\vx6velcppmake.bat";
    ensureParentDir(output);
    replaceBatchFile(text, output);
    return windDir;
}

void writeCustomMessagePersonality(const std::string& messagePersonalityPath)
{
    static const std::string kPostAnalysis = "-rem \"EnablePostAnalysis=";
    static const std::string kShellExe = "-rem \"ShellExe=";
    static const std::string kShellParams = "-rem \"ShellParams=";

    std::string bytes;
    if (!platform::readWindowsFile(messagePersonalityPath, bytes)) {
        showWarning(msg::kCannotOpenMessagePersonality + messagePersonalityPath + msg::kAbortingSuffix);
        endWithStatus(10);
    }

    std::string postAnalysisLine;
    std::string shellLine;
    std::string paramsLine;
    std::string kept;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        end = (end == std::string::npos) ? bytes.size() : end + 1;
        const std::string line = bytes.substr(start, end - start);
        start = end;
        if (startsWithIgnoringCase(line, kPostAnalysis))
            postAnalysisLine = line;
        else if (startsWithIgnoringCase(line, kShellExe))
            shellLine = line;
        else if (startsWithIgnoringCase(line, kShellParams))
            paramsLine = line;
        else
            kept += line;
    }

    const std::string location = findZembIntLocationDir();
    const std::string output = location + "\\ZembrelIntegration\\suppresszembrel\\custom.p_s";
    const std::string postAnalysisBatch = location + "\\ZembrelIntegration\\suppresszembrel\\custom_sa.bat";

    const std::string postAnalysis = trimmed(postAnalysisLine);
    const bool hasPrevious = !postAnalysisLine.empty() && !shellLine.empty() && !paramsLine.empty()
                             && postAnalysis.size() >= 2 && postAnalysis.compare(postAnalysis.size() - 2, 2, "1\"") == 0;
    const std::string executable = hasPrevious ? remValue(shellLine, kShellExe.size()) : std::string();
    const std::string parameters = hasPrevious ? remValue(paramsLine, kShellParams.size()) : std::string();

    const std::string content = kPostAnalysis + "1\"\r\n" + kShellExe + postAnalysisBatch + "\"\r\n" + kShellParams
                                + "%Q %F %P+ %N+ %S" + "\"\r\n" + kept;
    if (!platform::writeWindowsFile(output, content)) {
        showWarning(msg::kCannotOpenCustomPersonality + output + msg::kAbortingSuffix);
        endWithStatus(10);
    }
    noteWrittenFile({output, std::string()});
    writePostAnalysisBatch(postAnalysisBatch, hasPrevious, executable, parameters);
}

std::string translatePostAnalysisCommand(const std::string& executable, const std::string& parameters)
{
    std::string line = "\"" + executable + "\" ";
    std::string literal;
    std::size_t i = 0;
    while (i < parameters.size()) {
        const char c = parameters[i++];
        if (c != '%') {
            literal += c;
            continue;
        }
        if (i >= parameters.size())
            break;
        const char code = parameters[i++];
        const bool plus = i < parameters.size() && parameters[i] == '+';
        switch (code) {
        case 'Q':
            line += " %1 ";
            break;
        case 'F':
            line += "%2 \"%~3\" \"%~4\" ";
            break;
        case 'P':
            if (plus) {
                line += " %5";
                ++i;
            }
            line += " \"%6\" ";
            break;
        case 'N':
            if (plus) {
                line += " %7";
                ++i;
            }
            line += " \"%8\" ";
            break;
        case 'S':
            line += " \"%8\" ";
            break;
        default:
            break;
        }
    }
    return line + " " + literal + "\n";
}

void writePostAnalysisBatch(const std::string& outputPath, bool hasPreviousCommand, const std::string& executable,
                            const std::string& parameters)
{
    std::string text = "@echo off\n\"" + batchPath(findZembIntLocationDir())
                       + "\\suppresszembrel\\suppresszembrel.exe\" %1 %2 \"%~3\" \"%~4\" -forget cmaf\n";
    if (hasPreviousCommand)
        text += translatePostAnalysisCommand(batchPath(executable), parameters);
    replaceBatchFile(text, outputPath);
}

} // namespace conf
