#pragma once

#include <QByteArray>
#include <QtEndian>

// Bits per pixel from a Windows bitmap's header, or 0 if it is not one.
inline int bitmapBitCount(const QByteArray &bytes)
{
    if (bytes.size() < 30 || !bytes.startsWith("BM"))
        return 0;
    return qFromLittleEndian<quint16>(bytes.constData() + 28);
}
