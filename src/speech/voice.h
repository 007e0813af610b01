#pragma once
// How the calculator's voice sounds and where it speaks: the user's speed, volume and pitch,
// and the output (the program's own espeak-ng voice or the desktop's speech service).
#include <algorithm>

namespace quill {

struct Voice {
    static constexpr int kMinSpeed = 50;
    static constexpr int kMaxSpeed = 300;
    static constexpr int kNormalSpeed = 100;
    static constexpr int kSpeedStep = 10; // the Options menu's faster and slower
    static constexpr int kMaxVolume = 100;
    static constexpr int kMaxPitch = 100;
    static constexpr int kNormalPitch = 50;

    int speed = kNormalSpeed; // percent of the normal speaking rate
    int volume = kMaxVolume;  // percent, 100 the voice's own full level
    int pitch = kNormalPitch; // 0 (lowest) to 100 (highest), 50 the voice's own

    bool operator==(const Voice&) const = default;

    // Every value moved into its range.
    Voice clamped() const {
        return {std::clamp(speed, kMinSpeed, kMaxSpeed), std::clamp(volume, 0, kMaxVolume),
                std::clamp(pitch, 0, kMaxPitch)};
    }
};

enum class VoiceOutput {
    Own = 0,     // espeak-ng's Japanese voice, played by the program itself
    Service = 1, // the desktop's speech service, shared with the screen reader
};

} // namespace quill
