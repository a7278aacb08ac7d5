#pragma once
// lumenrill-cli speaks English: the core's texts (written in Japanese) are looked up in the
// English of the window program's translation file, made into a table when the program is
// built. A text the table does not know stays as written.

#include <cstddef>
#include <string>

struct CoreEnglishText {
    const char* Source;
    const char* English;
};
// Sorted by the source's bytes.
extern const CoreEnglishText CoreEnglishTable[];
extern const size_t CoreEnglishCount;

// The English of a core text (the context is the core's own, "Core").
std::string EnglishCoreText(const char* context, const char* text);
