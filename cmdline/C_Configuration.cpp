// The configuration-file reader.
#include "C_Configuration.h"

#include "C_ConfigurationSections.h"
#include "C_LineReading.h"
#include "C_Messages.h"
#include "QL_TranslatedInputFile.h"
#include "U_PathNames.h"

#include <cctype>
#include <cstdio>

namespace {

std::string withoutNewline(const std::string& line)
{
    return line.substr(0, line.find('\n'));
}

bool isHeader(const C_SectionEntry& entry)
{
    return entry.type == C_SectionEntry::Header || entry.type == C_SectionEntry::Options;
}

// The header entry whose name starts the word (case ignored), or -1.
int findSection(const C_SectionEntry* table, const std::string& word)
{
    for (int i = 0; table[i].type != C_SectionEntry::End; ++i)
        if (isHeader(table[i]) && startsWithIgnoreCase(table[i].name, word))
            return i;
    return -1;
}

// Stores one data line into the current variable and moves on as the variable's kind says.
class SectionFiller {
public:
    SectionFiller(const C_SectionEntry* table, bool substitute) : table_(table), substitute_(substitute) {}

    void startSection(int headerIndex)
    {
        current_ = headerIndex + 1;
        item_ = 0;
    }
    void ignoreSection() { current_ = -1; }

    void dataLine(const std::string& line)
    {
        if (current_ < 0)
            return;
        const C_SectionEntry& entry = table_[current_];
        switch (entry.type) {
        case C_SectionEntry::Text:
            *entry.texts = rewriteLine(line, substitute_, true);
            ++current_;
            break;
        case C_SectionEntry::Integer:
            scanInteger(line, *entry.integers);
            ++current_;
            break;
        case C_SectionEntry::TextArray:
            (entry.list ? (*entry.list)[item_] : entry.texts[item_]) = rewriteLine(line, substitute_, true);
            nextItem(entry);
            break;
        case C_SectionEntry::IntegerArray:
            scanInteger(line, entry.integers[item_]);
            nextItem(entry);
            break;
        default:
            std::printf(cmdmsg::kUnexpectedData, withoutNewline(line).c_str());
            std::fflush(stdout);
            break;
        }
    }

private:
    static void scanInteger(const std::string& line, std::int32_t& target)
    {
        int value = 0;
        if (std::sscanf(line.c_str(), "%d", &value) == 1)
            target = value;
    }

    void nextItem(const C_SectionEntry& entry)
    {
        if (++item_ >= entry.count) {
            item_ = 0;
            ++current_;
        }
    }

    const C_SectionEntry* table_;
    bool substitute_;
    int current_ = 0;
    int item_ = 0;
};

} // namespace

std::string configurationFilePath(const std::string& binDirectory, const std::string& productLowerName)
{
    return joinPath(toForwardSlashes(binDirectory), addExtension(productLowerName, ".cfg"));
}

std::unique_ptr<TranslatedInputFile> readConfiguration(int encoding, const std::string& binDirectory,
                                                       const std::string& productLowerName,
                                                       const C_SectionEntry* sectionTable, bool substitute)
{
    const std::string path = configurationFilePath(binDirectory, productLowerName);
    auto file = std::make_unique<TranslatedInputFile>(encoding);
    if (!isRegularFile(path) || !file->open(path)) {
        std::fprintf(stderr, cmdmsg::kNoConfigurationFile, path.c_str());
        std::fflush(stderr);
        return nullptr;
    }

    SectionFiller filler(sectionTable, substitute);
    std::string line;
    while (readJoinedLine(file->handle(), line)) {
        if (!line.empty() && line[0] == '*')
            continue;
        if (line.empty() || line[0] != '#') {
            filler.dataLine(line);
            continue;
        }
        std::size_t end = 1;
        while (end < line.size() && std::isalnum(static_cast<unsigned char>(line[end])))
            ++end;
        const std::string word = line.substr(1, end - 1);
        const int section = findSection(sectionTable, word);
        if (section < 0) {
            std::printf(cmdmsg::kUnknownSection, ("#" + word).c_str());
            std::fflush(stdout);
            filler.ignoreSection();
            continue;
        }
        if (sectionTable[section].type == C_SectionEntry::Options)
            return file;
        filler.startSection(section);
    }
    return file;
}
