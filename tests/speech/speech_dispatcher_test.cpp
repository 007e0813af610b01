// The speech service path through a real speech-dispatcher: started by the calculator's own
// connection in a private runtime folder, speaking with its espeak-ng module into a private
// PulseAudio server whose only sink is a null sink, recorded from that sink's monitor.
#include "speech/speech_service.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace quill {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (std::size_t at = 0; at <= dirs.size();) {
        const std::size_t end = std::min(dirs.find(':', at), dirs.size());
        if (::access((dirs.substr(at, end - at) + "/" + program).c_str(), X_OK) == 0) return true;
        at = end + 1;
    }
    return false;
}

// Starts a program of the test's own; standard output into `out` when given.
pid_t start(std::vector<std::string> args, const std::string& out = "/dev/null") {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int runToEnd(std::vector<std::string> args) {
    const pid_t pid = start(std::move(args));
    int status = -1;
    if (pid > 0) ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Not ended, and not yet reaped either (a zombie no one waits for counts as ended).
bool running(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return false;
    const auto close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

void end(pid_t pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
}

template <typename F> bool waitUntil(F done, std::chrono::milliseconds limit = 15s) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// A private desktop session's sound and speech: its own runtime and configuration folders, a
// sound server with one null sink recorded from its monitor. Everything started here is ended
// here; the environment is put back.
class PrivateSession {
public:
    PrivateSession() {
        char name[] = "/tmp/quill-speechd-XXXXXX";
        if (::mkdtemp(name) == nullptr) return;
        folder_ = name;
        for (const char* var : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                                "PULSE_SERVER", "SPEECHD_ADDRESS", "HOME"}) {
            const char* value = std::getenv(var);
            saved_.emplace_back(var, value ? std::optional<std::string>(value) : std::nullopt);
        }
        ::setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
        ::setenv("HOME", folder_.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (folder_ / "cache").c_str(), 1);
        ::setenv("PULSE_SERVER", ("unix:" + (folder_ / "pulse" / "native").string()).c_str(), 1);
        ::unsetenv("SPEECHD_ADDRESS");
        writeServiceConfiguration();
        sound_ = start({"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                        "--disable-shm", "-L", "module-native-protocol-unix", "-L",
                        "module-null-sink sink_name=quill_test rate=16000 channels=1"});
        soundUp_ = sound_ > 0 && waitUntil([] { return runToEnd({"pactl", "info"}) == 0; });
        if (!soundUp_) return;
        runToEnd({"pactl", "set-default-sink", "quill_test"});
        recorder_ = start({"parec", "-d", "quill_test.monitor", "--raw", "--format=s16le",
                           "--rate=16000", "--channels=1"},
                          recording());
    }
    ~PrivateSession() {
        endSpeechService();
        end(recorder_);
        end(sound_);
        for (const auto& [var, value] : saved_) {
            if (value)
                ::setenv(var.c_str(), value->c_str(), 1);
            else
                ::unsetenv(var.c_str());
        }
        std::error_code ignored;
        if (!folder_.empty()) fs::remove_all(folder_, ignored);
    }

    bool soundUp() const { return soundUp_; }
    fs::path recording() const { return folder_ / "sink.raw"; }
    fs::path serviceSocket() const { return folder_ / "speech-dispatcher" / "speechd.sock"; }

    // The recorder's samples so far.
    std::vector<short> recorded() const {
        std::ifstream in(recording(), std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        std::vector<short> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

private:
    // Only the espeak-ng module, playing through PulseAudio: the service would otherwise try
    // every installed module first (one without its voices takes seconds to give up).
    void writeServiceConfiguration() {
        const fs::path config = folder_ / "config" / "speech-dispatcher";
        fs::create_directories(config / "modules");
        std::error_code ignored;
        fs::copy_file("/etc/speech-dispatcher/modules/espeak-ng.conf",
                      config / "modules" / "espeak-ng.conf", ignored);
        std::ofstream(config / "speechd.conf")
            << "AddModule \"espeak-ng\" \"sd_espeak-ng\" \"espeak-ng.conf\"\n"
            << "DefaultModule espeak-ng\n"
            << "AudioOutputMethod \"pulse\"\n";
    }

    // The service started by the connection writes its process id into the runtime folder.
    void endSpeechService() {
        std::ifstream pidFile(folder_ / "speech-dispatcher" / "pid" / "speech-dispatcher.pid");
        pid_t pid = 0;
        if (pidFile >> pid && pid > 0) {
            ::kill(pid, SIGTERM);
            waitUntil([pid] { return !running(pid); }, 5s);
        }
    }

    fs::path folder_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
    pid_t sound_ = -1;
    pid_t recorder_ = -1;
    bool soundUp_ = false;
};

int loudest(const std::vector<short>& samples) {
    int peak = 0;
    for (short s : samples) peak = std::max(peak, std::abs(int(s)));
    return peak;
}

// A screen reader's connection: it speaks at priority message and hears of every event.
class ScreenReader {
public:
    explicit ScreenReader(const fs::path& socket) {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        socket.string().copy(address.sun_path, sizeof(address.sun_path) - 1);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        for (const char* c : {"SET SELF CLIENT_NAME test:orca:main", "SET SELF PRIORITY message",
                              "SET SELF NOTIFICATION all on", "SET SELF LANGUAGE ja"})
            command(c);
    }
    ~ScreenReader() { ::close(fd_); }

    bool connected() const { return connected_; }
    void say(const std::string& text) {
        command("SPEAK");
        command(text + "\r\n.");
    }
    // Waits for an event line such as "701 BEGIN" or "702 END"; false when it did not come.
    bool heard(const std::string& event) {
        return waitUntil([&] {
            read();
            return received_.find(event) != std::string::npos;
        });
    }
    const std::string& received() const { return received_; }

private:
    void command(const std::string& line) {
        const std::string text = line + "\r\n";
        (void)!::write(fd_, text.data(), text.size());
    }
    void read() {
        char chunk[4096];
        const ssize_t n = ::recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT);
        if (n > 0) received_.append(chunk, static_cast<std::size_t>(n));
    }

    int fd_ = -1;
    bool connected_ = false;
    std::string received_;
};

TEST(SpeechDispatcher, PhrasesReachTheSoundAndResultsWaitForTheScreenReader) {
    for (const char* program : {"speech-dispatcher", "pulseaudio", "pactl", "parec"})
        if (!onPath(program))
            GTEST_SKIP() << program << " is not installed (Debian: speech-dispatcher, "
                         << "speech-dispatcher-espeak-ng, pulseaudio, pulseaudio-utils)";
    PrivateSession session;
    ASSERT_TRUE(session.soundUp()) << "the private PulseAudio server did not start";

    // The calculator's connection starts the service, as on a desktop where none runs yet.
    std::string error;
    auto speech = ServiceSpeech::connect(error);
    ASSERT_TRUE(speech) << error;
    speech->setVoice(Voice{Voice::kMaxSpeed, Voice::kMaxVolume, Voice::kNormalPitch});
    speech->play(u"<NUMK VAL=12345>");
    EXPECT_TRUE(speech->playing());
    ASSERT_TRUE(waitUntil([&] { return !speech->playing(); })) << "the service never ended it";
    // The sound server hands the recorder what the sink played a little later.
    ASSERT_TRUE(waitUntil([&] { return loudest(session.recorded()) > 1000; }, 5s))
        << "no speech reached the sink";

    // A screen reader is speaking: a result sent meanwhile waits and does not cut it off.
    ScreenReader reader(session.serviceSocket());
    ASSERT_TRUE(reader.connected());
    reader.say("いちにさんよんごろく");
    ASSERT_TRUE(reader.heard("701 BEGIN"));
    speech->playResult(u"<NUMK VAL=7>");
    ASSERT_TRUE(reader.heard("702 END")) << reader.received();
    EXPECT_EQ(reader.received().find("703 CANCELED"), std::string::npos) << "cut off";
    EXPECT_TRUE(waitUntil([&] { return !speech->playing(); })) << "the result is heard after";
}

} // namespace
} // namespace quill
