// Base of every option object: its registered name, whether it was given, and how a value is read.
#pragma once

#include <istream>
#include <string>

class C_OptionBase {
public:
    explicit C_OptionBase(std::string name) : name_(std::move(name)) {}
    C_OptionBase(const C_OptionBase&) = default;
    C_OptionBase& operator=(const C_OptionBase&) = delete;
    virtual ~C_OptionBase() = default;

    // The current value as display text.
    virtual std::string valueText() const = 0;
    // Back to the default value.
    virtual void reset() {}
    // Reads the value. Attached: the stream holds the rest of the option's own argument;
    // otherwise it is the argument stream and a value, if the kind takes one, is the next argument.
    virtual bool parse(std::istream& in, bool attached) = 0;

    std::string name() const { return name_; }
    // Marks the option given, then parses (so a value that fails still leaves it given).
    bool setFrom(std::istream& in, bool attached)
    {
        given_ = true;
        return parse(in, attached);
    }
    // Back to the constructed state.
    void forget()
    {
        reset();
        given_ = false;
    }
    bool isGiven() const { return given_; }

protected:
    // One line of the stream with a leading "=" removed; raises C_ValueExpectedException when the
    // stream has nothing left.
    std::string readValueText(std::istream& in) const;

private:
    std::string name_;
    bool given_ = false;
};
