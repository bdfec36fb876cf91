// Suppression records are immutable once built.
#include "M_SuppressionRecord.h"

#include "U_LocationData.h"

M_SuppressionRecord::M_SuppressionRecord(std::int32_t kind, const U_Location& origin, std::string text,
                                         M_MessageRanges ranges, const U_Location& rangeStart,
                                         const U_Location& rangeEnd)
    : kind_(kind), origin_(origin), text_(std::move(text)), ranges_(std::move(ranges)),
      rangeStart_(rangeStart), rangeEnd_(rangeEnd)
{
}

M_SuppressionRecord::~M_SuppressionRecord() = default;
