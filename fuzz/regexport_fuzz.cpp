// Fuzz target: the registry export reader must parse or refuse any bytes, then answer lookups.
#include "RegExportFile.h"

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::setUpProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes = fuzzsupport::bytesOf(data, size);
    platform::RegExport registry;
    std::string error;
    if (!registry.parse(bytes, "fuzz.reg", error))
        return 0;
    // The lookups the configurator makes, plus a walk of the whole tree.
    for (const char* path : {"HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\ZembrelIntegration",
                             "HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\VEL C++ Source Code Analyser", "", "\\",
                             "HKEY_LOCAL_MACHINE\\\\x"}) {
        std::size_t node = 0;
        if (registry.find(path, node))
            (void)registry.node(node).values.size();
    }
    std::size_t total = 0;
    std::vector<std::size_t> pending{0};
    while (!pending.empty() && total < 100000) {
        const platform::RegExportNode& node = registry.node(pending.back());
        pending.pop_back();
        for (const platform::RegExportValue& value : node.values)
            total += value.data.size() + value.name.size();
        for (std::size_t child : node.children)
            pending.push_back(child);
        ++total;
    }
    return 0;
}
