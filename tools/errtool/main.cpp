// errtool: "dump" prints an error file as text; "make" and "append" build one from a description.
#include "C_CmdArgs.h"
#include "C_Options.h"
#include "ErrtoolDescription.h"
#include "ErrtoolDump.h"
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
                 "       errtool make DESCRIPTION FILE.err\n"
                 "       errtool append DESCRIPTION FILE.err\n";
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
    const U_Handle<M_InputBonnie> reader = M_InputBonnie::openAndRead(files[0], source);
    if (!reader) {
        std::cerr << "errtool: cannot read error file " << files[0] << "\n";
        return 2;
    }
    std::cout << errtool::dump(*reader, files[0]);
    return 0;
}

int make(const std::string& descriptionPath, const std::string& errorFile, bool append)
{
    std::string description;
    if (!readFile(descriptionPath, description)) {
        std::cerr << "errtool: cannot read " << descriptionPath << "\n";
        return 2;
    }
    if (append) {
        errtool::appendToErrorFile(description, errorFile);
        return 0;
    }
    const std::string bytes = errtool::buildErrorFile(description);
    std::ofstream out(errorFile, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "errtool: cannot write " << errorFile << "\n";
        return 2;
    }
    return 0;
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
        if ((args[0] == "make" || args[0] == "append") && args.size() == 3)
            return make(args[1], args[2], args[0] == "append");
    } catch (const std::exception& e) {
        std::cerr << "errtool: " << e.what() << "\n";
        return 2;
    }
    return usage();
}
