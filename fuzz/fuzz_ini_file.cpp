// Any text as the settings file: reading never fails, and what is written reads back.
#include "fuzz_support.h"

#include "settings/ini_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IniFile ini(InputFile(data, size));
    const int32_t n = ini.ReadInteger("General", "Left", 7);
    const std::string s = ini.ReadString("PrjHistory", "File1", "");
    ini.ReadBool("Play", "Repeat", false);
    ini.WriteInteger("General", "Left", n);
    ini.WriteString("PrjHistory", "File1", s);
    const std::string text = ini.Text();
    FILE* f = std::fopen(OutputFile().c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    IniFile reread(OutputFile());
    if (reread.ReadInteger("General", "Left", 7) != n)
        std::abort();
    return 0;
}
