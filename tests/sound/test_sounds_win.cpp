#include "sound/test_sounds_win.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace zentrava {

namespace {

// Wine shows the Unix root as drive Z:.

void PutLe(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

constexpr std::uint32_t Tag(const char* tag) {
    return std::uint32_t(std::uint8_t(tag[0])) | std::uint32_t(std::uint8_t(tag[1])) << 8 |
           std::uint32_t(std::uint8_t(tag[2])) << 16 | std::uint32_t(std::uint8_t(tag[3])) << 24;
}

std::uint32_t GetLe(const std::vector<unsigned char>& in, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | in[at + static_cast<std::size_t>(i)];
    }
    return value;
}

// Half a second of 440 Hz, 16-bit mono at 22050 Hz.

// Bytes that no decoder takes for sound, the same on every run.

// Every stream that opens the output starts the capture anew; removing it first means a

// capture that is there afterwards came from this playback.

// The median leaves out the blocks at a burst's edges and an MP3's quiet start and end.

double MedianBlockRms(const std::vector<std::vector<std::int16_t>>& bursts, std::size_t block) {
    std::vector<double> rms;
    for (const std::vector<std::int16_t>& burst : bursts) {
        for (std::size_t at = 0; at + block <= burst.size(); at += block) {
            double sum = 0;
            for (std::size_t i = at; i < at + block; ++i) {
                sum += double(burst[i]) * burst[i];
            }
            rms.push_back(std::sqrt(sum / double(block)));
        }
    }
    if (rms.empty()) {
        return 0;
    }
    std::nth_element(rms.begin(), rms.begin() + rms.size() / 2, rms.end());
    return rms[rms.size() / 2];
}

// The median of the periods between rising crossings, counted with hysteresis: the faint
// ringing at a burst's edges does not count, and the few periods broken where Wine joined two
// pieces of the stream do not move the median.
double PitchHz(const std::vector<std::vector<std::int16_t>>& bursts, unsigned rate,
               double threshold) {
    std::vector<std::size_t> periods;
    for (const std::vector<std::int16_t>& burst : bursts) {
        bool high = false;
        bool seenLow = false;
        std::size_t lastRise = 0;
        bool rose = false;
        for (std::size_t i = 0; i < burst.size(); ++i) {
            if (burst[i] < -threshold) {
                high = false;
                seenLow = true;
            } else if (burst[i] > threshold && !high && seenLow) {
                high = true;
                if (rose) {
                    periods.push_back(i - lastRise);
                }
                rose = true;
                lastRise = i;
            }
        }
    }
    if (periods.empty()) {
        return 0;
    }
    std::nth_element(periods.begin(), periods.begin() + periods.size() / 2, periods.end());
    return double(rate) / double(periods[periods.size() / 2]);
}

} // namespace

bool UnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

std::string FromUnixPath(std::string path) {
    if (!path.empty() && path.front() == '/') {
        path = "Z:" + path;
    }
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

std::vector<unsigned char> ReadFileBytes(const std::string& path) {
    std::vector<unsigned char> bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        return bytes;
    }
    unsigned char chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    std::fclose(f);
    return bytes;
}

std::vector<unsigned char> ToneWav(double seconds, double hz) {
    const auto frames = static_cast<std::uint32_t>(seconds * kToneRate);
    const std::uint32_t dataBytes = frames * 2;
    std::vector<unsigned char> out;
    PutLe(out, Tag("RIFF"), 4);
    PutLe(out, 36 + dataBytes, 4);
    PutLe(out, Tag("WAVE"), 4);
    PutLe(out, Tag("fmt "), 4);
    PutLe(out, 16, 4);
    PutLe(out, WAVE_FORMAT_PCM, 2);
    PutLe(out, 1, 2);             // channels
    PutLe(out, kToneRate, 4);     // frames per second
    PutLe(out, kToneRate * 2, 4); // bytes per second
    PutLe(out, 2, 2);             // block align
    PutLe(out, 16, 2);            // bits per sample
    PutLe(out, Tag("data"), 4);
    PutLe(out, dataBytes, 4);
    for (unsigned i = 0; i < frames; ++i) {
        const double s = kToneAmplitude * std::sin(2.0 * std::numbers::pi * hz * i / kToneRate);
        PutLe(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(s))), 2);
    }
    return out;
}

std::vector<unsigned char> NoiseBytes() {
    std::vector<unsigned char> out(20000);
    std::uint32_t x = 12345;
    for (unsigned char& c : out) {
        x = x * 1103515245u + 12345u;
        c = static_cast<unsigned char>(x >> 16);
    }
    return out;
}

std::string CapturePath() {
    const char* path = std::getenv("ZENTRAVA_AUDIO_CAPTURE");
    return path != nullptr && *path != '\0' ? FromUnixPath(path) : std::string();
}

void ForgetCapture() {
    DeleteFileA(CapturePath().c_str());
}

Capture ReadCapture(const std::string& path) {
    Capture c;
    const std::vector<unsigned char> b = ReadFileBytes(path);
    if (b.size() < 12 || GetLe(b, 0, 4) != Tag("RIFF")) {
        return c;
    }
    std::size_t at = 12;
    std::size_t data = 0;
    unsigned bits = 0;
    while (at + 8 <= b.size()) {
        const std::uint32_t id = GetLe(b, at, 4);
        const std::uint32_t size = GetLe(b, at + 4, 4);
        if (id == Tag("fmt ") && at + 24 <= b.size()) {
            c.channels = GetLe(b, at + 10, 2);
            c.rate = GetLe(b, at + 12, 4);
            bits = GetLe(b, at + 22, 2);
        }
        if (id == Tag("data")) {
            data = at + 8;
            break;
        }
        at += 8 + size + (size & 1);
    }
    if (data == 0 || bits != 16 || c.channels == 0 || c.rate == 0) {
        return c;
    }
    c.found = true;
    const std::size_t frameBytes = 2u * c.channels;
    const std::size_t frames = (b.size() - data) / frameBytes;
    // Each burst as interleaved samples, and its first channel alone.
    std::vector<std::vector<std::int16_t>> bursts(1);
    std::vector<std::vector<std::int16_t>> firsts(1);
    for (std::size_t f = 0; f < frames; ++f) {
        std::vector<std::int16_t> frame;
        for (unsigned ch = 0; ch < c.channels; ++ch) {
            frame.push_back(static_cast<std::int16_t>(GetLe(b, data + f * frameBytes + 2 * ch, 2)));
        }
        if (std::all_of(frame.begin(), frame.end(), [](std::int16_t s) { return s == 0; })) {
            if (!bursts.back().empty()) {
                bursts.emplace_back();
                firsts.emplace_back();
            }
            continue;
        }
        ++c.soundFrames;
        bursts.back().insert(bursts.back().end(), frame.begin(), frame.end());
        firsts.back().push_back(frame.front());
    }
    c.level = MedianBlockRms(bursts, c.rate / 100 * c.channels);
    c.pitchHz = PitchHz(firsts, c.rate, c.level / 4);
    return c;
}

} // namespace zentrava
