// Where the digests of rules files are kept between runs: one file per rules file in a directory.
#pragma once

#include "RulesDigest.h"

#include <string>
#include <string_view>
#include <vector>

// The one-process-per-file runs of a build all read the same rules files. Each keeps, in the
// directory set here (the tool's temporary directory), the digest of the rules files it read in
// full, named after the rules file's path and kind; later runs take what they need from it. A
// digest of other bytes, of another build, damaged, missing, unreadable, or one that cannot be
// written changes nothing but the time: the rules file is then read in full, as without a store.
class RulesDigestStore {
public:
    // "" (the start) switches the store off.
    static void setDirectory(const std::string& directory);
    static bool active();
    // Whether digests are taken: active, and stopLoading() not called.
    static bool loading();

    // The digest kept for the rules file at the path; false when there is none to take. Its copy of
    // the rules file's bytes (digest.bytes), which the caller compares with the file, and its group
    // table stay valid until the next load of the kind.
    static bool load(RulesKind kind, const std::string& path, RulesDigest& digest);
    // The bytes of groups of the digest that load() gave last for the kind (given by number), each
    // checked against its checksum; false when one cannot be read whole and unchanged. Groups that
    // stand close together are read with one call. The views stay valid until the next load.
    static bool loadGroups(RulesKind kind, const std::vector<RulesDigestGroup>& groups,
                           std::vector<std::string_view>& data);
    // Keeps the digest, with its groups' bytes, for later runs; a failure is not reported.
    static void save(RulesKind kind, const std::string& path, const std::string& bytes, const RulesDigest& digest,
                     const std::string& groups);
    // No digest is taken any more in this process (one was found not to fit its rules file); what
    // the process reads in full is still saved, replacing it.
    static void stopLoading();

    // The file that holds the digest of the rules file at the path, read as the kind.
    static std::string fileFor(RulesKind kind, const std::string& path);
    // A file of the directory named after the text: the prefix, a hash of the text, the suffix.
    static std::string fileNamedAfter(const std::string& text, const char* prefix, const char* suffix);
};
