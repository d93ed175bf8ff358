// Writes the tool's two alert sounds as 16-bit mono PCM WAV files:
//   makewav BUZZ.WAV buzz | makewav ALARM.WAV alarm
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
constexpr int kRate = 22050;

void put16(std::vector<unsigned char> &out, uint16_t v)
{
    out.push_back(v & 0xFF);
    out.push_back(v >> 8);
}

void put32(std::vector<unsigned char> &out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A tone with short fades so that it does not click.
void tone(std::vector<int16_t> &pcm, double hz, double seconds, double level)
{
    const int n = int(seconds * kRate);
    const int fade = kRate / 100;
    for (int i = 0; i < n; ++i) {
        double env = 1.0;
        if (i < fade)
            env = double(i) / fade;
        else if (n - i < fade)
            env = double(n - i) / fade;
        const double s = std::sin(2 * M_PI * hz * i / kRate);
        // A little of the third harmonic makes it cut through workshop noise.
        const double v = 0.8 * s + 0.2 * std::sin(6 * M_PI * hz * i / kRate);
        pcm.push_back(int16_t(v * env * level * 32767));
    }
}

void silence(std::vector<int16_t> &pcm, double seconds)
{
    pcm.insert(pcm.end(), size_t(seconds * kRate), 0);
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: makewav FILE buzz|alarm\n");
        return 2;
    }
    std::vector<int16_t> pcm;
    if (std::strcmp(argv[2], "buzz") == 0) {
        for (int i = 0; i < 3; ++i) {
            tone(pcm, 880, 0.15, 0.7);
            silence(pcm, 0.08);
        }
    } else if (std::strcmp(argv[2], "alarm") == 0) {
        for (int i = 0; i < 4; ++i) {
            tone(pcm, 660, 0.25, 0.8);
            tone(pcm, 990, 0.25, 0.8);
        }
    } else {
        std::fprintf(stderr, "unknown sound %s\n", argv[2]);
        return 2;
    }

    std::vector<unsigned char> out;
    const uint32_t dataBytes = uint32_t(pcm.size() * 2);
    for (char c : {'R', 'I', 'F', 'F'}) out.push_back(c);
    put32(out, 36 + dataBytes);
    for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) out.push_back(c);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, kRate);
    put32(out, kRate * 2);
    put16(out, 2);
    put16(out, 16);
    for (char c : {'d', 'a', 't', 'a'}) out.push_back(c);
    put32(out, dataBytes);
    for (int16_t s : pcm)
        put16(out, uint16_t(s));

    FILE *f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size()) {
        std::perror(argv[1]);
        return 1;
    }
    std::fclose(f);
    return 0;
}
