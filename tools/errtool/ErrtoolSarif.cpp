// Writing the SARIF log of error files.
#include "ErrtoolSarif.h"

#include "FilenameStringCompare.h"
#include "M_InputBonnie.h"
#include "M_SuppressionContext.h"
#include "U_FileBytes.h"
#include "U_JsonWriter.h"
#include "U_LocationData.h"
#include "U_PathNames.h"
#include "U_Sha256.h"

#include <algorithm>
#include <memory>
#include <set>
#include <tuple>

namespace errtool {

namespace {

constexpr const char* kSchema = "https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/sarif-schema-2.1.0.json";
constexpr const char* kRootId = "SRCROOT";
constexpr const char* kFingerprint = "velResultHash/v1";

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

    // The URI, and whether it is relative to the source root.
    std::pair<std::string, bool> uri(const std::string& path) const
    {
        if (isBelowRoot(path))
            return {encodePath(path.substr(root_.size()), false), true};
        return {fileUri(path), false};
    }

    // The path as people read it in messages: below the root relative to it.
    std::string shown(const std::string& path) const { return isBelowRoot(path) ? path.substr(root_.size()) : path; }

    void write(U_JsonWriter& out, const std::string& path) const
    {
        const auto [text, relative] = uri(path);
        out.key("artifactLocation").beginObject().member("uri", text);
        if (relative)
            out.member("uriBaseId", kRootId);
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

// The lines of the source files, read once each where errtool runs; null for a file it cannot read.
class SourceLines {
public:
    const std::vector<std::string>* lines(const std::string& path)
    {
        auto found = files_.find(path);
        if (found == files_.end()) {
            std::string bytes;
            std::unique_ptr<std::vector<std::string>> lines;
            if (!path.empty() && readWholeFile(path, bytes)) {
                lines = std::make_unique<std::vector<std::string>>();
                std::size_t start = 0;
                while (start < bytes.size()) {
                    std::size_t lf = bytes.find('\n', start);
                    if (lf == std::string::npos)
                        lf = bytes.size();
                    std::string line = bytes.substr(start, lf - start);
                    if (!line.empty() && line.back() == '\r')
                        line.pop_back();
                    lines->push_back(std::move(line));
                    start = lf + 1;
                }
            }
            found = files_.emplace(path, std::move(lines)).first;
        }
        return found->second.get();
    }

    // The line's text; empty for line 0, past the end, or a file that cannot be read.
    std::string line(const std::string& path, std::int32_t number)
    {
        const std::vector<std::string>* all = lines(path);
        if (!all || number < 1 || static_cast<std::size_t>(number) > all->size())
            return {};
        return (*all)[static_cast<std::size_t>(number) - 1];
    }

private:
    std::map<std::string, std::unique_ptr<std::vector<std::string>>> files_;
};

// The message for people: "Message <n>" and the parameters; a list in brackets, a message list as
// its messages, each with where it stands (left out for the fingerprint, which must not follow
// line numbers).
std::string messageText(const M_Diagnostic& diagnostic, const UriMaker& uris, bool withLocations);

std::string parameterText(const M_ParamType& parameter, const UriMaker& uris, bool withLocations)
{
    if (const std::string* value = parameter.stringValue())
        return *value;
    if (const auto* list = dynamic_cast<const M_ParamListType*>(&parameter)) {
        std::string out = "[";
        for (std::size_t i = 0; i < list->values().size(); ++i)
            out += (i > 0 ? ", " : "") + list->values()[i];
        return out + "]";
    }
    if (const auto* messages = dynamic_cast<const M_ParamMsgListType*>(&parameter)) {
        std::string out = "[";
        for (std::size_t i = 0; i < messages->messages().size(); ++i)
            out += (i > 0 ? "; " : "") + messageText(*messages->messages()[i], uris, withLocations);
        return out + "]";
    }
    return parameter.text();
}

std::string messageText(const M_Diagnostic& diagnostic, const UriMaker& uris, bool withLocations)
{
    std::string out = "Message " + std::to_string(diagnostic.messageNumber());
    const U_LocationData* location = diagnostic.location().get();
    // The top-level result's location is the result's own; a message list's entries name theirs.
    if (withLocations && location)
        out += " at " + uris.shown(location->file().fullName()) + " line " + std::to_string(location->line());
    for (std::size_t i = 0; i < diagnostic.parameterCount(); ++i)
        out += (i == 0 ? ": " : ", ") + parameterText(*diagnostic.parameter(i), uris, withLocations);
    return out;
}

std::string topMessageText(const M_Diagnostic& diagnostic, const UriMaker& uris, bool withLocations)
{
    std::string out = "Message " + std::to_string(diagnostic.messageNumber());
    for (std::size_t i = 0; i < diagnostic.parameterCount(); ++i)
        out += (i == 0 ? ": " : ", ") + parameterText(*diagnostic.parameter(i), uris, withLocations);
    return out;
}

// One result: a diagnostic as one or more error files hold it.
struct Result {
    const M_Diagnostic* diagnostic = nullptr;
    std::string file; // canonical path; empty without a location
    std::string message;
    std::vector<std::vector<const U_LocationData*>> chains; // the include chains, each once
    std::set<std::string> chainKeys;
    std::vector<std::string> justifications; // of the covering records, each once
    bool pragma = false;
    bool user = false;
    std::string fingerprint;
};

std::string chainKey(const std::vector<const U_LocationData*>& chain)
{
    std::string key;
    for (const U_LocationData* step : chain)
        key += step->file().fullName() + '\n' + std::to_string(step->line()) + ':' + std::to_string(step->column()) + '\n';
    return key;
}

void writeRegion(U_JsonWriter& out, SourceLines& sources, const U_LocationData& location)
{
    out.key("region").beginObject();
    if (location.line() > 0) {
        out.member("startLine", location.line());
        if (location.column() > 0)
            out.member("startColumn", location.column());
    } else {
        // A finding about the whole file (line 0) covers its lines, from the first to the last.
        out.member("startLine", 1);
        const std::vector<std::string>* lines = sources.lines(location.file().fullName());
        if (lines && !lines->empty())
            out.member("endLine", static_cast<std::int64_t>(lines->size()));
    }
    out.endObject();
}

void writePhysicalLocation(U_JsonWriter& out, const UriMaker& uris, SourceLines& sources, const U_LocationData& location)
{
    out.key("physicalLocation").beginObject();
    uris.write(out, location.file().fullName());
    writeRegion(out, sources, location);
    out.endObject();
}

void writeSuppressions(U_JsonWriter& out, const Result& result)
{
    if (result.justifications.empty() && !result.pragma && !result.user)
        return;
    const auto hiddenBy = [&](const char* by) { out.key("properties").beginObject().member("hiddenBy", by).endObject(); };
    out.key("suppressions").beginArray();
    for (const std::string& justification : result.justifications) {
        out.beginObject().member("kind", "external").member("justification", justification);
        hiddenBy("record");
        out.endObject();
    }
    if (result.pragma) {
        out.beginObject().member("kind", "inSource");
        hiddenBy("pragma");
        out.endObject();
    }
    if (result.user) {
        out.beginObject().member("kind", "external");
        hiddenBy("user");
        out.endObject();
    }
    out.endArray();
}

void writeResult(U_JsonWriter& out, const UriMaker& uris, SourceLines& sources, const Result& result,
                 std::size_t ruleIndex)
{
    const M_Diagnostic& diagnostic = *result.diagnostic;
    out.beginObject();
    out.member("ruleId", std::to_string(diagnostic.messageNumber())).member("ruleIndex", static_cast<std::int64_t>(ruleIndex));
    out.member("level", "warning");
    out.key("message").beginObject().member("text", result.message).endObject();
    if (const U_LocationData* location = diagnostic.location().get()) {
        out.key("locations").beginArray().beginObject();
        writePhysicalLocation(out, uris, sources, *location);
        out.endObject().endArray();
        if (!result.chains.empty() && !result.chains.front().empty()) {
            out.key("relatedLocations").beginArray();
            std::int64_t id = 0;
            for (const auto& chain : result.chains) {
                for (const U_LocationData* step : chain) {
                    out.beginObject().member("id", ++id);
                    writePhysicalLocation(out, uris, sources, *step);
                    out.key("message").beginObject().member("text", "included from here").endObject();
                    out.endObject();
                }
            }
            out.endArray();
        }
    }
    out.key("partialFingerprints").beginObject().member(kFingerprint, result.fingerprint).endObject();
    writeSuppressions(out, result);
    out.endObject();
}

void writeRule(U_JsonWriter& out, std::int32_t number, const SarifOptions& options)
{
    const std::string id = std::to_string(number);
    const auto known = options.messageTexts.find(number);
    std::string shortText;
    std::string fullText;
    std::string helpText;
    if (known != options.messageTexts.end()) {
        shortText = known->second;
        fullText = "VEL message " + id + ": " + known->second;
        helpText = "VEL message " + id + ": " + known->second +
                   ". The analyser's documentation of the message tells more.";
    } else {
        shortText = "VEL message " + id;
        fullText = "Message " + id + " of the VEL analyser family (VELC, VELCPP).";
        helpText = "Message " + id +
                   " of the VEL analyser family: its documentation explains the message. "
                   "errtool sarif --messages FILE gives the rules the texts of the messages.";
    }
    out.beginObject().member("id", id);
    out.key("shortDescription").beginObject().member("text", shortText).endObject();
    out.key("fullDescription").beginObject().member("text", fullText).endObject();
    out.key("help").beginObject().member("text", helpText).endObject();
    out.endObject();
}

} // namespace

std::map<std::int32_t, std::string> readMessageTexts(const std::string& path)
{
    std::string bytes;
    if (!readWholeFile(path, bytes))
        throw SarifError("cannot read " + path);
    std::map<std::int32_t, std::string> texts;
    std::size_t start = 0;
    std::size_t number = 0;
    while (start < bytes.size()) {
        std::size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos)
            lf = bytes.size();
        std::string line = bytes.substr(start, lf - start);
        start = lf + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        const std::string where = path + ":" + std::to_string(number) + ": ";
        std::size_t digits = 0;
        while (digits < line.size() && digits < 9 && line[digits] >= '0' && line[digits] <= '9')
            ++digits;
        const std::size_t text = line.find_first_not_of(" \t", digits);
        if (digits == 0 || digits == line.size() || (line[digits] != ' ' && line[digits] != '\t') ||
            text == std::string::npos)
            throw SarifError(where + "not \"<message number> <text>\"");
        const auto message = static_cast<std::int32_t>(std::stol(line.substr(0, digits)));
        if (!texts.emplace(message, line.substr(text)).second)
            throw SarifError(where + "message " + std::to_string(message) + " is given a second time");
    }
    return texts;
}

std::string format2Source(const std::string& errorFile, const std::string& directory)
{
    std::string name = baseName(toForwardSlashes(errorFile));
    const std::string suffix = ".err";
    if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        name.resize(name.size() - suffix.size());
    return joinPath(directory.empty() ? dirName(toForwardSlashes(errorFile)) : toForwardSlashes(directory), name);
}

std::string fingerprintLineText(const std::string& line)
{
    std::string out;
    for (const char c : line)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\f' && c != '\v')
            out += c;
    return out;
}

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

std::string sarifLog(const std::vector<SarifInput>& inputs, const SarifOptions& options)
{
    const UriMaker uris(options.sourceRoot);
    SourceLines sources;

    // The results, a diagnostic that several error files hold (a header's) once.
    using Key = std::tuple<std::int32_t, std::string, std::int32_t, std::int32_t, std::string>;
    std::vector<Result> results;
    std::map<Key, std::size_t> byKey;
    for (const SarifInput& input : inputs) {
        M_SuppressionContext context;
        context.addRecords(input.reader->suppressions(), true);
        for (const auto& diagnostic : input.reader->diagnostics()) {
            const U_LocationData* location = diagnostic->location().get();
            Result entry;
            entry.diagnostic = diagnostic.get();
            entry.file = location ? location->file().fullName() : std::string();
            entry.message = topMessageText(*diagnostic, uris, true);
            const Key key{diagnostic->messageNumber(), entry.file, location ? location->line() : 0,
                          location ? location->column() : 0, entry.message};
            const auto [at, added] = byKey.emplace(key, results.size());
            if (added)
                results.push_back(std::move(entry));
            Result& result = results[at->second];
            std::vector<const U_LocationData*> chain;
            for (const U_LocationData* step = location ? location->includingLocation() : nullptr; step;
                 step = step->includingLocation())
                chain.push_back(step);
            if (result.chainKeys.insert(chainKey(chain)).second)
                result.chains.push_back(std::move(chain));
            if (const M_SuppressionRecord* record = context.coveringRecord(*diagnostic))
                if (std::find(result.justifications.begin(), result.justifications.end(), record->text()) ==
                    result.justifications.end())
                    result.justifications.push_back(record->text());
            result.pragma = result.pragma || diagnostic->hiddenByPragma();
            result.user = result.user || diagnostic->hiddenByUser();
        }
    }

    // Fingerprints: what the result is and the text of its line, never the line number, so that
    // edits elsewhere in the file leave them as they are; results alike in all that are told apart
    // by their order in the file.
    std::vector<std::size_t> order(results.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    const auto position = [&](std::size_t i) {
        const U_LocationData* location = results[i].diagnostic->location().get();
        return std::make_pair(location ? location->line() : 0, location ? location->column() : 0);
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return position(a) < position(b); });
    std::map<std::string, std::int64_t> seen;
    for (const std::size_t i : order) {
        Result& result = results[i];
        const M_Diagnostic& diagnostic = *result.diagnostic;
        const U_LocationData* location = diagnostic.location().get();
        std::string what = std::to_string(diagnostic.messageNumber()) + '\0' +
                           (result.file.empty() ? std::string() : uris.uri(result.file).first) + '\0' +
                           fingerprintLineText(location ? sources.line(result.file, location->line()) : std::string()) +
                           '\0' + topMessageText(diagnostic, uris, false);
        const std::int64_t occurrence = ++seen[what];
        result.fingerprint = sha256Hex(what + '\0' + std::to_string(occurrence)).substr(0, 32) + ":" +
                             std::to_string(occurrence);
    }

    std::map<std::int32_t, std::size_t> ruleIndex;
    for (const Result& result : results)
        ruleIndex.emplace(result.diagnostic->messageNumber(), 0);
    std::size_t next = 0;
    for (auto& entry : ruleIndex)
        entry.second = next++;

    U_JsonWriter out(2);
    out.beginObject().member("$schema", kSchema).member("version", "2.1.0");
    out.key("runs").beginArray().beginObject();
    out.key("tool").beginObject().key("driver").beginObject();
    out.member("name", "VEL").member("fullName", "VEL analyser family (VELC, VELCPP)");
    if (!options.version.empty())
        out.member("version", options.version);
    out.key("rules").beginArray();
    for (const auto& entry : ruleIndex)
        writeRule(out, entry.first, options);
    out.endArray().endObject().endObject();
    if (!uris.root().empty()) {
        out.key("originalUriBaseIds").beginObject().key(kRootId).beginObject();
        out.member("uri", fileUri(uris.root())).endObject().endObject();
    }
    out.key("results").beginArray();
    for (const Result& result : results)
        writeResult(out, uris, sources, result, ruleIndex[result.diagnostic->messageNumber()]);
    out.endArray();
    out.endObject().endArray().endObject();
    return out.text() + "\n";
}

} // namespace errtool
