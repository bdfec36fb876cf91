// The converter dispatch between plain text, EUC-JP, Shift_JIS, the 7-bit JIS variants and UTF-16.
//
// Each conversion reads its input as a stream of tokens (single bytes, half-width katakana, two-byte
// JIS characters, escape sequences) and writes the tokens in the target form.
#include "QL_Convert.h"

#include "QL_Destination.h"
#include "QL_Encoding.h"
#include "QL_JisCodes.h"
#include "QL_SjisUtf16Table.h"
#include "QL_Source.h"
#include "QL_TranslateException.h"

#include <array>
#include <vector>

namespace {

constexpr int kEsc = 27;
constexpr int kShiftOut = 14;
constexpr int kShiftIn = 15;

bool isLineEnd(int byte)
{
    return byte == 10 || byte == 13;
}

// A source with as much look-ahead as the converters need, independent of the source's own unget.
class Reader {
public:
    explicit Reader(Source& source) : source_(source) {}
    int get()
    {
        if (!pushedBack_.empty()) {
            const int byte = pushedBack_.back();
            pushedBack_.pop_back();
            return byte;
        }
        return source_.get();
    }
    void unget(int byte)
    {
        if (byte >= 0)
            pushedBack_.push_back(byte);
    }

private:
    Source& source_;
    std::vector<int> pushedBack_;
};

// The escape strings of a 7-bit JIS variant, written after an ESC byte: back to the single-byte set,
// into the two-byte set, into plane 2 (empty where the variant has none).
using EscapeSet = std::array<const char*, 3>;

EscapeSet escapesOf(int encoding)
{
    switch (encoding) {
    case QL_Encoding::OLDJ:
        return {"(J", "$@", ""};
    case QL_Encoding::NECJ:
        return {"H", "K", ""};
    case QL_Encoding::J213:
        return {"(J", "$B", "$(P"};
    default:
        return {"(J", "$B", ""};
    }
}

struct Token {
    enum Kind { End, Byte, Kana, Double, Escape, ShiftOut, ShiftIn } kind = End;
    int byte = 0;    // Byte, Kana (0xA1-0xDF)
    QL_JisChar jis;  // Double
    int set = 0;     // Escape: 0 single-byte, 1 two-byte, 2 plane 2
};

Token byteToken(int byte)
{
    Token token;
    token.kind = Token::Byte;
    token.byte = byte;
    return token;
}

Token kanaToken(int byte)
{
    Token token;
    token.kind = Token::Kana;
    token.byte = byte;
    return token;
}

Token doubleToken(const QL_JisChar& jis)
{
    Token token;
    token.kind = Token::Double;
    token.jis = jis;
    return token;
}

Token escapeToken(int set)
{
    Token token;
    token.kind = Token::Escape;
    token.set = set;
    return token;
}

// Reads tokens from a text in one encoding, with one token of look-ahead.
class Decoder {
public:
    Decoder(Source& source, int encoding) : reader_(source), encoding_(encoding) {}

    Token next()
    {
        if (hasPeeked_) {
            hasPeeked_ = false;
            return peeked_;
        }
        return read();
    }
    const Token& peek()
    {
        if (!hasPeeked_) {
            peeked_ = read();
            hasPeeked_ = true;
        }
        return peeked_;
    }

private:
    Token read()
    {
        if (!pending_.empty()) {
            const Token token = pending_.front();
            pending_.erase(pending_.begin());
            return token;
        }
        if (encoding_ == QL_Encoding::SJ)
            return readSjis();
        if (encoding_ == QL_Encoding::EUC)
            return readEuc();
        return readSevenBit();
    }

    Token readSjis()
    {
        const int c = reader_.get();
        if (c < 0)
            return Token();
        if (isSjisLead(c)) {
            const int c2 = reader_.get();
            if (c2 >= 0 && (isSjisTrail(c2) || c >= 0xF0))
                return doubleToken(sjisToJis(c, c2));
            // A pair with a second byte out of range is copied as it stands.
            if (c2 >= 0)
                pending_.push_back(byteToken(c2));
            return byteToken(c);
        }
        if (c >= 0xA1 && c <= 0xDF)
            return kanaToken(c);
        return byteToken(c);
    }

    Token readEuc()
    {
        const int c = reader_.get();
        if (c < 0)
            return Token();
        auto isEucByte = [](int b) { return b >= 0xA1 && b <= 0xFE; };
        if (isEucByte(c)) {
            const int c2 = reader_.get();
            if (isEucByte(c2))
                return doubleToken({1, c - 0xA0, c2 - 0xA0});
            reader_.unget(c2);
            return byteToken(c);
        }
        if (c == 0x8E) {
            const int c2 = reader_.get();
            if (c2 >= 0xA1 && c2 <= 0xDF)
                return kanaToken(c2);
            // 0x8E before anything but half-width katakana is copied with that byte.
            if (c2 >= 0)
                pending_.push_back(byteToken(c2));
            return byteToken(c);
        }
        if (c == 0x8F) {
            const int c2 = reader_.get();
            const int c3 = isEucByte(c2) ? reader_.get() : -1;
            if (isEucByte(c2) && isEucByte(c3))
                return doubleToken({2, c2 - 0xA0, c3 - 0xA0});
            reader_.unget(c3);
            reader_.unget(c2);
            return byteToken(c);
        }
        return byteToken(c);
    }

    // ESC has been read: the set the sequence selects, consumed; or the raw bytes when it is not a
    // sequence of the 7-bit JIS forms. ESC "$@" enters the two-byte set so that OLDJ text, which is
    // written with it, reads back; other ESC "$" sequences fall back to the single-byte set.
    Token readEscape()
    {
        const int c = reader_.get();
        switch (c) {
        case 'K':
            return selectSet(1);
        case 'H':
            return selectSet(0);
        case '(':
            if (reader_.get() < 0)
                return Token();
            return selectSet(0);
        case '$': {
            const int c2 = reader_.get();
            if (c2 == 'B' || c2 == '@')
                return selectSet(1);
            if (c2 == '(') {
                const int c3 = reader_.get();
                if (c3 == 'B' || c3 == 'O' || c3 == 'Q')
                    return selectSet(1);
                if (c3 == 'P')
                    return selectSet(2);
            }
            if (c2 < 0)
                return Token();
            return selectSet(0);
        }
        default:
            reader_.unget(c);
            return byteToken(kEsc);
        }
    }

    Token selectSet(int set)
    {
        set_ = set;
        return escapeToken(set);
    }

    Token readSevenBit()
    {
        const int c = reader_.get();
        if (c < 0)
            return Token();
        if (c == kEsc)
            return readEscape();
        if (isLineEnd(c)) {
            set_ = 0;
            return byteToken(c);
        }
        if (c == kShiftOut || c == kShiftIn) {
            kana_ = c == kShiftOut;
            Token token;
            token.kind = kana_ ? Token::ShiftOut : Token::ShiftIn;
            return token;
        }
        if (set_ != 0 && c >= 0x21 && c <= 0x7E) {
            const int c2 = reader_.get();
            if (c2 >= 0x21 && c2 <= 0x7E)
                return doubleToken({set_ == 2 ? 2 : 1, c - 0x20, c2 - 0x20});
            reader_.unget(c2);
            return byteToken(c);
        }
        if (kana_ && c >= 0x21 && c <= 0x5F)
            return kanaToken(c | 0x80);
        return byteToken(c);
    }

    Reader reader_;
    int encoding_;
    int set_ = 0;
    bool kana_ = false;
    std::vector<Token> pending_;
    Token peeked_;
    bool hasPeeked_ = false;
};

void writeEuc(Destination& out, const Token& token)
{
    switch (token.kind) {
    case Token::Byte:
        out.putByte(token.byte);
        break;
    case Token::Kana:
        out.putByte(0x8E);
        out.putByte(token.byte);
        break;
    case Token::Double:
        if (token.jis.plane == 2)
            out.putByte(0x8F);
        out.putByte((token.jis.row + 0xA0) & 0xFF);
        out.putByte((token.jis.cell + 0xA0) & 0xFF);
        break;
    default:
        break;
    }
}

void writeSjis(Destination& out, const Token& token)
{
    switch (token.kind) {
    case Token::Byte:
    case Token::Kana:
        out.putByte(token.byte);
        break;
    case Token::Double: {
        int first = 0;
        int second = 0;
        if (!jisToSjis(token.jis, first, second))
            jisToSjis(kGetaMark, first, second);
        out.putByte(first);
        out.putByte(second);
        break;
    }
    default:
        break;
    }
}

// Writes 7-bit JIS in one variant, emitting an escape only when the active set changes.
class SevenBitWriter {
public:
    SevenBitWriter(Destination& out, int encoding) : out_(out), escapes_(escapesOf(encoding)) {}

    // An escape sequence of the input, rewritten in this variant.
    void rewriteEscape(int set)
    {
        if (set == 2 && !hasPlane2())
            set = 1;
        escape(set);
    }

    // A byte of the single-byte set. When copying 7-bit text the byte stays in whatever set is
    // active; otherwise the single-byte set is selected first.
    void writeByte(int byte, bool keepSet)
    {
        if (isLineEnd(byte) || !keepSet)
            selectSet(0);
        out_.putByte(byte);
    }

    void writeDouble(QL_JisChar jis)
    {
        if (jis.plane == 2 && !hasPlane2())
            jis = kGetaMark;
        if (jis.row < 1 || jis.row > 94 || jis.cell < 1 || jis.cell > 94)
            jis = kGetaMark;
        selectSet(jis.plane == 2 ? 2 : 1);
        out_.putByte(jis.row + 0x20);
        out_.putByte(jis.cell + 0x20);
    }

    void finish() { selectSet(0); }

private:
    bool hasPlane2() const { return escapes_[2][0] != '\0'; }

    void selectSet(int set)
    {
        if (set_ != set)
            escape(set);
    }

    void escape(int set)
    {
        out_.putByte(kEsc);
        out_.putText(escapes_[static_cast<std::size_t>(set)]);
        set_ = set;
    }

    Destination& out_;
    EscapeSet escapes_;
    int set_ = 0;
};

// SJ or EUC into a 7-bit JIS variant; half-width katakana become full-width.
void toSevenBit(Decoder& in, Destination& out, int to)
{
    SevenBitWriter writer(out, to);
    for (Token token = in.next(); token.kind != Token::End; token = in.next()) {
        if (token.kind == Token::Byte) {
            writer.writeByte(token.byte, false);
        } else if (token.kind == Token::Kana) {
            const Token& following = in.peek();
            const int nextByte = following.kind == Token::Kana ? following.byte : -1;
            bool merged = false;
            writer.writeDouble(fullWidthKana(token.byte, nextByte, merged));
            if (merged)
                in.next();
        } else if (token.kind == Token::Double) {
            writer.writeDouble(token.jis);
        }
    }
    writer.finish();
}

// One 7-bit JIS variant into another: the text as it is, its escapes in the target's form.
void sevenBitToSevenBit(Decoder& in, Destination& out, int to)
{
    SevenBitWriter writer(out, to);
    for (Token token = in.next(); token.kind != Token::End; token = in.next()) {
        switch (token.kind) {
        case Token::Escape:
            writer.rewriteEscape(token.set);
            break;
        case Token::Byte:
            writer.writeByte(token.byte, true);
            break;
        case Token::Kana:
            writer.writeByte(token.byte & 0x7F, true);
            break;
        case Token::ShiftOut:
            writer.writeByte(kShiftOut, true);
            break;
        case Token::ShiftIn:
            writer.writeByte(kShiftIn, true);
            break;
        case Token::Double:
            writer.writeDouble(token.jis);
            break;
        default:
            break;
        }
    }
    writer.finish();
}

void decodeTo(Decoder& in, Destination& out, int to)
{
    for (Token token = in.next(); token.kind != Token::End; token = in.next()) {
        if (to == QL_Encoding::EUC)
            writeEuc(out, token);
        else
            writeSjis(out, token);
    }
}

// SJ to EUC as bytes: pairs by the Shift_JIS-2004 rule, half-width katakana behind 0x8E.
void sjisToEuc(Source& source, Destination& out)
{
    Decoder in(source, QL_Encoding::SJ);
    decodeTo(in, out, QL_Encoding::EUC);
}

unsigned short singleByteToUtf16(int byte)
{
    if (byte >= 0xA1 && byte <= 0xDF)
        return static_cast<unsigned short>(0xFF61 + (byte - 0xA1));
    if (byte == 0x5C)
        return 0x00A5;
    if (byte == 0x7E)
        return 0x203E;
    return static_cast<unsigned short>(byte);
}

void sjisToUtf16(Source& source, Destination& out)
{
    Reader reader(source);
    for (int c = reader.get(); c >= 0; c = reader.get()) {
        if (!isSjisLead(c)) {
            out.putWide(singleByteToUtf16(c));
            continue;
        }
        const int c2 = reader.get();
        if (!isSjisTrail(c2))
            throw C_ConfigurationException(kCharacterOutOfRangeMessage);
        out.putWide(sjisPairToUtf16(c, c2));
    }
}

// A source over bytes that may hold zeros (the intermediate text of a two-step conversion).
class BytesSource : public Source {
public:
    explicit BytesSource(const std::string& bytes) : bytes_(bytes) {}
    void close() override {}
    int get() override
    {
        return position_ < bytes_.size() ? static_cast<unsigned char>(bytes_[position_++]) : -1;
    }
    void unget(int) override
    {
        if (position_ > 0)
            --position_;
    }

private:
    const std::string& bytes_;
    std::size_t position_ = 0;
};

void copyBytes(Source& source, Destination& out)
{
    for (int c = source.get(); c >= 0; c = source.get())
        out.putByte(c);
}

} // namespace

unsigned short sjisPairToUtf16(int first, int second)
{
    const int row = first <= 0x9F ? first - 0x81 : first - 0xE0 + 31;
    return kSjisUtf16Table[row][second - 0x40];
}

void convertStream(Source& source, Destination& destination, int from, int to)
{
    const bool fromJis = QL_Encoding::isSevenBitJis(from);
    const bool toJis = QL_Encoding::isSevenBitJis(to);
    const bool fromJapanese = from == QL_Encoding::SJ || from == QL_Encoding::EUC;

    if (from == QL_Encoding::SJ && to == QL_Encoding::EUC) {
        sjisToEuc(source, destination);
    } else if (from == QL_Encoding::EUC && to == QL_Encoding::SJ) {
        Decoder in(source, QL_Encoding::EUC);
        decodeTo(in, destination, QL_Encoding::SJ);
    } else if (fromJis && (to == QL_Encoding::EUC || to == QL_Encoding::SJ)) {
        Decoder in(source, from);
        decodeTo(in, destination, to);
    } else if (fromJapanese && toJis) {
        Decoder in(source, from);
        toSevenBit(in, destination, to);
    } else if (fromJis && toJis && from != to) {
        Decoder in(source, from);
        sevenBitToSevenBit(in, destination, to);
    } else if (from == QL_Encoding::SJ && to == QL_Encoding::UTF16) {
        sjisToUtf16(source, destination);
    } else if (from == QL_Encoding::EUC && to == QL_Encoding::UTF16) {
        StringDestination sjis;
        Decoder in(source, QL_Encoding::EUC);
        decodeTo(in, sjis, QL_Encoding::SJ);
        BytesSource intermediate(sjis.text());
        sjisToUtf16(intermediate, destination);
    } else {
        copyBytes(source, destination);
    }
}

std::string convert(const std::string& text, int from, int to)
{
    StringSource source(text);
    StringDestination destination;
    convertStream(source, destination, from, to);
    const std::string& result = destination.text();
    return result.substr(0, result.find('\0'));
}

std::string toInternal(const std::string& text, int from)
{
    if (from == QL_Encoding::Plain || from == QL_Encoding::EUC)
        return text;
    return convert(text, from, QL_Encoding::EUC);
}

std::string toOutput(const std::string& text, int to)
{
    if (to == QL_Encoding::Plain || to == QL_Encoding::EUC)
        return text;
    return convert(text, QL_Encoding::EUC, to);
}
