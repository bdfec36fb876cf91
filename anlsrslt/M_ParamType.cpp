// Text forms of the three parameter kinds and their dispatch to the writing visitor.
#include "M_ParamType.h"

#include "M_Diagnostic.h"
#include "R_writeParamTypeVisitor.h"

void M_ParamStringType::accept(R_writeParamTypeVisitor& visitor) const
{
    visitor.visitString(*this);
}

std::string M_ParamListType::text() const
{
    std::string out = "List={";
    for (std::size_t i = 0; i < values_.size(); ++i) {
        if (i > 0)
            out += ',';
        out += values_[i];
    }
    out += '}';
    return out;
}

void M_ParamListType::accept(R_writeParamTypeVisitor& visitor) const
{
    visitor.visitList(*this);
}

M_ParamMsgListType::M_ParamMsgListType(std::vector<U_Handle<M_Diagnostic>> messages)
    : messages_(std::move(messages))
{
}

M_ParamMsgListType::~M_ParamMsgListType() = default;

std::string M_ParamMsgListType::text() const
{
    std::string out = "MsgList={";
    for (std::size_t i = 0; i < messages_.size(); ++i) {
        if (i > 0)
            out += " ; ";
        out += messages_[i]->text();
    }
    out += '}';
    return out;
}

void M_ParamMsgListType::accept(R_writeParamTypeVisitor& visitor) const
{
    visitor.visitMessageList(*this);
}
