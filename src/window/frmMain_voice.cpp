// The voice: speed, volume, pitch and output from the settings file at start, from the
// settings dialog at every Apply, and one step faster or slower from the Options menu.
#include "settings/program_folder.h"
#include "speech/phrases.h"
#include "window/frmMain.h"

#include <algorithm>

namespace quill {

void frmMain::loadVoice(const Settings& settings) {
    speech_.setVoice(settings.voice());
    // The engine opens after the first paint and then takes the output chosen here; whether
    // the service could be used is told once it is ready (reportVoiceOutput).
    std::string unused;
    speech_.useOutput(settings.voiceOutput(), unused);
}

void frmMain::reportVoiceOutput() {
    if (Settings(iniPath()).voiceOutput() != VoiceOutput::Service) return;
    std::string error;
    if (!speech_.useOutput(VoiceOutput::Service, error)) setStatusText(voiceServiceProblem());
}

QString frmMain::useVoice(const VoiceChoice& choice) {
    speech_.setVoice(choice.voice);
    std::string error;
    return speech_.useOutput(choice.output, error) ? QString() : voiceServiceProblem();
}

void frmMain::changeVoiceSpeed(int steps) {
    Settings settings(iniPath());
    Voice voice = settings.voice();
    voice.speed =
        std::clamp(voice.speed + steps * Voice::kSpeedStep, Voice::kMinSpeed, Voice::kMaxSpeed);
    settings.setVoiceSpeed(voice.speed);
    speech_.setVoice(voice);
    // Said whether or not talking is on: the user asked the voice itself to change.
    speech_.stop();
    speech_.say(speedPhrase(voice.speed));
}

} // namespace quill
