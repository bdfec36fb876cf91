// The lines of a rules file's reading.
#include "RuleSet.h"

#include "TextLineReader.h"

std::vector<std::string> RulesFileSource::lines() const
{
    std::vector<std::string> all;
    TextLineReader::forEachLine(bytes, [&](const std::string& line) { all.push_back(line); },
                                TextLineReader::textStart(bytes));
    return all;
}
