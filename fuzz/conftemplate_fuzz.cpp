// Fuzz target: the configurator's template generators and placeholder replacement on arbitrary
// templates, inside a fake installation; a fatal stop unwinds instead of ending the process.
#include "GenerationContext.h"
#include "Generators.h"
#include "TextFiles.h"

#include "ConfFuzzSupport.h"

namespace {

const std::string kIntegration = conftest::FakeInstallation::kIntegrationDir;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    conffuzz::setUpProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text = fuzzsupport::bytesOf(data, size);
    const unsigned selector = fuzzsupport::takeSelector(text);

    // replaceAll on the input split in three: target, search text and replacement.
    {
        const std::size_t a = text.size() / 3;
        std::string target = text;
        conf::replaceAll(target, text.substr(a, selector % 8), text.substr(0, a));
        (void)conf::backslashForm(target);
        (void)conf::forwardForm(target);
    }

    conf::GenerationContext& ctx = conf::GenerationContext::instance();
    ctx = {};
    ctx.setWrapper(text.substr(0, 40), (selector & 1) ? "vxworks" : "msvc", (selector & 2) ? "diab" : "msvc");
    ctx.wrapperAnalyser = (selector & 4) ? text.substr(0, 20) : "None";

    const conftest::FakeInstallation& fake = conffuzz::installation();
    try {
        switch (selector % 6) {
        case 0:
            fake.write(kIntegration + "\\suppresszembrel\\suppresszembrel.p_s-template", text);
            conf::writeSuppressPersonality();
            break;
        case 1:
            fake.write(kIntegration + "\\wrapper\\wrapper.cfg-template", text);
            conf::writeWrapperConfig();
            break;
        case 2:
            fake.write(kIntegration + "\\msvc\\zembrel-msvc.p_a-template", text);
            conf::writeMsvcAnalyserPersonality();
            break;
        case 3:
            fake.write(kIntegration + "\\msvc\\cl.bat-template", text);
            conf::writeClBat(text.substr(0, 30));
            break;
        case 4:
            fake.write(kIntegration + "\\vxworks\\zembrel-vxworks.p_a-template", text);
            conf::writeVxAnalyserPersonality(text.substr(0, 30));
            break;
        default:
            fake.write("C:\\fuzz\\personality.p_c", text);
            (void)conf::detectVxCompiler("C:\\fuzz\\personality.p_c");
            break;
        }
    } catch (const conffuzz::FatalStop&) {
        // A fatal stop (a path the fuzzer made unusable) is a reported failure, not a crash.
    }
    return 0;
}
