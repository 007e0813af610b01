#pragma once
// A stand-in for the desktop's speech service: it listens on a socket of its own, answers the
// commands of the speech service's protocol as the service does, and keeps what it was sent.
// Messages are never spoken: each stays unfinished until the test ends it.
#include <gtest/gtest.h>

#include <cctype>
#include <mutex>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quill::test {

class FakeSpeechService {
public:
    // `rate`, `volume`, `pitch`: the user's own settings the service reports.
    FakeSpeechService(int rate, int volume, int pitch)
        : path_(testing::TempDir() + "quill-ssip-" + std::to_string(getpid()) + ".sock"),
          rate_(rate), volume_(volume), pitch_(pitch) {
        ::unlink(path_.c_str());
        listener_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path_.copy(address.sun_path, sizeof(address.sun_path) - 1);
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            ::listen(listener_, 1) != 0)
            ADD_FAILURE() << "cannot listen on " << path_;
        thread_ = std::thread([this] { serve(); });
    }
    ~FakeSpeechService() {
        ::shutdown(listener_, SHUT_RDWR);
        goAway();
        thread_.join();
        ::close(listener_);
        ::unlink(path_.c_str());
    }

    const std::string& path() const { return path_; }

    // The commands received in capitals (the protocol ignores case), the data of a SPEAK as
    // "SPEAK text".
    std::vector<std::string> received() const {
        std::lock_guard lock(mutex_);
        return received_;
    }
    void forget() {
        std::lock_guard lock(mutex_);
        received_.clear();
    }

    // Reports that the message has been spoken to its end.
    void end(int id) {
        std::lock_guard lock(mutex_);
        send(event(id, "702 END"));
        std::erase(open_, id);
    }

    // The service goes away: the connection is closed.
    void goAway() {
        std::lock_guard lock(mutex_);
        if (client_ >= 0) ::shutdown(client_, SHUT_RDWR);
    }

private:
    static std::string event(int id, const char* what) {
        return std::to_string(atoi(what)) + "-" + std::to_string(id) + "\r\n" +
               std::to_string(atoi(what)) + "-1\r\n" + what + "\r\n";
    }

    void send(const std::string& text) {
        if (client_ >= 0) (void)!::write(client_, text.data(), text.size());
    }

    std::string answer(const std::string& line) {
        auto starts = [&](const char* p) { return line.rfind(p, 0) == 0; };
        auto value = [](int v) {
            return "251-" + std::to_string(v) + "\r\n251 OK GET RETURNED\r\n";
        };
        if (starts("SET SELF CLIENT_NAME")) return "208 OK CLIENT NAME SET\r\n";
        if (starts("SET SELF LANGUAGE")) return "201 OK LANGUAGE SET\r\n";
        if (starts("SET SELF PRIORITY")) return "202 OK PRIORITY SET\r\n";
        if (starts("SET SELF RATE")) return "203 OK RATE SET\r\n";
        if (starts("SET SELF PITCH")) return "204 OK PITCH SET\r\n";
        if (starts("SET SELF VOLUME")) return "218 OK VOLUME SET\r\n";
        if (starts("SET SELF NOTIFICATION")) return "220 OK NOTIFICATION SET\r\n";
        if (line == "GET RATE") return value(rate_);
        if (line == "GET VOLUME") return value(volume_);
        if (line == "GET PITCH") return value(pitch_);
        if (line == "SPEAK") {
            speaking_ = true;
            return "230 OK RECEIVING DATA\r\n";
        }
        if (line == "CANCEL SELF") {
            std::string reply = "213 OK CANCELED\r\n";
            for (int id : open_) reply += event(id, "703 CANCELED");
            open_.clear();
            return reply;
        }
        if (line == "QUIT") return "231 HAPPY HACKING\r\n";
        return "500 ERR INVALID COMMAND\r\n";
    }

    void take(const std::string& line) {
        std::lock_guard lock(mutex_);
        if (speaking_ && line != ".") {
            text_ += text_.empty() ? line : "\n" + line;
            return;
        }
        if (speaking_) {
            speaking_ = false;
            received_.push_back("SPEAK " + text_);
            text_.clear();
            open_.push_back(++lastId_);
            send("225-" + std::to_string(lastId_) + "\r\n225 OK MESSAGE QUEUED\r\n");
            return;
        }
        std::string command = line;
        for (char& c : command) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        received_.push_back(command);
        send(answer(command));
    }

    // One connection after another (a caller may look whether anything listens first).
    void serve() {
        for (;;) {
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0) return;
            {
                std::lock_guard lock(mutex_);
                client_ = client;
            }
            talk(client);
            std::lock_guard lock(mutex_);
            ::close(client_);
            client_ = -1;
        }
    }

    void talk(int client) {
        std::string buffer;
        char chunk[4096];
        for (;;) {
            const ssize_t n = ::read(client, chunk, sizeof chunk);
            if (n <= 0) return;
            buffer.append(chunk, static_cast<std::size_t>(n));
            for (auto end = buffer.find("\r\n"); end != std::string::npos;
                 end = buffer.find("\r\n")) {
                take(buffer.substr(0, end));
                buffer.erase(0, end + 2);
            }
        }
    }

    std::string path_;
    int rate_, volume_, pitch_;
    int listener_ = -1;
    std::thread thread_;

    mutable std::mutex mutex_;
    int client_ = -1;
    std::vector<std::string> received_;
    std::vector<int> open_; // queued, neither ended nor cancelled
    int lastId_ = 0;
    bool speaking_ = false; // between SPEAK and its closing "."
    std::string text_;
};

} // namespace quill::test
