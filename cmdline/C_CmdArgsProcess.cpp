// Processing a command line: stacking the argument sources and walking the arguments.
#include "C_CmdArgs.h"

#include "C_AliasTable.h"
#include "C_ArgvSource.h"
#include "C_CmdArgStreamBuffer.h"
#include "C_Configuration.h"
#include "C_Environment.h"
#include "C_FileSource.h"
#include "C_InvalidArgException.h"
#include "C_InvalidViaException.h"
#include "C_Options.h"
#include "C_OrphanHandler.h"
#include "C_Products.h"
#include "C_ValueExpectedException.h"
#include "QL_Convert.h"
#include "QL_Language.h"
#include "QL_TranslatedInputFile.h"
#include "U_PathNames.h"
#include "U_StandardStreams.h"

#include <ostream>
#include <sstream>

namespace {

// Sets a slot for the argument loop and restores its previous value.
template <class T>
class ActiveScope {
public:
    ActiveScope(T& slot, T value) : slot_(slot), saved_(slot) { slot_ = value; }
    ~ActiveScope() { slot_ = saved_; }

private:
    T& slot_;
    T saved_;
};

void report(const std::exception& error)
{
    standardError() << error.what() << std::flush;
}

} // namespace

void C_CmdArgs::process(C_OrphanHandler& handler)
{
    if (processed_)
        return;
    const C_Product* found = product();
    if (!found)
        throw C_ConfigurationException("ERROR: Invalid product name specified.\n");
    // Processing happens once, also when it ends in an error.
    processed_ = true;

    TranslatedInputFile::setTemporaryDirectory(temporaryDirectory(*this));
    const int encoding = runEncoding();
    std::unique_ptr<TranslatedInputFile> configuration =
        readConfiguration(encoding, binDirectory(*this), found->lowerName, found->sectionTable, true);

    C_ArgsSourceStack stack(true);
    stack.push(U_Handle<C_ArgsSource>(new C_ArgvSource(arguments_)));
    stack.push(U_Handle<C_ArgsSource>(new C_FileSource(personalOptionsFile(*this), encoding)));
    if (configuration)
        stack.push(U_Handle<C_ArgsSource>(new C_FileSource(std::move(configuration), encoding)));

    C_CmdArgStreamBuffer buffer(stack, encoding);
    const ActiveScope<int> productScope(currentIndexSlot(), productIndex_);
    const ActiveScope<C_CmdArgStreamBuffer*> active(activeBuffer_, &buffer);
    runArgumentLoop(buffer, handler);
    parsed_ = true;
}

void C_CmdArgs::runArgumentLoop(C_CmdArgStreamBuffer& buffer, C_OrphanHandler& handler)
{
    std::istream in(&buffer);
    std::string argument;
    while (std::getline(in, argument)) {
        if (argument.empty() || argument[0] != '-') {
            handler.take(*this, argument);
            continue;
        }
        const C_OptionMatch match = findOption(*options_, argument.substr(1));
        if (!match) {
            const C_InvalidArgException error(argument);
            if (options_->errorinvalidcfgarg().value())
                throw error;
            report(error);
            continue;
        }
        try {
            const std::string rest = argument.substr(1 + match.length);
            if (rest.empty()) {
                match.option->setFrom(in, false);
            } else if (match.option->name() == "via") {
                openViaFile(rest); // the attached name is taken whole, "=" included
            } else {
                std::istringstream attached(rest);
                match.option->setFrom(attached, true);
            }
        } catch (const C_InvalidArgValueException& error) {
            if (options_->errorinvalidcfgvalue().value())
                throw;
            report(error);
        } catch (const C_ValueExpectedException& error) {
            if (options_->errorinvalidcfgvalue().value())
                throw;
            report(error);
        }
    }
}

void C_CmdArgs::openViaFile(const std::string& name)
{
    const std::string path = toForwardSlashes(toInternal(name, runEncoding()));
    if (!activeBuffer_ || !isRegularFile(path) || !fileReadable(path))
        throw C_InvalidViaException(toOutput(path, runEncoding()));
    activeBuffer_->pushFile(path);
}
