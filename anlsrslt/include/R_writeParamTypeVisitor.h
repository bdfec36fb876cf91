// Writes one diagnostic parameter, by kind, into the record being encoded.
#pragma once

class M_ParamListType;
class M_ParamMsgListType;
class M_ParamStringType;
class R_ErrorFileEncoder;
class U_EntityDisplayName;

class R_writeParamTypeVisitor {
public:
    explicit R_writeParamTypeVisitor(R_ErrorFileEncoder& encoder) : encoder_(encoder) {}
    virtual ~R_writeParamTypeVisitor() = default;

    // Kind byte 4, the count and the nested diagnostic bodies.
    virtual void visitMessageList(const M_ParamMsgListType& parameter);
    // Kind byte 2, the count and the strings.
    virtual void visitList(const M_ParamListType& parameter);
    // The display name as a string (no kind byte).
    virtual void visitEntityName(const U_EntityDisplayName& name);
    // Kind byte 1 and the string.
    virtual void visitString(const M_ParamStringType& parameter);
    // Writes nothing.
    virtual void visitNothing();

private:
    R_ErrorFileEncoder& encoder_;
};
