#include "speech/espeak_session.h"

#include "speech/library_symbol.h"

#include <espeak-ng/speak_lib.h>

#include <cstdlib>
#include <mutex>

namespace quill::speech {
namespace {

// Chunks of 20 ms: the first samples of a phrase are handed on as soon as they exist.
constexpr int kChunkMilliseconds = 20;

// The library's entry points, typed by its own header and bound at run time.
struct Api {
    decltype(&espeak_Initialize) initialise = nullptr;
    decltype(&espeak_SetSynthCallback) setSynthCallback = nullptr;
    decltype(&espeak_SetVoiceByName) setVoiceByName = nullptr;
    decltype(&espeak_SetParameter) setParameter = nullptr;
    decltype(&espeak_Synth) synth = nullptr;
    decltype(&espeak_Terminate) terminate = nullptr;
};

// The library stays loaded for the life of the process.
const Api* loadApi() {
    void* lib = ::dlopen("libespeak-ng.so.1", RTLD_NOW | RTLD_LOCAL);
    if (lib == nullptr) return nullptr;
    static Api api;
    bool ok = bindSymbol(lib, "espeak_Initialize", api.initialise);
    ok = bindSymbol(lib, "espeak_SetSynthCallback", api.setSynthCallback) && ok;
    ok = bindSymbol(lib, "espeak_SetVoiceByName", api.setVoiceByName) && ok;
    ok = bindSymbol(lib, "espeak_SetParameter", api.setParameter) && ok;
    ok = bindSymbol(lib, "espeak_Synth", api.synth) && ok;
    ok = bindSymbol(lib, "espeak_Terminate", api.terminate) && ok;
    return ok ? &api : nullptr;
}

struct Session {
    std::once_flag opened;
    const Api* api = nullptr; // set only once the voice is loaded
    int sampleRate = 0;
    std::mutex synthesis;              // one synthesis at a time
    const SampleChunk* sink = nullptr; // the running synthesis's receiver
    bool stopped = false;              // the receiver asked to stop
};

Session& session() {
    static Session s;
    return s;
}

// Runs on the synthesising thread, inside espeak_Synth.
int receiveSamples(short* samples, int count, espeak_EVENT*) {
    Session& s = session();
    if (s.sink == nullptr || s.stopped) return 1;
    if (samples == nullptr || count <= 0) return 0; // the end, or an empty chunk
    if (!(*s.sink)(samples, static_cast<std::size_t>(count))) s.stopped = true;
    return s.stopped ? 1 : 0;
}

// The voice's speed, volume and pitch for the next synthesis. Speed 100 % is the library's
// normal rate; above its own maximum (450 words a minute) it speeds the sound up as a whole.
void applyVoice(const Api& api, const Voice& voice) {
    const Voice v = voice.clamped();
    api.setParameter(espeakRATE, espeakRATE_NORMAL * v.speed / Voice::kNormalSpeed, 0);
    api.setParameter(espeakVOLUME, v.volume, 0);
    api.setParameter(espeakPITCH, v.pitch, 0);
}

void closeSession() {
    Session& s = session();
    std::lock_guard lock(s.synthesis);
    if (s.api != nullptr) s.api->terminate();
    s.api = nullptr;
}

void openSession() {
    const Api* api = loadApi();
    if (api == nullptr) return;
    // Synchronous mode: no sound device is opened and nothing runs on threads of the library.
    const int rate = api->initialise(AUDIO_OUTPUT_SYNCHRONOUS, kChunkMilliseconds, nullptr,
                                     espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0) return;
    std::atexit(closeSession);
    // Without the Japanese voice the phrases cannot be read: the same as no library.
    if (api->setVoiceByName("ja") != EE_OK) return;
    api->setSynthCallback(receiveSamples);
    Session& s = session();
    s.sampleRate = rate;
    s.api = api;
}

} // namespace

bool openEspeak() {
    Session& s = session();
    std::call_once(s.opened, openSession);
    std::lock_guard lock(s.synthesis);
    return s.api != nullptr;
}

int espeakSampleRate() {
    return openEspeak() ? session().sampleRate : 0;
}

bool synthesizeWithEspeak(const std::string& utf8, const SampleChunk& chunk, const Voice& voice) {
    if (!openEspeak()) return false;
    Session& s = session();
    std::lock_guard lock(s.synthesis);
    if (s.api == nullptr) return false;
    applyVoice(*s.api, voice);
    s.sink = &chunk;
    s.stopped = false;
    const espeak_ERROR status = s.api->synth(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8, nullptr, nullptr);
    s.sink = nullptr;
    return status == EE_OK;
}

} // namespace quill::speech
