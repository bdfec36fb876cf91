// Writes JSON text (objects, arrays, strings, integers), on one line or indented, always valid UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Members and elements are written in the order they are given; the writer places the commas, and
// with an indent the line breaks. Strings are escaped as JSON requires. Texts come from error files,
// source lines and rules files in whatever encoding they were written: a byte that does not belong
// to a well-formed UTF-8 sequence is taken as the Latin-1 character of the same value, so the output
// is UTF-8 whatever the input.
class U_JsonWriter {
public:
    // With an indent of 0 everything stays on one line, without blanks.
    explicit U_JsonWriter(int indent = 0) : indent_(indent) {}

    U_JsonWriter& beginObject();
    U_JsonWriter& endObject();
    U_JsonWriter& beginArray();
    U_JsonWriter& endArray();
    // The name of the next member of the current object.
    U_JsonWriter& key(std::string_view name);
    U_JsonWriter& value(std::string_view text);
    U_JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    U_JsonWriter& value(std::int64_t number);

    U_JsonWriter& member(std::string_view name, std::string_view text) { return key(name).value(text); }
    U_JsonWriter& member(std::string_view name, const char* text) { return key(name).value(text); }
    U_JsonWriter& member(std::string_view name, std::int64_t number) { return key(name).value(number); }

    // The text written so far.
    const std::string& text() const { return out_; }

    // Appends the text as a quoted, escaped JSON string.
    static void appendString(std::string& out, std::string_view text);
    // The text as UTF-8, repaired as strings are: a byte outside a well-formed sequence becomes the
    // Latin-1 character of the same value.
    static std::string utf8(std::string_view text);

private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);
    void newLine();

    struct Level {
        std::size_t count = 0;
        bool afterKey = false;
    };
    int indent_;
    std::string out_;
    std::vector<Level> levels_;
};
