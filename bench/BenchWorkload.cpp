// Generates the benchmark's analysis output through the project's own error-file encoder.
#include "BenchWorkload.h"

#include "M_Diagnostic.h"
#include "M_ErrorFileFormat.h"
#include "M_SuppressionRecord.h"
#include "R_BinaryWriter.h"
#include "R_ErrorFileEncoder.h"
#include "U_Filename.h"
#include "U_LocationData.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kHeaders = 20;
constexpr int kIncludesPerFile = 3;
constexpr int kFirstCodeLine = kIncludesPerFile + 2; // the includes, then one empty line
constexpr int kHotLine = 10;                           // where a share of every file's diagnostics pile up
constexpr int kMessageNumbers = 120;
constexpr int kNoRule = -1;

// A deterministic generator (splitmix64), so a size always gives the same files on every machine.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool percent(int p) { return below(100) < p; }

private:
    std::uint64_t state_;
};

// Message numbers as an analyser uses them: a few very frequent ones and a long tail.
std::int32_t messageNumber(int index)
{
    return 1000 + static_cast<std::int32_t>((static_cast<std::int64_t>(index) * 7919) % 8000);
}

std::int32_t frequentMessageNumber(Random& random)
{
    const double u = static_cast<double>(random.below(1000000)) / 1000000.0;
    return messageNumber(static_cast<int>(kMessageNumbers * u * u));
}

std::string token(const char* prefix, int index)
{
    char text[16];
    std::snprintf(text, sizeof text, "%s%04d", prefix, index);
    return text;
}

struct MessageRuleSpec {
    std::int32_t number;
    int kind; // 0 literal word, 1 anchored prefix, 2 alternation, 3 character classes
};

struct ParameterRuleSpec {
    std::int32_t number;
    int position;
    int kind;
};

std::string messagePattern(int index, int kind, const char* prefix = "ZQ")
{
    const std::string t = token(prefix, index);
    switch (kind) {
    case 0:
        return t + "_keep";
    case 1:
        return "^\\s*#\\s*define\\s+" + t + "_";
    case 2:
        return "(memcpy|memset|strcpy)\\(" + t + "_buf";
    default:
        return "\\b" + t + "_[A-Za-z]+\\[[0-9]+\\]";
    }
}

// A source line that the message rule of this index (and no other rule) matches.
std::string matchingLine(int index, int kind)
{
    const std::string t = token("ZQ", index);
    switch (kind) {
    case 0:
        return "    result = compute(left, right); // " + t + "_keep";
    case 1:
        return "#define " + t + "_LIMIT 42";
    case 2:
        return "    memcpy(" + t + "_buf, source, length);";
    default:
        return "    int " + t + "_table[16] = {0};";
    }
}

std::string parameterPattern(int index, int kind, const char* prefix = "PZ")
{
    const std::string t = token(prefix, index);
    switch (kind) {
    case 0:
        return t + "_tmp";
    case 1:
        return "^" + t + "_";
    case 2:
        return "^(int|long|unsigned) " + t + "$";
    default:
        return "^" + t + "_[a-z]+[0-9]*$";
    }
}

std::string matchingParameter(int index, int kind)
{
    const std::string t = token("PZ", index);
    switch (kind) {
    case 0:
        return "local " + t + "_tmp";
    case 1:
        return t + "_counter";
    case 2:
        return "unsigned " + t;
    default:
        return t + "_idx3";
    }
}

std::string plainLine(Random& random)
{
    static const char* const kTemplates[] = {
        "    int value%d = compute(first%d, second);",
        "    if (count%d > limit) {",
        "        return buffer[%d];",
        "    }",
        "    std::vector<int> items%d;",
        "    for (int i = 0; i < size%d; ++i) {",
        "    // process the next element (%d)",
        "    total += weights[%d] * factor;",
        "        state.update(channel%d, timestamp, flags & 0x%dU);",
        "",
    };
    constexpr int kCount = sizeof kTemplates / sizeof kTemplates[0];
    char text[128];
    const int n = random.below(1000);
    std::snprintf(text, sizeof text, kTemplates[random.below(kCount)], n, n);
    return text;
}

std::string plainParameter(Random& random)
{
    static const char* const kTexts[] = {"int", "const char *", "std::string", "buffer", "index",
                                         "unsigned long", "Sensor::read", "std::vector<double>"};
    constexpr int kCount = sizeof kTexts / sizeof kTexts[0];
    if (random.percent(50))
        return "m_value" + std::to_string(random.below(500));
    return kTexts[random.below(kCount)];
}

// The lines of one text file as a rule index per line (kNoRule for plain lines); writes the file.
std::vector<int> writeTextFile(const std::string& path, int lines, int firstCodeLine,
                               const std::vector<std::string>& head, const std::vector<MessageRuleSpec>& rules,
                               Random& random, std::int64_t& bytes)
{
    std::vector<int> tokenRules(static_cast<std::size_t>(lines) + 1, kNoRule);
    std::string text;
    for (int line = 1; line <= lines; ++line) {
        std::string content;
        if (line <= static_cast<int>(head.size())) {
            content = head[static_cast<std::size_t>(line - 1)];
        } else if (line >= firstCodeLine && random.percent(6)) {
            const int rule = random.below(static_cast<int>(rules.size()));
            tokenRules[static_cast<std::size_t>(line)] = rule;
            content = matchingLine(rule, rules[static_cast<std::size_t>(rule)].kind);
        } else if (line >= firstCodeLine) {
            content = plainLine(random);
        }
        text += content;
        text += '\n';
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path);
    bytes += static_cast<std::int64_t>(text.size());
    return tokenRules;
}

struct GeneratedDiagnostic {
    M_DiagnosticHandle diagnostic;
    const std::vector<int>* textRules; // the rule index per line of the file that holds it
    int line;
    bool inHeader;
    std::vector<int> parameterRules; // per parameter: the parameter rule whose token it holds
};

} // namespace

BenchWorkloadOutcome generateBenchWorkload(const std::string& directory, const BenchWorkloadSize& size)
{
    namespace fs = std::filesystem;
    if (size.linesPerFile < kHotLine || size.messageRules < 1 || size.parameterRules < 1)
        throw std::runtime_error("a workload needs at least 10 lines per file and one rule of each kind");
    const std::string root = fs::canonical(directory).string();
    fs::create_directories(root + "/src/inc");
    fs::create_directories(root + "/out");
    fs::create_directories(root + "/rules");
    Random random(size.seed);
    BenchWorkloadOutcome outcome;

    // Rules: a sixth of the message rules share the most frequent message number, so a diagnostic
    // of that number is tried against many patterns.
    std::vector<MessageRuleSpec> messageRules;
    std::string messageText = "# suppressions of the synthetic benchmark\n";
    for (int i = 0; i < size.messageRules; ++i) {
        const std::int32_t number = i < size.messageRules / 6 ? messageNumber(0) : messageNumber(1 + random.below(59));
        messageRules.push_back(MessageRuleSpec{number, i % 4});
        messageText += std::to_string(number) + " " + messagePattern(i, i % 4) + "\n";
    }
    std::vector<ParameterRuleSpec> parameterRules;
    std::string parameterText;
    for (int i = 0; i < size.parameterRules; ++i) {
        const ParameterRuleSpec rule{messageNumber(random.below(60)), 1 + random.below(3), i % 4};
        parameterRules.push_back(rule);
        parameterText += std::to_string(rule.number) + " " + std::to_string(rule.position) + " " +
                         parameterPattern(i, rule.kind) + "\n";
    }
    std::ofstream(root + "/rules/suppressions.txt", std::ios::binary | std::ios::trunc) << messageText;
    std::ofstream(root + "/rules/parameter_suppressions.txt", std::ios::binary | std::ios::trunc) << parameterText;

    std::vector<std::vector<int>> headerRules;
    std::vector<U_Filename> headerNames;
    for (int h = 0; h < kHeaders; ++h) {
        const std::string path = root + "/src/inc/h" + std::to_string(h) + ".h";
        headerRules.push_back(writeTextFile(path, size.linesPerFile, 1, {}, messageRules, random, outcome.sourceBytes));
        headerNames.emplace_back(path, path);
    }

    for (int f = 0; f < size.files; ++f) {
        const std::string sourceName = token("f", f) + ".cpp";
        const std::string sourcePath = root + "/src/" + sourceName;
        const int includes[kIncludesPerFile] = {f % kHeaders, (f + 7) % kHeaders, (f + 13) % kHeaders};
        std::vector<std::string> head;
        for (const int h : includes)
            head.push_back("#include \"inc/h" + std::to_string(h) + ".h\"");
        const std::vector<int> sourceRules = writeTextFile(sourcePath, size.linesPerFile, kFirstCodeLine, head,
                                                           messageRules, random, outcome.sourceBytes);
        const U_Filename sourceFile(sourcePath, sourcePath);

        // One location object per position, as the analyser shares them within a block.
        std::map<std::tuple<int, int, int>, U_Location> locations;
        std::function<U_Location(int, int, int)> locationAt = [&](int fileSlot, int line, int column) {
            U_Location& slot = locations[std::make_tuple(fileSlot, line, column)]; // map slots stay put
            if (!slot) {
                if (fileSlot < 0) {
                    slot = U_LocationData::create(sourceFile, line, column);
                } else {
                    const U_Location include = locationAt(-1, fileSlot + 1, 1); // the include line
                    slot = U_LocationData::create(headerNames[static_cast<std::size_t>(includes[fileSlot])], line,
                                                  column, include);
                }
            }
            return slot;
        };

        std::vector<GeneratedDiagnostic> diagnostics;
        std::set<std::pair<int, std::int32_t>> covered; // (line, number) of the analyser's own records
        std::vector<M_SuppressionRecordHandle> records;
        for (int d = 0; d < size.diagnosticsPerFile; ++d) {
            GeneratedDiagnostic generated;
            const int where = random.below(100);
            int fileSlot = -1;
            if (where < 10) {
                fileSlot = random.below(kIncludesPerFile);
                generated.line = 1 + random.below(size.linesPerFile);
                generated.textRules = &headerRules[static_cast<std::size_t>(includes[fileSlot])];
            } else {
                generated.line = where < 15 ? kHotLine
                                            : kFirstCodeLine + random.below(size.linesPerFile - kFirstCodeLine + 1);
                generated.textRules = &sourceRules;
            }
            generated.inHeader = fileSlot >= 0;
            const int lineRule = (*generated.textRules)[static_cast<std::size_t>(generated.line)];
            int parameterTarget = kNoRule;
            std::int32_t number;
            if (lineRule != kNoRule && random.percent(50)) {
                number = messageRules[static_cast<std::size_t>(lineRule)].number;
            } else if (random.percent(12)) {
                parameterTarget = random.below(size.parameterRules);
                number = parameterRules[static_cast<std::size_t>(parameterTarget)].number;
            } else {
                number = frequentMessageNumber(random);
            }
            generated.diagnostic = M_DiagnosticHandle(
                new M_Diagnostic(number, locationAt(fileSlot, generated.line, 1 + random.below(60))));
            int parameters = 1 + random.below(3);
            const int targetPosition =
                parameterTarget == kNoRule ? 0 : parameterRules[static_cast<std::size_t>(parameterTarget)].position;
            if (parameters < targetPosition)
                parameters = targetPosition;
            for (int p = 1; p <= parameters; ++p) {
                if (p == targetPosition) {
                    const auto& rule = parameterRules[static_cast<std::size_t>(parameterTarget)];
                    generated.diagnostic->addStringParameter(matchingParameter(parameterTarget, rule.kind));
                    generated.parameterRules.push_back(parameterTarget);
                } else if (random.percent(10)) {
                    generated.diagnostic->addListParameter({plainParameter(random), plainParameter(random)});
                    generated.parameterRules.push_back(kNoRule);
                } else {
                    generated.diagnostic->addStringParameter(plainParameter(random));
                    generated.parameterRules.push_back(kNoRule);
                }
            }
            if (!generated.inHeader && generated.line != kHotLine && random.percent(2)) {
                covered.emplace(generated.line, number);
                const std::string text = std::to_string(number);
                records.emplace_back(new M_SuppressionRecord(1, generated.diagnostic->location(), "analyser",
                                                             M_MessageRanges{{text, text}},
                                                             generated.diagnostic->location(), U_Location()));
            }
            diagnostics.push_back(std::move(generated));
        }

        R_BinaryWriter bytes;
        bytes.word(M_ErrorFileFormat::kCurrentId);
        bytes.word(0);
        R_ErrorFileEncoder encoder(bytes);
        encoder.blockRecord();
        for (std::size_t d = 0; d < diagnostics.size(); ++d) {
            const M_Diagnostic& diagnostic = *diagnostics[d].diagnostic;
            if (d % 32 == 7)
                encoder.stampedDiagnosticRecord(diagnostic, false, diagnostic.messageNumber() ^ 1234);
            else
                encoder.diagnosticRecord(diagnostic, false);
        }
        for (const auto& record : records)
            encoder.suppressionRecord(*record);
        const std::string errorPath = root + "/out/" + sourceName + ".err";
        std::ofstream out(errorPath, std::ios::binary | std::ios::trunc);
        out.write(bytes.bytes().data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + errorPath);
        const auto fileBytes = static_cast<std::int64_t>(bytes.size());
        outcome.errorFileBytes += fileBytes;
        if (fileBytes > outcome.largestErrorFile)
            outcome.largestErrorFile = fileBytes;

        // The expected outcome: every diagnostic not covered by the analyser's records is tested;
        // tokens are unique to one rule, so a rule matches exactly where its token was placed for
        // a diagnostic of the rule's number (and, for parameter rules, at the rule's position).
        for (const GeneratedDiagnostic& generated : diagnostics) {
            ++outcome.diagnostics;
            const std::int32_t number = generated.diagnostic->messageNumber();
            if (!generated.inHeader && covered.count(std::make_pair(generated.line, number)) != 0) {
                ++outcome.preSuppressed;
                continue;
            }
            const int lineRule = (*generated.textRules)[static_cast<std::size_t>(generated.line)];
            if (lineRule != kNoRule && messageRules[static_cast<std::size_t>(lineRule)].number == number)
                ++outcome.messageMatches;
            for (std::size_t p = 0; p < generated.parameterRules.size(); ++p) {
                const int rule = generated.parameterRules[p];
                if (rule == kNoRule)
                    continue;
                const auto& target = parameterRules[static_cast<std::size_t>(rule)];
                if (target.number == number && target.position == static_cast<int>(p) + 1)
                    ++outcome.parameterMatches;
            }
        }
    }
    return outcome;
}

void appendGrownRules(const std::string& directory, const BenchGrownRules& grown)
{
    // Numbers over the analyser's whole range, so that a file's diagnostics (of the 120 numbers
    // above) reach only the few grown rules that happen to share their numbers. Every pattern holds
    // a token of its own ("RZ", "RP") that no source line or parameter contains: none ever matches.
    Random random(grown.seed);
    std::string messageText;
    for (int i = 0; i < grown.messageRules; ++i)
        messageText += std::to_string(1000 + random.below(8000)) + " " + messagePattern(i, i % 4, "RZ") + "\n";
    std::string parameterText;
    for (int i = 0; i < grown.parameterRules; ++i)
        parameterText += std::to_string(1000 + random.below(8000)) + " " + std::to_string(1 + random.below(3)) + " " +
                         parameterPattern(i, i % 4, "RP") + "\n";
    const std::string rules = directory + "/rules/";
    std::ofstream(rules + "suppressions.txt", std::ios::binary | std::ios::app) << messageText;
    std::ofstream(rules + "parameter_suppressions.txt", std::ios::binary | std::ios::app) << parameterText;
}
