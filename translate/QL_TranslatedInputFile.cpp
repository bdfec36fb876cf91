// Input files read in the internal encoding, through a temporary EUC copy where they need converting.
#include "QL_TranslatedInputFile.h"

#include "P_FileSystem.h"
#include "P_Process.h"
#include "QL_Convert.h"
#include "QL_Destination.h"
#include "QL_Encoding.h"
#include "QL_Source.h"
#include "QL_TranslateException.h"

namespace {

std::string& temporaryDirectorySetting()
{
    static std::string directory;
    return directory;
}

} // namespace

TranslatedInputFile::TranslatedInputFile(int encoding) : encoding_(encoding) {}

TranslatedInputFile::~TranslatedInputFile()
{
    close();
}

void TranslatedInputFile::setTemporaryDirectory(const std::string& directory)
{
    temporaryDirectorySetting() = directory;
}

const std::string& TranslatedInputFile::temporaryDirectory()
{
    return temporaryDirectorySetting();
}

bool TranslatedInputFile::open(const std::string& path, bool binary)
{
    close();
    const char* mode = binary ? "rb" : "r";
    if (encoding_ == QL_Encoding::Invalid)
        throw QL_InvalidEncodingException();
    if (encoding_ == QL_Encoding::Plain || encoding_ == QL_Encoding::EUC) {
        file_ = std::fopen(path.c_str(), mode);
        return file_ != nullptr;
    }

    FileSource source;
    if (!source.open(path))
        return false;
    // Only Shift_JIS and 7-bit JIS files can be turned into EUC; checked before the copy is made so
    // that a refused file leaves nothing behind.
    if (encoding_ != QL_Encoding::SJ && !QL_Encoding::isSevenBitJis(encoding_))
        throw QL_InvalidEncodingException();

    const std::string name = platform::temporaryFileName(
        temporaryDirectorySetting(), "nxl" + std::to_string(platform::processId()));
    FileDestination copy;
    if (name.empty() || !copy.open(name))
        throw QL_TranslateFileOpenException(name);
    convertStream(source, copy, encoding_, QL_Encoding::EUC);
    source.close();
    copy.close();

    temporaryPath_ = name;
    deleteOnClose_ = true;
    file_ = std::fopen(name.c_str(), mode);
    if (!file_)
        close();
    return file_ != nullptr;
}

void TranslatedInputFile::close()
{
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
    if (deleteOnClose_)
        platform::fs::removeFile(temporaryPath_);
    deleteOnClose_ = false;
    temporaryPath_.clear();
}
