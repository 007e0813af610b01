// Builds without the espeak-ng and PulseAudio libraries (the browser and node): there is no
// speech engine and no sound output, as on a desktop where neither is installed.
#include "speech/espeak_session.h"
#include "speech/sound_output.h"

namespace quill {

namespace speech {

bool openEspeak() {
    return false;
}

int espeakSampleRate() {
    return 0;
}

bool synthesizeWithEspeak(const std::string&, const SampleChunk&) {
    return false;
}

} // namespace speech

std::unique_ptr<SoundOutput> openDesktopSound(int) {
    return nullptr;
}

} // namespace quill
