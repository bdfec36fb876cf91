// The line-based text description of an error file that "errtool make" and "errtool append" read.
#pragma once

#include <stdexcept>
#include <string>

namespace errtool {

// A description that cannot be understood; the text names the line.
class DescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes of a whole error file (header and records) built from the description.
std::string buildErrorFile(const std::string& description);

// Appends the description's diagnostics and suppression records to an existing error file as one
// block, through the process-wide appending writer.
void appendToErrorFile(const std::string& description, const std::string& path);

} // namespace errtool
