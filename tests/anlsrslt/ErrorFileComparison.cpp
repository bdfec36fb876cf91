// Field-by-field comparison of written and read error-file content, with location identity.
#include "ErrorFileComparison.h"

#include "ErrtoolDump.h"
#include "M_InputBonnie.h"
#include "U_LocationData.h"
#include "U_MacroHistory.h"

#include <unordered_map>
#include <unordered_set>

namespace roundtrip {
namespace {

// Walks written and read records side by side and keeps the first difference with the path to it.
class Comparison {
public:
    const std::string& difference() const { return difference_; }

    // Locations are identified afresh in each block: the writer's and the reader's id tables are.
    void newBlock()
    {
        readFor_.clear();
        writtenFor_.clear();
    }

    bool diagnostic(const M_Diagnostic& w, const M_Diagnostic& r, const std::string& where)
    {
        if (w.messageNumber() != r.messageNumber())
            return differ(where + ": message number", w.messageNumber(), r.messageNumber());
        if (w.hiddenByPragma() != r.hiddenByPragma() || w.hiddenByUser() != r.hiddenByUser()
            || w.hidden() != r.hidden() || w.fourthFlag() != r.fourthFlag())
            return differ(where + ": flags (pragma, user, hidden, fourth)", flags(w), flags(r));
        if (!location(w.location(), r.location(), where + ": location"))
            return false;
        if (w.parameterCount() != r.parameterCount())
            return differ(where + ": number of parameters", w.parameterCount(), r.parameterCount());
        for (std::size_t i = 0; i < w.parameterCount(); ++i)
            if (!parameter(*w.parameter(i), *r.parameter(i), where + ": parameter " + std::to_string(i)))
                return false;
        return true;
    }

    bool suppression(const M_SuppressionRecord& w, const M_SuppressionRecord& r, const std::string& where)
    {
        // Only the low 8 bits of the kind are written.
        if ((w.kind() & 0xFF) != r.kind())
            return differ(where + ": kind", w.kind() & 0xFF, r.kind());
        if (w.text() != r.text())
            return differ(where + ": text", w.text(), r.text());
        if (w.messageRanges() != r.messageRanges())
            return differ(where + ": message ranges", w.messageRanges().size(), r.messageRanges().size());
        return location(w.origin(), r.origin(), where + ": origin")
            && location(w.rangeStart(), r.rangeStart(), where + ": range start")
            && location(w.rangeEnd(), r.rangeEnd(), where + ": range end");
    }

    bool location(const U_Location& w, const U_Location& r, const std::string& where)
    {
        if (!w || !r)
            return !w && !r ? true : differ(where + ": present", w ? 1 : 0, r ? 1 : 0);
        const auto known = readFor_.find(w.get());
        if (known != readFor_.end())
            return known->second == r.get() ? true : fail(where + ": one location written, two read");
        if (!writtenFor_.insert(r.get()).second)
            return fail(where + ": two locations written, one read");
        readFor_.emplace(w.get(), r.get());

        if (w->file().fullName() != r->file().fullName())
            return differ(where + ": canonical path", w->file().fullName(), r->file().fullName());
        if (w->file().givenName() != r->file().givenName())
            return differ(where + ": name as given", w->file().givenName(), r->file().givenName());
        if (w->line() != r->line() || w->column() != r->column())
            return differ(where + ": line and column", std::to_string(w->line()) + ":" + std::to_string(w->column()),
                          std::to_string(r->line()) + ":" + std::to_string(r->column()));
        if (properties(*w) != properties(*r))
            return differ(where + ": properties", properties(*w), properties(*r));
        if (w->hasIncludeLocation() && !location(w->includeLocation(), r->includeLocation(), where + ": include"))
            return false;
        if (w->hasMacroHistory() && !macroHistory(w->macroHistory(), r->macroHistory(), where + ": macro"))
            return false;
        if (w->hasPresumedPosition()
            && (w->presumedFile() != r->presumedFile() || w->presumedLine() != r->presumedLine()))
            return differ(where + ": presumed position", w->presumedFile().fullName() + ":" + std::to_string(w->presumedLine()),
                          r->presumedFile().fullName() + ":" + std::to_string(r->presumedLine()));
        if (w->hasInstantiatedFrom()) {
            if (!location(w->instantiatedFrom(), r->instantiatedFrom(), where + ": instantiated from"))
                return false;
            if (w->instantiatedEntity()->plainName() != r->instantiatedEntity()->plainName())
                return differ(where + ": entity", w->instantiatedEntity()->plainName(),
                              r->instantiatedEntity()->plainName());
            if (w->instantiatedDepth() != r->instantiatedDepth())
                return differ(where + ": instantiation depth", w->instantiatedDepth(), r->instantiatedDepth());
        }
        return !w->hasCalledFrom() || location(w->calledFrom(), r->calledFrom(), where + ": called from");
    }

private:
    bool parameter(const M_ParamType& w, const M_ParamType& r, const std::string& where)
    {
        if (const auto* ws = dynamic_cast<const M_ParamStringType*>(&w)) {
            const auto* rs = dynamic_cast<const M_ParamStringType*>(&r);
            if (!rs)
                return fail(where + ": a string was written, another kind read");
            return ws->value() == rs->value() ? true : differ(where, ws->value(), rs->value());
        }
        if (const auto* wl = dynamic_cast<const M_ParamListType*>(&w)) {
            const auto* rl = dynamic_cast<const M_ParamListType*>(&r);
            if (!rl)
                return fail(where + ": a list was written, another kind read");
            return wl->values() == rl->values() ? true : differ(where, wl->text(), rl->text());
        }
        const auto& wm = dynamic_cast<const M_ParamMsgListType&>(w);
        const auto* rm = dynamic_cast<const M_ParamMsgListType*>(&r);
        if (!rm)
            return fail(where + ": a message list was written, another kind read");
        if (wm.messages().size() != rm->messages().size())
            return differ(where + ": number of messages", wm.messages().size(), rm->messages().size());
        for (std::size_t i = 0; i < wm.messages().size(); ++i)
            if (!diagnostic(*wm.messages()[i], *rm->messages()[i], where + ": message " + std::to_string(i)))
                return false;
        return true;
    }

    bool macroHistory(U_Handle<U_MacroHistory> w, U_Handle<U_MacroHistory> r, const std::string& where)
    {
        for (int step = 0; w || r; ++step, w = w->next(), r = r->next()) {
            const std::string at = where + " step " + std::to_string(step);
            if (!w || !r)
                return differ(at + ": present", w ? 1 : 0, r ? 1 : 0);
            if (w->macro().text() != r->macro().text())
                return differ(at + ": macro name", w->macro().text(), r->macro().text());
            if (!location(w->location(), r->location(), at))
                return false;
        }
        return true;
    }

    static std::string flags(const M_Diagnostic& d)
    {
        return std::to_string(d.hiddenByPragma()) + std::to_string(d.hiddenByUser()) + std::to_string(d.hidden())
            + std::to_string(d.fourthFlag());
    }

    static int properties(const U_LocationData& l)
    {
        return (l.hasIncludeLocation() ? 1 : 0) | (l.hasInstantiatedFrom() ? 2 : 0) | (l.hasMacroHistory() ? 4 : 0)
            | (l.hasPresumedPosition() ? 8 : 0) | (l.hasCalledFrom() ? 16 : 0);
    }

    static std::string show(const std::string& text) { return "\"" + text + "\""; }
    template <class T>
    static std::string show(const T& value) { return std::to_string(value); }

    template <class T>
    bool differ(const std::string& where, const T& written, const T& read)
    {
        return fail(where + ": written " + show(written) + ", read " + show(read));
    }

    bool fail(const std::string& text)
    {
        if (difference_.empty())
            difference_ = text;
        return false;
    }

    std::unordered_map<const U_LocationData*, const U_LocationData*> readFor_;
    std::unordered_set<const U_LocationData*> writtenFor_;
    std::string difference_;
};

std::string header(int format, std::int32_t formatId, std::int32_t headerValue, const M_InputBonnie& read)
{
    if (read.format() != format || read.formatId() != formatId || read.headerValue() != headerValue)
        return "header: written format " + std::to_string(format) + " id " + std::to_string(formatId) + " value "
            + std::to_string(headerValue) + ", read format " + std::to_string(read.format()) + " id "
            + std::to_string(read.formatId()) + " value " + std::to_string(read.headerValue());
    return std::string();
}

} // namespace

std::string compareFormat3(const Format3Content& written, const M_InputBonnie& read)
{
    std::string difference = header(3, written.formatId, written.headerValue, read);
    if (!difference.empty())
        return difference;
    Comparison comparison;
    std::size_t diagnostics = 0;
    std::size_t suppressions = 0;
    std::size_t blockRecords = 0;
    for (std::size_t b = 0; b < written.blocks.size(); ++b) {
        const WrittenBlock& block = written.blocks[b];
        if (block.blockRecord) {
            comparison.newBlock();
            const auto& starts = read.blockStarts();
            if (blockRecords >= starts.size() || starts[blockRecords].diagnostics != diagnostics
                || starts[blockRecords].suppressions != suppressions)
                return "block " + std::to_string(b) + ": its block record is not where it was written";
            ++blockRecords;
        }
        for (std::size_t i = 0; i < block.records.size(); ++i) {
            const WrittenRecord& record = block.records[i];
            const std::string where = "block " + std::to_string(b) + ", record " + std::to_string(i);
            if (record.kind == WrittenRecord::Kind::suppression) {
                if (suppressions >= read.suppressions().size())
                    return where + ": suppression record missing";
                if (!comparison.suppression(*record.suppression, *read.suppressions()[suppressions++], where))
                    return comparison.difference();
            } else {
                if (diagnostics >= read.diagnostics().size())
                    return where + ": diagnostic missing";
                if (!comparison.diagnostic(*record.diagnostic, *read.diagnostics()[diagnostics++], where))
                    return comparison.difference();
            }
        }
    }
    if (diagnostics != read.diagnostics().size() || suppressions != read.suppressions().size()
        || blockRecords != read.blockStarts().size())
        return "more records or block records read than written";
    return std::string();
}

std::string compareFormat2(const Format2Content& written, const M_InputBonnie& read)
{
    std::string difference = header(2, written.formatId, written.headerValue, read);
    if (!difference.empty())
        return difference;
    if (written.diagnostics.size() != read.diagnostics().size() || !read.suppressions().empty())
        return "written " + std::to_string(written.diagnostics.size()) + " diagnostics, read "
            + std::to_string(read.diagnostics().size()) + " and " + std::to_string(read.suppressions().size())
            + " suppression records";
    Comparison comparison;
    for (std::size_t i = 0; i < written.diagnostics.size(); ++i)
        if (!comparison.diagnostic(*written.diagnostics[i], *read.diagnostics()[i], "record " + std::to_string(i)))
            return comparison.difference();
    return std::string();
}

std::vector<std::string> textForm(const Format3Content& written)
{
    std::vector<std::string> diagnostics;
    std::vector<std::string> suppressions;
    for (const WrittenBlock& block : written.blocks) {
        for (const WrittenRecord& record : block.records) {
            if (record.kind != WrittenRecord::Kind::suppression) {
                diagnostics.push_back(record.diagnostic->text());
                continue;
            }
            const M_SuppressionRecord& s = *record.suppression;
            const M_SuppressionRecord stored(s.kind() & 0xFF, s.origin(), s.text(), s.messageRanges(), s.rangeStart(),
                                             s.rangeEnd());
            suppressions.push_back(errtool::suppressionLine(stored));
        }
    }
    diagnostics.insert(diagnostics.end(), suppressions.begin(), suppressions.end());
    return diagnostics;
}

std::vector<std::string> textForm(const M_InputBonnie& read)
{
    std::vector<std::string> lines;
    for (const auto& diagnostic : read.diagnostics())
        lines.push_back(diagnostic->text());
    for (const auto& suppression : read.suppressions())
        lines.push_back(errtool::suppressionLine(*suppression));
    return lines;
}

std::string compareWithInterest(const M_InputBonnie& whole, const M_InputBonnie& partial,
                                const OddNumbersInterest& interest)
{
    std::size_t built = 0;
    std::size_t passed = 0;
    for (const auto& diagnostic : whole.diagnostics()) {
        const std::int32_t number = diagnostic->messageNumber();
        const std::string where = "with an interest, diagnostic " + std::to_string(number);
        if (!interest.wantsDiagnostic(number)) {
            if (passed >= interest.passed.size() || interest.passed[passed++] != number)
                return where + ": not passed over in its place";
            continue;
        }
        if (built >= partial.diagnostics().size() || partial.diagnostics()[built]->messageNumber() != number)
            return where + ": not built in its place";
        if (interest.wantsParameters(number) && partial.diagnostics()[built]->text() != diagnostic->text())
            return where + ": built differently";
        ++built;
    }
    if (built != partial.diagnostics().size() || passed != interest.passed.size())
        return "with an interest: more diagnostics built or passed over than the file holds";
    return std::string();
}

} // namespace roundtrip
