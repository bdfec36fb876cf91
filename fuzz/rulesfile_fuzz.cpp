// Fuzz target: both rules files (message rules and parameter rules) read from arbitrary contents,
// then every rule that was kept matched against a source line taken from the input.
#include "MessageRule.h"
#include "ParameterRule.h"

#include "FuzzSupport.h"

#include <exception>
#include <sstream>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::setUpProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = fuzzsupport::bytesOf(data, size);
    const std::string path = fuzzsupport::scratch().file("rules.txt");
    testsupport::writeBytes(path, text);
    // The subject: the input's last line, as a diagnostic's source line would be.
    const std::size_t lastBreak = text.rfind('\n');
    const std::string subject = lastBreak == std::string::npos ? text : text.substr(lastBreak + 1);

    std::ostringstream report;
    try {
        for (const MessageRule& rule : readMessageRulesFile(path, report)) {
            if (!rule.compiled)
                __builtin_trap(); // a rule in a list that was read always has its compiled pattern
            (void)rule.compiled->matches(subject);
        }
        for (const ParameterRule& rule : readParameterRulesFile(path, report)) {
            if (!rule.compiled)
                __builtin_trap();
            (void)rule.compiled->matches(subject);
        }
    } catch (const std::exception&) {
        // A rules file that cannot be used is a reported stop.
    }
    return 0;
}
