#pragma once
// Sounds the tests write and the sound they can read back: a sine tone as a WAV file, noise,
// and the capture file that Wine's sound output goes to under scripts/wine-run
// ($ZENTRAVA_AUDIO_CAPTURE, 16-bit PCM WAV written by ALSA). The capture's device never
// blocks, so Wine delivers sound in bursts with silence between them: level and pitch are
// faithful, duration and timing are not.

#include <cstddef>
#include <string>
#include <vector>

namespace zentrava {

inline constexpr unsigned kToneRate = 22050;
inline constexpr double kToneHz = 440.0;
inline constexpr double kToneAmplitude = 16000.0;

bool UnderWine();
std::string TempPath(const char* name);
// Wine shows the Unix root as drive Z:.
std::string FromUnixPath(std::string path);
bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadFileBytes(const std::string& path);
// A sine (440 Hz unless told), 16-bit mono at 22050 Hz.
std::vector<unsigned char> ToneWav(double seconds = 0.5, double hz = kToneHz);
// Bytes that are no sound format at all.
std::vector<unsigned char> NoiseBytes();

// The capture file as a Windows path; empty when sound is not captured.
std::string CapturePath();
// Every stream that opens the output starts the capture anew; removing it first means a
// capture that is there afterwards came from what the test played.
void ForgetCapture();

// What ALSA's file plugin wrote. The header's sizes are fixed only when the stream closes, so
// the samples are everything after the data chunk's header. Between the bursts the output is
// exact digital silence, so the sound is every frame with a sample that is not zero.
struct Capture {
    bool found = false;
    unsigned rate = 0;
    unsigned channels = 0;
    std::size_t soundFrames = 0;
    double level = 0;   // the median RMS of the sound's 10 ms blocks, in sample units
    double pitchHz = 0; // from the first channel
};
Capture ReadCapture(const std::string& path);

} // namespace zentrava
