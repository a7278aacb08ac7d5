#pragma once
// File names between Qt and the file system. Qt decodes names as UTF-8 and turns bytes
// that are not UTF-8 into U+FFFD, so such a name no longer opens its file; its real bytes
// are found again among the entries of its folder.

#include <QString>

#include <string>

// The bytes of the file that path (from a file dialog or a dropped URL) names; of two
// names that read the same, the first in the folder.
std::string LocalFileName(const QString& path);
