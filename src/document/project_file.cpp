// Reading and writing project files.
#include "document/project_file.h"

#include "common/byte_io.h"
#include "common/messages.h"
#include "common/string_table.h"
#include "common/text_codec.h"
#include "common/version.h"
#include "document/file_bytes.h"
#include "document/project_data.h"

#include <algorithm>

namespace {

// Text of a UTF-16 field of `units` units: up to the first NUL, and never more than
// units - 1, so that it fits again with its terminator.
std::u16string ReadUtf16Field(const uint8_t* p, size_t units)
{
    std::u16string text;
    for (size_t i = 0; i + 1 < units; ++i) {
        char16_t u = GetLe16(p + 2 * i);
        if (u == 0)
            break;
        text += u;
    }
    return text;
}

void WriteUtf16Field(uint8_t* p, size_t units, const std::u16string& text)
{
    std::fill_n(p, 2 * units, uint8_t(0));
    const size_t n = std::min(text.size(), units - 1);
    for (size_t i = 0; i < n; ++i)
        PutLe16(p + 2 * i, text[i]);
}

std::string ReadAnsiField(const uint8_t* p, size_t bytes)
{
    const uint8_t* end = std::find(p, p + bytes, uint8_t(0));
    return std::string(p, end);
}

// Digits of the version text without its dots, first three, as a number; 0 when they
// are not all digits.
int VersionNumber(const std::u16string& version)
{
    std::u16string digits;
    for (char16_t c : version)
        if (c != u'.')
            digits += c;
    digits = digits.substr(0, 3);
    if (digits.empty())
        return 0;
    int n = 0;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9')
            return 0;
        n = n * 10 + (c - u'0');
    }
    return n;
}

struct Header {
    std::u16string version, title, soundFile;
    double soundFileTime = 0;
    std::array<int32_t, DmxSlots> patch{};
    int32_t prePlay = 0, postPlay = 0;
    bool hasReserved = false;
    std::array<uint8_t, ReservedHeaderBytes> reserved{};
};

void ReadPatch(const uint8_t* p, std::array<int32_t, DmxSlots>& patch)
{
    for (int i = 0; i < DmxSlots; ++i)
        patch[size_t(i)] = GetLeI32(p + 4 * i);
}

Header ReadCurrentHeader(const uint8_t* p)
{
    Header h;
    h.version = ReadUtf16Field(p + 0, VersionUnits);
    h.title = ReadUtf16Field(p + 128, TitleUnits);
    h.soundFile = ReadUtf16Field(p + 384, SoundFileUnits);
    h.soundFileTime = GetLeDouble(p + 904);
    ReadPatch(p + 912, h.patch);
    h.prePlay = GetLeI32(p + 2960);
    h.postPlay = GetLeI32(p + 2964);
    h.hasReserved = true;
    std::copy_n(p + 2968, ReservedHeaderBytes, h.reserved.begin());
    return h;
}

Header ReadOldHeader(const uint8_t* p)
{
    Header h;
    h.version = Utf8ToUtf16(ProgramVersion);
    h.title = Cp932ToUtf16(ReadAnsiField(p + 64, 128)).substr(0, TitleUnits - 1);
    h.soundFile = Cp932ToUtf16(ReadAnsiField(p + 192, 260)).substr(0, SoundFileUnits - 1);
    h.soundFileTime = GetLeDouble(p + 456);
    ReadPatch(p + 464, h.patch);
    h.prePlay = GetLeI32(p + 2512);
    h.postPlay = GetLeI32(p + 2516);
    return h;
}

int32_t Negate(int32_t v) { return int32_t(0u - uint32_t(v)); }

} // namespace

int ProjectData::LoadProject(const std::string& path)
{
    ChangeScope scope(*this);
    ClearUndo();
    FileName = path;
    for (int l = 0; l < LineCount; ++l)
        ClearLine(l);
    Modified = false;

    const FileBytes file = ReadWholeFile(path);
    if (file.status == ReadStatus::Missing)
        return 0;
    // The file exists but is no show we can read: forget its name, so that a later save
    // asks for one instead of overwriting the file with an empty show.
    auto fail = [this] {
        FileName.clear();
        return 0;
    };
    const std::vector<uint8_t>& d = file.data;
    if (file.status != ReadStatus::Ok || d.size() < 8)
        return fail();

    std::u16string versionText;
    if (d[1] == 0 && d[0] >= 1 && d[0] <= 126) {
        if (d.size() < 2 * VersionUnits)
            return fail();
        versionText = ReadUtf16Field(d.data(), VersionUnits);
    } else {
        if (d.size() < 64)
            return fail();
        versionText = Cp932ToUtf16(ReadAnsiField(d.data(), 64));
    }

    Header h;
    size_t offset;
    if (VersionNumber(versionText) >= FirstUtf16Version) {
        if (d.size() < ProjectHeaderSize)
            return fail();
        h = ReadCurrentHeader(d.data());
        offset = ProjectHeaderSize;
    } else {
        if (!ConfirmYesNo(Msg::ConvertOldProject))
            return fail();
        if (d.size() < OldProjectHeaderSize)
            return fail();
        h = ReadOldHeader(d.data());
        offset = OldProjectHeaderSize;
    }

    std::array<TStepList, LineCount> lines;
    const size_t records = (d.size() - offset) / StepRecSize;
    std::array<size_t, LineCount> perLine{};
    for (size_t r = 0; r < records; ++r) {
        int32_t line = GetLeI32(d.data() + offset + r * StepRecSize);
        if (IsValidLine(line))
            ++perLine[size_t(line)];
    }
    for (int l = 0; l < LineCount; ++l)
        lines[size_t(l)].reserve(perLine[size_t(l)]);
    int result = 1;
    for (size_t r = 0; r < records; ++r) {
        TStepRec s = DecodeStep(d.data() + offset + r * StepRecSize);
        if (!IsValidLine(s.Line))
            continue;
        lines[size_t(s.Line)].push_back(s);
        ++result;
    }
    // Durations are taken as stored; only the order is restored.
    auto byTime = [](const TStepRec& x, const TStepRec& y) { return x.Time < y.Time; };
    for (TStepList& line : lines)
        if (!std::is_sorted(line.begin(), line.end(), byTime))
            std::stable_sort(line.begin(), line.end(), byTime);

    Version = std::move(h.version);
    Title = std::move(h.title);
    SoundFile = std::move(h.soundFile);
    SoundFileTime = h.soundFileTime;
    Patch = h.patch;
    PrePlayTime = h.prePlay;
    PostPlayTime = h.postPlay;
    if (h.hasReserved)
        Reserved = h.reserved;
    for (int i = 0; i < DmxSlots; ++i)
        globals_.DmxPatch[size_t(i)] = Patch[size_t(i)];
    globals_.PrePlayTime = PrePlayTime;
    globals_.PostPlayTime = PostPlayTime;
    globals_.PlayPosition = Negate(PrePlayTime);
    pending_.Header = true;
    for (int l = 0; l < LineCount; ++l) {
        const TStepList& line = lines[size_t(l)];
        if (!line.empty())
            pending_.Lines |= LineBit(l);
        pending_.Selection = pending_.Selection || std::any_of(line.begin(), line.end(), [](const TStepRec& s) {
                                 return s.Selected != 0;
                             });
    }
    {
        auto lock = WriteLock();
        Lines.swap(lines);
    }
    Modified = false;
    return result;
}

std::vector<uint8_t> ProjectData::ProjectBytes() const
{
    std::vector<uint8_t> bytes(ProjectHeaderSize + StepRecSize * size_t(TotalStepCount()));
    uint8_t* p = bytes.data();
    WriteUtf16Field(p + 0, VersionUnits, Version);
    WriteUtf16Field(p + 128, TitleUnits, Title);
    WriteUtf16Field(p + 384, SoundFileUnits, SoundFile);
    PutLeDouble(p + 904, SoundFileTime);
    // The live patch and times, which the header fields take at a save.
    for (int i = 0; i < DmxSlots; ++i)
        PutLeI32(p + 912 + 4 * i, globals_.DmxPatch[size_t(i)]);
    PutLeI32(p + 2960, globals_.PrePlayTime);
    PutLeI32(p + 2964, globals_.PostPlayTime);
    std::copy(Reserved.begin(), Reserved.end(), p + 2968);
    p += ProjectHeaderSize;
    for (const TStepList& line : Lines)
        for (const TStepRec& s : line) {
            EncodeStep(s, p);
            p += StepRecSize;
        }
    return bytes;
}

WriteResult ProjectData::SaveProject(bool keepUndo)
{
    ChangeScope scope(*this);
    if (!keepUndo)
        ClearUndo();
    for (int i = 0; i < DmxSlots; ++i)
        Patch[size_t(i)] = globals_.DmxPatch[size_t(i)];
    PrePlayTime = globals_.PrePlayTime;
    PostPlayTime = globals_.PostPlayTime;
    SetSelection(0, true);

    WriteResult written = WriteFileAtomically(FileName, ProjectBytes());
    if (written)
        Modified = false;
    return written;
}
