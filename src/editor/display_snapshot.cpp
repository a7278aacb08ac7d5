#include "editor/display_snapshot.h"

#include "common/time_text.h"

std::string PositionText(int32_t playPosition, int32_t soundDuration)
{
    if (playPosition < 0)
        return TimeText(playPosition); // carries its own "-"
    std::string text(1, playPosition > soundDuration ? '+' : ' ');
    return text += TimeText(playPosition);
}

uint32_t PositionColor(int32_t playPosition, int32_t soundDuration)
{
    if (playPosition < 0)
        return LeadInTimeColor;
    return playPosition > soundDuration ? RunOutTimeColor : SoundTimeColor;
}

std::string NetAudioStatus(bool socketReady, int nodeCount, bool audioOutputOk, bool sendFailing,
                           const std::string& outputs)
{
    const char* net = !socketReady || sendFailing ? "NG" : nodeCount < 1 ? "--" : "OK";
    std::string text = std::string("NET:") + net + "  Audio:" + (audioOutputOk ? "OK" : "NG");
    if (!outputs.empty())
        text += "  " + outputs;
    return text;
}

DisplaySnapshot TakeDisplaySnapshot(const EngineState& state, const DisplayInput& in)
{
    DisplaySnapshot s;
    int scroll = in.ScrollPosition;
    if (in.RepeatRestarted) {
        scroll = SoundStartScroll(in.Axis);
        s.RestartScroll = scroll;
    }
    const int32_t position = state.Play.PlayPosition;
    const int32_t duration = state.Play.SoundDuration;
    s.TimeText = PositionText(position, duration);
    s.TimeColor = PositionColor(position, duration);
    s.Cursor = MovePlayCursor(in.PlayCursorX, in.Axis.XOfTime(position), scroll, in.ClientWidth,
                              state.AudioState == AudioStateKind::Playing);
    s.Status = NetAudioStatus(in.SocketReady, in.NodeCount, state.AudioOutputOk, in.SendFailing, in.Outputs);
    return s;
}
