// A display name that holds one string and returns it from every form.
#pragma once

#include "U_EntityDisplayName.h"

class ObjectDisplayName : public U_EntityDisplayName {
public:
    explicit ObjectDisplayName(std::string name) : name_(std::move(name)) {}
    std::string plainName() const override { return name_; }
    std::string qualifiedName() const override { return name_; }
    std::string aliasName() const override { return name_; }
    std::string signatureName() const override { return name_; }
    std::string fullName() const override { return name_; }

private:
    std::string name_;
};
