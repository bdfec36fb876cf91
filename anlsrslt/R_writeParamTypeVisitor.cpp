// Parameter payloads of the diagnostic body.
#include "R_writeParamTypeVisitor.h"

#include "M_Diagnostic.h"
#include "R_ErrorFileEncoder.h"
#include "U_EntityDisplayName.h"

void R_writeParamTypeVisitor::visitMessageList(const M_ParamMsgListType& parameter)
{
    R_BinaryWriter& out = encoder_.out();
    out.byte(4);
    out.word(static_cast<std::int32_t>(parameter.messages().size()));
    // Nested diagnostics carry no hidden-by-pragma bit.
    encoder_.beginMessageList();
    for (const auto& message : parameter.messages())
        encoder_.diagnosticBody(*message, false);
    encoder_.endMessageList();
}

void R_writeParamTypeVisitor::visitList(const M_ParamListType& parameter)
{
    R_BinaryWriter& out = encoder_.out();
    out.byte(2);
    out.word(static_cast<std::int32_t>(parameter.values().size()));
    for (const auto& value : parameter.values())
        out.string(value);
}

void R_writeParamTypeVisitor::visitEntityName(const U_EntityDisplayName& name)
{
    encoder_.entityName(name);
}

void R_writeParamTypeVisitor::visitString(const M_ParamStringType& parameter)
{
    R_BinaryWriter& out = encoder_.out();
    out.byte(1);
    out.string(parameter.value());
}

void R_writeParamTypeVisitor::visitNothing() {}
