#include "document_fixture.h"

#include "common/paths.h"

DocumentTest::DocumentTest() : savedExeDir_(ExeDir()) { SetExeDir(dir.Path()); }

DocumentTest::~DocumentTest() { SetExeDir(savedExeDir_); }

void DocumentTest::Fill(int line, std::initializer_list<S> steps)
{
    const int saved = doc.CurrentLine;
    doc.CurrentLine = line;
    for (const S& s : steps)
        doc.AddStep(s.color, s.brightness, s.time, 0, false);
    doc.CurrentLine = saved;
    doc.Modified = false;
}

std::vector<int32_t> DocumentTest::Times(int line) const
{
    std::vector<int32_t> t;
    for (const TStepRec& s : doc.Lines[size_t(line)])
        t.push_back(s.Time);
    return t;
}

std::vector<uint32_t> DocumentTest::Colors(int line) const
{
    std::vector<uint32_t> c;
    for (const TStepRec& s : doc.Lines[size_t(line)])
        c.push_back(s.Color);
    return c;
}

void DocumentTest::Select(int line, std::initializer_list<int> indexes)
{
    for (int i : indexes)
        doc.Lines[size_t(line)][size_t(i)].Selected = 1;
}

Bytes CurrentHeader(const std::u16string& version, const std::u16string& title, const std::u16string& sound,
                    int32_t pre, int32_t post)
{
    Bytes b(5016, 0);
    PutUtf16(b, 0, version);
    PutUtf16(b, 128, title);
    PutUtf16(b, 384, sound);
    PutF64(b, 904, 45000.5);
    for (int i = 0; i < 512; ++i)
        PutI32(b, 912 + 4 * size_t(i), i < 24 ? 23 - i : -1);
    PutI32(b, 2960, pre);
    PutI32(b, 2964, post);
    b[2968] = 0xAB; // reserved bytes are carried along
    return b;
}

Bytes OldHeader(const std::string& version, const std::string& title, const std::string& sound, int32_t pre,
                int32_t post)
{
    Bytes b(4568, 0);
    std::copy(version.begin(), version.end(), b.begin());
    std::copy(title.begin(), title.end(), b.begin() + 64);
    std::copy(sound.begin(), sound.end(), b.begin() + 192);
    PutF64(b, 456, 40000.25);
    for (int i = 0; i < 512; ++i)
        PutI32(b, 464 + 4 * size_t(i), i == 0 ? 5 : -1);
    PutI32(b, 2512, pre);
    PutI32(b, 2516, post);
    return b;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}
