// Fuzz target: the reader of no-match memos. A memo is taken only when its file holds exactly the
// bytes written for the questions asked: arbitrary bytes, and a written memo with one byte changed,
// cut short or lengthened, are turned away; the memo written for a key is taken for it.
#include "NoMatchMemo.h"

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::setUpProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text = fuzzsupport::bytesOf(data, size);
    const unsigned selector = fuzzsupport::takeSelector(text);
    const unsigned value = fuzzsupport::takeSelector(text);
    const std::size_t split = text.empty() ? 0 : static_cast<unsigned char>(text[0]) % (text.size() + 1);
    const std::string key = text.substr(0, split);
    const std::string rest = text.substr(split);
    const std::string written = NoMatchMemo::encode(key);

    if (NoMatchMemo::holds(written, key) != !key.empty())
        __builtin_trap(); // what was written for a key is read back for it
    if (NoMatchMemo::holds(rest, key) != (!key.empty() && rest == written))
        __builtin_trap(); // arbitrary bytes are taken only when they are the memo itself

    std::string changed = written;
    const std::size_t at = ((selector >> 2) | (value << 6)) % changed.size();
    switch (selector & 3) {
    case 0: changed[at] = static_cast<char>(changed[at] ^ (1 + value % 255)); break;
    case 1: changed.resize(at); break;
    case 2: changed.insert(at, 1, static_cast<char>(value)); break;
    default: changed += rest.empty() ? std::string(1, '\0') : rest; break;
    }
    if (NoMatchMemo::holds(changed, key))
        __builtin_trap(); // a memo changed in any way is not taken
    return 0;
}
