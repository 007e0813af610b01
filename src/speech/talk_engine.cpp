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

namespace {

using Clock = std::chrono::steady_clock;

// Sound handed to the output is heard a little later than the samples' own length says: the
// server's and the device's latency.
constexpr auto kOutputLatency = std::chrono::milliseconds(100);

std::int64_t nowTicks() {
    return Clock::now().time_since_epoch().count();
}

} // namespace

// The engine's thread: opens espeak-ng, then takes phrases from the queue, synthesises them and
// hands the samples to the sound output as they come. A phrase that is cut off stops its
// synthesis at the next chunk, and what of it is still buffered is flushed.
class TalkEngine::Player {
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

    // A phrase waits, is being synthesised, or its samples have not all been heard yet.
    bool playing() const {
        {
            std::lock_guard lock(mutex_);
            if (busy_ || !queue_.empty()) return true;
        }
        return nowTicks() < heardUntil_.load();
    }

private:
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
        return queue_.take();
    }

    bool cutOff(std::uint64_t generation) const {
        return stopping_.load() || generation_.load() != generation;
    }

    void speak(const speech::PhraseQueue::Job& job) {
        if (!output_) output_ = openOutput_(speech::espeakSampleRate());
        if (!output_) return; // no sound server now; a later phrase tries again
        // What is still buffered of a phrase that was cut off is not heard.
        if (lastGeneration_ != 0 && job.generation != lastGeneration_) output_->flush();
        lastGeneration_ = job.generation;
        bool failed = false;
        // Handed on in short pieces: a write may wait while the output's buffer is full, and a
        // phrase that cuts in waits at most one piece for it.
        const int rate = speech::espeakSampleRate();
        const std::size_t piece = std::max(1, rate / 200); // 5 ms
        speech::synthesizeWithEspeak(job.text, [&](const short* samples, std::size_t count) {
            for (std::size_t at = 0; at < count && !failed; at += piece) {
                if (cutOff(job.generation)) return false;
                const std::size_t n = std::min(piece, count - at);
                countHeard(n, rate);
                failed = !output_->write(samples + at, n);
            }
            return !failed;
        });
        if (failed) {
            output_.reset(); // the server went away: open again for the next phrase
        } else if (cutOff(job.generation) && !stopping_) {
            // Cut off: its buffered rest is dropped now, not only when a next phrase begins (a
            // stop has none after it).
            output_->flush();
            lastGeneration_ = 0;
        }
    }

    // Samples handed to the output play after those before them, in real time.
    void countHeard(std::size_t count, int rate) {
        if (rate <= 0) return;
        const auto length = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(double(count) / rate));
        const std::int64_t start =
            std::max(heardUntil_.load(), nowTicks() + Clock::duration(kOutputLatency).count());
        heardUntil_ = start + length.count();
    }

    OutputOpener openOutput_;
    std::unique_ptr<SoundOutput> output_; // the engine thread's alone
    std::uint64_t lastGeneration_ = 0;    // the engine thread's alone; 0 before the first

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool busy_ = false;                       // a phrase taken and not yet all handed over
    std::atomic<std::int64_t> heardUntil_{0}; // Clock ticks when the last sample is heard
    speech::PhraseQueue queue_;
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
    speech::synthesizeWithEspeak(toUtf8(espeakText(phrase)),
                                 [&](const short* chunk, std::size_t count) {
                                     samples.insert(samples.end(), chunk, chunk + count);
                                     return true;
                                 });
    return samples;
}

bool TalkEngine::speakTo(std::u16string_view phrase, SoundOutput& output) {
    if (!ready()) return false;
    bool ok = true;
    const bool synthesised = speech::synthesizeWithEspeak(
        toUtf8(espeakText(phrase)), [&](const short* chunk, std::size_t count) {
            ok = output.write(chunk, count);
            return ok;
        });
    return synthesised && ok;
}

} // namespace quill
