#pragma once
// The program's own data files (the manual, the icon): where an installed program finds them
// (under share/ beside the bin/ folder of the executable), else in the tree it was built from.

#include <string>

// The manual's start page; empty when neither place has it.
std::string ManualPath();
// The program's icon as a 256-pixel PNG; empty when neither place has it.
std::string IconPath();

// The first of candidates that is a regular file, or empty. exeDir ends with '/'.
std::string FirstExistingFile(const std::string& exeDir, const char* installed, const std::string& buildTree);
