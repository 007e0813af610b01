#include "speech/espeak_session.h"

#include "engine/jtext.h"
#include "speech/held_closure.h"
#include "speech/library_symbol.h"

#include <espeak-ng/speak_lib.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

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
    decltype(&espeak_TextToPhonemes) textToPhonemes = nullptr;
    decltype(&espeak_SetPhonemeTrace) setPhonemeTrace = nullptr;
    decltype(&espeak_Info) info = nullptr;
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
    ok = bindSymbol(lib, "espeak_TextToPhonemes", api.textToPhonemes) && ok;
    ok = bindSymbol(lib, "espeak_SetPhonemeTrace", api.setPhonemeTrace) && ok;
    ok = bindSymbol(lib, "espeak_Info", api.info) && ok;
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

// Standard error sent nowhere while it lives: espeak-ng and the sound library it brings along
// print their own notes while they start (a sound server they could not reach, a file they
// could not read); the program says in its own words what it cannot do.
class QuietStandardError {
public:
    QuietStandardError() : saved_(::dup(STDERR_FILENO)) {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0) ::dup2(null, STDERR_FILENO);
        if (null >= 0) ::close(null);
    }
    ~QuietStandardError() {
        if (saved_ < 0) return;
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_;
};

// The Japanese voice needs its dictionary; without it espeak-ng takes the voice all the same
// and reads nothing right.
bool hasJapaneseDictionary(const Api& api) {
    const char* data = nullptr;
    api.info(&data);
    return data != nullptr && ::access((std::string(data) + "/ja_dict").c_str(), R_OK) == 0;
}

void openSession() {
    const Api* api = loadApi();
    if (api == nullptr) return;
    QuietStandardError quiet;
    // Synchronous mode: no sound device is opened and nothing runs on threads of the library.
    const int rate = api->initialise(AUDIO_OUTPUT_SYNCHRONOUS, kChunkMilliseconds, nullptr,
                                     espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0) return;
    std::atexit(closeSession);
    // Without the Japanese voice the phrases cannot be read: the same as no library.
    if (!hasJapaneseDictionary(*api) || api->setVoiceByName("ja") != EE_OK) return;
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

namespace {

// The voice's own phonemes of a word, as espeak-ng translates it; the session is locked.
std::string phonemesOf(const Api& api, const std::string& word) {
    std::string phonemes;
    const void* rest = word.c_str();
    while (rest != nullptr) {
        const char* piece = api.textToPhonemes(&rest, espeakCHARS_UTF8, 0);
        if (piece == nullptr) break;
        phonemes += phonemes.empty() ? "" : " ";
        phonemes += piece;
    }
    return phonemes;
}

// Synthesises with the session locked; text in "[[...]]" is read as phonemes.
bool synthesizeLocked(Session& s, const std::string& utf8, const SampleChunk& chunk) {
    const std::string voice = speech::withHeldClosures(
        fromUtf8(utf8), [&](const std::string& word) { return phonemesOf(*s.api, word); });
    s.sink = &chunk;
    s.stopped = false;
    const espeak_ERROR status = s.api->synth(voice.c_str(), voice.size() + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8 | espeakPHONEMES, nullptr, nullptr);
    s.sink = nullptr;
    return status == EE_OK;
}

} // namespace

bool synthesizeWithEspeak(const std::string& utf8, const SampleChunk& chunk, const Voice& voice) {
    if (!openEspeak()) return false;
    Session& s = session();
    std::lock_guard lock(s.synthesis);
    if (s.api == nullptr) return false;
    applyVoice(*s.api, voice);
    return synthesizeLocked(s, utf8, chunk);
}

std::string phonemesSpoken(const std::string& utf8) {
    if (!openEspeak()) return {};
    Session& s = session();
    std::lock_guard lock(s.synthesis);
    if (s.api == nullptr) return {};
    char* trace = nullptr;
    std::size_t size = 0;
    std::FILE* stream = ::open_memstream(&trace, &size);
    if (stream == nullptr) return {};
    s.api->setPhonemeTrace(espeakPHONEMES_SHOW, stream);
    synthesizeLocked(s, utf8, [](const short*, std::size_t) { return true; });
    s.api->setPhonemeTrace(0, nullptr);
    std::fclose(stream);
    std::string phonemes(trace, size);
    std::free(trace);
    return phonemes;
}

} // namespace quill::speech
