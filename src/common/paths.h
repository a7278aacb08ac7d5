#pragma once
// Paths relative to the executable's folder, extension matching and dropped files.

#include <string>
#include <vector>

// The executable's folder with a trailing '/'. Found from /proc/self/exe unless set.
const std::string& ExeDir();
// Replaces the executable's folder (tests give each case a folder of its own).
void SetExeDir(std::string dir);

// Stored paths from Windows shows use backslashes; here they are read as '/'.
std::string NativeSeparators(std::string path);

// Whether a regular file (not a folder or a device) is at path.
bool IsFile(const std::string& path);

// Changes path in place: a relative path gets ExeDir put in front. False for an empty
// path; otherwise whether a file (not a folder) exists at the result.
bool ResolvePath(std::string& path);

// 1-based position of sub in text, ignoring ASCII letter case; 0 when absent or sub is empty.
size_t PosNoCase(const std::string& sub, const std::string& text);

// The part of text before the first separator, or the whole text.
std::string TextBefore(const std::string& text, const std::string& separator);

// Whether ext (".wav" or "wav") is one of list (".WAV.MP3"), without regard to letter
// case. "*" and ".*" match everything; an empty ext or list matches nothing.
bool MatchExt(const std::string& ext, const std::string& list);

// Adds the dropped files whose extension is one of exts (".WAV;.MP3;.PRJ") to list.
// A dropped folder is searched with all its subfolders. A path already in list is not
// added again.
void GetDroppedFiles(const std::vector<std::string>& dropped, std::vector<std::string>& list,
                     const std::string& exts);

// The user's folder that the environment variable names when it holds an absolute path (the
// XDG base folders), else underHome in $HOME (/tmp without a home).
std::string UserFolder(const char* variable, const char* underHome);

// A command-line file argument made absolute against the current folder, so that the
// core (which resolves relative paths against ExeDir) sees what the user meant.
std::string AbsoluteFromCwd(const std::string& path);
