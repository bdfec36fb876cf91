// Fuzz target: zembrelconf-cli's answers files on arbitrary bytes. A file that is read must give
// its answers again when they are written back the way the README describes, quoted.
#include "AnswersFile.h"

#include "FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::setUpProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    confcli::AnswersFile answers;
    std::string error;
    if (!confcli::AnswersFile::parse(text, "fuzz", answers, error)) {
        if (error.compare(0, 5, "fuzz:") != 0)
            std::abort(); // a refusal names the file and the line
        return 0;
    }
    std::string written;
    for (const confcli::Answer& answer : answers.all())
        written += answer.key + " = \"" + answer.value + "\"\r\n";
    confcli::AnswersFile again;
    if (!confcli::AnswersFile::parse(written, "again", again, error) || again.all().size() != answers.all().size())
        std::abort();
    for (std::size_t i = 0; i < answers.all().size(); ++i) {
        if (again.all()[i].key != answers.all()[i].key || again.all()[i].value != answers.all()[i].value)
            std::abort();
    }
    return 0;
}
