#pragma once
// Where synthesised speech goes to be heard.
#include <cstddef>
#include <memory>

namespace quill {

// A stream of 16-bit mono samples to the sound device.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Hands samples on to be played after those written before; blocks only while the
    // output's buffer is full. False when the output has failed.
    virtual bool write(const short* samples, std::size_t count) = 0;
    // Drops what has been written and not yet played.
    virtual void flush() = 0;
    // Returns once everything written has been played.
    virtual void drain() = 0;
};

// The desktop's sound server through PulseAudio's simple API (PipeWire's pulse server
// answers it too), loaded at run time. Null when the library or a server is missing; nothing
// is printed then.
std::unique_ptr<SoundOutput> openDesktopSound(int sampleRate);

} // namespace quill
