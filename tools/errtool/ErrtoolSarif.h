// errtool sarif: error files as a SARIF 2.1.0 log for code-scanning viewers.
#pragma once

#include <string>
#include <vector>

class M_InputBonnie;

namespace errtool {

// One error file read, with the path it was read from.
struct SarifInput {
    std::string path;
    const M_InputBonnie* reader;
};

// The SARIF 2.1.0 log (indented JSON) of the error files: one run whose tool driver is the VEL
// analyser family, a rule per message number seen, and a result per diagnostic with its text form
// as the message, its position, and its include chain as related locations. A diagnostic covered
// by a suppression record of its error file gets an "external" suppression whose justification is
// the record's text; one hidden by pragma an "inSource" one, one hidden by the user an "external"
// one. Paths below the source root (when not empty) are relative to it, others are file URIs.
std::string sarifLog(const std::vector<SarifInput>& inputs, const std::string& sourceRoot);

// The URI of a canonical path: "file:///..." for an absolute one, "file://server/share/..." for a
// UNC path, percent-encoded.
std::string fileUri(const std::string& path);

} // namespace errtool
