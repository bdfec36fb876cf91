// errtool: "dump" prints an error file as text; "make" and "append" build one from a description;
// "rules-report" reads the reports of suppression runs; "sarif" exports error files as SARIF.
#include "C_CmdArgs.h"
#include "C_Options.h"
#include "ErrtoolDescription.h"
#include "ErrtoolDump.h"
#include "ErrtoolRulesReport.h"
#include "ErrtoolSarif.h"
#include "M_InputBonnie.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::cerr << "usage: errtool dump [-ef-] [-debug WORD]... FILE.err [SOURCE]\n"
                 "       errtool make [--set NAME=VALUE]... DESCRIPTION FILE.err\n"
                 "       errtool append [--set NAME=VALUE]... DESCRIPTION FILE.err\n"
                 "       errtool rules-report REPORT... [--rules FILE] [--parameter-rules FILE] [--json | --html OUT.html]\n"
                 "       errtool sarif FILE.err... [--source-root DIR] [--source-dir DIR] [--messages FILE] [-o OUT]\n";
    return 1;
}

bool readFile(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream out;
    out << in.rdbuf();
    text = out.str();
    return true;
}

// Replaces the file with the bytes; false (after saying so) when it cannot be written.
bool writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        std::cerr << "errtool: cannot write " << path << "\n";
    return static_cast<bool>(out);
}

void setOption(C_OptionBase& option, const std::string& value)
{
    std::istringstream in(value);
    option.setFrom(in, true);
}

int dump(const std::vector<std::string>& args)
{
    C_CmdArgs command("VELCPP", std::vector<std::string>{});
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-ef-" || args[i] == "-ef+" || args[i] == "-ef") {
            setOption(command.options()->expandfilenames(), args[i] == "-ef-" ? "-" : "+");
        } else if (args[i] == "-debug" && i + 1 < args.size()) {
            setOption(command.options()->debug(), args[++i]);
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.empty() || files.size() > 2)
        return usage();
    command.makeCurrent();
    const std::string source = files.size() == 2 ? files[1] : files[0];
    M_ReadFailure failure;
    const U_Handle<M_InputBonnie> reader = M_InputBonnie::openAndRead(files[0], source, nullptr, &failure);
    if (!reader) {
        std::cerr << "errtool: cannot read error file " << files[0] << ": " << failure.text() << "\n";
        return 2;
    }
    std::cout << errtool::dump(*reader, files[0]);
    return 0;
}

// make [--set NAME=VALUE]... DESCRIPTION FILE.err: every @NAME@ of the description is replaced by
// VALUE before it is read, with backslashes as forward slashes, as the analyser names files; so a
// description names its sources below a folder given on the command line, whatever that folder's
// name holds (a blank, a letter of the code page).
int make(const std::vector<std::string>& args, bool append)
{
    std::vector<std::pair<std::string, std::string>> values;
    std::size_t i = 0;
    for (; i + 1 < args.size() && args[i] == "--set"; i += 2) {
        const std::string& setting = args[i + 1];
        const std::size_t eq = setting.find('=');
        if (eq == std::string::npos || eq == 0)
            return usage();
        std::string value = setting.substr(eq + 1);
        for (char& c : value)
            c = c == '\\' ? '/' : c;
        values.emplace_back("@" + setting.substr(0, eq) + "@", value);
    }
    if (args.size() != i + 2)
        return usage();
    const std::string& descriptionPath = args[i];
    const std::string& errorFile = args[i + 1];
    std::string description;
    if (!readFile(descriptionPath, description)) {
        std::cerr << "errtool: cannot read " << descriptionPath << "\n";
        return 2;
    }
    for (const auto& [name, value] : values) {
        for (std::size_t at = 0; (at = description.find(name, at)) != std::string::npos; at += value.size())
            description.replace(at, name.size(), value);
    }
    if (append) {
        errtool::appendToErrorFile(description, errorFile);
        return 0;
    }
    return writeFile(errorFile, errtool::buildErrorFile(description)) ? 0 : 2;
}

int rulesReport(const std::vector<std::string>& args)
{
    std::vector<std::string> reports;
    std::vector<std::pair<std::string, std::string>> rulesFiles; // path, kind
    bool json = false;
    std::string html;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--html" && i + 1 < args.size()) {
            html = args[++i];
        } else if ((args[i] == "--rules" || args[i] == "--parameter-rules") && i + 1 < args.size()) {
            rulesFiles.emplace_back(args[i + 1], args[i] == "--rules" ? "message" : "parameter");
            ++i;
        } else if (args[i].rfind("--", 0) == 0) {
            return usage();
        } else {
            reports.push_back(args[i]);
        }
    }
    if (reports.empty() || (json && !html.empty()))
        return usage();
    errtool::RulesReport report;
    try {
        for (const std::string& path : reports)
            report.readReport(path);
        for (const auto& [path, kind] : rulesFiles)
            report.compareWithRules(path, kind);
    } catch (const errtool::RulesReportError& e) {
        std::cerr << "errtool: " << e.what() << "\n";
        return 2;
    }
    if (!html.empty())
        return writeFile(html, report.html(reports)) ? 0 : 2;
    std::cout << (json ? report.json() : report.text());
    return 0;
}

int sarif(const std::vector<std::string>& args)
{
    std::vector<std::string> files;
    errtool::SarifOptions options;
    options.version = ZEMB_KIT_VERSION;
    std::string sourceDir;
    std::string messages;
    std::string output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--source-root" && i + 1 < args.size())
            options.sourceRoot = args[++i];
        else if (args[i] == "--source-dir" && i + 1 < args.size())
            sourceDir = args[++i];
        else if (args[i] == "--messages" && i + 1 < args.size())
            messages = args[++i];
        else if (args[i] == "-o" && i + 1 < args.size())
            output = args[++i];
        else if (args[i].rfind("-", 0) == 0)
            return usage();
        else
            files.push_back(args[i]);
    }
    if (files.empty())
        return usage();
    if (!messages.empty()) {
        try {
            options.messageTexts = errtool::readMessageTexts(messages);
        } catch (const errtool::SarifError& e) {
            std::cerr << "errtool: " << e.what() << "\n";
            return 2;
        }
    }
    C_CmdArgs command("VELCPP", std::vector<std::string>{});
    command.makeCurrent();
    std::vector<U_Handle<M_InputBonnie>> readers;
    std::vector<errtool::SarifInput> inputs;
    for (const std::string& file : files) {
        // A format-2 error file's locations refer to its analysed source, which only its name tells.
        M_ReadFailure failure;
        readers.push_back(M_InputBonnie::openAndRead(file, errtool::format2Source(file, sourceDir), nullptr, &failure));
        if (!readers.back()) {
            std::cerr << "errtool: cannot read error file " << file << ": " << failure.text() << "\n";
            return 2;
        }
        inputs.push_back({file, readers.back().get()});
    }
    std::vector<std::string> unreadable;
    const std::string log = errtool::sarifLog(inputs, options, &unreadable);
    for (const std::string& source : unreadable)
        std::cerr << "errtool: cannot read source file " << source
                  << " here: the fingerprints of its results go without its lines' text (velResultHash/v1-nosource)\n";
    if (output.empty()) {
        std::cout << log;
        return 0;
    }
    // A text file: Windows text mode writes every LF as CR LF.
    std::string text;
    for (const char c : log)
        text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return writeFile(output, text) ? 0 : 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usage();
    try {
        if (args[0] == "dump")
            return dump(std::vector<std::string>(args.begin() + 1, args.end()));
        if (args[0] == "make" || args[0] == "append")
            return make(std::vector<std::string>(args.begin() + 1, args.end()), args[0] == "append");
        if (args[0] == "rules-report")
            return rulesReport(std::vector<std::string>(args.begin() + 1, args.end()));
        if (args[0] == "sarif")
            return sarif(std::vector<std::string>(args.begin() + 1, args.end()));
    } catch (const std::exception& e) {
        std::cerr << "errtool: " << e.what() << "\n";
        return 2;
    }
    return usage();
}
