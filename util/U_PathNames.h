// Free functions on "/"-separated path texts shared by the whole tool: slashes, directory and base
// names, extensions, joining, existence tests, case-insensitive comparisons, canonical full paths and
// the search along a ";"-separated directory list.
//
// Paths are byte strings in the platform's narrow character set. A drive prefix is a letter followed
// by ":" at the start; a root is "/" alone or a drive prefix followed by "/". Nothing here keeps
// state except longPathName, which decides once per process which implementation to use.
#pragma once

#include <cstdint>
#include <string>

// Every "\" replaced by "/".
std::string toForwardSlashes(const std::string& path);
// The process's current directory, with forward slashes.
std::string currentDirectory();

// The part after the last "/"; a single trailing "/" is ignored ("a/b/" gives "b", "/" gives "/").
std::string baseName(const std::string& path);
// The directory part: "a.c" gives ".", "/a.c" gives "/", "C:/a.c" and "C:" give "C:/", "a/b/" gives "a".
std::string dirName(const std::string& path);
// The path without its extension (the last "." after the last "/").
std::string stripExtension(const std::string& path);
// stripExtension(baseName(path)).
std::string baseNameNoExtension(const std::string& path);
// The path with the extension appended, with a "." between unless one is there already:
// "a.c" + "err" and "a.c" + ".err" both give "a.c.err".
std::string addExtension(const std::string& path, const std::string& extension);
// The directory and the name joined by one "/"; an empty, "." or "./" directory gives the name alone,
// an empty name the directory alone.
std::string joinPath(const std::string& directory, const std::string& name);

// The canonical full path (absolute, long names, "/" separators). A path whose directory does not
// exist is returned unchanged.
std::string fullPath(const std::string& path);
// The platform's long-name form of an existing path, written into the buffer with its terminator.
// Returns its length; the size needed (terminator included) when the buffer is too small, leaving
// the buffer alone; 0 on failure.
std::uint32_t longPathName(const char* path, char* buffer, std::uint32_t size);
// The first "directory/name" along the ";"-separated list that is a readable regular file, or "".
std::string findInPathList(const std::string& list, const std::string& name);

// True for "/" and for any three-character text whose second character is ":".
bool isRoot(const std::string& path);
bool containsSlash(const std::string& path);
// True if the path exists (file or directory).
bool fileExists(const std::string& path);
// True if the path can be opened for reading.
bool fileReadable(const std::string& path);
// True if the path is an existing regular file.
bool isRegularFile(const std::string& path);

// Same length and equal once letters are lower-cased (other bytes must be equal).
bool equalsIgnoreCase(const std::string& a, const std::string& b);
// The text is at least as long as the prefix and starts with it, ignoring the case of letters.
bool startsWithIgnoreCase(const std::string& prefix, const std::string& text);
// Negative, 0 or positive. A shorter text is less than a longer one whatever its characters; texts
// of equal length compare byte-wise after lower-casing letters.
int compareIgnoreCase(const std::string& a, const std::string& b);
// compareIgnoreCase(a, b) < 0: a strict weak order usable with std::sort and std::map.
bool lessIgnoreCase(const std::string& a, const std::string& b);
