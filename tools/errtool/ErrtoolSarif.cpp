// Writing the SARIF log of error files.
#include "ErrtoolSarif.h"

#include "CodePage.h"
#include "FilenameStringCompare.h"
#include "M_InputBonnie.h"
#include "M_SuppressionContext.h"
#include "TextLines.h"
#include "U_FileBytes.h"
#include "U_LocationData.h"
#include "U_PathNames.h"
#include "U_Sha256.h"
#include "U_Utf8Text.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <memory>
#include <set>
#include <tuple>

namespace errtool {

namespace {

// Members stay in the order they are set.
using Json = nlohmann::ordered_json;

constexpr const char* kSchema = "https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/sarif-schema-2.1.0.json";
constexpr const char* kRootId = "SRCROOT";
constexpr const char* kFingerprint = "velResultHash/v1";
// The fingerprint of a result whose source line could not be read where the log was made: it lacks
// the line's text, so it differs from the one made where the source is readable.
constexpr const char* kFingerprintWithoutSource = "velResultHash/v1-nosource";

// Paths and texts as read (on Windows in the ANSI code page) as UTF-8, a byte that is not taken as
// its Latin-1 character.
std::string utf8(const std::string& text)
{
    return utf8OrLatin1(platform::codePageToUtf8(text, platform::fileNameCodePage()));
}

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

// Where a path goes in the log: relative to the source root below it, a file URI otherwise. Paths
// are taken as read and made UTF-8 here.
class UriMaker {
public:
    // The root is a directory's canonical path (or empty for none).
    explicit UriMaker(const std::string& root) : root_(utf8(root))
    {
        if (!root_.empty() && root_.back() != '/')
            root_ += '/';
    }

    const std::string& root() const { return root_; }

    // The URI, and whether it is relative to the source root.
    std::pair<std::string, bool> uri(const std::string& path) const
    {
        const std::string text = utf8(path);
        if (isBelowRoot(text))
            return {encodePath(text.substr(root_.size()), false), true};
        return {fileUri(text), false};
    }

    // The path as people read it in messages: below the root relative to it.
    std::string shown(const std::string& path) const
    {
        const std::string text = utf8(path);
        return isBelowRoot(text) ? text.substr(root_.size()) : text;
    }

    // The path relative to the root, with ".." steps for one outside it, so that it is the same in
    // every checkout: the path a fingerprint takes.
    std::string relative(const std::string& path) const
    {
        const std::string text = utf8(path);
        if (isBelowRoot(text))
            return text.substr(root_.size());
        if (root_.empty())
            return text;
        std::size_t common = 0; // the length of the directories both begin with
        for (std::size_t i = 0; i < root_.size() && i < text.size(); ++i) {
            if (!sameName(root_.substr(i, 1), text.substr(i, 1)))
                break;
            if (root_[i] == '/')
                common = i + 1;
        }
        std::string up;
        for (std::size_t i = common; i < root_.size(); ++i)
            if (root_[i] == '/')
                up += "../";
        return up + text.substr(common);
    }

    Json artifactLocation(const std::string& path) const
    {
        const auto [text, relative] = uri(path);
        Json location{{"uri", text}};
        if (relative)
            location["uriBaseId"] = kRootId;
        return location;
    }

private:
    bool sameName(const std::string& a, const std::string& b) const { return !sameNames_(a, b) && !sameNames_(b, a); }

    // Letter case counts only where the platform's file names have it: on Windows, C:/Project/a.c
    // lies below a root given as c:\project.
    bool isBelowRoot(const std::string& path) const
    {
        return !root_.empty() && path.size() > root_.size() && sameName(path.substr(0, root_.size()), root_);
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
                platform::forEachTextLine(bytes, [&](const std::string& line) { lines->push_back(line); });
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
        return utf8(*value);
    if (const auto* list = dynamic_cast<const M_ParamListType*>(&parameter)) {
        std::string out = "[";
        for (std::size_t i = 0; i < list->values().size(); ++i)
            out += (i > 0 ? ", " : "") + utf8(list->values()[i]);
        return out + "]";
    }
    if (const auto* messages = dynamic_cast<const M_ParamMsgListType*>(&parameter)) {
        std::string out = "[";
        for (std::size_t i = 0; i < messages->messages().size(); ++i)
            out += (i > 0 ? "; " : "") + messageText(*messages->messages()[i], uris, withLocations);
        return out + "]";
    }
    return utf8(parameter.text());
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
    bool withoutSource = false; // the fingerprint lacks the line's text, which could not be read
};

std::string chainKey(const std::vector<const U_LocationData*>& chain)
{
    std::string key;
    for (const U_LocationData* step : chain)
        key += step->file().fullName() + '\n' + std::to_string(step->line()) + ':' + std::to_string(step->column()) + '\n';
    return key;
}

Json region(SourceLines& sources, const U_LocationData& location)
{
    Json region;
    if (location.line() > 0) {
        region["startLine"] = location.line();
        if (location.column() > 0)
            region["startColumn"] = location.column();
    } else {
        // A finding about the whole file (line 0) covers its lines, from the first to the last.
        region["startLine"] = 1;
        const std::vector<std::string>* lines = sources.lines(location.file().fullName());
        if (lines && !lines->empty())
            region["endLine"] = lines->size();
    }
    return region;
}

Json physicalLocation(const UriMaker& uris, SourceLines& sources, const U_LocationData& location)
{
    return Json{{"artifactLocation", uris.artifactLocation(location.file().fullName())},
                {"region", region(sources, location)}};
}

Json suppressions(const Result& result)
{
    const auto suppression = [](const char* kind, const char* by) {
        return Json{{"kind", kind}, {"properties", {{"hiddenBy", by}}}};
    };
    Json list = Json::array();
    for (const std::string& justification : result.justifications) {
        Json entry{{"kind", "external"}, {"justification", utf8(justification)}};
        entry["properties"] = {{"hiddenBy", "record"}};
        list.push_back(std::move(entry));
    }
    if (result.pragma)
        list.push_back(suppression("inSource", "pragma"));
    if (result.user)
        list.push_back(suppression("external", "user"));
    return list;
}

Json resultJson(const UriMaker& uris, SourceLines& sources, const Result& result, std::size_t ruleIndex)
{
    const M_Diagnostic& diagnostic = *result.diagnostic;
    Json out;
    out["ruleId"] = std::to_string(diagnostic.messageNumber());
    out["ruleIndex"] = ruleIndex;
    out["level"] = "warning";
    out["message"] = {{"text", utf8OrLatin1(result.message)}};
    if (const U_LocationData* location = diagnostic.location().get()) {
        out["locations"] = Json::array({Json{{"physicalLocation", physicalLocation(uris, sources, *location)}}});
        if (!result.chains.empty() && !result.chains.front().empty()) {
            Json related = Json::array();
            std::int64_t id = 0;
            for (const auto& chain : result.chains)
                for (const U_LocationData* step : chain)
                    related.push_back(Json{{"id", ++id},
                                           {"physicalLocation", physicalLocation(uris, sources, *step)},
                                           {"message", {{"text", "included from here"}}}});
            out["relatedLocations"] = std::move(related);
        }
    }
    out["partialFingerprints"] = {{result.withoutSource ? kFingerprintWithoutSource : kFingerprint, result.fingerprint}};
    if (!result.justifications.empty() || result.pragma || result.user)
        out["suppressions"] = suppressions(result);
    return out;
}

Json rule(std::int32_t number, const SarifOptions& options)
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
    return Json{{"id", id},
                {"shortDescription", {{"text", utf8OrLatin1(shortText)}}},
                {"fullDescription", {{"text", utf8OrLatin1(fullText)}}},
                {"help", {{"text", utf8OrLatin1(helpText)}}}};
}

} // namespace

std::map<std::int32_t, std::string> readMessageTexts(const std::string& path)
{
    std::string bytes;
    if (!readWholeFile(path, bytes))
        throw SarifError("cannot read " + path);
    std::map<std::int32_t, std::string> texts;
    std::size_t number = 0;
    platform::forEachTextLine(bytes, [&](const std::string& line) {
        ++number;
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            return;
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
    });
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

namespace {

// The folder of the source file an error file was made for: the file of its diagnostics (or of
// the files that included them) whose name with ".err" is the error file's; beside the error file
// when none is.
std::string analysedSourceFolder(const SarifInput& input)
{
    const std::string errorFile = baseName(toForwardSlashes(input.path));
    for (const auto& diagnostic : input.reader->diagnostics())
        for (const U_LocationData* step = diagnostic->location().get(); step; step = step->includingLocation())
            if (baseName(step->file().fullName()) + ".err" == errorFile)
                return dirName(step->file().fullName());
    return dirName(toForwardSlashes(fullPath(input.path)));
}

// The source root: the one given, else the folder that holds the analysed sources of all the error
// files, so that the log's paths and fingerprints do not depend on where the checkout lies.
std::string sourceRootOf(const std::vector<SarifInput>& inputs, const SarifOptions& options)
{
    if (!options.sourceRoot.empty())
        return toForwardSlashes(fullPath(options.sourceRoot));
    std::string root;
    for (const SarifInput& input : inputs) {
        std::string folder = analysedSourceFolder(input) + "/";
        if (root.empty()) {
            root = folder;
            continue;
        }
        std::size_t common = 0;
        for (std::size_t i = 0; i < root.size() && i < folder.size() && root[i] == folder[i]; ++i)
            if (root[i] == '/')
                common = i + 1;
        root.resize(common);
    }
    return root;
}

} // namespace

std::string sarifLog(const std::vector<SarifInput>& inputs, const SarifOptions& options,
                     std::vector<std::string>* unreadableSources)
{
    const UriMaker uris(sourceRootOf(inputs, options));
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
        // A line's text that cannot be read here is marked in the fingerprint's name.
        const bool hasLine = location && location->line() > 0;
        result.withoutSource = hasLine && !sources.lines(result.file);
        std::string what = std::to_string(diagnostic.messageNumber()) + '\0' +
                           (result.file.empty() ? std::string() : encodePath(uris.relative(result.file), false)) +
                           '\0' + fingerprintLineText(hasLine ? sources.line(result.file, location->line()) : std::string()) +
                           '\0' + topMessageText(diagnostic, uris, false);
        const std::int64_t occurrence = ++seen[what];
        result.fingerprint = sha256Hex(what + '\0' + std::to_string(occurrence)).substr(0, 32) + ":" +
                             std::to_string(occurrence);
        if (result.withoutSource && unreadableSources &&
            std::find(unreadableSources->begin(), unreadableSources->end(), result.file) == unreadableSources->end())
            unreadableSources->push_back(result.file);
    }

    std::map<std::int32_t, std::size_t> ruleIndex;
    for (const Result& result : results)
        ruleIndex.emplace(result.diagnostic->messageNumber(), 0);
    std::size_t next = 0;
    for (auto& entry : ruleIndex)
        entry.second = next++;

    Json driver{{"name", "VEL"}, {"fullName", "VEL analyser family (VELC, VELCPP)"}};
    if (!options.version.empty())
        driver["version"] = options.version;
    Json rules = Json::array();
    for (const auto& entry : ruleIndex)
        rules.push_back(rule(entry.first, options));
    driver["rules"] = std::move(rules);
    Json run;
    run["tool"] = {{"driver", std::move(driver)}};
    if (!uris.root().empty())
        run["originalUriBaseIds"] = {{kRootId, {{"uri", fileUri(uris.root())}}}};
    Json resultList = Json::array();
    for (const Result& result : results)
        resultList.push_back(resultJson(uris, sources, result, ruleIndex[result.diagnostic->messageNumber()]));
    run["results"] = std::move(resultList);
    Json log{{"$schema", kSchema}, {"version", "2.1.0"}};
    log["runs"] = Json::array({std::move(run)});
    return log.dump(2) + "\n";
}

} // namespace errtool
