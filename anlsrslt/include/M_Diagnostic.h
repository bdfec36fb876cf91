// A diagnostic: message number, location, parameters and the four flags.
#pragma once

#include "M_ObjectPool.h"
#include "M_ParamType.h"
#include "U_LocationData.h"
#include "U_Ref.h"

#include <cstdint>
#include <string>
#include <vector>

class M_Diagnostic : public U_Ref {
public:
    M_POOLED_ALLOCATION
    using Parameters = std::vector<U_Handle<M_ParamType>, M_PoolAllocator<U_Handle<M_ParamType>>>;
    explicit M_Diagnostic(std::int32_t messageNumber);
    M_Diagnostic(std::int32_t messageNumber, const U_Location& location);
    ~M_Diagnostic() override;

    std::int32_t messageNumber() const { return messageNumber_; }
    const U_Location& location() const { return location_; }
    std::size_t parameterCount() const { return parameters_.size(); }
    const U_Handle<M_ParamType>& parameter(std::size_t index) const { return parameters_[index]; }
    const Parameters& parameters() const { return parameters_; }

    bool hiddenByPragma() const { return hiddenByPragma_; }
    bool hiddenByUser() const { return hiddenByUser_; }
    bool hidden() const { return hidden_; }
    // Set when the record's third word is non-zero: never counted as already suppressed.
    bool fourthFlag() const { return fourthFlag_; }

    void addStringParameter(const std::string& value);
    void addStringParameter(std::string&& value);
    // Room for the parameters that will be added, so that adding them does not reallocate.
    void reserveParameters(std::size_t count) { parameters_.reserve(count); }
    void addListParameter(const std::vector<std::string>& values);
    // Sorted first (stably, by isLess) when the run's "debug" option holds "sort-messages".
    void addMessageListParameter(std::vector<U_Handle<M_Diagnostic>> messages);

    void setLocation(const U_Location& location) { location_ = location; }
    void setFlags(bool hiddenByPragma, bool hiddenByUser, bool hidden, bool fourthFlag)
    {
        hiddenByPragma_ = hiddenByPragma;
        hiddenByUser_ = hiddenByUser;
        hidden_ = hidden;
        fourthFlag_ = fourthFlag;
    }

    // The one-line text form, with the display switches of the current run.
    std::string text() const;

    // The "sort-messages" order: location, message number, parameter count, parameter texts.
    static bool isLess(const M_Diagnostic& a, const M_Diagnostic& b);

private:
    std::int32_t messageNumber_;
    U_Location location_;
    Parameters parameters_;
    bool hiddenByPragma_ = false;
    bool hiddenByUser_ = false;
    bool hidden_ = false;
    bool fourthFlag_ = false;
};

using M_DiagnosticHandle = U_Handle<M_Diagnostic>;
