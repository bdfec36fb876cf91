// A JSON value read from text: null, boolean, number, string, array or object.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Text that is not one well-formed JSON value; the message names the offset.
class U_JsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class U_JsonValue {
public:
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    using Members = std::vector<std::pair<std::string, U_JsonValue>>;

    // The one value of the text, with white space around it allowed. Strings are decoded (escapes,
    // surrogate pairs); nesting deeper than kMaxDepth is refused, so crafted input cannot exhaust
    // the stack. Raises U_JsonError.
    static U_JsonValue parse(std::string_view text);
    static constexpr int kMaxDepth = 200;

    Kind kind() const { return kind_; }
    bool isObject() const { return kind_ == Kind::Object; }
    bool isArray() const { return kind_ == Kind::Array; }
    bool isString() const { return kind_ == Kind::String; }
    bool isNumber() const { return kind_ == Kind::Number; }

    // Empty, 0 or false for a value of another kind.
    const std::string& string() const { return string_; }
    double number() const { return number_; }
    bool boolean() const { return number_ != 0; }
    const std::vector<U_JsonValue>& items() const { return items_; }
    const Members& members() const { return members_; }

    // The first member of the name, or null (also when this is not an object).
    const U_JsonValue* find(std::string_view name) const;
    // A string member's text, or the fallback when it is missing or not a string.
    std::string stringAt(std::string_view name, const std::string& fallback = std::string()) const;
    // A number member that is a whole number in range, or the fallback.
    std::int64_t integerAt(std::string_view name, std::int64_t fallback = 0) const;

private:
    class Parser;

    Kind kind_ = Kind::Null;
    double number_ = 0;
    std::string string_;
    std::vector<U_JsonValue> items_;
    Members members_;
};
