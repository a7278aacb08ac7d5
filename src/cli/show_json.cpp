#include "cli/show_json.h"

#include "common/text_codec.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

struct Invalid {
    std::string message;
};

[[noreturn]] void Refuse(const std::string& where, const std::string& what)
{
    throw Invalid{(where.empty() ? std::string("/") : where) + ": " + what};
}

int32_t Int32At(const OrderedJson& v, const std::string& where)
{
    if (!v.is_number_integer())
        Refuse(where, "expected an integer");
    if (v.is_number_unsigned()) {
        if (v.get<uint64_t>() > uint64_t(std::numeric_limits<int32_t>::max()))
            Refuse(where, "number outside 32 bits");
        return int32_t(v.get<uint64_t>());
    }
    const int64_t n = v.get<int64_t>();
    if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
        Refuse(where, "number outside 32 bits");
    return int32_t(n);
}

std::u16string TextAt(const OrderedJson& v, const std::string& where, size_t maxUnits)
{
    if (!v.is_string())
        Refuse(where, "expected a string");
    std::u16string text = Utf8ToUtf16(v.get<std::string>());
    if (text.size() > maxUnits)
        Refuse(where, "longer than " + std::to_string(maxUnits) + " UTF-16 units");
    return text;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

uint32_t ColorAt(const OrderedJson& v, const std::string& where)
{
    if (v.is_null())
        return NoColor;
    const std::string text = v.is_string() ? v.get<std::string>() : std::string();
    bool ok = text.size() == 7 && text[0] == '#';
    uint32_t rgb = 0;
    for (size_t i = 1; ok && i < 7; ++i) {
        int d = HexDigit(text[i]);
        ok = d >= 0;
        rgb = rgb << 4 | uint32_t(d);
    }
    if (!ok)
        Refuse(where, "expected \"#RRGGBB\" or null");
    return PackColor(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

const OrderedJson* Find(const OrderedJson& object, const char* key)
{
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

TStepRec StepAt(const OrderedJson& v, int line, const std::string& where)
{
    if (!v.is_object())
        Refuse(where, "expected a step object");
    TStepRec s;
    s.Line = line;
    const OrderedJson* time = Find(v, "time");
    if (!time)
        Refuse(where, "step without \"time\"");
    s.Time = Int32At(*time, where + "/time");
    if (const OrderedJson* d = Find(v, "duration"))
        s.Duration = Int32At(*d, where + "/duration");
    const OrderedJson* color = Find(v, "color");
    if (!color)
        Refuse(where, "step without \"color\"");
    s.Color = ColorAt(*color, where + "/color");
    if (const OrderedJson* b = Find(v, "brightness")) {
        s.Brightness = Int32At(*b, where + "/brightness");
        if (s.Brightness < -255 || s.Brightness > 255)
            Refuse(where + "/brightness", "outside -255..255");
    }
    return s;
}

} // namespace

OrderedJson ColorToJson(uint32_t color)
{
    if (color == NoColor)
        return nullptr;
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(color), GreenOf(color), BlueOf(color));
    return text;
}

OrderedJson ShowToJson(const ProjectData& doc)
{
    OrderedJson j;
    j["version"] = Utf16ToUtf8(doc.Version);
    j["title"] = Utf16ToUtf8(doc.Title);
    j["soundFile"] = Utf16ToUtf8(doc.SoundFile);
    j["soundFileTime"] = std::isfinite(doc.SoundFileTime) ? OrderedJson(doc.SoundFileTime) : OrderedJson(nullptr);
    OrderedJson patch = OrderedJson::array();
    for (const auto& p : doc.Play().DmxPatch)
        patch.push_back(p.load());
    j["patch"] = std::move(patch);
    j["prePlayTime"] = doc.Play().PrePlayTime.load();
    j["postPlayTime"] = doc.Play().PostPlayTime.load();
    OrderedJson lines = OrderedJson::array();
    for (const TStepList& line : doc.Lines) {
        OrderedJson steps = OrderedJson::array();
        for (const TStepRec& s : line) {
            OrderedJson step;
            step["time"] = s.Time;
            step["duration"] = s.Duration;
            step["color"] = ColorToJson(s.Color);
            step["brightness"] = s.Brightness;
            steps.push_back(std::move(step));
        }
        lines.push_back(std::move(steps));
    }
    j["lines"] = std::move(lines);
    return j;
}

std::optional<std::string> ShowFromJson(const OrderedJson& json, ProjectData& doc)
{
    try {
        if (!json.is_object())
            Refuse("", "expected an object");
        if (const OrderedJson* v = Find(json, "version"); v && !v->is_string())
            Refuse("/version", "expected a string");
        if (const OrderedJson* v = Find(json, "title"))
            doc.Title = TextAt(*v, "/title", TitleUnits - 1);
        if (const OrderedJson* v = Find(json, "soundFile"))
            doc.SoundFile = TextAt(*v, "/soundFile", SoundFileUnits - 1);
        if (const OrderedJson* v = Find(json, "soundFileTime")) {
            if (v->is_null())
                doc.SoundFileTime = std::numeric_limits<double>::quiet_NaN();
            else if (v->is_number())
                doc.SoundFileTime = v->get<double>();
            else
                Refuse("/soundFileTime", "expected a number or null");
        }
        PlayGlobals& play = doc.Play();
        if (const OrderedJson* v = Find(json, "patch")) {
            if (!v->is_array() || v->size() != DmxSlots)
                Refuse("/patch", "expected an array of 512 integers");
            for (int i = 0; i < DmxSlots; ++i)
                play.DmxPatch[size_t(i)] = Int32At((*v)[size_t(i)], "/patch/" + std::to_string(i));
        } else {
            const auto through = ThroughPatch();
            for (int i = 0; i < DmxSlots; ++i)
                play.DmxPatch[size_t(i)] = through[size_t(i)];
        }
        if (const OrderedJson* v = Find(json, "prePlayTime"))
            play.PrePlayTime = Int32At(*v, "/prePlayTime");
        if (const OrderedJson* v = Find(json, "postPlayTime"))
            play.PostPlayTime = Int32At(*v, "/postPlayTime");
        if (const OrderedJson* v = Find(json, "lines")) {
            if (!v->is_array() || v->size() != LineCount)
                Refuse("/lines", "expected an array of exactly eight lines");
            for (int l = 0; l < LineCount; ++l) {
                const OrderedJson& line = (*v)[size_t(l)];
                const std::string where = "/lines/" + std::to_string(l);
                if (!line.is_array())
                    Refuse(where, "expected an array of steps");
                TStepList steps;
                steps.reserve(line.size());
                for (size_t i = 0; i < line.size(); ++i)
                    steps.push_back(StepAt(line[i], l, where + "/" + std::to_string(i)));
                doc.Lines[size_t(l)] = std::move(steps);
            }
        }
    } catch (const Invalid& e) {
        return e.message;
    }
    doc.Normalize();
    return std::nullopt;
}
