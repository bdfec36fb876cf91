// Fuzz target: the configurator's build batch transformations, the custom message personality and
// the post-analysis command translation, on arbitrary batch files and personalities.
#include "BuildBatches.h"
#include "GenerationContext.h"

#include "ConfFuzzSupport.h"

namespace {

const std::string kEtc = std::string(conftest::FakeInstallation::kZembDir) + "\\Share\\etc";

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
    const conftest::FakeInstallation& fake = conffuzz::installation();

    conf::GenerationContext& ctx = conf::GenerationContext::instance();
    ctx = {};
    ctx.setBatch(text.substr(0, 24), text.substr(0, 12));
    try {
        switch (selector % 4) {
        case 0:
            fake.write(kEtc + "\\msmake.bat", text);
            conf::writeMsBuildBatch((selector & 4) != 0);
            break;
        case 1:
            fake.write(kEtc + "\\Vx6make.bat", text);
            (void)conf::writeVxBuildBatch(text.substr(0, 16), text.substr(0, 20));
            break;
        case 2:
            fake.write("C:\\fuzz\\message.p_s", text);
            conf::writeCustomMessagePersonality("C:\\fuzz\\message.p_s");
            break;
        default: {
            const std::size_t half = text.size() / 2;
            (void)conf::translatePostAnalysisCommand(text.substr(0, half), text.substr(half));
            break;
        }
        }
    } catch (const conffuzz::FatalStop&) {
        // A fatal stop is a reported failure, not a crash.
    }
    return 0;
}
