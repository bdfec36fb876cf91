// Whether a location lies in a quiet file, whose suppression records are not indexed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class U_LocationData;

// A location lies in a quiet file when its file's canonical path is one of the "quiet" files. A
// location without an include location (one in the analysed file itself) never counts as quiet,
// unless its file is the product's implicit header, "implicit.h" in the installation directory.
// The per-file answers are kept in 127 slots chosen by the stored path's address; with the debug
// keyword "always-first" every answer is computed afresh.
class M_QuietFiles {
public:
    struct Settings {
        std::function<bool(const std::string& canonicalPath)> isQuietPath;
        std::function<std::string()> implicitHeader; // canonical path of the implicit header, or ""
        std::function<bool()> alwaysFirst;
    };

    explicit M_QuietFiles(Settings settings);

    bool isQuiet(const U_LocationData& location);

    // The answers of the current command line; lives for the whole process.
    static M_QuietFiles& instance();

private:
    struct Slot {
        const std::string* path = nullptr;
        bool quiet = false;
    };
    static constexpr std::size_t kSlots = 127;

    bool isQuietFile(const std::string* path);

    Settings settings_;
    Slot slots_[kSlots];
    bool implicitKnown_ = false;
    const std::string* implicitHeader_ = nullptr;
};
