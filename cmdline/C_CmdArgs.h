// The command line of a run: its arguments, its product and option registry, and the processing
// that reads the configuration file, the personal options file, the command line and via files.
#pragma once

#include "U_Ref.h"

#include <string>
#include <vector>

class C_CmdArgStreamBuffer;
class C_OrphanHandler;
class C_Options;
struct C_Product;

class C_CmdArgs : public U_Ref {
public:
    // Looks the product up (its first 9 characters, "+" read as "P", case ignored). A known product
    // fixes the run encoding and gets an option registry; an unknown one leaves productIndex() -1.
    C_CmdArgs(const std::string& productName, int count, const char* const* arguments);
    C_CmdArgs(const std::string& productName, const std::vector<std::string>& arguments);
    // Copies the arguments, the product, both flags and the registry (a registry of its own).
    C_CmdArgs(const C_CmdArgs& other);
    C_CmdArgs& operator=(const C_CmdArgs&) = delete;
    ~C_CmdArgs() override;

    // Stores a copy of this command line as the process's current one.
    void makeCurrent() const;
    // The current command line (null before the first makeCurrent) and product index (-1 then).
    static U_Handle<C_CmdArgs> current();
    static int currentProductIndex();
    // Forgets the current command line (a new run in the same process, and tests).
    static void clearCurrent();

    // Reads every argument source once: the configuration file's options section, the personal
    // options file, then the command line, each via file where it is named. Options are set;
    // every other argument goes to the handler. Does nothing when already processed.
    void process(C_OrphanHandler& handler);

    C_Options* options() const { return options_.get(); }
    int productIndex() const { return productIndex_; }
    // The product's entry in the product table; null for an unknown product.
    const C_Product* product() const;
    const std::string& productName() const { return productName_; }
    const std::vector<std::string>& arguments() const { return arguments_; }
    bool isParsed() const { return parsed_; }
    bool isProcessed() const { return processed_; }

    // Opens a via file during processing: its arguments are read next. Raises
    // C_InvalidViaException when it is not a readable regular file, or when no processing is going on.
    void openViaFile(const std::string& name);

    // The product index of a name by the lookup rule, or -1.
    static int lookUpProduct(const std::string& productName);

private:
    // The process-wide current product index.
    static int& currentIndexSlot();
    void runArgumentLoop(C_CmdArgStreamBuffer& buffer, C_OrphanHandler& handler);

    std::vector<std::string> arguments_;
    std::string productName_;
    int productIndex_ = -1;
    U_Handle<C_Options> options_;
    bool parsed_ = false;
    bool processed_ = false;
    C_CmdArgStreamBuffer* activeBuffer_ = nullptr; // while processing
};
