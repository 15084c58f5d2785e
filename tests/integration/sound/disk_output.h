// Measuring what SDL's disk audio driver wrote: the mixed output as 16-bit stereo frames at
// 44100 Hz, plus test tones written as WAV files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lmn::sound::test {

inline constexpr int kRate = 44100;

// Routes the next opened audio output to file through the disk driver.
void UseDiskOutput(const std::string& file);

// A mono 16-bit WAV file of the given segments: each plays a sine of hz for seconds.
struct ToneSegment {
    double hz;
    double seconds;
};
void WriteToneWav(const std::string& path, const std::vector<ToneSegment>& segments, double amplitude = 8000);

// Frames written so far (left channel samples), waiting until at least minFrames are there.
std::vector<int16_t> WaitForFrames(const std::string& file, size_t minFrames);
size_t FramesWritten(const std::string& file);

// The first frame whose magnitude exceeds threshold; frames.size() when there is none.
size_t FirstSound(const std::vector<int16_t>& frames, int threshold = 200);
// Root mean square of frames [from, from + count).
double Rms(const std::vector<int16_t>& frames, size_t from, size_t count);
// Amplitude of the hz component in frames [from, from + count) (Goertzel).
double ToneLevel(const std::vector<int16_t>& frames, size_t from, size_t count, double hz);

}  // namespace lmn::sound::test
