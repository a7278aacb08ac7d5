#pragma once
// The audio player as the playback tick sees it, and where players come from. The tick
// creates, uses and destroys every player on its own thread.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class Player {
public:
    virtual ~Player() = default;

    // Starts or resumes playback.
    virtual void Run() = 0;
    virtual void Pause() = 0;
    // Stops; holds the position unless rewind.
    virtual void Stop(bool rewind) = 0;
    // 0 stopped, 1 paused, 2 running; -1 when the state cannot be read.
    virtual int GetState() = 0;
    // Milliseconds; 0 when nothing could be opened.
    virtual int32_t GetPosition() = 0;
    // Absolute position in milliseconds; nothing when nothing could be opened.
    virtual void Seek(int32_t ms) = 0;
    // True when the end of the stream was reached since the last call. Never waits.
    virtual bool IsComplete() = 0;
    // v is a linear volume, limited to 0.00001..1.
    virtual void SetVolume(double v) = 0;

    // True while the file is still being opened; Ready, Duration and ErrorText tell the
    // outcome once it is false. Never waits: each call carries the open on.
    virtual bool Opening() = 0;

    // True while the last start or seek has not yet taken effect (the sound is still being
    // readied or moved). Never waits: each call carries it on.
    virtual bool Settling() = 0;

    // Length of the sound in ms; 0 until Ready.
    virtual int32_t Duration() const = 0;
    // The file was found and can be played.
    virtual bool Ready() const = 0;
    // Why the open failed; empty otherwise.
    virtual const std::string& ErrorText() const = 0;
};

class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    // A player for path, never null, possibly still Opening; a file it cannot play gives a
    // player that is not Ready.
    virtual std::unique_ptr<Player> CreatePlayer(const std::string& path) = 0;
    // Starts testing whether the default audio output can be opened for 16-bit stereo at
    // 44.1 kHz. Never waits: the test runs beside the caller.
    virtual void StartOutputTest() = 0;
    // The outcome of the test started last; empty while it still runs.
    virtual std::optional<bool> OutputTested() = 0;
};
