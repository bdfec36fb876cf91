// Placeholder replacement, template reading and generated-file writing in Windows text mode.
#include "TextFiles.h"

#include "ConfMessages.h"
#include "MessageSink.h"

#include "CodePage.h"
#include "ShortPath.h"
#include "TextLines.h"
#include "WindowsPathMap.h"

#include <utility>

namespace conf {

namespace {

// Windows text mode on output: every LF is written as CR LF.
std::string toCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

} // namespace

void replaceAll(std::string& target, const std::string& search, const std::string& replacement)
{
    if (target.empty() || search.empty())
        return;
    std::size_t pos = 0;
    while ((pos = target.find(search, pos)) != std::string::npos) {
        target.replace(pos, search.size(), replacement);
        pos += replacement.size();
    }
}

std::string lowerCase(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string trimmed(const std::string& text)
{
    const auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    };
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isSpace(text[b]))
        ++b;
    while (e > b && isSpace(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

std::string backslashForm(std::string text)
{
    for (char& c : text) {
        if (c == '/')
            c = '\\';
    }
    return text;
}

std::string forwardForm(std::string text)
{
    for (char& c : text) {
        if (c == '\\')
            c = '/';
    }
    return text;
}

std::string readTemplate(const std::string& path)
{
    std::string bytes;
    if (!platform::readWindowsFile(path, bytes)) {
        showWarning(msg::kCannotOpenFile + path);
        endWithStatus(10);
    }
    replaceAll(bytes, "\r\n", "\n");
    return bytes;
}

void ensureParentDir(const std::string& path)
{
    const std::string copy = backslashForm(path);
    const std::size_t p = copy.rfind('\\');
    if (p == std::string::npos || p < 1)
        return;
    const std::size_t colon = copy.find(':');
    if (colon != std::string::npos && colon == p - 1)
        return;
    const std::string dir = copy.substr(0, p);
    if (!platform::makeWindowsDirectories(dir)) {
        showWarning(msg::kCannotCreateDir + dir);
        endWithStatus(10);
    }
}

namespace {

WrittenFileObserver& writtenFileObserver()
{
    static WrittenFileObserver observer;
    return observer;
}

// The first line of the UTF-8 text that the code page cannot hold, without its line end.
std::string firstLineLost(const std::string& text, unsigned codePage)
{
    std::string lost;
    platform::forEachTextLine(text, [&](const std::string& line) {
        std::string bytes;
        if (lost.empty() && !platform::utf8ToCodePage(line, codePage, bytes))
            lost = trimmed(line);
    });
    return lost;
}

// Deletes an existing file, ending with 10 when that fails, then writes the bytes with CR LF line ends.
void replaceWithCrLf(const std::string& bytes, const std::string& path, const std::string& lostLine = std::string())
{
    if (platform::windowsPathExists(path) && !platform::removeWindowsFile(path)) {
        showWarning(msg::kFailedToOverwrite + path + msg::kAbortingSuffix);
        endWithStatus(10);
    }
    if (!platform::writeWindowsFile(path, toCrLf(bytes))) {
        showWarning(msg::kCannotOpenFile + path);
        endWithStatus(10);
    }
    noteWrittenFile({path, lostLine});
}

} // namespace

WrittenFileObserver setWrittenFileObserver(WrittenFileObserver observer)
{
    return std::exchange(writtenFileObserver(), std::move(observer));
}

void noteWrittenFile(const WrittenFile& file)
{
    if (writtenFileObserver())
        writtenFileObserver()(file);
}

void replaceTextFile(const std::string& text, const std::string& path)
{
    replaceWithCrLf(text, path);
}

std::string batchPath(const std::string& path)
{
    const unsigned codePage = platform::batchFileCodePage();
    std::string bytes;
    if (platform::utf8ToCodePage(path, codePage, bytes))
        return path;
    std::string shortForm;
    if (platform::shortPathName(path, shortForm) && platform::utf8ToCodePage(shortForm, codePage, bytes))
        return shortForm;
    return path;
}

std::string batchFileText(const std::string& bytes)
{
    return platform::codePageToUtf8(bytes, platform::batchFileCodePage());
}

void replaceBatchFile(const std::string& text, const std::string& path)
{
    const unsigned codePage = platform::batchFileCodePage();
    std::string bytes;
    std::string lostLine;
    if (!platform::utf8ToCodePage(text, codePage, bytes)) {
        showWarning(msg::kBatchFile + path + msg::kCodePageLacks + std::to_string(codePage)
                    + msg::kWrittenAsQuestionMarks);
        lostLine = firstLineLost(text, codePage);
    }
    replaceWithCrLf(bytes, path, lostLine);
}

void writeGeneratedBatchFile(const std::string& text, const std::string& path)
{
    ensureParentDir(path);
    replaceBatchFile(text, path);
}

void writeGeneratedFile(const std::string& text, const std::string& path)
{
    ensureParentDir(path);
    replaceTextFile(text, path);
}

} // namespace conf
