// errtool sarif: error files as a SARIF 2.1.0 log for code-scanning viewers.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

class M_InputBonnie;

namespace errtool {

// One error file read, with the path it was read from.
struct SarifInput {
    std::string path;
    const M_InputBonnie* reader;
};

struct SarifOptions {
    // Paths below it are relative to it, others are file URIs. When empty, the folder that holds
    // the analysed sources of the error files is the root.
    std::string sourceRoot;
    // The texts of the analyser's messages, by number (--messages); the rules say what is known
    // without them.
    std::map<std::int32_t, std::string> messageTexts;
    // The kit's version, for the tool driver.
    std::string version;
};

// A messages file (one "<number> <text>" a line) that cannot be used.
class SarifError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The message texts of a messages file: one "<number> <text>" a line (CR LF or LF), empty lines
// skipped. Raises SarifError, naming the file and line, for a line of another form or a number given
// twice, and when the file cannot be read.
std::map<std::int32_t, std::string> readMessageTexts(const std::string& path);

// The analysed source file of a format-2 error file, which names it only by its own name
// (M_errorFilePath): "<directory>/<name without .err>", in the directory given or, when it is
// empty, beside the error file.
std::string format2Source(const std::string& errorFile, const std::string& directory);

// The SARIF 2.1.0 log (indented JSON) of the error files: one run whose tool driver is the VEL
// analyser family at the kit's version, with a rule per message number seen (descriptions and help),
// and a result per diagnostic: the message number and parameters as its message, its position (a
// whole-file region for line 0), its include chains as related locations, a stable fingerprint, and
// its suppressions: "external" with the record's text for one covered by a suppression record of
// its error file, "inSource" for one hidden by pragma, "external" for one hidden by the user, each
// with the "hiddenBy" property. A diagnostic that several error files hold (a header's, reached
// from several sources) is one result with the include chain of each.
// The fingerprints take the file's path relative to the source root, so that two checkouts in
// different folders give the same ones. A result whose source file cannot be read here has its
// fingerprint under "velResultHash/v1-nosource"; such files are added to `unreadableSources`.
std::string sarifLog(const std::vector<SarifInput>& inputs, const SarifOptions& options,
                     std::vector<std::string>* unreadableSources = nullptr);

// The URI of a canonical path: "file:///..." for an absolute one, "file://server/share/..." for a
// UNC path, percent-encoded.
std::string fileUri(const std::string& path);

// The text of a source line as its fingerprint takes it: without blanks (spaces, tabs, CR, form
// feeds), so that re-indenting it does not count as a change.
std::string fingerprintLineText(const std::string& line);

} // namespace errtool
