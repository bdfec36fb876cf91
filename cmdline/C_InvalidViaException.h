// Raised when a via file cannot be opened.
#pragma once

#include "C_InvalidArgValueException.h"

class C_InvalidViaException : public C_InvalidArgValueException {
public:
    explicit C_InvalidViaException(const std::string& fileName)
        : C_InvalidArgValueException(std::string(cmdmsg::kUnableToOpen) + fileName + cmdmsg::kMessageEnd, 0)
    {
    }
};
