// A probe application for the frame's process-level tests: its run reports what it was given, and
// file arguments of the form "!what" make it fail in chosen ways.
#include "C_CmdArgs.h"
#include "C_Options.h"
#include "C_OrphanHandler.h"
#include "QL_App.h"
#include "U_Exception.h"

#include <csignal>
#include <iostream>
#include <new>
#include <stdexcept>
#include <vector>

namespace {

struct ProbeFiles : C_OrphanHandler {
    void take(C_CmdArgs&, const std::string& argument) override { files.push_back(argument); }
    bool isEmpty() const override { return files.empty(); }
    std::vector<std::string> files;
};

class ProbeApp : public QL_App {
public:
    ProbeApp() : QL_App("probe banner\nsecond banner line\n") {}

    C_OrphanHandler& orphanHandler() override { return files_; }
    void usage() override { std::cerr << "probe usage\n" << std::flush; }

    int run() override
    {
        for (const std::string& file : files_.files)
            fail(file);
        const C_Options& options = *commandLine()->options();
        std::cout << "run: product " << commandLine()->productName() << "; files";
        for (const std::string& file : files_.files)
            std::cout << " " << file;
        std::cout << "; tabstop " << options.tabstop().value() << "; po " << options.prodoption().valueText()
                  << "\n";
        return successCode();
    }

private:
    static void fail(const std::string& what)
    {
        if (what == "!SIGTERM")
            std::raise(SIGTERM);
        if (what == "!SIGSEGV")
            std::raise(SIGSEGV);
        if (what == "!SIGINT")
            std::raise(SIGINT);
        if (what == "!alloc")
            throw std::bad_alloc();
        if (what == "!std")
            throw std::runtime_error("boom");
        if (what == "!user")
            throw U_UserException("user text");
        if (what == "!internal")
            throw U_Exception();
        if (what == "!assert")
            throw U_AssertException();
        if (what == "!config")
            throw C_ConfigurationException("configured stop\n", 7, true);
        if (what == "!other")
            throw 42;
    }

    ProbeFiles files_;
};

} // namespace

int main(int argc, char* argv[])
{
    return runApplication(argc - 1, argv + 1, U_Handle<QL_App>(new ProbeApp()));
}
