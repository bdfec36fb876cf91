// Fuzz target: configuration files of every product layout (sections, text, integer and array
// variables, escapes) and the options section handed on to the tokeniser, on arbitrary contents.
#include "C_Configuration.h"
#include "C_ConfigurationSections.h"
#include "C_FileSource.h"
#include "QL_Encoding.h"
#include "QL_TranslatedInputFile.h"

#include "FuzzSupport.h"

#include <exception>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::setUpProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text = fuzzsupport::bytesOf(data, size);
    const unsigned selector = fuzzsupport::takeSelector(text);

    struct Layout {
        const char* name;
        const C_SectionEntry* table;
    };
    const Layout layouts[] = {{"velcpp", velcppSections()}, {"velc", velcSections()},
                              {"veld", veldSections()}, {"velj", veljSections()}};
    const Layout& layout = layouts[selector % 4];
    const int encoding = (selector & 4) ? QL_Encoding::SJ : QL_Encoding::Plain;
    const bool substitute = (selector & 8) != 0;

    const std::string dir = fuzzsupport::scratch().path();
    testsupport::writeBytes(dir + "/" + layout.name + ".cfg", text);
    resetConfigurationVariables();
    try {
        std::unique_ptr<TranslatedInputFile> file =
            readConfiguration(encoding, dir, layout.name, layout.table, substitute);
        if (file) {
            const U_Handle<C_FileSource> source(new C_FileSource(std::move(file), encoding));
            for (std::size_t n = 0; n <= text.size() + 1; ++n) {
                if (source->nextArgument(substitute).empty())
                    break;
            }
        }
    } catch (const std::exception&) {
        // Reported configuration errors.
    }
    return 0;
}
