// The error-file exceptions: a file that cannot be opened, has an unknown version or unknown records.
#pragma once

#include "U_Exception.h"

#include <cstdint>
#include <string>

class M_ErrorFileException : public U_UserException {
public:
    explicit M_ErrorFileException(const std::string& message) : U_UserException(message) {}
};

// "Cannot write error file '<path>'." (the reader uses the same text for an unopenable file).
class M_BadFileOpenException : public M_ErrorFileException {
public:
    explicit M_BadFileOpenException(const std::string& path);
};

class M_BadErrorFileVersion : public M_ErrorFileException {
public:
    explicit M_BadErrorFileVersion(std::int32_t formatId);
    std::int32_t formatId() const { return formatId_; }

private:
    std::int32_t formatId_;
};

class M_BadInfoTypeException : public M_ErrorFileException {
public:
    M_BadInfoTypeException();
};

class M_HasListParameterException : public M_ErrorFileException {
public:
    M_HasListParameterException();
};
