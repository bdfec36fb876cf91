// The display name of a program entity, in five string forms.
#pragma once

#include "U_Ref.h"

#include <string>

class U_EntityDisplayName : public U_Ref {
public:
    ~U_EntityDisplayName() override = default;
    virtual std::string plainName() const = 0;
    virtual std::string qualifiedName() const = 0;
    // The form written to an error file when "showalias" is set.
    virtual std::string aliasName() const = 0;
    virtual std::string signatureName() const = 0;
    virtual std::string fullName() const = 0;
};
