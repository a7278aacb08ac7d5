#pragma once
// The program's own data files (the manual, the icon, the translations): where an installed program finds them
// (under share/ beside the bin/ folder of the executable), else in the tree it was built from.

#include <string>

// The manual's start page in language ("ja" or "en"); empty when neither place has it.
std::string ManualPath(const std::string& language);
// The window program's compiled translation into language ("en"); empty when neither place
// has it.
std::string TranslationPath(const std::string& language);
// The program's icon as a 256-pixel PNG; empty when neither place has it.
std::string IconPath();

// The demo show's project file, its sound beside it; empty when neither place has it.
std::string DemoShowPath();

// The first of candidates that is a regular file, or empty. exeDir ends with '/'.
std::string FirstExistingFile(const std::string& exeDir, const std::string& installed, const std::string& buildTree);
