#include "speech/sound_output.h"

#include <pulse/simple.h>

#include <dlfcn.h>

namespace quill {
namespace {

// The server's buffer: room for what the engine hands on ahead of the sound (it keeps about
// 100 ms ahead), so that a write does not wait; what is left of a phrase that is cut off is
// dropped by a flush.
constexpr unsigned kBufferMilliseconds = 250;

struct PulseApi {
    decltype(&pa_simple_new) open = nullptr;
    decltype(&pa_simple_write) write = nullptr;
    decltype(&pa_simple_flush) flush = nullptr;
    decltype(&pa_simple_drain) drain = nullptr;
    decltype(&pa_simple_free) close = nullptr;
};

template <typename F> bool bind(void* lib, const char* name, F& function) {
    function = reinterpret_cast<F>(::dlsym(lib, name));
    return function != nullptr;
}

// Loaded once and kept for the life of the process.
const PulseApi* pulseApi() {
    static const PulseApi* api = []() -> const PulseApi* {
        void* lib = ::dlopen("libpulse-simple.so.0", RTLD_NOW | RTLD_LOCAL);
        if (lib == nullptr) return nullptr;
        static PulseApi loaded;
        bool ok = bind(lib, "pa_simple_new", loaded.open);
        ok = bind(lib, "pa_simple_write", loaded.write) && ok;
        ok = bind(lib, "pa_simple_flush", loaded.flush) && ok;
        ok = bind(lib, "pa_simple_drain", loaded.drain) && ok;
        ok = bind(lib, "pa_simple_free", loaded.close) && ok;
        return ok ? &loaded : nullptr;
    }();
    return api;
}

class PulseOutput : public SoundOutput {
public:
    PulseOutput(const PulseApi* api, pa_simple* stream) : api_(api), stream_(stream) {}
    ~PulseOutput() override { api_->close(stream_); }
    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    bool write(const short* samples, std::size_t count) override {
        int error = 0;
        return api_->write(stream_, samples, count * sizeof(short), &error) == 0;
    }
    void flush() override {
        int error = 0;
        api_->flush(stream_, &error);
    }
    void drain() override {
        int error = 0;
        api_->drain(stream_, &error);
    }

private:
    const PulseApi* api_;
    pa_simple* stream_;
};

} // namespace

std::unique_ptr<SoundOutput> openDesktopSound(int sampleRate) {
    const PulseApi* api = pulseApi();
    if (api == nullptr || sampleRate <= 0) return nullptr;
    const pa_sample_spec spec{PA_SAMPLE_S16NE, static_cast<uint32_t>(sampleRate), 1};
    const auto bytesPerMs = static_cast<uint32_t>(sampleRate) * sizeof(short) / 1000;
    pa_buffer_attr buffer;
    buffer.maxlength = static_cast<uint32_t>(-1);
    buffer.tlength = bytesPerMs * kBufferMilliseconds;
    // The server's own start threshold: with one of a few bytes some servers never start.
    buffer.prebuf = static_cast<uint32_t>(-1);
    buffer.minreq = static_cast<uint32_t>(-1);
    buffer.fragsize = static_cast<uint32_t>(-1);
    int error = 0;
    pa_simple* stream = api->open(nullptr, "quillsum", PA_STREAM_PLAYBACK, nullptr, "speech", &spec,
                                  nullptr, &buffer, &error);
    if (stream == nullptr) return nullptr;
    return std::make_unique<PulseOutput>(api, stream);
}

} // namespace quill
