// Text and file primitives shared by every generator; paths are Windows paths.
#pragma once

#include <functional>
#include <string>

namespace conf {

// A file the configurator wrote. For a batch file that names characters its code page cannot hold,
// `lostLine` is the first line that holds them (written with "?" in their place).
struct WrittenFile {
    std::string path;
    std::string lostLine;
};
using WrittenFileObserver = std::function<void(const WrittenFile& file)>;

// Installs the observer told of every file written (an unattended run lists them). Answers the
// previous one.
WrittenFileObserver setWrittenFileObserver(WrittenFileObserver observer);
// Tells the observer of a file written.
void noteWrittenFile(const WrittenFile& file);

// Replaces every occurrence of `search` in `target`, left to right; inserted text is not searched again.
// Nothing happens when `target` or `search` is empty.
void replaceAll(std::string& target, const std::string& search, const std::string& replacement);

// The text with the letters A to Z lower-cased (other bytes unchanged).
std::string lowerCase(std::string text);
// The text without white space (blank, tab, line ends, vertical tab, form feed) at either end.
std::string trimmed(const std::string& text);

// The text with every "/" turned into "\\".
std::string backslashForm(std::string text);
// The text with every "\\" turned into "/".
std::string forwardForm(std::string text);

// The whole file in text mode (CR LF read as LF); shows "Cannot open file " + path and ends with 10
// when it cannot be opened.
std::string readTemplate(const std::string& path);

// Creates the parent directory of `path` with its ancestors unless it is a drive root;
// shows "Cannot create dir " + directory and ends with 10 on failure.
void ensureParentDir(const std::string& path);

// Replaces the file at `path` with `text` in text mode (LF written as CR LF), creating its directory.
// Ends with 10 after "Failed to overwrite file ..." or "Cannot open file ..." on failure.
void writeGeneratedFile(const std::string& text, const std::string& path);

// Deletes an existing file (ending with 10 after "Failed to overwrite file ..." when it cannot be
// deleted), then writes `text` in text mode (ending with 10 after "Cannot open file ..." on failure).
// Does not create directories.
void replaceTextFile(const std::string& text, const std::string& path);

// Batch files are read by cmd.exe in the console's code page, not in UTF-8 (platform::batchFileCodePage).

// The path as a batch file can name it: the path itself when the batch file's code page holds all
// of its characters, else its short (8.3) form when that exists and the code page holds it (a
// volume without short names has none), else the path itself, which replaceBatchFile then reports.
std::string batchPath(const std::string& path);

// The bytes of a batch file (Zembrel's own, a template of one) as UTF-8 text.
std::string batchFileText(const std::string& bytes);

// replaceTextFile for a batch file: the UTF-8 text is written in the batch file's code page. When a
// character has no representation there, it is written as "?" after a warning that names the file.
void replaceBatchFile(const std::string& text, const std::string& path);

// writeGeneratedFile for a batch file, as replaceBatchFile writes it.
void writeGeneratedBatchFile(const std::string& text, const std::string& path);

} // namespace conf
