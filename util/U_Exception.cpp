// The process-wide message buffer of user exceptions.
#include "U_Exception.h"

namespace {
std::string& buffer()
{
    static std::string text;
    return text;
}
} // namespace

U_UserException::U_UserException(const std::string& message)
{
    buffer() = message;
}

const char* U_UserException::what() const noexcept
{
    return buffer().c_str();
}

const std::string& U_UserException::messageBuffer()
{
    return buffer();
}
