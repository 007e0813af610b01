#include "speech/speak.h"

#include "engine/jtext.h"

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

std::mutex engineMutex;
bool engineExists = false;

} // namespace

struct TalkEngine::Api {
    int (*initialise)(int, int, const char*, int) = nullptr;
    void (*setSynthCallback)(SynthCallback*) = nullptr;
    int (*setVoiceByName)(const char*) = nullptr;
    int (*synth)(const void*, size_t, unsigned, int, unsigned, unsigned, unsigned*,
                 void*) = nullptr;
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

std::unique_ptr<TalkEngine> TalkEngine::open(bool retrieval) {
    const Api* api = Api::load();
    if (api == nullptr) return nullptr;
    std::lock_guard lock(engineMutex);
    if (engineExists) return nullptr;
    const int rate = api->initialise(retrieval ? kOutputSynchronous : kOutputPlayback, 0, nullptr,
                                     kInitialiseDontExit);
    if (rate <= 0) return nullptr;
    // Without the Japanese voice the phrases cannot be read: the same as no library.
    if (api->setVoiceByName("ja") != kStatusOk) {
        api->terminate();
        return nullptr;
    }
    api->setSynthCallback(retrieval ? collectSamples : nullptr);
    engineExists = true;
    return std::unique_ptr<TalkEngine>(new TalkEngine(api, rate, retrieval));
}

std::unique_ptr<TalkEngine> TalkEngine::create() {
    return open(false);
}

std::unique_ptr<TalkEngine> TalkEngine::createForRetrieval() {
    return open(true);
}

TalkEngine::TalkEngine(const Api* api, int sampleRate, bool retrieval)
    : api_(api), sampleRate_(sampleRate), retrieval_(retrieval) {}

TalkEngine::~TalkEngine() {
    std::lock_guard lock(engineMutex);
    api_->terminate();
    engineExists = false;
}

void TalkEngine::play(std::u16string_view phrase) {
    if (retrieval_) {
        synthesize(phrase);
        return;
    }
    const std::string text = toUtf8(espeakText(phrase));
    // In playback mode this queues the text and returns; espeak-ng plays it on its own thread.
    api_->synth(text.c_str(), text.size() + 1, 0, kPositionCharacter, 0, kCharsUtf8, nullptr,
                nullptr);
}

std::vector<short> TalkEngine::synthesize(std::u16string_view phrase) {
    std::vector<short> samples;
    if (!retrieval_) return samples;
    const std::string text = toUtf8(espeakText(phrase));
    std::lock_guard lock(engineMutex);
    retrievalSink = &samples;
    api_->synth(text.c_str(), text.size() + 1, 0, kPositionCharacter, 0, kCharsUtf8, nullptr,
                nullptr);
    retrievalSink = nullptr;
    return samples;
}

} // namespace quill
