// The run's language and encoding, and the process-wide run encoding.
#include "QL_Language.h"

#include "P_Profile.h"
#include "QL_Encoding.h"
#include "U_PathNames.h"

#include <cstdlib>
#include <utility>

namespace {

const char* const kEucLanguages[] = {"ja", "ja_JP", "ja_JP.EUC", "ja_JP.sdeckanji", "japanese.euc", "ja_JP.eucJP"};
const char* const kSjisLanguages[] = {"Ja_JP", "ja_JP.SJIS", "japanese"};

constexpr unsigned kProfileBuffer = 100;

struct LanguageCache {
    bool hasLanguage = false;
    std::string language;
    bool hasEncoding = false;
    int encoding = QL_Encoding::Plain;
};

LanguageCache& languageCache()
{
    static LanguageCache cache;
    return cache;
}

// While NO_LANG_CACHE is set, every query reads the initialisation files and LANG again.
bool cachingDisabled()
{
    return std::getenv("NO_LANG_CACHE") != nullptr;
}

std::string readLanguage(const std::string& productName, const std::string& binDirectory)
{
    const std::string iniName = productName + ".ini";
    std::string language = platform::privateProfileString("Japanese", "NXL_LANG", "",
                                                          joinPath(binDirectory, iniName), kProfileBuffer);
    if (language.empty())
        language = platform::privateProfileString("Japanese", "NXL_LANG", "", iniName, kProfileBuffer);
    if (language.empty()) {
        const char* lang = std::getenv("LANG");
        language = lang ? lang : "default";
    }
    return language;
}

struct RunEncodingState {
    int fixed = QL_Encoding::Plain;
    std::function<bool()> alwaysFirst;
    std::function<int()> recompute;
    bool checked = false;
    bool recomputeEachTime = false;
};

RunEncodingState& runState()
{
    static RunEncodingState state;
    return state;
}

} // namespace

std::string runLanguage(const std::string& productName, const std::string& binDirectory)
{
    LanguageCache& cache = languageCache();
    if (cache.hasLanguage && !cachingDisabled())
        return cache.language;
    cache.language = readLanguage(productName, binDirectory);
    cache.hasLanguage = true;
    return cache.language;
}

int encodingOfLanguage(const std::string& language)
{
    if (language.empty())
        return QL_Encoding::Plain;
    for (const char* name : kEucLanguages) {
        if (language == name)
            return QL_Encoding::EUC;
    }
    for (const char* name : kSjisLanguages) {
        if (language == name)
            return QL_Encoding::SJ;
    }
    return QL_Encoding::Plain;
}

int languageEncoding(const std::string& productName, const std::string& binDirectory)
{
    LanguageCache& cache = languageCache();
    if (cache.hasEncoding && !cachingDisabled())
        return cache.encoding;
    cache.encoding = encodingOfLanguage(runLanguage(productName, binDirectory));
    cache.hasEncoding = true;
    return cache.encoding;
}

void resetLanguageCache()
{
    languageCache() = LanguageCache();
}

void setRunEncoding(int encoding, std::function<bool()> alwaysFirst, std::function<int()> recompute)
{
    RunEncodingState& state = runState();
    state.fixed = encoding;
    state.alwaysFirst = std::move(alwaysFirst);
    state.recompute = std::move(recompute);
    state.checked = false;
    state.recomputeEachTime = false;
}

int runEncoding()
{
    RunEncodingState& state = runState();
    if (!state.checked) {
        state.checked = true;
        state.recomputeEachTime = state.alwaysFirst && state.recompute && state.alwaysFirst();
    }
    return state.recomputeEachTime ? state.recompute() : state.fixed;
}
