#pragma once
// A stand-in for the sound server that behaves like one in time: it plays at the sample rate
// and takes at most 250 ms ahead (a write blocks while its buffer is full, as PulseAudio's
// does with the buffer the engine asks for). It notes when the first samples after a flush (a
// phrase that cut in) or after arm() arrive.
#include "speech/sound_output.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace quill::bench {

class SoundClock : public SoundOutput {
public:
    using Clock = std::chrono::steady_clock;
    explicit SoundClock(int sampleRate) : rate_(sampleRate) {}

    bool write(const short*, std::size_t count) override {
        std::unique_lock lock(mutex_);
        const auto now = Clock::now();
        if (armed_) {
            armed_ = false;
            firstSamples_ = now;
            ++marks_;
            cv_.notify_all();
        }
        if (playedUntil_ < now) playedUntil_ = now;
        playedUntil_ += std::chrono::microseconds(count * 1000000 / rate_);
        const auto ahead = playedUntil_ - now;
        lock.unlock();
        if (ahead > std::chrono::milliseconds(250))
            std::this_thread::sleep_for(ahead - std::chrono::milliseconds(250));
        return true;
    }
    void flush() override {
        std::lock_guard lock(mutex_);
        playedUntil_ = Clock::now();
        armed_ = true;
    }
    void drain() override {}

    // The next first samples are those of a phrase handed over from now.
    void arm() {
        std::lock_guard lock(mutex_);
        armed_ = true;
    }
    // How many first samples have been noted so far.
    std::uint64_t marks() {
        std::lock_guard lock(mutex_);
        return marks_;
    }
    // Waits for first samples noted after `marks` of them; their time.
    Clock::time_point waitForFirstSamples(std::uint64_t marks) {
        std::unique_lock lock(mutex_);
        cv_.wait(lock, [&] { return marks_ > marks; });
        return firstSamples_;
    }

private:
    const int rate_;
    std::mutex mutex_;
    std::condition_variable cv_;
    Clock::time_point playedUntil_{};
    Clock::time_point firstSamples_{};
    bool armed_ = false;
    std::uint64_t marks_ = 0;
};

} // namespace quill::bench
