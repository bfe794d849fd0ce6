// SPDX-License-Identifier: MIT
// Wave player: format reading and its failures on made and installed files, the media
// device's notifications and status through the silent output on a manual clock, the simple
// sound call, files and devices that go away while playing, the preview's pixels, and the
// file name editor.
#include "services/JXWAV.h"

#include "host/controls/Dialogs.h"
#include "platform/Paths.h"
#include "services/WavSound.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMetaProperty>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace jxt;

namespace {

QByteArray U16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}
QByteArray U32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

/// A canonical wave file: 44-byte header, then the samples.
QByteArray WavBytes(quint16 tag, quint16 channels, quint32 rate, quint16 bits,
                    const QByteArray &samples)
{
    const quint16 align = quint16(channels * bits / 8);
    QByteArray fmt =
        U16(tag) + U16(channels) + U32(rate) + U32(rate * align) + U16(align) + U16(bits);
    QByteArray body =
        QByteArray("WAVEfmt ") + U32(16) + fmt + "data" + U32(quint32(samples.size())) + samples;
    return QByteArray("RIFF") + U32(quint32(body.size())) + body;
}

/// Routes every play to the silent output and drives timers by hand.
class JXWAVTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        sound::SetSoundOutputFactory(sound::SilentOutputFactory());
        test::InstallScriptedDialogs();
    }
    void TearDown() override
    {
        sound::PlaySound(QString(), 0);
        sound::SetSoundOutputFactory(nullptr);
        QCoreApplication::sendPostedEvents();
    }
    QString Write(const QString &name, const QByteArray &bytes) const
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    /// One second of 8-bit mono sound at 8000 samples per second.
    QString OneSecond() const
    {
        return Write(QStringLiteral("one.wav"), WavBytes(1, 1, 8000, 8, QByteArray(8000, '\x80')));
    }
    /// Records OnNotify values.
    void Record(TJXWAV &wav)
    {
        wav.OnNotify = [this](TObject *, TMPNotifyValues v) { m_notes.push_back(v); };
    }
    static void Deliver() { QCoreApplication::sendPostedEvents(); }

    QTemporaryDir m_dir;
    std::vector<TMPNotifyValues> m_notes;
};

TEST_F(JXWAVTest, CreateSetsTheDefaults)
{
    TJXWAV wav;
    EXPECT_EQ(wav.Width(), 25);
    EXPECT_EQ(wav.Height(), 25);
    EXPECT_EQ(wav.Color(), clBlack);
    EXPECT_EQ(wav.SNDFlags(), TwFlags(ASYNC));
    EXPECT_EQ(wav.Interval(), 100);
    EXPECT_TRUE(wav.Timer()->Active());
    // Published in order, flags and notify values settable by name.
    const QMetaObject *meta = wav.metaObject();
    QStringList names;
    for (int i = 0; i < meta->propertyCount(); ++i)
        names << QString::fromLatin1(meta->property(i).name());
    const QStringList own = names.mid(names.indexOf(QStringLiteral("About_JXTools")), 10);
    EXPECT_EQ(own.join(','), QStringLiteral("About_JXTools,SNDFlags,FileName,Interval,Silence,"
                                            "FormatTag,Channels,SamplesPerSec,DataSize,PlayTime"));
    EXPECT_TRUE(wav.setProperty("SNDFlags", QStringLiteral("NOSTOP|LOOP")));
    EXPECT_EQ(wav.SNDFlags(), TwFlags(NOSTOP) | LOOP);
}

TEST_F(JXWAVTest, FormatOfMadeFiles)
{
    TJXWAV wav;
    // 22050 bytes per second and 44100 data bytes: two seconds.
    wav.SetFileName(
        Write(QStringLiteral("a.wav"), WavBytes(1, 1, 11025, 16, QByteArray(44100, 0))));
    EXPECT_EQ(wav.FormatTag(), 1);
    EXPECT_EQ(wav.Channels(), 1);
    EXPECT_EQ(wav.SamplesPerSec(), 11025);
    EXPECT_EQ(wav.DataSize(), 44100);
    EXPECT_FLOAT_EQ(wav.PlayTime(), 2.0f);
    // A file that is not there is no error: the fields are 0.
    wav.SetFileName(m_dir.filePath(QStringLiteral("missing.wav")));
    EXPECT_EQ(wav.FormatTag(), 0);
    EXPECT_EQ(wav.DataSize(), 0);
    EXPECT_EQ(wav.PlayTime(), 0.0f);
    // A data chunk that claims more than the file holds counts the bytes present.
    QByteArray lying = WavBytes(1, 2, 8000, 8, QByteArray(1600, 0));
    qToLittleEndian<quint32>(0x7FFFFFFF, lying.data() + 40);
    wav.SetFileName(Write(QStringLiteral("lying.wav"), lying));
    EXPECT_EQ(wav.DataSize(), 1600);
    EXPECT_FLOAT_EQ(wav.PlayTime(), 0.1f);
}

TEST_F(JXWAVTest, FormatOfInstalledAndSoxFiles)
{
    const QString alsa = QStringLiteral("/usr/share/sounds/alsa/Front_Center.wav");
    const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
    if (!QFile::exists(alsa) || sox.isEmpty())
        GTEST_SKIP() << "alsa-utils sounds or sox missing (scripts/install-deps.sh)";
    TJXWAV wav;
    wav.SetFileName(alsa);
    EXPECT_EQ(wav.FormatTag(), 1);
    EXPECT_EQ(wav.Channels(), 1);
    EXPECT_EQ(wav.SamplesPerSec(), 48000);
    EXPECT_EQ(wav.DataSize(), 137090);
    EXPECT_NEAR(wav.PlayTime(), 137090.0 / 96000.0, 1e-5);

    struct Made
    {
        const char *name;
        QStringList options;
        int tag, channels, rate, bytesPerFrame;
    };
    const std::vector<Made> made = {
        {"ext24.wav",
         {"-r", "44100", "-c", "2", "-b", "24", "-e", "signed-integer"},
         0xFFFE,
         2,
         44100,
         6},
        {"float.wav",
         {"-r", "22050", "-c", "1", "-b", "32", "-e", "floating-point"},
         3,
         1,
         22050,
         4},
        {"u8.wav", {"-r", "11025", "-c", "1", "-b", "8", "-e", "unsigned-integer"}, 1, 1, 11025, 1},
    };
    for (const Made &m : made) {
        const QString path = m_dir.filePath(QLatin1String(m.name));
        QStringList args = {QStringLiteral("-n")};
        args << m.options << path << QStringLiteral("synth") << QStringLiteral("0.5")
             << QStringLiteral("sine") << QStringLiteral("440");
        ASSERT_EQ(QProcess::execute(sox, args), 0) << m.name;
        wav.SetFileName(path);
        EXPECT_EQ(wav.FormatTag(), m.tag) << m.name;
        EXPECT_EQ(wav.Channels(), m.channels) << m.name;
        EXPECT_EQ(wav.SamplesPerSec(), m.rate) << m.name;
        EXPECT_EQ(wav.DataSize(), m.rate / 2 * m.bytesPerFrame) << m.name;
        EXPECT_NEAR(wav.PlayTime(), 0.5, 1e-4) << m.name;
        // Each of them also plays to its end.
        Record(wav);
        TManualTimerClock clock;
        wav.Play();
        EXPECT_NE(wav.DeviceID(), 0) << m.name;
        clock.Advance(600);
        Deliver();
        ASSERT_EQ(m_notes.size(), 1u) << m.name;
        EXPECT_EQ(m_notes.back(), nvSuccessful);
        EXPECT_EQ(wav.GetLength(), 500) << m.name;
        m_notes.clear();
        wav.CloseMedia();
    }
}

TEST_F(JXWAVTest, UnreadableFilesRaiseWithTheReasonAndKeepTheName)
{
    const QByteArray good = WavBytes(1, 1, 8000, 8, QByteArray(100, 'x'));
    QByteArray noData = good.left(36);
    qToLittleEndian<quint32>(28, noData.data() + 4);
    QByteArray emptyData = good.left(44);
    qToLittleEndian<quint32>(0, emptyData.data() + 40);
    QByteArray shortFmt = good;
    qToLittleEndian<quint32>(12, shortFmt.data() + 16);
    struct Case
    {
        const char *name;
        QByteArray bytes;
        QString message;
    };
    const std::vector<Case> cases = {
        {"text.wav", "just some text, long enough to look like a header",
         "This is not a WAVE file."},
        {"truncated.wav", good.left(16), "WAVE file has no \\\"fmt\\\" chunk"},
        {"cutfmt.wav", good.left(30), "Failed to read format chunk."},
        {"shortfmt.wav", shortFmt, "Failed to read format chunk."},
        {"nodata.wav", noData, "WAVE file has no data chunk."},
        {"emptydata.wav", emptyData, "The data chunk contains no data."},
    };
    TJXWAV wav;
    for (const Case &c : cases) {
        // A good file first, so fields left over would show.
        wav.SetFileName(Write(QStringLiteral("good.wav"), good));
        ASSERT_EQ(wav.DataSize(), 100);
        const QString path = Write(QLatin1String(c.name), c.bytes);
        try {
            wav.SetFileName(path);
            ADD_FAILURE() << c.name << " raised nothing";
        } catch (const Exception &e) {
            EXPECT_EQ(e.Message(), c.message) << c.name;
        }
        EXPECT_EQ(wav.FileName(), path);
        EXPECT_EQ(wav.FormatTag(), 0) << c.name;
        EXPECT_EQ(wav.Channels(), 0) << c.name;
        EXPECT_EQ(wav.SamplesPerSec(), 0) << c.name;
        EXPECT_EQ(wav.DataSize(), 0) << c.name;
        EXPECT_EQ(wav.PlayTime(), 0.0f) << c.name;
    }
    // Something that is no regular file fails to open at once, a pipe without hanging.
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.wav"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_THROW(wav.SetFileName(fifo), Exception);
    wav.Repaint();
}

TEST_F(JXWAVTest, FlagWordsAndInterval)
{
    EXPECT_EQ(TJXWAV::GetFlagWord(TwFlags(NOSTOP)), 0x10);
    EXPECT_EQ(TJXWAV::GetFlagWord(TwFlags(ASYNC) | LOOP), 9);
    EXPECT_EQ(TJXWAV::GetFlagWord(TwFlags(SYNC)), 0);
    EXPECT_EQ(TJXWAV::GetFlagWord(TwFlags(SYNC) | ASYNC | NODEFAULT | LOOP | NOSTOP), 0x1B);

    TManualTimerClock clock;
    TJXWAV wav;
    int events = 0;
    wav.OnShowStatus = [&](TObject *, int, int) { ++events; };
    wav.SetInterval(5);
    EXPECT_EQ(wav.Interval(), 20);
    clock.Advance(100);
    EXPECT_EQ(events, 5);
    wav.SetInterval(0);
    clock.Advance(1000);
    EXPECT_EQ(events, 5);
    wav.SetInterval(250);
    clock.Advance(1000);
    EXPECT_EQ(events, 9);
}

TEST_F(JXWAVTest, PlayReportsStatusAndEndsSuccessfully)
{
    TManualTimerClock clock;
    TJXWAV wav;
    wav.SetFileName(OneSecond());
    Record(wav);
    std::vector<std::pair<int, int>> status;
    wav.OnShowStatus = [&](TObject *, int pos, int len) { status.emplace_back(pos, len); };
    int signalled = 0;
    QObject::connect(&wav, &TJXWAV::onNotify, [&](TObject *, TMPNotifyValues v) {
        EXPECT_EQ(v, nvSuccessful);
        ++signalled;
    });
    clock.Advance(100);
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(status.back(), std::make_pair(0, 0)); // no device open

    wav.Play();
    EXPECT_NE(wav.DeviceID(), 0);
    EXPECT_EQ(wav.MCIResult(), 0);
    clock.Advance(400);
    Deliver();
    EXPECT_TRUE(m_notes.empty());
    EXPECT_EQ(status.back().second, 1000);
    EXPECT_NEAR(status.back().first, 400, 20);
    clock.Advance(700);
    Deliver();
    ASSERT_EQ(m_notes.size(), 1u);
    EXPECT_EQ(m_notes[0], nvSuccessful);
    EXPECT_EQ(signalled, 1);
    // The device stays open at the end of its sound.
    EXPECT_EQ(status.back(), std::make_pair(1000, 1000));
    wav.CloseMedia();
    Deliver();
    EXPECT_EQ(m_notes.size(), 1u);
    EXPECT_EQ(wav.DeviceID(), 0);
    clock.Advance(100);
    EXPECT_EQ(status.back(), std::make_pair(0, 0));
}

TEST_F(JXWAVTest, PlayAgainOrCloseAbortsTheRunningPlay)
{
    TManualTimerClock clock;
    TJXWAV wav;
    wav.SetFileName(OneSecond());
    Record(wav);
    wav.Play();
    const auto first = wav.DeviceID();
    clock.Advance(300);
    wav.Play();
    EXPECT_NE(wav.DeviceID(), first);
    Deliver();
    ASSERT_EQ(m_notes.size(), 1u);
    EXPECT_EQ(m_notes[0], nvAborted);
    clock.Advance(300);
    wav.CloseMedia();
    clock.Advance(2000);
    Deliver();
    EXPECT_EQ(m_notes, (std::vector<TMPNotifyValues>{nvAborted, nvAborted}));
    // OpenMedia twice leaves one device open, not two.
    wav.OpenMedia();
    const auto opened = wav.DeviceID();
    wav.OpenMedia();
    EXPECT_NE(wav.DeviceID(), opened);
    EXPECT_EQ(wav.MCIFlags(), MCI_WAIT | MCI_OPEN_ELEMENT | MCI_OPEN_TYPE);
    Deliver();
    EXPECT_EQ(m_notes.size(), 2u); // nothing was playing
}

TEST_F(JXWAVTest, SilenceOnlyClosesAndRefusesSounds)
{
    TManualTimerClock clock;
    TJXWAV wav;
    const QString file = OneSecond();
    wav.SetFileName(file);
    Record(wav);
    wav.OpenMedia();
    ASSERT_NE(wav.DeviceID(), 0);
    wav.SetSilence(true);
    wav.Play();
    EXPECT_EQ(wav.DeviceID(), 0);
    clock.Advance(2000);
    Deliver();
    EXPECT_TRUE(m_notes.empty());
    EXPECT_FALSE(wav.PlayWAV(file, TwFlags(ASYNC)));
    wav.StartLoop(file);
    EXPECT_FALSE(sound::SoundPlaying());
    const int defaults = sound::DefaultSoundCount();
    wav.Beep();
    EXPECT_EQ(sound::DefaultSoundCount(), defaults);
    wav.SetSilence(false);
    wav.Beep();
    EXPECT_EQ(sound::DefaultSoundCount(), defaults + 1);
}

TEST_F(JXWAVTest, SimpleSoundCallLoopsStopsAndFallsBack)
{
    TManualTimerClock clock;
    TJXWAV wav;
    const QString file = OneSecond();
    wav.StartLoop(file);
    EXPECT_TRUE(sound::SoundPlaying());
    clock.Advance(3500);
    EXPECT_TRUE(sound::SoundPlaying());
    // NOSTOP refuses while a sound plays.
    EXPECT_FALSE(wav.PlayWAV(file, TwFlags(ASYNC) | NOSTOP));
    wav.StopWav();
    EXPECT_FALSE(sound::SoundPlaying());
    // Played once, the sound ends by itself.
    EXPECT_TRUE(wav.PlayWAV(file, TwFlags(ASYNC)));
    clock.Advance(1100);
    EXPECT_FALSE(sound::SoundPlaying());
    // A file that cannot be played: nothing with NODEFAULT, else the default sound.
    const int defaults = sound::DefaultSoundCount();
    const QString missing = m_dir.filePath(QStringLiteral("none.wav"));
    EXPECT_FALSE(wav.PlayWAV(missing, TwFlags(ASYNC) | NODEFAULT));
    EXPECT_EQ(sound::DefaultSoundCount(), defaults);
    EXPECT_TRUE(wav.PlayWAV(missing, TwFlags(ASYNC)));
    EXPECT_EQ(sound::DefaultSoundCount(), defaults + 1);
}

/// Tests that play in real time.
class HostMachineJXWAVTest : public JXWAVTest
{
};

TEST_F(HostMachineJXWAVTest, SynchronousSoundReturnsWhenItEnded)
{
    // Real time: a 40 ms sound.
    const QString file =
        Write(QStringLiteral("short.wav"), WavBytes(1, 1, 8000, 8, QByteArray(320, '\x80')));
    TJXWAV wav;
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(wav.PlayWAV(file, TwFlags(SYNC)));
    EXPECT_GE(timer.elapsed(), 35);
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_FALSE(sound::SoundPlaying());
}

TEST_F(JXWAVTest, FilesThatGoAwayWhilePlayingEndThePlay)
{
    TManualTimerClock clock;
    TJXWAV wav;
    Record(wav);
    // Deleted: the open file still plays to its end.
    const QString deleted = OneSecond();
    wav.SetFileName(deleted);
    wav.Play();
    clock.Advance(200);
    ASSERT_TRUE(QFile::remove(deleted));
    clock.Advance(1000);
    Deliver();
    EXPECT_EQ(m_notes, std::vector<TMPNotifyValues>{nvSuccessful});
    // Cut short: the play ends where the data ends.
    m_notes.clear();
    const QString cut = OneSecond();
    wav.SetFileName(cut);
    wav.Play();
    clock.Advance(100);
    ASSERT_TRUE(QFile::resize(cut, 44 + 2000));
    clock.Advance(300);
    Deliver();
    EXPECT_EQ(m_notes, std::vector<TMPNotifyValues>{nvSuccessful});
    clock.Advance(100);
    EXPECT_EQ(wav.LastPosition(), wav.LastLength());
    EXPECT_EQ(wav.LastLength(), 250);
    // A looping sound whose file is emptied stops instead of spinning.
    const QString looped = OneSecond();
    wav.StartLoop(looped);
    clock.Advance(100);
    ASSERT_TRUE(QFile::resize(looped, 44));
    clock.Advance(2000);
    EXPECT_FALSE(sound::SoundPlaying());
}

/// An output that plays silently until told to fail, as a device that is unplugged.
class TFailingOutput : public sound::TSilentOutput
{
public:
    static inline TFailingOutput *last = nullptr;
    TFailingOutput() { last = this; }
    ~TFailingOutput() override
    {
        if (last == this)
            last = nullptr;
    }
    void Unplug()
    {
        Stop();
        if (OnFailed)
            OnFailed();
    }
};

TEST_F(JXWAVTest, DeviceThatDisappearsEndsThePlayWithFailure)
{
    sound::SetSoundOutputFactory(
        [](const QAudioFormat &) { return std::make_unique<TFailingOutput>(); });
    TManualTimerClock clock;
    TJXWAV wav;
    wav.SetFileName(OneSecond());
    Record(wav);
    wav.Play();
    clock.Advance(300);
    ASSERT_NE(TFailingOutput::last, nullptr);
    TFailingOutput::last->Unplug();
    Deliver();
    EXPECT_EQ(m_notes, std::vector<TMPNotifyValues>{nvFailure});
    EXPECT_EQ(wav.NotifyValue(), nvFailure);
    // The device stays open where it stopped; closing it notifies nothing more.
    clock.Advance(500);
    EXPECT_NEAR(wav.LastPosition(), 300, 20);
    EXPECT_EQ(wav.LastLength(), 1000);
    wav.CloseMedia();
    Deliver();
    EXPECT_EQ(m_notes.size(), 1u);
    // Playing again works on a new output.
    wav.Play();
    clock.Advance(1100);
    Deliver();
    EXPECT_EQ(m_notes, (std::vector<TMPNotifyValues>{nvFailure, nvSuccessful}));
}

/// An output whose device refuses to start.
class TRefusingOutput : public sound::TSilentOutput
{
public:
    bool Start(sound::TWavSource *) override { return false; }
};

TEST_F(JXWAVTest, DeviceThatRefusesToStartPlaysSilently)
{
    sound::SetSoundOutputFactory(
        [](const QAudioFormat &) { return std::make_unique<TRefusingOutput>(); });
    TManualTimerClock clock;
    TJXWAV wav;
    wav.SetFileName(OneSecond());
    Record(wav);
    wav.Play();
    clock.Advance(1100);
    Deliver();
    EXPECT_EQ(m_notes, std::vector<TMPNotifyValues>{nvSuccessful});
}

TEST_F(JXWAVTest, UnsupportedCodingFailsToOpen)
{
    TJXWAV wav;
    // A well-formed file of a compressed coding: its format reads, it does not play.
    wav.SetFileName(
        Write(QStringLiteral("adpcm.wav"), WavBytes(2, 1, 8000, 4, QByteArray(400, 1))));
    EXPECT_EQ(wav.FormatTag(), 2);
    Record(wav);
    wav.Play();
    EXPECT_EQ(wav.DeviceID(), 0);
    EXPECT_EQ(wav.MCIResult(), MCIERR_INVALID_FILE);
    wav.SetFileName(m_dir.filePath(QStringLiteral("gone.wav")));
    wav.Play();
    EXPECT_EQ(wav.MCIResult(), MCIERR_FILE_NOT_FOUND);
    Deliver();
    EXPECT_TRUE(m_notes.empty());
}

TEST_F(JXWAVTest, DestroyedWhilePlayingNotifiesNothing)
{
    TManualTimerClock clock;
    int notes = 0;
    {
        TJXWAV wav;
        wav.SetFileName(OneSecond());
        wav.OnNotify = [&](TObject *, TMPNotifyValues) { ++notes; };
        wav.Play();
        clock.Advance(200);
        wav.Play(); // posts an abort for the first play
    }
    clock.Advance(2000);
    Deliver();
    EXPECT_EQ(notes, 0);
}

TEST_F(JXWAVTest, PreviewDrawsTheSamplesOverTheCentreLine)
{
    // 8-bit samples: a ramp from 0 to 255 repeated, one byte per column at this width.
    QByteArray ramp;
    for (int i = 0; i < 1000; ++i)
        ramp += char(i % 256);
    TJXWAV wav;
    wav.SetBounds(0, 0, 100, 64);
    wav.SetFileName(Write(QStringLiteral("ramp.wav"), WavBytes(1, 1, 8000, 8, ramp)));
    wav.Repaint();
    const QImage &img = wav.Surface();
    // Red centre line right across.
    EXPECT_EQ(test::PixelAt(img, 60, 32), 0x0000FF);
    EXPECT_EQ(test::PixelAt(img, 99, 32), 0x0000FF);
    const test::TInk green = test::InkOf(img, 0x00FF00);
    EXPECT_GT(green.Count, 100);
    // The ramp spans the whole height: the lowest sample at the top, the highest at the
    // bottom.
    EXPECT_LE(green.Top, 1);
    EXPECT_GE(green.Bottom, 62);

    // 16-bit samples are drawn by their value: a constant quarter level is one flat line.
    QByteArray quarter;
    for (int i = 0; i < 2000; ++i)
        quarter += U16(quint16(-8192));
    wav.SetFileName(Write(QStringLiteral("quarter.wav"), WavBytes(1, 1, 8000, 16, quarter)));
    wav.Repaint();
    const test::TInk flat = test::InkOf(wav.Surface(), 0x00FF00);
    // -8192 is -32 on the 8-bit scale: 32 * 64 / 256 = 8 pixels above the centre.
    EXPECT_EQ(flat.Top, 24);
    EXPECT_EQ(flat.Bottom, 32);
    EXPECT_EQ(test::CountColor(wav.Surface(), 0x00FF00, 10, 24, 90, 25), 80);
}

TEST_F(JXWAVTest, PreviewOfTinyFilesAndNarrowControls)
{
    TJXWAV wav;
    const QString tiny =
        Write(QStringLiteral("tiny.wav"), WavBytes(1, 1, 8000, 8, QByteArray(10, '\x80')));
    wav.SetFileName(tiny);
    wav.SetBounds(0, 0, 400, 40);
    wav.Repaint(); // fewer bytes than columns
    EXPECT_EQ(test::PixelAt(wav.Surface(), 300, 20), 0x0000FF);
    wav.SetBounds(0, 0, 0, 40);
    wav.Repaint();
    // Raw bytes of a file that is no wave file still draw.
    wav.SetBounds(0, 0, 50, 40);
    const QString text = Write(QStringLiteral("text.txt"), QByteArray(500, '\xFF'));
    EXPECT_THROW(wav.SetFileName(text), Exception);
    wav.Repaint();
    EXPECT_GT(test::InkOf(wav.Surface(), 0x00FF00).Count, 10);
}

} // namespace

// Mu-law and A-law files are decoded to 16-bit samples in the library: they play, and their
// samples follow the same sound made as 16-bit PCM within the codings' step.
TEST_F(JXWAVTest, CompressedCodingsAreDecodedAndPlay)
{
    EXPECT_EQ(platform::MuLawToLinear(0xFF), 0);
    EXPECT_EQ(platform::MuLawToLinear(0x00), -32124);
    EXPECT_EQ(platform::MuLawToLinear(0x80), 32124);
    EXPECT_EQ(platform::ALawToLinear(0xD5), 8);
    EXPECT_EQ(platform::ALawToLinear(0x55), -8);
    EXPECT_EQ(platform::ALawToLinear(0xAA), 32256);

    const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
    if (sox.isEmpty())
        GTEST_SKIP() << "sox missing (scripts/install-deps.sh)";
    const auto make = [&](const QString &name, const QStringList &coding) {
        const QString path = m_dir.filePath(name);
        QStringList args = {QStringLiteral("-D"),   QStringLiteral("-n"), QStringLiteral("-r"),
                            QStringLiteral("8000"), QStringLiteral("-c"), QStringLiteral("1")};
        args << coding << path << QStringLiteral("synth") << QStringLiteral("0.5")
             << QStringLiteral("sine") << QStringLiteral("440");
        EXPECT_EQ(QProcess::execute(sox, args), 0) << name.toStdString();
        return path;
    };
    const auto samples = [](const QString &path) {
        sound::TWavSource source;
        EXPECT_EQ(source.OpenFile(path), sound::TOpenResult::Ok) << path.toStdString();
        const QByteArray bytes = source.readAll();
        std::vector<qint16> out(std::size_t(bytes.size()) / 2);
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = qFromLittleEndian<qint16>(bytes.constData() + 2 * i);
        return out;
    };
    const std::vector<qint16> pcm =
        samples(make(QStringLiteral("pcm.wav"), {"-e", "signed-integer", "-b", "16"}));
    ASSERT_EQ(pcm.size(), 4000u);
    // The largest step of both telephone codings is 1024; IMA ADPCM adapts its step to the
    // signal, so it is held to a mean error instead (a wrong nibble order or step table
    // gives errors in the thousands).
    struct TCase
    {
        const char *Coding;
        const char *Bits;
        int Worst;
        int Mean;
    };
    for (const TCase &c : {TCase{"mu-law", "8", 1100, 1100}, TCase{"a-law", "8", 1100, 1100},
                           TCase{"ima-adpcm", "4", 8000, 600}}) {
        const char *coding = c.Coding;
        const QString path = make(QStringLiteral("%1.wav").arg(QLatin1String(coding)),
                                  {"-e", QLatin1String(coding), "-b", QLatin1String(c.Bits)});
        const std::vector<qint16> decoded = samples(path);
        ASSERT_EQ(decoded.size(), pcm.size()) << coding; // a padded last block is cut off
        int worst = 0;
        double sum = 0;
        for (std::size_t i = 0; i < pcm.size(); ++i) {
            const int error = std::abs(int(decoded[i]) - int(pcm[i]));
            worst = std::max(worst, error);
            sum += error;
        }
        EXPECT_LT(worst, c.Worst) << coding;
        EXPECT_LT(sum / double(pcm.size()), c.Mean) << coding;
        if (c.Bits == std::string("4")) {
            // The same samples as sox's own decoder gives (it keeps the padding at the end).
            const QString back = m_dir.filePath(QStringLiteral("back.wav"));
            ASSERT_EQ(
                QProcess::execute(sox, {"-D", path, "-e", "signed-integer", "-b", "16", back}), 0);
            std::vector<qint16> reference = samples(back);
            ASSERT_GE(reference.size(), decoded.size());
            reference.resize(decoded.size());
            EXPECT_EQ(decoded, reference);
        }

        TJXWAV wav;
        wav.SetFileName(path);
        Record(wav);
        TManualTimerClock clock;
        wav.Play();
        EXPECT_NE(wav.DeviceID(), 0) << coding;
        EXPECT_EQ(wav.MCIResult(), 0) << coding;
        clock.Advance(600);
        Deliver();
        ASSERT_EQ(m_notes.size(), 1u) << coding;
        EXPECT_EQ(m_notes.back(), nvSuccessful) << coding;
        m_notes.clear();
        wav.CloseMedia();
    }
}

TEST_F(JXWAVTest, ImaAdpcmBlocksDecodeChannelsInTurnAndStopAtACut)
{
    // One stereo block of 4 + 4 header bytes and one 8-byte group: left rises by the
    // smallest step each code 1, right falls by code 9.
    std::vector<std::uint8_t> block = {0x10, 0x00, 0, 0, 0xF0, 0xFF, 0, 0};
    block.insert(block.end(), 4, 0x11);
    block.insert(block.end(), 4, 0x99);
    ASSERT_EQ(platform::ImaAdpcmBlockFrames(int(block.size()), 2), 9);
    std::vector<std::int16_t> out(18, 12345);
    ASSERT_EQ(platform::DecodeImaAdpcmBlock(block.data(), int(block.size()), 2, out.data(), 9), 9);
    EXPECT_EQ(out[0], 16);
    EXPECT_EQ(out[1], -16);
    // Step 7 at index 0: code 1 adds 7/8 + 7/4 = 0 + 1, and the index stays at 0.
    EXPECT_EQ(out[2], 17);
    EXPECT_EQ(out[3], -17);
    EXPECT_EQ(out[16], 24);
    EXPECT_EQ(out[17], -24);
    // Cut inside the group: only the header frame; no room: nothing written past maxFrames.
    EXPECT_EQ(platform::DecodeImaAdpcmBlock(block.data(), 12, 2, out.data(), 9), 1);
    EXPECT_EQ(platform::DecodeImaAdpcmBlock(block.data(), int(block.size()), 2, out.data(), 8), 1);
    EXPECT_EQ(platform::DecodeImaAdpcmBlock(block.data(), 7, 2, out.data(), 9), 0);
    EXPECT_EQ(platform::ImaAdpcmBlockFrames(10, 2), 0); // data not whole groups

    const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
    if (sox.isEmpty())
        GTEST_SKIP() << "sox missing (scripts/install-deps.sh)";
    const QString path = m_dir.filePath(QStringLiteral("stereo.wav"));
    ASSERT_EQ(QProcess::execute(sox, {"-D", "-n", "-r", "8000", "-c", "2", "-e", "ima-adpcm", "-b",
                                      "4", path, "synth", "0.5", "sine", "440", "sine", "660"}),
              0);
    sound::TWavSource whole;
    ASSERT_EQ(whole.OpenFile(path), sound::TOpenResult::Ok);
    const QByteArray all = whole.readAll();
    EXPECT_EQ(all.size(), 4000 * 2 * 2);
    whole.close();

    // Cut the file inside its third block: the frames of the whole groups before the cut
    // play, nothing after, and the source ends rather than spinning.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    platform::TWavFormat format;
    ASSERT_EQ(platform::ReadWavFormat(file, format), platform::TWavRead::Ok);
    const int spb = platform::ImaAdpcmBlockFrames(format.BlockAlign, 2);
    ASSERT_GT(spb, 8);
    ASSERT_TRUE(file.resize(format.DataOffset + 2 * format.BlockAlign + 8 + 16 + 3));
    file.close();
    sound::TWavSource cut;
    ASSERT_EQ(cut.OpenFile(path), sound::TOpenResult::Ok);
    const QByteArray part = cut.readAll();
    EXPECT_EQ(part.size(), (2 * spb + 1 + 16) * 2 * 2);
    EXPECT_EQ(part, all.left(part.size()));
    EXPECT_TRUE(cut.atEnd());
}
