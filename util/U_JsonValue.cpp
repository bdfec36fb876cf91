// A recursive-descent JSON reader with a bound on nesting.
#include "U_JsonValue.h"

#include "Utf8Append.h"

#include <cmath>
#include <cstdlib>

class U_JsonValue::Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    U_JsonValue document()
    {
        U_JsonValue value = parseValue(0);
        skipBlanks();
        if (pos_ != text_.size())
            fail("text after the value");
        return value;
    }

private:
    [[noreturn]] void fail(const std::string& what) const
    {
        throw U_JsonError("JSON: " + what + " at offset " + std::to_string(pos_));
    }

    void skipBlanks()
    {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }

    bool take(char c)
    {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    void expectWord(std::string_view word)
    {
        if (text_.substr(pos_, word.size()) != word)
            fail("unknown word");
        pos_ += word.size();
    }

    U_JsonValue parseValue(int depth)
    {
        if (depth > kMaxDepth)
            fail("nesting too deep");
        skipBlanks();
        if (pos_ >= text_.size())
            fail("value expected");
        U_JsonValue value;
        switch (text_[pos_]) {
        case '{':
            value.kind_ = Kind::Object;
            parseObject(value, depth);
            break;
        case '[':
            value.kind_ = Kind::Array;
            parseArray(value, depth);
            break;
        case '"':
            value.kind_ = Kind::String;
            value.string_ = parseString();
            break;
        case 't':
            expectWord("true");
            value.kind_ = Kind::Boolean;
            value.number_ = 1;
            break;
        case 'f':
            expectWord("false");
            value.kind_ = Kind::Boolean;
            break;
        case 'n':
            expectWord("null");
            break;
        default:
            value.kind_ = Kind::Number;
            value.number_ = parseNumber();
        }
        return value;
    }

    void parseObject(U_JsonValue& value, int depth)
    {
        ++pos_;
        skipBlanks();
        if (take('}'))
            return;
        for (;;) {
            skipBlanks();
            if (pos_ >= text_.size() || text_[pos_] != '"')
                fail("member name expected");
            std::string name = parseString();
            skipBlanks();
            if (!take(':'))
                fail("':' expected");
            U_JsonValue member = parseValue(depth + 1);
            value.members_.emplace_back(std::move(name), std::move(member));
            skipBlanks();
            if (take('}'))
                return;
            if (!take(','))
                fail("',' or '}' expected");
        }
    }

    void parseArray(U_JsonValue& value, int depth)
    {
        ++pos_;
        skipBlanks();
        if (take(']'))
            return;
        for (;;) {
            value.items_.push_back(parseValue(depth + 1));
            skipBlanks();
            if (take(']'))
                return;
            if (!take(','))
                fail("',' or ']' expected");
        }
    }

    unsigned hex4()
    {
        if (text_.size() - pos_ < 4)
            fail("short \\u escape");
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[pos_++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= static_cast<unsigned>(c - 'A' + 10);
            else
                fail("bad \\u escape");
        }
        return value;
    }

    std::string parseString()
    {
        ++pos_; // the opening quote
        std::string out;
        for (;;) {
            if (pos_ >= text_.size())
                fail("unterminated string");
            const char c = text_[pos_++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                fail("control character in string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size())
                fail("unterminated escape");
            switch (text_[pos_++]) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                unsigned code = hex4();
                if (code >= 0xDC00 && code <= 0xDFFF)
                    fail("lone low surrogate");
                if (code >= 0xD800 && code <= 0xDBFF) {
                    if (!take('\\') || !take('u'))
                        fail("lone high surrogate");
                    const unsigned low = hex4();
                    if (low < 0xDC00 || low > 0xDFFF)
                        fail("bad surrogate pair");
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                platform::appendUtf8(out, code);
                break;
            }
            default:
                fail("unknown escape");
            }
        }
    }

    double parseNumber()
    {
        const std::size_t start = pos_;
        take('-');
        const auto digits = [&] {
            const std::size_t first = pos_;
            while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
                ++pos_;
            return pos_ - first;
        };
        if (pos_ < text_.size() && text_[pos_] == '0')
            ++pos_;
        else if (digits() == 0)
            fail("value expected");
        if (take('.') && digits() == 0)
            fail("digits expected after '.'");
        if (take('e') || take('E')) {
            if (!take('+'))
                take('-');
            if (digits() == 0)
                fail("digits expected in exponent");
        }
        const std::string number(text_.substr(start, pos_ - start));
        return std::strtod(number.c_str(), nullptr);
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

U_JsonValue U_JsonValue::parse(std::string_view text)
{
    return Parser(text).document();
}

const U_JsonValue* U_JsonValue::find(std::string_view name) const
{
    for (const auto& member : members_)
        if (member.first == name)
            return &member.second;
    return nullptr;
}

std::string U_JsonValue::stringAt(std::string_view name, const std::string& fallback) const
{
    const U_JsonValue* member = find(name);
    return member && member->isString() ? member->string_ : fallback;
}

std::int64_t U_JsonValue::integerAt(std::string_view name, std::int64_t fallback) const
{
    const U_JsonValue* member = find(name);
    if (!member || !member->isNumber())
        return fallback;
    const double number = member->number_;
    if (number != std::floor(number) || std::fabs(number) > 9007199254740992.0)
        return fallback;
    return static_cast<std::int64_t>(number);
}
