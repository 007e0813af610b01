// Builds without the espeak-ng, PulseAudio and speech-dispatcher libraries (the browser and
// node): there is no speech engine, no sound output and no speech service, as on a desktop
// where none is installed.
#include "speech/chosen_output.h"
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

bool synthesizeWithEspeak(const std::string&, const SampleChunk&, const Voice&) {
    return false;
}

} // namespace speech

std::unique_ptr<SoundOutput> openDesktopSound(int) {
    return nullptr;
}

std::unique_ptr<SpeechOutput> connectToSpeechService(std::string& error) {
    error = "no speech service here";
    return nullptr;
}

} // namespace quill
