// Reading the rules files ahead of the error file.
#include "RulesReadAhead.h"

#include <algorithm>
#include <ostream>
#include <sstream>

RulesReadAhead::RulesReadAhead(const std::string& programDirectory, bool useDigests)
{
    std::ostringstream held;
    try {
        if (useDigests) {
            RuleReading<MessageRule> messageRules = readMessageRuleReading(programDirectory, held);
            RuleReading<ParameterRule> parameterRules = readParameterRuleReading(programDirectory, held);
            messageRules_ = std::move(messageRules.complete);
            deferredMessageRules_ = std::move(messageRules.deferred);
            parameterRules_ = std::move(parameterRules.complete);
            deferredParameterRules_ = std::move(parameterRules.deferred);
        } else {
            MessageRuleSet messageRules = readMessageRuleSet(programDirectory, held);
            ParameterRuleSet parameterRules = readParameterRuleSet(programDirectory, held);
            messageRules_ = std::move(messageRules);
            parameterRules_ = std::move(parameterRules);
        }
    } catch (...) {
        raised_ = std::current_exception();
        messageRules_.reset();
        parameterRules_.reset();
        deferredMessageRules_.reset();
        deferredParameterRules_.reset();
    }
    written_ = held.str();
}

bool RulesReadAhead::hasMessageRules(std::int32_t messageNumber) const
{
    if (deferredMessageRules_)
        return deferredMessageRules_->numbers().contains(messageNumber);
    return messageRules_ && messageRules_->index().hasRules(messageNumber);
}

bool RulesReadAhead::hasParameterRules(std::int32_t messageNumber) const
{
    if (deferredParameterRules_)
        return deferredParameterRules_->numbers().contains(messageNumber);
    return parameterRules_ && parameterRules_->index().hasRules(messageNumber);
}

bool RulesReadAhead::narrowTo(const std::vector<M_DiagnosticHandle>& candidates)
{
    if (!deferredMessageRules_ && !deferredParameterRules_)
        return true;
    std::vector<std::int32_t> numbers;
    numbers.reserve(candidates.size());
    for (const M_DiagnosticHandle& candidate : candidates)
        numbers.push_back(candidate->messageNumber());
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    if (deferredMessageRules_) {
        messageRules_ = selectMessageRules(*deferredMessageRules_, numbers);
        if (!messageRules_)
            return false;
    }
    if (deferredParameterRules_) {
        parameterRules_ = selectParameterRules(*deferredParameterRules_, numbers);
        if (!parameterRules_)
            return false;
    }
    return true;
}

namespace {

// The reading's content id and a separator; false when it has rules but no id. A reading without
// rules is asked nothing, so any mark stands for it.
template <class Rule>
bool addContentId(const SharedRuleSet<Rule>& complete, const std::shared_ptr<DeferredRules<Rule>>& deferred,
                  std::string& ids)
{
    const RulesFileSource* source = deferred ? &deferred->source() : complete ? &complete->source() : nullptr;
    if (source == nullptr)
        return false;
    if (!source->contentId.empty())
        ids += source->contentId;
    else if (!deferred && complete->empty())
        ids += '-';
    else
        return false;
    ids += ';';
    return true;
}

} // namespace

std::string RulesReadAhead::contentIds() const
{
    std::string ids;
    if (raised_ || !addContentId(messageRules_, deferredMessageRules_, ids) ||
        !addContentId(parameterRules_, deferredParameterRules_, ids))
        return std::string();
    return ids;
}

void RulesReadAhead::release(std::ostream& out) const
{
    std::size_t start = 0;
    while (start < written_.size()) {
        std::size_t end = written_.find('\n', start);
        end = end == std::string::npos ? written_.size() : end + 1;
        out.write(written_.data() + start, static_cast<std::streamsize>(end - start));
        out.flush();
        start = end;
    }
    if (raised_)
        std::rethrow_exception(raised_);
}
