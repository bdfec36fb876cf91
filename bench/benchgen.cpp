// benchgen: writes a benchmark workload, and counts the suppression records of its error files.
#include "BenchWorkload.h"

#include "M_InputBonnie.h"

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::cerr << "usage: benchgen make DIR FILES LINES DIAGNOSTICS-PER-FILE MESSAGE-RULES PARAMETER-RULES [SEED]\n"
                 "       benchgen grow DIR MESSAGE-RULES PARAMETER-RULES\n"
                 "       benchgen count ERROR-FILE-DIR\n";
    return 1;
}

int make(const std::vector<std::string>& args)
{
    if (args.size() < 6 || args.size() > 7)
        return usage();
    BenchWorkloadSize size;
    size.files = std::atoi(args[1].c_str());
    size.linesPerFile = std::atoi(args[2].c_str());
    size.diagnosticsPerFile = std::atoi(args[3].c_str());
    size.messageRules = std::atoi(args[4].c_str());
    size.parameterRules = std::atoi(args[5].c_str());
    if (args.size() == 7)
        size.seed = std::strtoull(args[6].c_str(), nullptr, 10);
    std::filesystem::create_directories(args[0]);
    const BenchWorkloadOutcome outcome = generateBenchWorkload(args[0], size);
    std::cout << "diagnostics " << outcome.diagnostics << "\n"
              << "pre_suppressed " << outcome.preSuppressed << "\n"
              << "message_matches " << outcome.messageMatches << "\n"
              << "parameter_matches " << outcome.parameterMatches << "\n"
              << "expected_records " << outcome.messageMatches + outcome.parameterMatches << "\n"
              << "error_file_bytes " << outcome.errorFileBytes << "\n"
              << "largest_error_file " << outcome.largestErrorFile << "\n"
              << "source_bytes " << outcome.sourceBytes << "\n";
    return 0;
}

int grow(const std::vector<std::string>& args)
{
    if (args.size() != 3)
        return usage();
    BenchGrownRules grown;
    grown.messageRules = std::atoi(args[1].c_str());
    grown.parameterRules = std::atoi(args[2].c_str());
    appendGrownRules(args[0], grown);
    return 0;
}

// Suppression records with the text the tool writes, over every *.err file of the directory.
int count(const std::string& directory)
{
    long long diagnostics = 0;
    long long records = 0;
    long long appended = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        if (entry.path().extension() != ".err")
            continue;
        const std::string path = entry.path().string();
        const U_Handle<M_InputBonnie> reader = M_InputBonnie::openAndRead(path, path);
        if (!reader) {
            std::cerr << "benchgen: cannot read " << path << "\n";
            return 2;
        }
        diagnostics += static_cast<long long>(reader->diagnostics().size());
        for (const auto& record : reader->suppressions()) {
            ++records;
            if (record->kind() == 1 && record->text() == "Auto")
                ++appended;
        }
    }
    std::cout << "diagnostics " << diagnostics << "\nrecords " << records << "\nauto_records " << appended << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (!args.empty() && args[0] == "make")
            return make(std::vector<std::string>(args.begin() + 1, args.end()));
        if (!args.empty() && args[0] == "grow")
            return grow(std::vector<std::string>(args.begin() + 1, args.end()));
        if (args.size() == 2 && args[0] == "count")
            return count(args[1]);
    } catch (const std::exception& e) {
        std::cerr << "benchgen: " << e.what() << "\n";
        return 2;
    }
    return usage();
}
