#pragma once
// What every fuzz target shares: reading the fuzzer's bytes as a stream of
// small decisions, and a check that stops the run loudly, so that libFuzzer
// keeps the input and the corpus replay fails.

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, what)                                                           \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "%s:%d: check failed: %s\n  %s\n", __FILE__, __LINE__,     \
                         #condition, qPrintable(QString(what)));                              \
            std::abort();                                                                     \
        }                                                                                     \
    } while (false)

// The input as a stream; past its end every read gives zeros, so a short
// input is still a complete, if dull, scenario.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    quint16 word() { return quint16(byte() | (byte() << 8)); }
    // Up to `count` bytes (fewer at the end of the input).
    QByteArray bytes(size_t count)
    {
        const size_t n = std::min(count, m_size - std::min(m_pos, m_size));
        QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), qsizetype(n));
        m_pos += n;
        return out;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};
