// Parses the text description of an error file and encodes it with the project's writer.
#include "ErrtoolDescription.h"

#include "M_Diagnostic.h"
#include "M_ErrorFileFormat.h"
#include "M_OutputBonnie2.h"
#include "M_SuppressionRecord.h"
#include "ObjectDisplayName.h"
#include "R_BinaryWriter.h"
#include "R_ErrorFileEncoder.h"
#include "U_LocationData.h"
#include "U_MacroHistory.h"

#include <cerrno>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

namespace errtool {
namespace {

// One record of the file, in description order.
struct Record {
    enum Kind { Block, Diagnostic, Suppression, Raw, Format2File, Format2Diagnostic };
    explicit Record(Kind k) : kind(k) {}
    Kind kind;
    M_DiagnosticHandle diagnostic;
    bool stamped = false;
    std::int32_t stamp = 0;
    M_SuppressionRecordHandle suppression;
    std::string bytes;                    // Raw
    std::string name;                     // Format2File
    std::vector<std::int32_t> words;      // Format2Diagnostic: type and the number fields
    std::vector<std::string> strings;     // Format2Diagnostic
};

struct Description {
    int format = 3;
    std::int32_t formatId = 0; // 0: the default of the format
    std::int32_t header = 0;
    std::vector<Record> records;
};

class Parser {
public:
    Description parse(const std::string& text)
    {
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            ++lineNumber_;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            tokens_ = tokenize(line);
            next_ = 0;
            if (tokens_.empty() || tokens_[0][0] == '#')
                continue;
            statement();
        }
        if (!frames_.empty())
            fail("missing \"end\" at the end of the description");
        return std::move(result_);
    }

private:
    // An open "diag" (a diagnostic) or "msglist" (the diagnostics of a message-list parameter).
    struct Frame {
        M_DiagnosticHandle diagnostic;
        bool stamped = false;
        std::int32_t stamp = 0;
        bool messageList = false;
        std::vector<M_DiagnosticHandle> messages;
    };

    [[noreturn]] void fail(const std::string& message) const
    {
        throw DescriptionError("line " + std::to_string(lineNumber_) + ": " + message);
    }

    std::vector<std::string> tokenize(const std::string& line) const
    {
        std::vector<std::string> tokens;
        std::size_t i = 0;
        while (i < line.size()) {
            if (line[i] == ' ' || line[i] == '\t') {
                ++i;
                continue;
            }
            std::string token;
            if (line[i] != '"') {
                while (i < line.size() && line[i] != ' ' && line[i] != '\t')
                    token += line[i++];
                tokens.push_back(token);
                continue;
            }
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c != '\\' || i >= line.size()) {
                    token += c;
                    continue;
                }
                const char e = line[i++];
                switch (e) {
                case 'n': token += '\n'; break;
                case 't': token += '\t'; break;
                case 'r': token += '\r'; break;
                case '0': token += '\0'; break;
                case 'x':
                    if (i + 2 > line.size())
                        fail("bad \\x escape");
                    token += static_cast<char>(std::strtol(line.substr(i, 2).c_str(), nullptr, 16));
                    i += 2;
                    break;
                default: token += e; break;
                }
            }
            if (!closed)
                fail("unterminated string");
            tokens.push_back(token);
        }
        return tokens;
    }

    bool more() const { return next_ < tokens_.size(); }

    std::string token(const char* what)
    {
        if (!more())
            fail(std::string("missing ") + what);
        return tokens_[next_++];
    }

    std::int32_t number(const char* what)
    {
        const std::string text = token(what);
        char* end = nullptr;
        errno = 0;
        const long long value = std::strtoll(text.c_str(), &end, 0);
        if (text.empty() || *end != '\0' || errno != 0)
            fail(std::string("bad ") + what + ": " + text);
        return static_cast<std::int32_t>(value);
    }

    U_Filename file(const std::string& name) const
    {
        const auto found = files_.find(name);
        return found != files_.end() ? found->second : U_Filename(name, name);
    }

    U_Location location(const std::string& name) const
    {
        const auto found = locations_.find(name);
        if (found == locations_.end())
            fail("unknown location " + name);
        return found->second;
    }

    void statement()
    {
        const std::string keyword = token("keyword");
        if (keyword == "format") {
            result_.format = number("format");
            if (result_.format != 2 && result_.format != 3)
                fail("format must be 2 or 3");
        } else if (keyword == "id") {
            const std::string text = token("format id");
            result_.formatId = static_cast<std::int32_t>(std::strtoul(text.c_str(), nullptr, 16));
        } else if (keyword == "header") {
            result_.header = number("header value");
        } else if (keyword == "file") {
            const std::string name = token("file name");
            const std::string canonical = token("canonical path");
            files_[name] = U_Filename(canonical, more() ? token("given name") : canonical);
        } else if (keyword == "loc") {
            locationStatement();
        } else if (keyword == "block") {
            topLevelOnly(keyword);
            result_.records.push_back(Record(Record::Block));
        } else if (keyword == "diag") {
            diagnosticStatement();
        } else if (keyword == "str" || keyword == "list" || keyword == "msglist") {
            parameterStatement(keyword);
        } else if (keyword == "end") {
            endStatement();
        } else if (keyword == "supp") {
            suppressionStatement();
        } else if (keyword == "raw" || keyword == "rawword" || keyword == "rawstring") {
            rawStatement(keyword);
        } else if (keyword == "f2file") {
            topLevelOnly(keyword);
            Record record{Record::Format2File};
            record.name = token("file name");
            result_.records.push_back(record);
        } else if (keyword == "f2diag") {
            format2DiagnosticStatement();
        } else {
            fail("unknown keyword " + keyword);
        }
        if (more())
            fail("unexpected " + tokens_[next_]);
    }

    void topLevelOnly(const std::string& keyword) const
    {
        if (!frames_.empty())
            fail(keyword + " inside a diagnostic");
    }

    // loc NAME FILE LINE COL [incl LOC] [macro LOC NAME]... [presumed FILE LINE] [inst LOC ENTITY]
    //     [call LOC]...
    void locationStatement()
    {
        const std::string name = token("location name");
        const U_Filename where = file(token("file"));
        const std::int32_t line = number("line");
        const std::int32_t column = number("column");
        U_Location include;
        std::vector<std::pair<U_Location, U_Identifier>> macros;
        bool presumed = false;
        U_Filename presumedFile;
        std::int32_t presumedLine = 0;
        U_Location instantiatedFrom;
        std::string entity;
        std::vector<U_Location> calls;
        while (more()) {
            const std::string property = token("property");
            if (property == "incl") {
                include = location(token("include location"));
            } else if (property == "macro") {
                U_Location step = location(token("macro location"));
                macros.emplace_back(step, U_Identifier(token("macro name")));
            } else if (property == "presumed") {
                presumed = true;
                presumedFile = file(token("presumed file"));
                presumedLine = number("presumed line");
            } else if (property == "inst") {
                instantiatedFrom = location(token("instantiated-from location"));
                entity = token("entity name");
            } else if (property == "call") {
                calls.push_back(location(token("called-from location")));
            } else {
                fail("unknown location property " + property);
            }
        }
        U_Handle<U_MacroHistory> history;
        for (auto step = macros.rbegin(); step != macros.rend(); ++step)
            history = U_Handle<U_MacroHistory>(new U_MacroHistory(step->first, step->second, history));
        U_Location result = U_LocationData::create(where, line, column, include, history);
        if (presumed)
            result = result->withPresumedPosition(presumedFile, presumedLine);
        if (instantiatedFrom)
            result = result->withInstantiatedFrom(instantiatedFrom,
                                                  U_Handle<U_EntityDisplayName>(new ObjectDisplayName(entity)));
        for (const U_Location& call : calls)
            result = result->withCalledFrom(call);
        locations_[name] = result;
    }

    // diag LOC|- MSG [pragma] [user] [fourth] [stamped[=N]]
    void diagnosticStatement()
    {
        if (!frames_.empty() && !frames_.back().messageList)
            fail("diag inside a diagnostic must stand in a msglist");
        const std::string where = token("location");
        const std::int32_t messageNumber = number("message number");
        Frame frame;
        frame.diagnostic = where == "-" ? M_DiagnosticHandle(new M_Diagnostic(messageNumber))
                                        : M_DiagnosticHandle(new M_Diagnostic(messageNumber, location(where)));
        bool pragma = false, user = false, fourth = false;
        while (more()) {
            const std::string flag = token("flag");
            if (flag == "pragma")
                pragma = true;
            else if (flag == "user")
                user = true;
            else if (flag == "fourth")
                fourth = true;
            else if (flag == "stamped")
                frame.stamped = true;
            else if (flag.compare(0, 8, "stamped=") == 0) {
                frame.stamped = true;
                frame.stamp = static_cast<std::int32_t>(std::strtol(flag.c_str() + 8, nullptr, 0));
            } else
                fail("unknown diagnostic flag " + flag);
        }
        frame.diagnostic->setFlags(pragma, user, false, fourth);
        frames_.push_back(frame);
    }

    void parameterStatement(const std::string& keyword)
    {
        if (frames_.empty() || frames_.back().messageList)
            fail(keyword + " outside a diagnostic");
        M_Diagnostic& diagnostic = *frames_.back().diagnostic;
        if (keyword == "str") {
            diagnostic.addStringParameter(token("string"));
        } else if (keyword == "list") {
            std::vector<std::string> values;
            while (more())
                values.push_back(token("string"));
            diagnostic.addListParameter(values);
        } else {
            Frame frame;
            frame.messageList = true;
            frames_.push_back(frame);
        }
    }

    void endStatement()
    {
        if (frames_.empty())
            fail("end without diag or msglist");
        Frame frame = frames_.back();
        frames_.pop_back();
        if (frame.messageList) {
            frames_.back().diagnostic->addMessageListParameter(frame.messages);
            return;
        }
        if (!frames_.empty()) {
            frames_.back().messages.push_back(frame.diagnostic);
            return;
        }
        Record record{Record::Diagnostic};
        record.diagnostic = frame.diagnostic;
        record.stamped = frame.stamped;
        record.stamp = frame.stamp;
        result_.records.push_back(record);
    }

    // supp KIND ORIGIN TEXT START END|- [FIRST LAST]...
    void suppressionStatement()
    {
        topLevelOnly("supp");
        const std::int32_t kind = number("kind");
        const U_Location origin = location(token("origin location"));
        const std::string text = token("text");
        const U_Location start = location(token("range start"));
        const std::string endName = token("range end");
        const U_Location end = endName == "-" ? U_Location() : location(endName);
        M_MessageRanges ranges;
        while (more()) {
            std::string first = token("first message");
            ranges.emplace_back(first, token("last message"));
        }
        Record record{Record::Suppression};
        record.suppression = M_SuppressionRecordHandle(new M_SuppressionRecord(kind, origin, text, ranges, start, end));
        result_.records.push_back(record);
    }

    void rawStatement(const std::string& keyword)
    {
        topLevelOnly(keyword);
        R_BinaryWriter out;
        if (keyword == "rawstring") {
            out.string(token("string"));
        } else {
            while (more()) {
                if (keyword == "rawword") {
                    out.word(number("word"));
                    continue;
                }
                const std::string hex = token("bytes");
                if (hex.size() % 2 != 0 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                    fail("bad hexadecimal bytes " + hex);
                for (std::size_t i = 0; i < hex.size(); i += 2)
                    out.byte(static_cast<std::uint8_t>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
            }
        }
        Record record{Record::Raw};
        record.bytes = out.bytes();
        result_.records.push_back(record);
    }

    // f2diag 0 LINE INCL COL MSG [TEXT]
    // f2diag 2 LINE INCL COL MSG FLAGS [TEXT]
    // f2diag 3 LINE INCL COL MSG FLAGS EXTRA L [STRING]...
    void format2DiagnosticStatement()
    {
        topLevelOnly("f2diag");
        Record record{Record::Format2Diagnostic};
        const std::int32_t type = number("record type");
        record.words.push_back(type);
        for (const char* field : {"line", "including line", "column", "message number"})
            record.words.push_back(number(field));
        if (type != 0)
            record.words.push_back(number("flags"));
        if (type == 3) {
            record.words.push_back(number("extra"));
            record.words.push_back(number("list word"));
        }
        while (more())
            record.strings.push_back(token("string"));
        if (type != 3 && record.strings.size() > 1)
            fail("one text at most");
        result_.records.push_back(record);
    }

    Description result_;
    std::map<std::string, U_Filename> files_;
    std::map<std::string, U_Location> locations_;
    std::vector<Frame> frames_;
    std::vector<std::string> tokens_;
    std::size_t next_ = 0;
    int lineNumber_ = 0;
};

void encodeFormat2(const Record& record, R_BinaryWriter& out)
{
    if (record.kind == Record::Format2File) {
        out.word(1);
        out.string(record.name);
        return;
    }
    const std::int32_t type = record.words[0];
    for (const std::int32_t word : record.words)
        out.word(word);
    if (type == 3) {
        const std::int32_t list = record.words.back();
        // The count goes before the strings, the list word after them.
        out.truncate(out.size() - 4);
        out.word(static_cast<std::int32_t>(record.strings.size()));
        for (const std::string& s : record.strings)
            out.string(s);
        out.word(list);
        return;
    }
    out.string(record.strings.empty() ? std::string() : record.strings[0]);
}

} // namespace

std::string buildErrorFile(const std::string& description)
{
    const Description parsed = Parser().parse(description);
    R_BinaryWriter out;
    const std::int32_t id = parsed.formatId != 0 ? parsed.formatId
                                                 : (parsed.format == 3 ? M_ErrorFileFormat::kCurrentId : 0x7700);
    out.word(id);
    out.word(parsed.header);
    R_ErrorFileEncoder encoder(out);
    for (const Record& record : parsed.records) {
        switch (record.kind) {
        case Record::Raw:
            out.raw(record.bytes.data(), record.bytes.size());
            break;
        case Record::Format2File:
        case Record::Format2Diagnostic:
            if (parsed.format != 2)
                throw DescriptionError("format-2 records need \"format 2\"");
            encodeFormat2(record, out);
            break;
        default:
            if (parsed.format != 3)
                throw DescriptionError("format-3 records need \"format 3\"");
            if (record.kind == Record::Block)
                encoder.blockRecord();
            else if (record.kind == Record::Suppression)
                encoder.suppressionRecord(*record.suppression);
            else if (record.stamped)
                encoder.stampedDiagnosticRecord(*record.diagnostic, record.diagnostic->hiddenByPragma(), record.stamp);
            else
                encoder.diagnosticRecord(*record.diagnostic, record.diagnostic->hiddenByPragma());
            break;
        }
    }
    return out.bytes();
}

void appendToErrorFile(const std::string& description, const std::string& path)
{
    const Description parsed = Parser().parse(description);
    M_OutputBonnie2::openPathForAppend(path);
    M_OutputBonnie2* writer = M_OutputBonnie2::current();
    try {
        for (const Record& record : parsed.records) {
            if (record.kind == Record::Suppression)
                writer->writeSuppressionRecord(*record.suppression);
            else if (record.kind == Record::Diagnostic)
                writer->writeDiagnosticRecord(*record.diagnostic, record.diagnostic->hiddenByPragma());
            else if (record.kind != Record::Block)
                throw DescriptionError("only diagnostics and suppression records can be appended");
        }
    } catch (...) {
        M_OutputBonnie2::discardCurrent(); // nothing of a failed append reaches the file
        throw;
    }
    M_OutputBonnie2::closeCurrent();
}

} // namespace errtool
