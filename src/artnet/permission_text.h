#pragma once
// The error text when the program may not add its 2.x address: the system's own words, then
// the two ways a user can grant what is missing.

#include <string>

// exePath: the running executable, named in the setcap command.
std::string AddressPermissionText(const std::string& systemText, const std::string& exePath);

// The running executable's path, for the text above.
std::string RunningExecutablePath();
