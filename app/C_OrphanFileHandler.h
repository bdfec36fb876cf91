// Collects the source files named on the command line, each once, with its output directory.
#pragma once

#include "C_OrphanHandler.h"
#include "U_Filename.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

class C_OrphanFileHandler : public C_OrphanHandler {
public:
    // The file name and the canonical output directory of its first mention.
    using Entry = std::pair<U_Filename, std::string>;
    using Order = std::vector<const Entry*>;

    // Records a file argument: its canonical path decides whether it is new; a file named again,
    // in any spelling, keeps its first entry.
    void take(C_CmdArgs& args, const std::string& argument) override;
    bool isEmpty() const override { return files_.empty(); }

    // The entries in the order they were first named.
    Order::const_iterator begin() const { return order_.begin(); }
    Order::const_iterator end() const { return order_.end(); }
    std::size_t size() const { return order_.size(); }

private:
    std::map<const std::string*, Entry> files_; // keyed by the interned canonical path
    Order order_;
    // Every file of a build names the same output directory: its canonical form is worked out
    // once for a run of equal texts.
    std::string lastDirectory_;
    std::string lastCanonicalDirectory_;
    bool haveDirectory_ = false;
};
