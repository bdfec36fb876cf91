// JSON text: structure, escaping and the repair of text that is not UTF-8.
#include "U_JsonWriter.h"

#include "Utf8Append.h"

namespace {

// The length of the well-formed UTF-8 sequence at the start of the text, or 0 when there is none:
// overlong forms, surrogates and values above U+10FFFF are not well-formed.
std::size_t utf8SequenceLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

} // namespace

void U_JsonWriter::appendString(std::string& out, std::string_view text)
{
    static const char* const kHex = "0123456789abcdef";
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        // Printable ASCII other than the quote and the backslash goes out as it is, a run at a time.
        std::size_t plain = i;
        while (plain < text.size() && static_cast<unsigned char>(text[plain]) >= 0x20 &&
               static_cast<unsigned char>(text[plain]) < 0x80 && text[plain] != '"' && text[plain] != '\\')
            ++plain;
        if (plain > i) {
            out.append(text.data() + i, plain - i);
            i = plain;
            continue;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 15];
                } else {
                    out += static_cast<char>(c);
                }
            }
            ++i;
            continue;
        }
        const std::size_t length = utf8SequenceLength(text.substr(i));
        if (length > 0) {
            out.append(text.data() + i, length);
            i += length;
            continue;
        }
        platform::appendUtf8(out, c); // not UTF-8: the Latin-1 character of the byte
        ++i;
    }
    out += '"';
}

std::string U_JsonWriter::utf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : utf8SequenceLength(text.substr(i));
        if (length > 0) {
            out.append(text.data() + i, length);
            i += length;
        } else {
            platform::appendUtf8(out, c);
            ++i;
        }
    }
    return out;
}

void U_JsonWriter::newLine()
{
    if (indent_ <= 0)
        return;
    out_ += '\n';
    out_.append(levels_.size() * static_cast<std::size_t>(indent_), ' ');
}

void U_JsonWriter::beforeValue()
{
    if (levels_.empty())
        return;
    Level& level = levels_.back();
    if (level.afterKey) { // a member's value follows its key on the same line
        level.afterKey = false;
        return;
    }
    if (level.count++ > 0)
        out_ += ',';
    newLine();
}

void U_JsonWriter::open(char bracket)
{
    beforeValue();
    out_ += bracket;
    levels_.emplace_back();
}

void U_JsonWriter::close(char bracket)
{
    const bool empty = levels_.empty() || levels_.back().count == 0;
    if (!levels_.empty())
        levels_.pop_back();
    if (!empty)
        newLine();
    out_ += bracket;
}

U_JsonWriter& U_JsonWriter::beginObject()
{
    open('{');
    return *this;
}

U_JsonWriter& U_JsonWriter::endObject()
{
    close('}');
    return *this;
}

U_JsonWriter& U_JsonWriter::beginArray()
{
    open('[');
    return *this;
}

U_JsonWriter& U_JsonWriter::endArray()
{
    close(']');
    return *this;
}

U_JsonWriter& U_JsonWriter::key(std::string_view name)
{
    beforeValue();
    appendString(out_, name);
    out_ += indent_ > 0 ? ": " : ":";
    if (!levels_.empty())
        levels_.back().afterKey = true;
    return *this;
}

U_JsonWriter& U_JsonWriter::value(std::string_view text)
{
    beforeValue();
    appendString(out_, text);
    return *this;
}

U_JsonWriter& U_JsonWriter::value(std::int64_t number)
{
    beforeValue();
    out_ += std::to_string(number);
    return *this;
}
