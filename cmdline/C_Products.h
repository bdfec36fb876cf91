// The product table of the analyser family: names, environment variables and alias tables.
#pragma once

#include "C_AliasTable.h"

struct C_SectionEntry;

struct C_Product {
    static constexpr int kVelc = 1;
    static constexpr int kVelcpp = 2;
    static constexpr int kVelj = 4;
    static constexpr int kVeld = 16;

    int bit;                     // 0 ends the table
    const char* name;            // "VELCPP"
    const char* binVariable;     // installation directory
    const char* lowerName;       // configuration file and personal options file
    const C_SectionEntry* sectionTable; // layout of the configuration file
    const char* outpathVariable; // output directory
    const char* tempfilesVariable;

    const C_AliasTable& aliasTable() const { return aliasTableOf(bit); }
    std::size_t aliasRowCount() const { return aliasTable().size(); }
};

// The four products in table order (VELCPP, VELC, VELD, VELJ), then an entry whose bit is 0.
const C_Product* productTable();
constexpr int kProductCount = 4;
// The entry of a product index, or null when the index is outside the table.
const C_Product* productAt(int index);
