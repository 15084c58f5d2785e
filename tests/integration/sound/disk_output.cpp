#include "disk_output.h"

#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace lmn::sound::test {

namespace {

void Put16(std::ofstream& out, uint16_t v) {
    out.put(static_cast<char>(v & 0xff)).put(static_cast<char>(v >> 8));
}
void Put32(std::ofstream& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v & 0xffff));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

}  // namespace

void UseDiskOutput(const std::string& file) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
}

void WriteToneWav(const std::string& path, const std::vector<ToneSegment>& segments, double amplitude) {
    std::vector<int16_t> samples;
    for (const auto& segment : segments) {
        size_t count = static_cast<size_t>(segment.seconds * kRate);
        for (size_t i = 0; i < count; ++i)
            samples.push_back(static_cast<int16_t>(amplitude * std::sin(2 * M_PI * segment.hz * i / kRate)));
    }
    std::ofstream out(path, std::ios::binary);
    uint32_t bytes = static_cast<uint32_t>(samples.size() * 2);
    out << "RIFF";
    Put32(out, 36 + bytes);
    out << "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, 1);
    Put32(out, kRate);
    Put32(out, kRate * 2);
    Put16(out, 2);
    Put16(out, 16);
    out << "data";
    Put32(out, bytes);
    for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
}

size_t FramesWritten(const std::string& file) {
    struct stat st;
    return stat(file.c_str(), &st) == 0 ? static_cast<size_t>(st.st_size) / 4 : 0;
}

std::vector<int16_t> WaitForFrames(const std::string& file, size_t minFrames) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (FramesWritten(file) < minFrames && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::vector<int16_t> left;
    std::ifstream in(file, std::ios::binary);
    unsigned char frame[4];
    while (in.read(reinterpret_cast<char*>(frame), 4))
        left.push_back(static_cast<int16_t>(frame[0] | (frame[1] << 8)));
    return left;
}

size_t FirstSound(const std::vector<int16_t>& frames, int threshold) {
    for (size_t i = 0; i < frames.size(); ++i)
        if (std::abs(frames[i]) > threshold) return i;
    return frames.size();
}

double Rms(const std::vector<int16_t>& frames, size_t from, size_t count) {
    double sum = 0;
    size_t n = 0;
    for (size_t i = from; i < from + count && i < frames.size(); ++i, ++n)
        sum += double(frames[i]) * frames[i];
    return n ? std::sqrt(sum / n) : 0;
}

double ToneLevel(const std::vector<int16_t>& frames, size_t from, size_t count, double hz) {
    double coeff = 2 * std::cos(2 * M_PI * hz / kRate);
    double s1 = 0, s2 = 0;
    size_t n = 0;
    for (size_t i = from; i < from + count && i < frames.size(); ++i, ++n) {
        double s = frames[i] + coeff * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    if (n == 0) return 0;
    double power = s1 * s1 + s2 * s2 - coeff * s1 * s2;
    return 2 * std::sqrt(std::max(power, 0.0)) / n;
}

}  // namespace lmn::sound::test
