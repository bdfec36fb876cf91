// The run's language and encoding: the "NXL_LANG" key of section "Japanese" in the product's
// initialisation file (in the BIN directory, then the platform's default location), else LANG.
//
// The translation layer knows nothing of the command line: the product name and BIN directory are
// passed in, and the command-line layer fixes the run encoding when it builds the run's arguments.
#pragma once

#include <functional>
#include <string>

// The language of the run: NXL_LANG from "<binDirectory>/<productName>.ini", else from
// "<productName>.ini" in the platform's default location, else the environment variable LANG, else
// "default". Computed once and cached; recomputed on every call while NO_LANG_CACHE is set.
std::string runLanguage(const std::string& productName, const std::string& binDirectory);

// The encoding of a language name: 4 (EUC) or 8 (SJ) for the names of the two lists, else 2 (Plain).
int encodingOfLanguage(const std::string& language);

// encodingOfLanguage(runLanguage(...)), cached in the same way.
int languageEncoding(const std::string& productName, const std::string& binDirectory);

// Forgets the cached language and encoding (for tests and for a new run in the same process).
void resetLanguageCache();

// Fixes the run encoding (done when the run's arguments are built). On the first later query of
// runEncoding, alwaysFirst (if given) is asked once whether the run's "debug" option holds the
// keyword "always-first"; if it does, every query from then on answers recompute() instead of the
// fixed value.
void setRunEncoding(int encoding, std::function<bool()> alwaysFirst = {},
                    std::function<int()> recompute = {});

// The encoding of the current run; Plain until setRunEncoding is called.
int runEncoding();
