#pragma once
// A folder of this process's own under the system's temporary folder, removed with
// everything in it when the object goes. Two processes never share one, and nothing is
// written beside the installed program.

#include <string>

class PrivateTempFolder {
public:
    PrivateTempFolder();
    ~PrivateTempFolder();
    PrivateTempFolder(const PrivateTempFolder&) = delete;
    PrivateTempFolder& operator=(const PrivateTempFolder&) = delete;

    // False when the folder could not be made.
    bool Ok() const { return !path_.empty(); }
    // name inside the folder.
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};
