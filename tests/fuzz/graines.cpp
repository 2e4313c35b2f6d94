// The fuzzer's first inputs, one file a format a teacher may use, written
// in the folder given: sounds as libsndfile writes them, pictures as Qt
// does, and a GIF, which Qt reads and does not write, built here.
#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <sndfile.h>

#include <cmath>
#include <cstdio>

namespace {
// 50 ms of a tone, or nothing where this libsndfile does not write the format.
void son(const QDir &dossier, const QString &nom, int format, int taux = 8000, int canaux = 1)
{
    SF_INFO info{0, taux, canaux, format, 0, 0};
    if (!sf_format_check(&info))
        return;
    SNDFILE *sf = sf_open(qPrintable(dossier.filePath(nom)), SFM_WRITE, &info);
    for (int i = 0; sf && i < taux / 20; ++i) {
        const std::vector<double> trame(canaux, 0.5 * std::sin(2 * M_PI * 440 * i / taux));
        sf_writef_double(sf, trame.data(), 1);
    }
    sf_close(sf);
}

// 16 × 16 in 128 colours, one 8-bit code a pixel and a clear code every 100,
// so that the codes never grow wider.
QByteArray gif()
{
    QByteArray g("GIF89a\x10\0\x10\0\xf6\0\0", 13);
    for (int i = 0; i < 128; ++i)
        g += QByteArray(1, char(i * 2)) + char(255 - i * 2) + char(i);
    g += QByteArray("\x2c\0\0\0\0\x10\0\x10\0\0\x07", 11);
    QByteArray codes;
    for (int p = 0; p < 256; ++p) {
        if (p % 100 == 0)
            codes += char(128);
        codes += char((p % 16 + p / 16) % 128);
    }
    codes += char(129);
    for (qsizetype d = 0; d < codes.size(); d += 255)
        g += char(std::min<qsizetype>(255, codes.size() - d)) + codes.mid(d, 255);
    return g + QByteArray("\0\x3b", 2);
}
}

int main(int argc, char *argv[])
{
    const QCoreApplication application(argc, argv); // for the image plugins
    if (argc != 2 || !QDir().mkpath(argv[1]))
        return std::fprintf(stderr, "usage: ecrit_graines FOLDER\n"), 2;
    const QDir dossier(argv[1]);
    son(dossier, "u8.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8);
    son(dossier, "16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    son(dossier, "24.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24);
    son(dossier, "32.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_32);
    son(dossier, "float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    son(dossier, "double.wav", SF_FORMAT_WAV | SF_FORMAT_DOUBLE);
    son(dossier, "stereo-extensible.wav", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 44100, 2);
    son(dossier, "quatre-canaux.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 4);
    son(dossier, "alaw.wav", SF_FORMAT_WAV | SF_FORMAT_ALAW);
    son(dossier, "ulaw.wav", SF_FORMAT_WAV | SF_FORMAT_ULAW);
    son(dossier, "ima.wav", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM);
    son(dossier, "ms.wav", SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM);
    son(dossier, "son.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    son(dossier, "vorbis.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS);
    son(dossier, "opus.ogg", SF_FORMAT_OGG | SF_FORMAT_OPUS, 48000);
    son(dossier, "son.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
    QImage image(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, qRgb(x * 16, y * 16, (x + y) * 8));
    }
    bool ecrites = image.save(dossier.filePath("24.bmp")) && image.save(dossier.filePath("image.png"))
            && image.save(dossier.filePath("image.jpg")) && image.save(dossier.filePath("image.ico"))
            && image.convertToFormat(QImage::Format_Indexed8).save(dossier.filePath("8.bmp"))
            && image.convertToFormat(QImage::Format_Mono).save(dossier.filePath("1.bmp"));
    QFile g(dossier.filePath("image.gif"));
    ecrites = ecrites && g.open(QIODevice::WriteOnly) && g.write(gif()) > 0;
    return ecrites ? 0 : (std::fprintf(stderr, "ecrit_graines: a picture is not written\n"), 1);
}
