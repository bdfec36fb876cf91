// Quiet-file answers for the suppression index, with their per-process cache.
#include "M_QuietFiles.h"

#include "C_CmdArgs.h"
#include "C_Environment.h"
#include "M_OptionQueries.h"
#include "U_LocationData.h"
#include "U_PathNames.h"
#include "U_SingletonStringStore.h"

#include <cstdint>

M_QuietFiles::M_QuietFiles(Settings settings) : settings_(std::move(settings)) {}

bool M_QuietFiles::isQuiet(const U_LocationData& location)
{
    const std::string* path = location.file().fullNameKey();
    if (!location.hasIncludeLocation()) {
        if (!implicitKnown_) {
            const std::string implicit = settings_.implicitHeader();
            implicitHeader_ = implicit.empty() ? nullptr : U_SingletonStringStore::intern(implicit);
            implicitKnown_ = true;
        }
        if (path != implicitHeader_)
            return false;
    }
    return isQuietFile(path);
}

bool M_QuietFiles::isQuietFile(const std::string* path)
{
    if (path == nullptr)
        return false;
    if (settings_.alwaysFirst())
        return settings_.isQuietPath(*path);
    Slot& slot = slots_[(reinterpret_cast<std::uintptr_t>(path) / 4) % kSlots];
    if (slot.path != path) {
        slot.path = path;
        slot.quiet = settings_.isQuietPath(*path);
    }
    return slot.quiet;
}

M_QuietFiles& M_QuietFiles::instance()
{
    static M_QuietFiles quiet(Settings{
        [](const std::string& path) { return M_OptionQueries::isQuietPath(path); },
        [] {
            const U_Handle<C_CmdArgs> args = C_CmdArgs::current();
            std::string bin;
            if (!args || !args->product() || !environmentValue(binVariableName(*args), bin))
                return std::string();
            return fullPath(joinPath(toForwardSlashes(bin), "implicit.h"));
        },
        [] { return M_OptionQueries::hasDebugWord("always-first"); },
    });
    return quiet;
}
