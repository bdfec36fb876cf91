// Reading a product's configuration file: the sections fill the configuration variables, and the
// file is handed back positioned at its "options" section.
#pragma once

#include <memory>
#include <string>

class TranslatedInputFile;
struct C_SectionEntry;

// The path of the configuration file: "<binDirectory>/<productLowerName>.cfg".
std::string configurationFilePath(const std::string& binDirectory, const std::string& productLowerName);

// Opens and reads the file up to its "options" header. Returns the open file positioned after that
// header (or at its end when there is none), or null when it cannot be opened (reported on
// standard error; the run goes on).
std::unique_ptr<TranslatedInputFile> readConfiguration(int encoding, const std::string& binDirectory,
                                                       const std::string& productLowerName,
                                                       const C_SectionEntry* sectionTable, bool substitute);
