#include <QFile>
#include <QTemporaryFile>
#include <QTest>

#include <sndfile.h>

#include <cmath>
#include <vector>

namespace {

struct Sound
{
    SF_INFO info{};
    std::vector<short> samples;
};

// The chime lives in the resources, so libsndfile reads a copy of it.
QString readablePath(const QString &path, QTemporaryFile &copy)
{
    if (!path.startsWith(u':'))
        return path;
    QFile resource(path);
    if (!resource.open(QIODevice::ReadOnly) || !copy.open())
        return {};
    copy.write(resource.readAll());
    copy.close();
    return copy.fileName();
}

bool load(const QString &path, Sound &sound)
{
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &sound.info);
    if (!file)
        return false;
    sound.samples.resize(size_t(sound.info.frames * sound.info.channels));
    const sf_count_t read = sf_read_short(file, sound.samples.data(), sf_count_t(sound.samples.size()));
    sf_close(file);
    return read == sf_count_t(sound.samples.size());
}

double rms(const std::vector<short> &samples, size_t from, size_t count)
{
    double sum = 0.0;
    for (size_t i = from; i < from + count; ++i)
        sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / count);
}

} // namespace

class TestSons : public QObject
{
    Q_OBJECT

private slots:
    void sound_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<double>("longest");
        QTest::addColumn<double>("quietEnd");
        const QString dir = QStringLiteral(GIBETTO_RUNTIME_DIR "/");
        QTest::newRow("Bravo") << dir + QStringLiteral("Bravo.wav") << 3.0 << 0.2;
        QTest::newRow("Echec") << dir + QStringLiteral("Echec.wav") << 3.0 << 0.2;
        QTest::newRow("chime") << QStringLiteral(":/assets/carillon.wav") << 1.0 << 0.02;
    }

    void sound()
    {
        QFETCH(QString, path);
        QFETCH(double, longest);
        QFETCH(double, quietEnd);
        QTemporaryFile copy;
        Sound sound;
        QVERIFY2(load(readablePath(path, copy), sound), sf_strerror(nullptr));

        QCOMPARE(sound.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        QCOMPARE(sound.info.channels, 1);
        QVERIFY2(sound.info.samplerate == 44100 || sound.info.samplerate == 22050,
                 qPrintable(QString::number(sound.info.samplerate)));
        const double seconds = double(sound.info.frames) / sound.info.samplerate;
        QVERIFY2(seconds > 0.3 && seconds < longest, qPrintable(QString::number(seconds)));

        const std::vector<short> &s = sound.samples;
        int peak = 0;
        for (short v : s)
            peak = std::max(peak, std::abs(int(v)));
        QVERIFY2(peak >= 8000, qPrintable(QString::number(peak)));
        QVERIFY2(peak < 32767, "clipped");
        QVERIFY(rms(s, 0, s.size()) > 1000);

        // Looping jumps from the last sample straight back to the first.
        QVERIFY(std::abs(s.front()) <= 64);
        QVERIFY(std::abs(s.back()) <= 64);
        const size_t halfMillisecond = size_t(sound.info.samplerate / 2000);
        QVERIFY(rms(s, 0, halfMillisecond) < 0.1 * peak);

        // A sound that stops dead clicks even when silence follows.
        const size_t window = size_t(sound.info.samplerate / 200);
        for (size_t i = 0; i + 2 * window <= s.size(); i += window) {
            if (rms(s, i, window) > 0.2 * peak)
                QVERIFY2(rms(s, i + window, window) > 0.02 * peak,
                         qPrintable(QStringLiteral("stops dead at %1 s").arg(double(i + window) / sound.info.samplerate)));
        }

        const size_t tail = size_t(quietEnd * sound.info.samplerate);
        for (size_t i = s.size() - tail; i < s.size(); ++i)
            QVERIFY2(std::abs(s[i]) <= 64, qPrintable(QStringLiteral("sound at %1 s").arg(double(i) / sound.info.samplerate)));
    }
};

QTEST_GUILESS_MAIN(TestSons)
#include "tst_sons.moc"
