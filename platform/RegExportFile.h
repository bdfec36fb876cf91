// Parser of registry export files (".reg" text): keys, values and their raw data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace platform {

// One value: its name (UTF-8, empty for the default value), registry type and raw data bytes
// exactly as the registry would store them (strings as zero-terminated UTF-16LE).
struct RegExportValue {
    std::string name;
    std::uint32_t type = 0;
    std::string data;
};

// One key: its name, its subkeys (indices into the export's node table) and values, in file order.
struct RegExportNode {
    std::string name;
    std::vector<std::size_t> children;
    std::map<std::string, std::size_t> childByFoldedName;
    std::vector<RegExportValue> values;
};

// The keys of an export file. Node 0 is the root above the hives ("HKEY_LOCAL_MACHINE", ...).
// Nodes are kept in a flat table so arbitrarily deep keys cost no recursion.
class RegExport {
public:
    RegExport();

    // Parses the file's bytes (UTF-8, or UTF-16LE with its byte order mark). On a malformed file
    // answers false and sets `error` to "<fileName>, line <n>: <what is wrong>".
    bool parse(const std::string& bytes, const std::string& fileName, std::string& error);

    // The node of a "\\"-separated path below the root ("HKEY_LOCAL_MACHINE\\Software\\X"),
    // matched case-insensitively; false when absent.
    bool find(const std::string& path, std::size_t& node) const;

    const RegExportNode& node(std::size_t index) const { return nodes_[index]; }

private:
    std::size_t child(std::size_t parent, const std::string& name, bool create);
    std::vector<RegExportNode> nodes_;
};

} // namespace platform
