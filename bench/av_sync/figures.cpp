// The figures: show time in each frame against the position heard when it arrived, the
// hand-over from the lead-in clock to the sound, and the longest frame interval around
// each transport step.
#include "recording.h"
#include "sync_show.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>

namespace {

constexpr double NsPerMs = 1e6;
// Frames this soon after a stretch of sound began are the transition, not the steady state.
constexpr double SettleMs = 500;

double Ms(int64_t ns) { return double(ns) / NsPerMs; }

double Quantile(std::vector<double> v, double q)
{
    if (v.empty())
        return NAN;
    std::sort(v.begin(), v.end());
    return v[size_t(std::lround(q * double(v.size() - 1)))];
}

double Worst(const std::vector<double>& v)
{
    double worst = NAN;
    for (double x : v)
        if (std::isnan(worst) || std::fabs(x) > std::fabs(worst))
            worst = x;
    return worst;
}

// A stretch of clicks heard one period apart, in order.
struct Stretch {
    size_t first = 0;
    size_t last = 0; // inclusive
};

std::vector<Stretch> Stretches(const std::vector<HeardClick>& clicks)
{
    std::vector<Stretch> out;
    for (size_t i = 0; i < clicks.size(); ++i) {
        const bool continues = i > 0 && clicks[i].k == clicks[i - 1].k + 1
            && std::fabs(Ms(clicks[i].heardNs - clicks[i - 1].heardNs) - sync_show::PeriodMs) < 10;
        if (continues)
            out.back().last = i;
        else
            out.push_back({i, i});
    }
    return out;
}

// The heard position at time t inside a stretch, between the clicks around it; also how
// long the stretch had been heard by then.
std::optional<std::pair<double, double>> HeardAt(const std::vector<HeardClick>& clicks, const Stretch& s, int64_t t)
{
    if (s.last == s.first || t < clicks[s.first].heardNs || t >= clicks[s.last].heardNs)
        return std::nullopt;
    auto it = std::upper_bound(clicks.begin() + ptrdiff_t(s.first), clicks.begin() + ptrdiff_t(s.last) + 1, t,
                               [](int64_t v, const HeardClick& c) { return v < c.heardNs; });
    const HeardClick& a = *(it - 1);
    const HeardClick& b = *it;
    const double position = a.k * double(sync_show::PeriodMs)
        + sync_show::PeriodMs * double(t - a.heardNs) / double(b.heardNs - a.heardNs);
    return std::pair{position, Ms(t - clicks[s.first].heardNs)};
}

void Line(std::string& out, const std::string& name, double value)
{
    char text[160];
    std::snprintf(text, sizeof text, "%s %.1f\n", name.c_str(), value);
    out += text;
}

} // namespace

std::string Figures(const Recording& r)
{
    std::string out;
    std::vector<double> latency, configured;
    for (const SinkLatency& s : r.sink) {
        latency.push_back(s.latencyMs);
        configured.push_back(s.configuredMs);
    }
    Line(out, "sink.latency", Quantile(latency, 0.5));
    Line(out, "sink.configured", Quantile(configured, 0.5));
    Line(out, "clicks", double(r.clicks.size()));
    Line(out, "frames", double(r.frames.size()));

    // Frames soon after a transport step (the lights may move before the sound does) or
    // soon after a stretch of sound began settle; the others are the steady state.
    const auto afterStep = [&](int64_t t) {
        for (const TransportEvent& e : r.events)
            if (t >= e.ns && Ms(t - e.ns) < SettleMs)
                return true;
        return false;
    };
    const std::vector<Stretch> stretches = Stretches(r.clicks);
    std::vector<double> steady, settling;
    for (const LightFrame& f : r.frames)
        for (const Stretch& s : stretches)
            if (auto heard = HeardAt(r.clicks, s, f.arrivalNs)) {
                const bool settles = heard->second < SettleMs || afterStep(f.arrivalNs);
                (settles ? settling : steady).push_back(f.showTime - heard->first);
                break;
            }
    Line(out, "offset.median", Quantile(steady, 0.5));
    Line(out, "offset.p5", Quantile(steady, 0.05));
    Line(out, "offset.p95", Quantile(steady, 0.95));
    Line(out, "offset.worst", Worst(steady));
    Line(out, "offset.count", double(steady.size()));
    Line(out, "offset.settling_worst", Worst(settling));

    // The hand-over: the first stretch heard after the play from the top, which starts at
    // click 0 (or a click or two later, when the very first is lost). The heard position is
    // carried back into the lead-in at one ms per ms.
    int64_t topPlay = 0;
    for (const TransportEvent& e : r.events)
        if (e.name == "top-play")
            topPlay = e.ns;
    std::optional<int64_t> soundStart;
    for (const Stretch& s : stretches)
        if (r.clicks[s.first].heardNs > topPlay && s.last > s.first) {
            if (r.clicks[s.first].k < 4)
                soundStart = r.clicks[s.first].heardNs - int64_t(r.clicks[s.first].k) * sync_show::PeriodMs * 1000000;
            break;
        }
    std::vector<TransportEvent> marks = r.events;
    if (soundStart) {
        std::vector<double> before, after;
        std::vector<const LightFrame*> around;
        for (const LightFrame& f : r.frames) {
            const double since = Ms(f.arrivalNs - *soundStart);
            const double offset = f.showTime - since;
            if (since >= -SettleMs && since < 0 && f.showTime < 0)
                before.push_back(offset);
            else if (since >= 0 && since < SettleMs)
                after.push_back(offset);
            if (std::fabs(since) < 300)
                around.push_back(&f);
        }
        double step = 0;
        for (size_t i = 1; i < around.size(); ++i)
            step = std::max(step, std::fabs(double(around[i]->showTime - around[i - 1]->showTime)
                                            - Ms(around[i]->arrivalNs - around[i - 1]->arrivalNs)));
        Line(out, "handover.lead_in_offset", Quantile(before, 0.5));
        Line(out, "handover.sound_offset", Quantile(after, 0.5));
        Line(out, "handover.jump", Quantile(before, 0.5) - Quantile(after, 0.5));
        Line(out, "handover.largest_step", step);
        marks.push_back({"hand-over", *soundStart});
    }

    // The longest interval between frames from 100 ms before to 500 ms after each step.
    std::map<std::string, int> seen;
    for (const TransportEvent& e : marks) {
        double longest = 0;
        for (size_t i = 1; i < r.frames.size(); ++i) {
            const int64_t t = r.frames[i].arrivalNs;
            if (t > e.ns - 100 * 1000000LL && r.frames[i - 1].arrivalNs < e.ns + 500 * 1000000LL)
                longest = std::max(longest, Ms(t - r.frames[i - 1].arrivalNs));
        }
        const int n = ++seen[e.name];
        Line(out, "interval." + e.name + (n > 1 ? std::to_string(n) : ""), longest);
    }
    return out;
}
