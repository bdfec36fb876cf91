// The parameters of a diagnostic: a string, a list of strings, or a list of diagnostics.
#pragma once

#include "M_ObjectPool.h"
#include "U_Ref.h"

#include <string>
#include <vector>

class M_Diagnostic;
class R_writeParamTypeVisitor;

class M_ParamType : public U_Ref {
public:
    M_POOLED_ALLOCATION
    ~M_ParamType() override = default;
    virtual std::string text() const = 0;
    // Hands the parameter to the visitor's operation for its kind.
    virtual void accept(R_writeParamTypeVisitor& visitor) const = 0;
    // The value of a string parameter; null for the other kinds.
    virtual const std::string* stringValue() const { return nullptr; }
};

class M_ParamStringType : public M_ParamType {
public:
    explicit M_ParamStringType(std::string value) : value_(std::move(value)) {}
    std::string text() const override { return value_; }
    void accept(R_writeParamTypeVisitor& visitor) const override;
    const std::string& value() const { return value_; }
    const std::string* stringValue() const override { return &value_; }

private:
    std::string value_;
};

class M_ParamListType : public M_ParamType {
public:
    explicit M_ParamListType(std::vector<std::string> values) : values_(std::move(values)) {}
    // "List={a,b}"
    std::string text() const override;
    void accept(R_writeParamTypeVisitor& visitor) const override;
    const std::vector<std::string>& values() const { return values_; }

private:
    std::vector<std::string> values_;
};

class M_ParamMsgListType : public M_ParamType {
public:
    explicit M_ParamMsgListType(std::vector<U_Handle<M_Diagnostic>> messages);
    ~M_ParamMsgListType() override;
    // "MsgList={<diagnostic> ; <diagnostic>}"
    std::string text() const override;
    void accept(R_writeParamTypeVisitor& visitor) const override;
    const std::vector<U_Handle<M_Diagnostic>>& messages() const { return messages_; }

private:
    std::vector<U_Handle<M_Diagnostic>> messages_;
};
