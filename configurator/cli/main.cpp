// zembrelconf-cli: the Zembrel Configurator without a window, from a file of answers.
#include "AnswersFile.h"
#include "CliMessages.h"
#include "OfferListing.h"
#include "UnattendedRun.h"

#include "ConsoleOutput.h"
#include "MessageSink.h"
#include "ProgramArguments.h"
#include "Registry.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // Paths and offers are UTF-8 inside; the console shows them in its own encoding.
    platform::useConsoleEncoding(std::cout, platform::StandardStream::Output);
    platform::useConsoleEncoding(std::cerr, platform::StandardStream::Error);
    // What the wizard shows in a message box goes to standard output.
    static std::string lastMessage;
    conf::setWarningSink([](const std::string& text) {
        lastMessage = text;
        std::cout << text << '\n' << std::flush;
    });
    // The configurator ends with 0 for a missing installation and other stops; a script must tell
    // them from a configuration that was made, and from each other.
    conf::setExitHook([](int code) {
        const int status = confcli::statusOfStop(code, lastMessage);
        if (status == code)
            return;
        if (status == confcli::kStatusNoInstallation && platform::RegistryKey::readsExportFile())
            std::cout << confcli::msg::kInstallationHint << '\n';
        std::cout.flush();
        std::exit(status);
    });

    // The answers file's path as UTF-8, the encoding of every path the configurator opens.
    const std::vector<std::string> arguments = platform::programArguments(argc, argv);
    const std::string argument = arguments.size() == 2 ? arguments[1] : std::string();
    if (argument == "--list") {
        confcli::listOffers(std::cout);
        return confcli::kStatusDone;
    }
    if (argument == "--help" || argument == "-h") {
        std::cout << confcli::msg::kUsage;
        return confcli::kStatusDone;
    }
    if (argument.empty() || argument[0] == '-') {
        std::cout << confcli::msg::kUsage;
        return confcli::kStatusRefused;
    }
    confcli::AnswersFile answers;
    std::string error;
    if (!confcli::AnswersFile::read(argument, answers, error)) {
        std::cout << error << '\n' << confcli::msg::kNothingWritten << '\n';
        return confcli::kStatusRefused;
    }
    return confcli::runUnattended(answers, std::cout);
}
