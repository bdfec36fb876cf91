// Writing the SARIF log of error files.
#include "ErrtoolSarif.h"

#include "FilenameStringCompare.h"
#include "M_InputBonnie.h"
#include "M_SuppressionContext.h"
#include "U_JsonWriter.h"
#include "U_LocationData.h"
#include "U_PathNames.h"

#include <map>

namespace errtool {

namespace {

constexpr const char* kSchema = "https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/sarif-schema-2.1.0.json";
constexpr const char* kRootId = "SRCROOT";

// Percent-encodes everything but the unreserved characters and "/" (and ":" where it may stand).
std::string encodePath(const std::string& path, bool keepColon)
{
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~' || c == '/' || (keepColon && c == ':');
        if (plain) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

// Where a path goes in the log: relative to the source root below it, a file URI otherwise.
class UriMaker {
public:
    explicit UriMaker(const std::string& sourceRoot)
    {
        if (sourceRoot.empty())
            return;
        root_ = toForwardSlashes(fullPath(sourceRoot));
        if (root_.empty() || root_.back() != '/')
            root_ += '/';
    }

    const std::string& root() const { return root_; }

    void write(U_JsonWriter& out, const std::string& path) const
    {
        out.key("artifactLocation").beginObject();
        if (isBelowRoot(path))
            out.member("uri", encodePath(path.substr(root_.size()), false)).member("uriBaseId", kRootId);
        else
            out.member("uri", fileUri(path));
        out.endObject();
    }

private:
    // Letter case counts only where the platform's file names have it: on Windows, C:/Project/a.c
    // lies below a root given as c:\project.
    bool isBelowRoot(const std::string& path) const
    {
        if (root_.empty() || path.size() <= root_.size())
            return false;
        const std::string head = path.substr(0, root_.size());
        return !sameNames_(head, root_) && !sameNames_(root_, head);
    }

    std::string root_;
    FilenameStringCompare sameNames_;
};

void writePhysicalLocation(U_JsonWriter& out, const UriMaker& uris, const U_LocationData& location)
{
    out.key("physicalLocation").beginObject();
    uris.write(out, location.file().fullName());
    // Lines and columns count from 1 in SARIF; a file-level finding (line 0) has no region, and a
    // column of 0 (unknown) is left out.
    if (location.line() > 0) {
        out.key("region").beginObject().member("startLine", location.line());
        if (location.column() > 0)
            out.member("startColumn", location.column());
        out.endObject();
    }
    out.endObject();
}

void writeSuppressions(U_JsonWriter& out, const M_Diagnostic& diagnostic, const M_SuppressionRecord* record)
{
    if (!record && !diagnostic.hiddenByPragma() && !diagnostic.hiddenByUser())
        return;
    out.key("suppressions").beginArray();
    if (record)
        out.beginObject().member("kind", "external").member("justification", record->text()).endObject();
    if (diagnostic.hiddenByPragma())
        out.beginObject().member("kind", "inSource").key("properties").beginObject().member("hiddenBy", "pragma")
            .endObject().endObject();
    if (diagnostic.hiddenByUser())
        out.beginObject().member("kind", "external").key("properties").beginObject().member("hiddenBy", "user")
            .endObject().endObject();
    out.endArray();
}

void writeResult(U_JsonWriter& out, const UriMaker& uris, const M_Diagnostic& diagnostic, std::size_t ruleIndex,
                 const M_SuppressionRecord* record)
{
    out.beginObject();
    out.member("ruleId", std::to_string(diagnostic.messageNumber())).member("ruleIndex", static_cast<std::int64_t>(ruleIndex));
    out.member("level", "warning");
    out.key("message").beginObject().member("text", diagnostic.text()).endObject();
    if (const U_LocationData* location = diagnostic.location().get()) {
        out.key("locations").beginArray().beginObject();
        writePhysicalLocation(out, uris, *location);
        out.endObject().endArray();
        if (location->includingLocation()) {
            out.key("relatedLocations").beginArray();
            std::int64_t id = 0;
            for (const U_LocationData* step = location->includingLocation(); step; step = step->includingLocation()) {
                out.beginObject().member("id", ++id);
                writePhysicalLocation(out, uris, *step);
                out.key("message").beginObject().member("text", "included from here").endObject();
                out.endObject();
            }
            out.endArray();
        }
    }
    writeSuppressions(out, diagnostic, record);
    out.endObject();
}

} // namespace

std::string fileUri(const std::string& path)
{
    const std::string slashes = toForwardSlashes(path);
    if (slashes.empty() || (slashes[0] != '/' && !(slashes.size() >= 2 && slashes[1] == ':')))
        return encodePath(slashes, false); // not absolute: a relative reference
    // A UNC path (//server/share/...) names its server as the URI's authority.
    if (slashes.size() > 2 && slashes.compare(0, 2, "//") == 0 && slashes[2] != '/')
        return "file:" + encodePath(slashes, true);
    return "file://" + std::string(slashes[0] == '/' ? "" : "/") + encodePath(slashes, true);
}

std::string sarifLog(const std::vector<SarifInput>& inputs, const std::string& sourceRoot)
{
    const UriMaker uris(sourceRoot);
    std::map<std::int32_t, std::size_t> ruleIndex;
    for (const SarifInput& input : inputs)
        for (const auto& diagnostic : input.reader->diagnostics())
            ruleIndex.emplace(diagnostic->messageNumber(), 0);
    std::size_t next = 0;
    for (auto& entry : ruleIndex)
        entry.second = next++;

    U_JsonWriter out(2);
    out.beginObject().member("$schema", kSchema).member("version", "2.1.0");
    out.key("runs").beginArray().beginObject();
    out.key("tool").beginObject().key("driver").beginObject();
    out.member("name", "VEL").member("fullName", "VEL analyser family (VELC, VELCPP)");
    out.key("rules").beginArray();
    for (const auto& entry : ruleIndex)
        out.beginObject().member("id", std::to_string(entry.first)).endObject();
    out.endArray().endObject().endObject();
    if (!uris.root().empty()) {
        out.key("originalUriBaseIds").beginObject().key(kRootId).beginObject();
        out.member("uri", fileUri(uris.root())).endObject().endObject();
    }
    out.key("results").beginArray();
    for (const SarifInput& input : inputs) {
        M_SuppressionContext context;
        context.addRecords(input.reader->suppressions(), true);
        for (const auto& diagnostic : input.reader->diagnostics())
            writeResult(out, uris, *diagnostic, ruleIndex[diagnostic->messageNumber()],
                        context.coveringRecord(*diagnostic));
    }
    out.endArray();
    out.endObject().endArray().endObject();
    return out.text() + "\n";
}

} // namespace errtool
