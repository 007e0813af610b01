#include "engine/jtext.h"
#include "speech/espeak_session.h"
#include "speech/phrase_queue.h"
#include "speech/speak.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace quill {

// The engine's thread: opens espeak-ng, then takes phrases from the queue, synthesises them and
// hands the samples to the sound output as they come. A phrase that is cut off stops its
// synthesis at the next chunk, and what of it is still buffered is flushed.
class TalkEngine::Player {
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kAhead{100};
    // Sound handed on is heard a little after its own length says: the server's and the
    // device's latency.
    static constexpr std::chrono::milliseconds kLatency{100};

public:
    explicit Player(OutputOpener openOutput) : openOutput_(std::move(openOutput)) {
        thread_ = std::thread([this] { run(); });
    }
    ~Player() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    bool ready() const { return ready_.load(); }

    void setVoice(const Voice& voice) {
        std::lock_guard lock(mutex_);
        voice_ = voice;
    }

    void whenReady(std::function<void()> notice) {
        {
            std::lock_guard lock(mutex_);
            if (!ready_) {
                if (!failed_) notices_.push_back(std::move(notice));
                return;
            }
        }
        notice();
    }

    void add(std::string text, bool result) {
        {
            std::lock_guard lock(mutex_);
            if (!busy_ && !stillHeard()) queue_.ended();
            if (result)
                queue_.follow(std::move(text));
            else
                queue_.cutIn(std::move(text));
            generation_ = queue_.generation();
        }
        wake_.notify_all();
    }

    // Drops what waits and cuts off what is being spoken (its buffered rest is flushed).
    void stop() {
        {
            std::lock_guard lock(mutex_);
            queue_.clear();
            generation_ = queue_.generation();
        }
        heardUntil_ = 0;
        wake_.notify_all();
    }

    // A phrase waits, is being synthesised, or what was handed on has not all been heard.
    bool playing() const {
        {
            std::lock_guard lock(mutex_);
            if (busy_ || !queue_.empty()) return true;
        }
        return stillHeard();
    }

private:
    bool stillHeard() const { return Clock::now().time_since_epoch().count() < heardUntil_.load(); }

    void run() {
        const bool opened = speech::openEspeak();
        std::vector<std::function<void()>> notices;
        {
            std::lock_guard lock(mutex_);
            ready_ = opened;
            failed_ = !opened;
            notices.swap(notices_);
        }
        if (!opened) return;
        for (auto& notice : notices) notice();
        while (auto job = next()) {
            speak(*job);
            std::lock_guard lock(mutex_);
            busy_ = false;
        }
    }

    std::optional<speech::PhraseQueue::Job> next() {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) return std::nullopt;
        busy_ = true;
        speaking_ = voice_;
        return queue_.take();
    }

    bool cutOff(std::uint64_t generation) const {
        return stopping_.load() || generation_.load() != generation;
    }

    // Waits while more than kAhead of the sound handed on is still to be heard (reckoned
    // from the sample rate: the server's own figure includes the device's latency); false as
    // soon as the phrase is cut off.
    bool waitForRoom(std::uint64_t generation) {
        for (;;) {
            if (cutOff(generation)) return false;
            const auto ahead = heardBy_ - Clock::now();
            if (ahead <= kAhead) return true;
            std::unique_lock lock(mutex_);
            wake_.wait_for(lock, ahead - kAhead, [&] { return cutOff(generation); });
        }
    }

    bool write(const short* samples, std::size_t count, int rate) {
        heardBy_ = std::max(heardBy_, Clock::now()) +
                   std::chrono::microseconds(count * 1000000 / static_cast<std::size_t>(rate));
        heardUntil_ = (heardBy_ + kLatency).time_since_epoch().count();
        return output_->write(samples, count);
    }

    void speak(const speech::PhraseQueue::Job& job) {
        if (!output_) output_ = openOutput_(speech::espeakSampleRate());
        if (!output_) return; // no sound server now; a later phrase tries again
        // What is still buffered of a phrase that was cut off is not heard.
        if (lastGeneration_ != 0 && job.generation != lastGeneration_) {
            output_->flush();
            heardBy_ = Clock::now();
        }
        lastGeneration_ = job.generation;
        bool failed = false;
        // Handed on in short pieces, never far ahead of what is heard: a phrase that cuts in
        // finds the engine waiting here, not inside the output.
        const int rate = speech::espeakSampleRate();
        const std::size_t piece = std::max(1, rate / 200); // 5 ms
        const auto handOn = [&](const short* samples, std::size_t count) {
            for (std::size_t at = 0; at < count && !failed; at += piece) {
                if (!waitForRoom(job.generation)) return false;
                failed = !write(samples + at, std::min(piece, count - at), rate);
            }
            return !failed;
        };
        speech::synthesizeWithEspeak(job.text, handOn, speaking_);
        if (failed) {
            output_.reset(); // the server went away: open again for the next phrase
        } else if (cutOff(job.generation) && !stopping_) {
            // Cut off: its buffered rest is dropped now, not only when a next phrase begins (a
            // stop has none after it).
            output_->flush();
            heardBy_ = Clock::now();
            lastGeneration_ = 0;
        }
    }

    OutputOpener openOutput_;
    std::unique_ptr<SoundOutput> output_; // the engine thread's alone
    std::uint64_t lastGeneration_ = 0;    // the engine thread's alone; 0 before the first
    Clock::time_point heardBy_{};         // the engine thread's: when all handed on is heard
    Voice speaking_;                      // the engine thread's: the voice of the phrase begun

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool busy_ = false;                     // a phrase taken and not yet all handed on
    std::atomic<Clock::rep> heardUntil_{0}; // when all handed on has been heard, for playing()
    speech::PhraseQueue queue_;
    Voice voice_;
    std::vector<std::function<void()>> notices_;
    std::atomic<std::uint64_t> generation_{0};
    std::atomic<bool> stopping_{false};
    std::atomic<bool> ready_{false};
    bool failed_ = false;
    std::thread thread_;
};

TalkEngine::TalkEngine(std::unique_ptr<Player> player) : player_(std::move(player)) {}

TalkEngine::~TalkEngine() = default;

std::unique_ptr<TalkEngine> TalkEngine::create(OutputOpener openOutput) {
    return std::unique_ptr<TalkEngine>(
        new TalkEngine(std::make_unique<Player>(std::move(openOutput))));
}

std::unique_ptr<TalkEngine> TalkEngine::createForRetrieval() {
    if (!speech::openEspeak()) return nullptr;
    return std::unique_ptr<TalkEngine>(new TalkEngine(nullptr));
}

bool TalkEngine::ready() const {
    return player_ ? player_->ready() : true;
}

void TalkEngine::whenReady(std::function<void()> notice) {
    if (player_)
        player_->whenReady(std::move(notice));
    else
        notice();
}

void TalkEngine::play(std::u16string_view phrase) {
    if (player_)
        player_->add(toUtf8(espeakText(phrase)), false);
    else
        synthesize(phrase);
}

void TalkEngine::playResult(std::u16string_view phrase) {
    if (player_)
        player_->add(toUtf8(espeakText(phrase)), true);
    else
        synthesize(phrase);
}

void TalkEngine::setVoice(const Voice& voice) {
    {
        std::lock_guard lock(voiceMutex_);
        voice_ = voice;
    }
    if (player_) player_->setVoice(voice);
}

Voice TalkEngine::voice() const {
    std::lock_guard lock(voiceMutex_);
    return voice_;
}

void TalkEngine::stop() {
    if (player_) player_->stop();
}

bool TalkEngine::playing() const {
    return player_ && player_->playing();
}

int TalkEngine::sampleRate() const {
    return ready() ? speech::espeakSampleRate() : 0;
}

std::vector<short> TalkEngine::synthesize(std::u16string_view phrase) {
    std::vector<short> samples;
    if (!ready()) return samples;
    const auto keep = [&](const short* chunk, std::size_t count) {
        samples.insert(samples.end(), chunk, chunk + count);
        return true;
    };
    speech::synthesizeWithEspeak(toUtf8(espeakText(phrase)), keep, voice());
    return samples;
}

bool TalkEngine::speakTo(std::u16string_view phrase, SoundOutput& output) {
    if (!ready()) return false;
    bool ok = true;
    const auto handOn = [&](const short* chunk, std::size_t count) {
        ok = output.write(chunk, count);
        return ok;
    };
    const bool synthesised =
        speech::synthesizeWithEspeak(toUtf8(espeakText(phrase)), handOn, voice());
    return synthesised && ok;
}

} // namespace quill
