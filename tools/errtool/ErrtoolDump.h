// The readable dump of an error file: every diagnostic's text form and every suppression record.
#pragma once

#include <string>

class M_InputBonnie;
class M_SuppressionRecord;

namespace errtool {

// One line for a suppression record.
std::string suppressionLine(const M_SuppressionRecord& record);
// The whole dump, block by block.
std::string dump(const M_InputBonnie& reader, const std::string& path);

} // namespace errtool
