// The section tables of the four products.
#include "C_ConfigurationSections.h"

#include <memory>

namespace {

C_SectionEntry header(const char* name)
{
    return {C_SectionEntry::Header, name, nullptr, nullptr, 0, nullptr};
}
C_SectionEntry options()
{
    return {C_SectionEntry::Options, "options", nullptr, nullptr, 0, nullptr};
}
C_SectionEntry text(std::string& variable)
{
    return {C_SectionEntry::Text, nullptr, &variable, nullptr, 1, nullptr};
}
C_SectionEntry integer(std::int32_t& variable)
{
    return {C_SectionEntry::Integer, nullptr, nullptr, &variable, 1, nullptr};
}
C_SectionEntry texts(C_TextList& variables)
{
    return {C_SectionEntry::TextArray, nullptr, nullptr, nullptr, int(variables.capacity()), &variables};
}
// An array of one text.
C_SectionEntry textItem(std::string& variable)
{
    return {C_SectionEntry::TextArray, nullptr, &variable, nullptr, 1, nullptr};
}
C_SectionEntry end()
{
    return {C_SectionEntry::End, nullptr, nullptr, nullptr, 0, nullptr};
}

std::unique_ptr<C_ConfigurationVariables>& storage()
{
    static std::unique_ptr<C_ConfigurationVariables> variables = std::make_unique<C_ConfigurationVariables>();
    return variables;
}

// VELCPP and VELJ.
const C_SectionEntry* cppLayout()
{
    C_ConfigurationVariables& v = configurationVariables();
    static const C_SectionEntry table[] = {
        header("help"), texts(v.help),
        header("characters"), text(v.characters),
        header("internal"), integer(v.internal),
        header("messages"), text(v.messages[0]), text(v.messages[1]), text(v.messages[2]),
        header("levels"), texts(v.levels),
        header("development"), integer(v.development[0]), integer(v.development[1]), integer(v.development[2]),
        integer(v.development[3]),
        header("cyclomatic"), integer(v.cyclomatic[0]), integer(v.cyclomatic[1]), integer(v.cyclomatic[2]),
        integer(v.cyclomatic[3]), integer(v.cyclomatic[4]),
        header("paths"), integer(v.paths[0]), integer(v.paths[1]), integer(v.paths[2]),
        header("debugging"), text(v.debugging),
        header("general"), integer(v.general[0]), integer(v.general[1]), integer(v.general[2]),
        integer(v.general[3]), integer(v.general[4]),
        header("comments"), integer(v.comments[0]), integer(v.comments[1]),
        header("bathtub"), integer(v.bathtub[0]), integer(v.bathtub[1]),
        options(),
        end(),
    };
    return table;
}

} // namespace

C_ConfigurationVariables& configurationVariables()
{
    return *storage();
}

void resetConfigurationVariables()
{
    // Assigned in place: the section tables point into the variables.
    *storage() = C_ConfigurationVariables();
}

const C_SectionEntry* velcppSections()
{
    return cppLayout();
}

const C_SectionEntry* veljSections()
{
    return cppLayout();
}

const C_SectionEntry* velcSections()
{
    C_ConfigurationVariables& v = configurationVariables();
    static std::string* const formatFirst = &v.format[0];
    static std::string* const formatSecond = &v.format[1];
    static const C_SectionEntry table[] = {
        header("help"), texts(v.help),
        header("messages"), text(v.messages[0]), text(v.messages[1]), text(v.messages[2]),
        header("levels"), texts(v.levels),
        header("development"), integer(v.development[0]), integer(v.development[1]), integer(v.development[2]),
        integer(v.development[3]),
        header("cyclomatic"), integer(v.cCyclomatic[0]), integer(v.cCyclomatic[1]), integer(v.cCyclomatic[2]),
        integer(v.cCyclomatic[3]), integer(v.cCyclomatic[4]),
        header("paths"), integer(v.paths[0]), integer(v.paths[1]), integer(v.paths[2]),
        header("general"), integer(v.cGeneral[0]), integer(v.cGeneral[1]), integer(v.cGeneral[2]),
        integer(v.cGeneral[3]), integer(v.cGeneral[4]), integer(v.cGeneral[5]), integer(v.cGeneral[6]),
        integer(v.cGeneral[7]),
        header("comments"), integer(v.comments[0]), integer(v.comments[1]),
        header("format"),
        textItem(*formatFirst), textItem(*formatSecond),
        options(),
        end(),
    };
    return table;
}

const C_SectionEntry* veldSections()
{
    C_ConfigurationVariables& v = configurationVariables();
    static const C_SectionEntry table[] = {
        header("help"), texts(v.help),
        options(),
        end(),
    };
    return table;
}
