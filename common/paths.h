// File names with Windows semantics on a Linux file system.
//
// The programs keep writing names such as "sound\\5.mp3", "images/Card/x.jpg" or
// "c:/KX_log.txt". NativePath() turns such a name into the path to use with POSIX calls:
//  - '\\' and '/' are both separators;
//  - a drive letter ("c:") maps to the file system root;
//  - when a component does not exist with its exact case, an existing case-insensitive
//    twin is used instead (so a write to a twin goes to the twin).
#pragma once

#include <string>
#include <string_view>

namespace lmn {

// The running program's folder, with forward slashes and a trailing '/'.
std::string ProgramDirectory();

// A name containing ':' or starting with '/' or '\\' is returned unchanged; any other name is
// appended to dir (which ends with a separator).
std::string FullPath(std::string_view dir, std::string_view name);

// Maps a Windows-style name to the native path (see above).
std::string NativePath(std::string_view name);

bool PathExists(std::string_view name);
bool IsDirectory(std::string_view name);

// Game client copy: creates missing folders in front of the first piece that contains a '.'
// (the rest is taken to be a file name). A path without any separator is left alone.
void EnsureDirectoriesClient(std::string_view path);
// Updater copy: creates every missing folder of a file path (the last piece is the file name).
void EnsureDirectoriesUpdater(std::string_view path);
// Card maker copy: creates every folder along the path (the path names a folder).
void EnsureDirectoriesMaker(std::string_view path);

// Clears the read-only bits and deletes the file; a missing file is no error.
void ForceDeleteFile(std::string_view path);

// Reads a whole file; false when it cannot be opened.
bool ReadFile(std::string_view path, std::string& out);
// Writes a whole file atomically (temporary file in the same folder + rename): the target
// is either the old file or the complete new one, never partial.
bool WriteFileAtomic(std::string_view path, std::string_view data);
// Copies src over dst atomically; false when either side fails.
bool CopyFileAtomic(std::string_view src, std::string_view dst);
// Renames, resolving both names; false on failure.
bool RenameFile(std::string_view from, std::string_view to);

// Gives ".exe" program files their execute bits.
void MakeExecutable(std::string_view path);

}  // namespace lmn
