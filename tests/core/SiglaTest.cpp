// The splash jingle must be a Standard MIDI File that any player accepts:
// chunks of the declared lengths, every event complete, every note ended,
// the track closed by its end-of-track event.
#include <QFile>

#include <gtest/gtest.h>

#include <map>

namespace {

struct Reader {
    QByteArray bytes;
    qsizetype at = 0;
    bool ok = true;

    quint8 byte() {
        if (at >= bytes.size()) {
            ok = false;
            return 0;
        }
        return static_cast<quint8>(bytes.at(at++));
    }
    quint32 big(int n) {
        quint32 v = 0;
        for (int i = 0; i < n; ++i)
            v = (v << 8) | byte();
        return v;
    }
    quint32 vlq() {
        quint32 v = 0;
        for (int i = 0; i < 4; ++i) {
            const quint8 b = byte();
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return v;
        }
        ok = false;
        return v;
    }
};

QByteArray sigla() {
    QFile file(QStringLiteral(TUBAREX_RESOURCES "/Sigla.mid"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(Sigla, IsAWellFormedMidiFile) {
    Reader r{sigla()};
    ASSERT_FALSE(r.bytes.isEmpty());
    ASSERT_EQ(r.bytes.left(4), QByteArray("MThd"));
    r.at = 4;
    ASSERT_EQ(r.big(4), 6u);
    const quint32 format = r.big(2);
    const quint32 tracks = r.big(2);
    const quint32 division = r.big(2);
    EXPECT_LE(format, 1u);
    ASSERT_GE(tracks, 1u);
    ASSERT_GT(division, 0u);
    ASSERT_LT(division, 0x8000u); // ticks per quarter note, not SMPTE

    quint64 longestTicks = 0;
    quint32 tempo = 500000; // microseconds per quarter note until set
    int notesPlayed = 0;
    for (quint32 t = 0; t < tracks; ++t) {
        ASSERT_EQ(r.bytes.mid(r.at, 4), QByteArray("MTrk"));
        r.at += 4;
        const quint32 length = r.big(4);
        const qsizetype end = r.at + length;
        ASSERT_LE(end, r.bytes.size());
        quint64 ticks = 0;
        quint8 status = 0;
        bool ended = false;
        std::map<int, int> sounding; // channel * 128 + key -> count
        while (r.ok && r.at < end && !ended) {
            ticks += r.vlq();
            quint8 b = r.byte();
            if (b == 0xFF) {
                const quint8 type = r.byte();
                const quint32 size = r.vlq();
                if (type == 0x51 && size == 3)
                    tempo = r.big(3);
                else
                    r.at += size;
                ended = type == 0x2F;
                continue;
            }
            ASSERT_NE(b, 0xF0) << "no system-exclusive data expected";
            if (b & 0x80) {
                status = b;
                b = r.byte();
            }
            ASSERT_NE(status, 0) << "running status without a status byte";
            const int kind = status & 0xF0;
            const int channel = status & 0x0F;
            const bool oneDataByte = kind == 0xC0 || kind == 0xD0;
            const quint8 data2 = oneDataByte ? 0 : r.byte();
            ASSERT_LT(b, 0x80);
            ASSERT_LT(data2, 0x80);
            if (kind == 0x90 && data2 > 0) {
                ++sounding[channel * 128 + b];
                ++notesPlayed;
            } else if (kind == 0x80 || (kind == 0x90 && data2 == 0)) {
                ASSERT_GT(sounding[channel * 128 + b], 0) << "note off without note on";
                --sounding[channel * 128 + b];
            }
        }
        ASSERT_TRUE(r.ok);
        EXPECT_TRUE(ended);
        EXPECT_EQ(r.at, end) << "track length does not match its events";
        for (const auto& [key, count] : sounding)
            EXPECT_EQ(count, 0) << "note " << key << " never ends";
        longestTicks = std::max(longestTicks, ticks);
    }
    EXPECT_EQ(r.at, r.bytes.size());
    EXPECT_GT(notesPlayed, 8);
    // A jingle, not a concert: a few seconds.
    const double seconds = double(longestTicks) / division * tempo / 1e6;
    EXPECT_GT(seconds, 3.0);
    EXPECT_LT(seconds, 20.0);
}
