// Builds the texts of the error-file and binary reading/writing exceptions.
#include "M_ErrorFileException.h"

#include "M_Messages.h"
#include "R_BinaryException.h"

#include <cstdio>
#include <cstring>

namespace {
std::string hex(std::int32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", static_cast<unsigned>(value));
    return buffer;
}

std::string errnoText(const char* head, int error)
{
    return std::string(head) + std::to_string(error) + "): " + std::strerror(error);
}
} // namespace

M_BadFileOpenException::M_BadFileOpenException(const std::string& path)
    : M_ErrorFileException(M_Messages::kCannotWriteErrorFile + path + "'.")
{
}

M_BadErrorFileVersion::M_BadErrorFileVersion(std::int32_t formatId)
    : M_ErrorFileException(M_Messages::kIncorrectVersion + hex(formatId) + M_Messages::kExpectedVersion
                           + hex(0x9300)),
      formatId_(formatId)
{
}

M_BadInfoTypeException::M_BadInfoTypeException() : M_ErrorFileException(M_Messages::kUnknownRecordType) {}

M_HasListParameterException::M_HasListParameterException()
    : M_ErrorFileException(M_Messages::kHasListParameter)
{
}

R_ReadingException::R_ReadingException() : U_UserException(M_Messages::kReading) {}

R_ReadingEOFException::R_ReadingEOFException(int error)
    : R_ReadingException(errnoText(M_Messages::kReadingAtEof, error))
{
}

R_ReadingReadException::R_ReadingReadException(int error)
    : R_ReadingException(errnoText(M_Messages::kReadingRead, error))
{
}

R_ReadingNestingException::R_ReadingNestingException(int limit)
    : R_ReadingException(M_Messages::kReadingTooDeep + std::to_string(limit) + " levels.")
{
}

R_WritingException::R_WritingException() : U_UserException(M_Messages::kWriting) {}
