#include "speech/speech_service.h"

#include "speech/chosen_output.h"

#include "engine/jtext.h"
#include "speech/library_symbol.h"

#include <speech-dispatcher/libspeechd.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <set>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace quill {
namespace {

// The library's entry points, typed by its own header and bound at run time.
struct Api {
    decltype(&spd_open2) open = nullptr;
    decltype(&spd_close) close = nullptr;
    decltype(&spd_say) say = nullptr;
    decltype(&spd_cancel) cancel = nullptr;
    decltype(&spd_set_language) setLanguage = nullptr;
    decltype(&spd_set_notification_on) notifyOn = nullptr;
    decltype(&spd_get_voice_rate) getRate = nullptr;
    decltype(&spd_get_volume) getVolume = nullptr;
    decltype(&spd_get_voice_pitch) getPitch = nullptr;
    decltype(&spd_set_voice_rate) setRate = nullptr;
    decltype(&spd_set_volume) setVolume = nullptr;
    decltype(&spd_set_voice_pitch) setPitch = nullptr;
};

// Loaded once and kept for the life of the process.
const Api* speechdApi() {
    static const Api* api = []() -> const Api* {
        void* lib = ::dlopen("libspeechd.so.2", RTLD_NOW | RTLD_LOCAL);
        if (lib == nullptr) return nullptr;
        static Api loaded;
        bool ok = bindSymbol(lib, "spd_open2", loaded.open);
        ok = bindSymbol(lib, "spd_close", loaded.close) && ok;
        ok = bindSymbol(lib, "spd_say", loaded.say) && ok;
        ok = bindSymbol(lib, "spd_cancel", loaded.cancel) && ok;
        ok = bindSymbol(lib, "spd_set_language", loaded.setLanguage) && ok;
        ok = bindSymbol(lib, "spd_set_notification_on", loaded.notifyOn) && ok;
        ok = bindSymbol(lib, "spd_get_voice_rate", loaded.getRate) && ok;
        ok = bindSymbol(lib, "spd_get_volume", loaded.getVolume) && ok;
        ok = bindSymbol(lib, "spd_get_voice_pitch", loaded.getPitch) && ok;
        ok = bindSymbol(lib, "spd_set_voice_rate", loaded.setRate) && ok;
        ok = bindSymbol(lib, "spd_set_volume", loaded.setVolume) && ok;
        ok = bindSymbol(lib, "spd_set_voice_pitch", loaded.setPitch) && ok;
        return ok ? &loaded : nullptr;
    }();
    return api;
}

// Whether something listens on the socket (the library leaks a little when it finds nothing).
bool listening(const std::string& socketPath) {
    sockaddr_un address{};
    if (socketPath.size() >= sizeof(address.sun_path)) return false;
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof(address.sun_path) - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

int clampUnit(int value) {
    return std::clamp(value, -100, 100);
}

} // namespace

ServiceVoice onTopOf(const ServiceVoice& user, const Voice& voice) {
    const Voice v = voice.clamped();
    const int rate = clampUnit(user.rate);
    const int faster = v.speed - Voice::kNormalSpeed;
    ServiceVoice out;
    if (faster >= 0)
        out.rate = rate + (100 - rate) * faster / (Voice::kMaxSpeed - Voice::kNormalSpeed);
    else
        out.rate = rate + (rate + 100) * faster / (Voice::kNormalSpeed - Voice::kMinSpeed);
    out.volume = -100 + (clampUnit(user.volume) + 100) * v.volume / Voice::kMaxVolume;
    out.pitch = clampUnit(clampUnit(user.pitch) + (v.pitch - Voice::kNormalPitch) * 2);
    return out;
}

// The connection and what it has sent that is still to be heard. The service reports the end
// or the cancelling of each message on the library's own thread.
struct ServiceSpeech::Connection {
    const Api* api = nullptr;
    SPDConnection* spd = nullptr;
    ServiceVoice user; // the user's own settings, read when connected

    mutable std::mutex mutex;
    std::set<int> unheard;  // sent, neither ended nor cancelled
    std::set<int> finished; // reported before the library returned their number
    bool lost = false;

    // Every open connection, for the library's callbacks (they carry no user data).
    static std::mutex& registryMutex() {
        static std::mutex m;
        return m;
    }
    static std::vector<Connection*>& registry() {
        static std::vector<Connection*> r;
        return r;
    }

    static void onFinished(std::size_t id, std::size_t, SPDNotificationType) {
        std::lock_guard registryLock(registryMutex());
        for (Connection* c : registry()) c->finish(static_cast<int>(id));
    }

    void finish(int id) {
        std::lock_guard lock(mutex);
        if (unheard.erase(id) == 0) finished.insert(id);
    }

    // The service went away: nothing sent will be reported any more.
    void loseLocked() {
        lost = true;
        unheard.clear();
    }

    void sent(int id) {
        std::lock_guard lock(mutex);
        if (id < 0)
            loseLocked();
        else if (finished.erase(id) == 0)
            unheard.insert(id);
    }

    bool usable() const {
        std::lock_guard lock(mutex);
        return !lost;
    }

    void say(std::u16string_view phrase, SPDPriority priority) {
        const std::string text = toUtf8(espeakText(phrase));
        if (text.empty() || !usable()) return;
        sent(api->say(spd, priority, text.c_str()));
    }

    // Drops this program's own phrases; the screen reader's are not touched.
    void cancel() {
        if (!usable()) return;
        if (api->cancel(spd) != 0) {
            std::lock_guard lock(mutex);
            loseLocked();
        }
    }

    void apply(const Voice& voice) {
        if (!usable()) return;
        const ServiceVoice v = onTopOf(user, voice);
        api->setRate(spd, v.rate);
        api->setVolume(spd, v.volume);
        api->setPitch(spd, v.pitch);
    }
};

std::unique_ptr<ServiceSpeech> ServiceSpeech::connect(std::string& error,
                                                      const std::string& socketPath) {
    const Api* api = speechdApi();
    if (api == nullptr) {
        error = "libspeechd (speech-dispatcher) is not installed";
        return nullptr;
    }
    if (!socketPath.empty() && !listening(socketPath)) {
        error = "the speech service does not answer at " + socketPath;
        return nullptr;
    }
    std::string path = socketPath;
    SPDConnectionAddress address{};
    address.method = SPD_METHOD_UNIX_SOCKET;
    address.unix_socket_name = path.data();
    char* why = nullptr;
    // Started only when it is the user's own service; THREADED: the ends of messages are
    // reported.
    SPDConnection* spd =
        api->open("quillsum", "main", nullptr, SPD_MODE_THREADED,
                  socketPath.empty() ? nullptr : &address, socketPath.empty() ? 1 : 0, &why);
    if (spd == nullptr) {
        error = "the speech service does not answer";
        if (why != nullptr) error += std::string(": ") + why;
        std::free(why);
        return nullptr;
    }
    auto c = std::make_unique<Connection>();
    c->api = api;
    c->spd = spd;
    c->user = {api->getRate(spd), api->getVolume(spd), api->getPitch(spd)};
    spd->callback_end = &Connection::onFinished;
    spd->callback_cancel = &Connection::onFinished;
    api->notifyOn(spd, SPD_END);
    api->notifyOn(spd, SPD_CANCEL);
    if (api->setLanguage(spd, "ja") != 0) {
        api->close(spd);
        error = "the speech service has no Japanese voice";
        return nullptr;
    }
    {
        std::lock_guard lock(Connection::registryMutex());
        Connection::registry().push_back(c.get());
    }
    return std::unique_ptr<ServiceSpeech>(new ServiceSpeech(std::move(c)));
}

ServiceSpeech::ServiceSpeech(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {
    connection_->apply(Voice{});
}

ServiceSpeech::~ServiceSpeech() {
    {
        std::lock_guard lock(Connection::registryMutex());
        std::erase(Connection::registry(), connection_.get());
    }
    connection_->api->close(connection_->spd);
}

void ServiceSpeech::play(std::u16string_view phrase) {
    connection_->cancel();
    connection_->say(phrase, SPD_MESSAGE);
}

void ServiceSpeech::playResult(std::u16string_view phrase) {
    connection_->say(phrase, SPD_TEXT);
}

void ServiceSpeech::setVoice(const Voice& voice) {
    connection_->apply(voice);
}

void ServiceSpeech::stop() {
    connection_->cancel();
}

bool ServiceSpeech::playing() const {
    std::lock_guard lock(connection_->mutex);
    return !connection_->unheard.empty();
}

bool ServiceSpeech::ready() const {
    return connection_->usable();
}

std::unique_ptr<SpeechOutput> connectToSpeechService(std::string& error) {
    return ServiceSpeech::connect(error);
}

} // namespace quill
