// Raised when an option is given a value it cannot take.
#pragma once

#include "C_Messages.h"
#include "U_Exception.h"

#include <string>

class C_InvalidArgValueException : public C_ConfigurationException {
public:
    C_InvalidArgValueException(const std::string& value, const std::string& optionName)
        : C_InvalidArgValueException(std::string(cmdmsg::kInvalidValueHead) + value + cmdmsg::kInvalidValueMiddle
                                     + optionName + cmdmsg::kMessageEnd,
                                     0)
    {
    }

    // The text is kept with the exception as well, so a later user exception cannot change it.
    const char* what() const noexcept override { return message_.c_str(); }

protected:
    // For derived exceptions that build a message of their own.
    C_InvalidArgValueException(const std::string& message, int) : C_ConfigurationException(message), message_(message)
    {
    }

private:
    std::string message_;
};
