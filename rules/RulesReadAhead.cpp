// Reading the rules files ahead of the error file.
#include "RulesReadAhead.h"

#include <ostream>
#include <sstream>

RulesReadAhead::RulesReadAhead(const std::string& programDirectory)
{
    std::ostringstream held;
    try {
        MessageRuleSet messageRules = readMessageRuleSet(programDirectory, held);
        ParameterRuleSet parameterRules = readParameterRuleSet(programDirectory, held);
        messageRules_ = std::move(messageRules);
        parameterRules_ = std::move(parameterRules);
    } catch (...) {
        raised_ = std::current_exception();
    }
    written_ = held.str();
}

void RulesReadAhead::release(std::ostream& out) const
{
    std::size_t start = 0;
    while (start < written_.size()) {
        std::size_t end = written_.find('\n', start);
        end = end == std::string::npos ? written_.size() : end + 1;
        out.write(written_.data() + start, static_cast<std::streamsize>(end - start));
        out.flush();
        start = end;
    }
    if (raised_)
        std::rethrow_exception(raised_);
}
