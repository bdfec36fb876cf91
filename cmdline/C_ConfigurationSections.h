// The configuration variables and the section tables that lay them out in each product's file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Up to a capacity of texts of a section, each made when it is first written: a configuration file
// gives a few lines of its long sections, and each process pays for those only.
class C_TextList {
public:
    explicit C_TextList(std::size_t capacity) : capacity_(capacity) {}

    std::size_t capacity() const { return capacity_; }
    // The text at the index (below the capacity), made empty if it was not yet.
    std::string& operator[](std::size_t index)
    {
        if (index >= items_.size())
            items_.resize(index + 1);
        return items_[index];
    }
    // The text at the index; empty where none was written.
    const std::string& operator[](std::size_t index) const
    {
        static const std::string empty;
        return index < items_.size() ? items_[index] : empty;
    }

private:
    std::size_t capacity_;
    std::vector<std::string> items_;
};

// One entry of a section table; a table ends with an entry of type End.
struct C_SectionEntry {
    enum Type { End = -1, Header = 0, Text = 1, Integer = 2, TextArray = 3, IntegerArray = 4, Options = 5 };

    Type type;
    const char* name;       // Header and Options: the section name
    std::string* texts;     // Text (one) and TextArray (count) variables, unless in a list
    std::int32_t* integers; // Integer (one) and IntegerArray (count) variables
    int count;              // items of an array
    C_TextList* list;       // TextArray: its variables, where they are a list
};

// The configuration variables, with their defaults as initial values. Products whose layouts name
// the same section share its variables, except where the layouts differ in their defaults.
struct C_ConfigurationVariables {
    C_TextList help{1024};
    std::string characters;
    std::int32_t internal = 29;
    std::string messages[3] = {"++ ERROR ++", "++ WARNING ++", ": <=%s=(%04d) "};
    C_TextList levels{500};
    std::int32_t development[4] = {6000, 80, 100, 20000};
    std::int32_t cyclomatic[5] = {10, 30, 100, 50, 200};  // VELCPP and VELJ
    std::int32_t cCyclomatic[5] = {10, 30, 100, 8, 32};   // VELC
    std::int32_t paths[3] = {200, 1000, 32000};
    std::string debugging;
    std::int32_t general[5] = {50, 200, 50, 200, 20};     // VELCPP and VELJ
    std::int32_t cGeneral[8] = {50, 200, 50, 200, 5, 10, 20, 50}; // VELC
    std::int32_t comments[2] = {10, 80};
    std::int32_t bathtub[2] = {50, 200};
    std::string format[2];                                // VELC: two arrays of one item
};

// The process-wide variables.
C_ConfigurationVariables& configurationVariables();
// Back to the defaults (a new run in the same process, and tests).
void resetConfigurationVariables();

// The section tables: VELCPP and VELJ share one layout.
const C_SectionEntry* velcppSections();
const C_SectionEntry* velcSections();
const C_SectionEntry* veldSections();
const C_SectionEntry* veljSections();
