#pragma once
// Builds small PCX files byte by byte for the image tests.

#include <QByteArray>
#include <QList>
#include <QRgb>

namespace tav::test
{

struct PcxLayout {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 8;
    int planes = 1;
    int bytesPerLine = 0;
    int encoding = 1; // 1 = run-length encoded
};

inline void putWord(QByteArray &d, int at, int value)
{
    d[at] = char(value & 0xFF);
    d[at + 1] = char((value >> 8) & 0xFF);
}

inline QByteArray pcxHeader(const PcxLayout &l)
{
    QByteArray h(128, '\0');
    h[0] = char(0x0A);
    h[1] = char(5);
    h[2] = char(l.encoding);
    h[3] = char(l.bitsPerPixel);
    putWord(h, 4, 0);
    putWord(h, 6, 0);
    putWord(h, 8, l.width - 1);
    putWord(h, 10, l.height - 1);
    h[65] = char(l.planes);
    putWord(h, 66, l.bytesPerLine);
    putWord(h, 68, 1);
    return h;
}

// Run-length encodes bytes the way PCX writers do: runs of up to 63 equal bytes, and
// single bytes of 0xC0 and above escaped as a run of one.
inline QByteArray pcxRle(const QByteArray &raw)
{
    QByteArray out;
    int i = 0;
    while (i < raw.size()) {
        int run = 1;
        while (i + run < raw.size() && raw[i + run] == raw[i] && run < 63)
            ++run;
        if (run > 1 || quint8(raw[i]) >= 0xC0)
            out.append(char(0xC0 | run));
        out.append(raw[i]);
        i += run;
    }
    return out;
}

// The 256-colour palette block at the end of an 8-bit file; unnamed entries are black.
inline QByteArray pcxPalette(const QList<QPair<int, QRgb>> &entries)
{
    QByteArray p(769, '\0');
    p[0] = char(0x0C);
    for (const auto &e : entries) {
        p[1 + 3 * e.first] = char(qRed(e.second));
        p[2 + 3 * e.first] = char(qGreen(e.second));
        p[3 + 3 * e.first] = char(qBlue(e.second));
    }
    return p;
}

} // namespace tav::test
