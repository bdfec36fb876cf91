// A suppression record: which message numbers are hidden where, and how the suppression arose.
#pragma once

#include "U_LocationData.h"
#include "U_Ref.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using M_MessageRanges = std::vector<std::pair<std::string, std::string>>;

class M_SuppressionRecord : public U_Ref {
public:
    M_SuppressionRecord(std::int32_t kind, const U_Location& origin, std::string text,
                        M_MessageRanges ranges, const U_Location& rangeStart,
                        const U_Location& rangeEnd);
    ~M_SuppressionRecord() override;

    std::int32_t kind() const { return kind_; }
    const U_Location& origin() const { return origin_; }
    const std::string& text() const { return text_; }
    const M_MessageRanges& messageRanges() const { return ranges_; }
    const U_Location& rangeStart() const { return rangeStart_; }
    // Null: the range ends where it starts.
    const U_Location& rangeEnd() const { return rangeEnd_; }

private:
    std::int32_t kind_;
    U_Location origin_;
    std::string text_;
    M_MessageRanges ranges_;
    U_Location rangeStart_;
    U_Location rangeEnd_;
};

using M_SuppressionRecordHandle = U_Handle<M_SuppressionRecord>;
