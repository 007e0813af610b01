#include "speech/speak.h"

#include "engine/jtext.h"

#include <cstdlib>
#include <dlfcn.h>
#include <mutex>

namespace quill {
namespace {

// The few declarations of espeak-ng's speak_lib.h used here; the library is opened at run time
// so that the calculator runs (silently) without it.
constexpr int kOutputPlayback = 0;          // AUDIO_OUTPUT_PLAYBACK
constexpr int kOutputSynchronous = 2;       // AUDIO_OUTPUT_SYNCHRONOUS
constexpr int kInitialiseDontExit = 0x8000; // espeakINITIALIZE_DONT_EXIT
constexpr int kStatusOk = 0;                // EE_OK
constexpr int kPositionCharacter = 1;       // POS_CHARACTER
constexpr unsigned kCharsUtf8 = 1;          // espeakCHARS_UTF8

using SynthCallback = int(short*, int, void*);

// Samples of the phrase being synthesised in retrieval mode (synthesis runs on the calling
// thread there, and only one engine exists at a time).
std::vector<short>* retrievalSink = nullptr;

int collectSamples(short* samples, int count, void*) {
    if (retrievalSink != nullptr && samples != nullptr && count > 0)
        retrievalSink->insert(retrievalSink->end(), samples, samples + count);
    return 0; // go on synthesising
}

// espeak-ng cannot be initialised a second time in one process (it crashes or hangs), so one
// session is opened on first use, in the mode asked for then, and closed when the process
// ends. Engines come and go over that session.
struct Session {
    enum class State { Closed, Playback, Retrieval, Failed } state = State::Closed;
    int sampleRate = 0;
    bool engineExists = false;
};

std::mutex sessionMutex;
Session session;

} // namespace

struct TalkEngine::Api {
    int (*initialise)(int, int, const char*, int) = nullptr;
    void (*setSynthCallback)(SynthCallback*) = nullptr;
    int (*setVoiceByName)(const char*) = nullptr;
    int (*synth)(const void*, size_t, unsigned, int, unsigned, unsigned, unsigned*,
                 void*) = nullptr;
    int (*cancel)() = nullptr;
    int (*terminate)() = nullptr;

    // The library stays loaded for the life of the process: its threads may outlive a
    // release by a moment, so it is never unloaded.
    static const Api* load() {
        static const Api* api = []() -> const Api* {
            void* lib = ::dlopen("libespeak-ng.so.1", RTLD_NOW | RTLD_LOCAL);
            if (lib == nullptr) return nullptr;
            static Api loaded;
            bool ok = bind(lib, "espeak_Initialize", loaded.initialise);
            ok = bind(lib, "espeak_SetSynthCallback", loaded.setSynthCallback) && ok;
            ok = bind(lib, "espeak_SetVoiceByName", loaded.setVoiceByName) && ok;
            ok = bind(lib, "espeak_Synth", loaded.synth) && ok;
            ok = bind(lib, "espeak_Cancel", loaded.cancel) && ok;
            ok = bind(lib, "espeak_Terminate", loaded.terminate) && ok;
            return ok ? &loaded : nullptr;
        }();
        return api;
    }

    template <typename F> static bool bind(void* lib, const char* name, F& function) {
        function = reinterpret_cast<F>(::dlsym(lib, name));
        return function != nullptr;
    }
};

namespace {

void closeSession() {
    std::lock_guard lock(sessionMutex);
    if (session.state == Session::State::Playback || session.state == Session::State::Retrieval)
        TalkEngine::Api::load()->terminate();
    session.state = Session::State::Failed; // nothing may use it any more
}

// ALSA reports every failed probe of a missing sound card on standard error; a calculator on a
// machine without one has nothing to say about it, so ALSA's own messages are dropped.
extern "C" void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

void silenceAlsa() {
    void* alsa = ::dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (alsa == nullptr) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    if (auto set = reinterpret_cast<int (*)(Handler)>(::dlsym(alsa, "snd_lib_error_set_handler")))
        set(quietAlsa);
    ::dlclose(alsa);
}

// Opens the session in the given mode with the Japanese voice; Failed when the library's
// data or the voice is missing.
void openSession(const TalkEngine::Api* api, bool retrieval) {
    if (!retrieval) silenceAlsa();
    const int rate = api->initialise(retrieval ? kOutputSynchronous : kOutputPlayback, 0, nullptr,
                                     kInitialiseDontExit);
    session.state = Session::State::Failed;
    if (rate <= 0) return;
    std::atexit(closeSession);
    // Without the Japanese voice the phrases cannot be read: the same as no library.
    if (api->setVoiceByName("ja") != kStatusOk) return;
    api->setSynthCallback(retrieval ? collectSamples : nullptr);
    session.sampleRate = rate;
    session.state = retrieval ? Session::State::Retrieval : Session::State::Playback;
}

} // namespace

std::unique_ptr<TalkEngine> TalkEngine::open(bool retrieval) {
    const Api* api = Api::load();
    if (api == nullptr) return nullptr;
    std::lock_guard lock(sessionMutex);
    if (session.state == Session::State::Closed) openSession(api, retrieval);
    const auto wanted = retrieval ? Session::State::Retrieval : Session::State::Playback;
    if (session.state != wanted || session.engineExists) return nullptr;
    session.engineExists = true;
    return std::unique_ptr<TalkEngine>(new TalkEngine(api, session.sampleRate, retrieval));
}

std::unique_ptr<TalkEngine> TalkEngine::create() {
    return open(false);
}

std::unique_ptr<TalkEngine> TalkEngine::createForRetrieval() {
    return open(true);
}

TalkEngine::TalkEngine(const Api* api, int sampleRate, bool retrieval)
    : api_(api), sampleRate_(sampleRate), retrieval_(retrieval) {}

// Releasing stops what is still playing; the session stays open for the next engine.
TalkEngine::~TalkEngine() {
    std::lock_guard lock(sessionMutex);
    if (session.state == Session::State::Playback) api_->cancel();
    session.engineExists = false;
}

void TalkEngine::play(std::u16string_view phrase) {
    if (retrieval_) {
        synthesize(phrase);
        return;
    }
    const std::string text = toUtf8(espeakText(phrase));
    std::lock_guard lock(sessionMutex);
    if (session.state != Session::State::Playback) return;
    // In playback mode this queues the text and returns; espeak-ng plays it on its own thread.
    api_->synth(text.c_str(), text.size() + 1, 0, kPositionCharacter, 0, kCharsUtf8, nullptr,
                nullptr);
}

std::vector<short> TalkEngine::synthesize(std::u16string_view phrase) {
    std::vector<short> samples;
    if (!retrieval_) return samples;
    const std::string text = toUtf8(espeakText(phrase));
    std::lock_guard lock(sessionMutex);
    if (session.state != Session::State::Retrieval) return samples;
    retrievalSink = &samples;
    api_->synth(text.c_str(), text.size() + 1, 0, kPositionCharacter, 0, kCharsUtf8, nullptr,
                nullptr);
    retrievalSink = nullptr;
    return samples;
}

} // namespace quill
