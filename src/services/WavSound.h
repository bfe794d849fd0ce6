// SPDX-License-Identifier: MIT
// Playing wave files: a source that reads and converts the samples of a file's data chunk on
// demand, outputs that play it (an audio device through Qt Multimedia, or a silent output
// driven by the timers' clock where no device exists), and the process-wide simple sound
// call that the wave player's PlayWAV, StartLoop, StopWav and Beep use.
#pragma once

#include "platform/WavHeader.h"

#include <QAudioFormat>
#include <QFile>
#include <QIODevice>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QAudioSink;

namespace jxt {

class TTimer;

namespace sound {

/// Flag bits of the simple sound call, with their Windows values.
constexpr unsigned SND_SYNC = 0x00, SND_ASYNC = 0x01, SND_NODEFAULT = 0x02, SND_LOOP = 0x08,
                   SND_NOSTOP = 0x10;

/// Why a file cannot be played.
enum class TOpenResult { Ok, Missing, Unreadable, Malformed, Unsupported };

/// The samples of a wave file's data chunk, converted to a sample format an audio sink
/// takes (8-bit unsigned, 16-bit, 32-bit integers or 32-bit floats; 24-bit integers and
/// 64-bit floats are widened or narrowed; 8-bit mu-law and A-law and 4-bit IMA ADPCM are
/// decoded to 16 bits). Reads the file as it plays, so a file that shrinks or is deleted while
/// playing simply ends early. With looping on, the data starts again at its end; a pass that
/// yields nothing ends the loop, so an emptied file cannot spin.
class TWavSource : public QIODevice
{
    Q_OBJECT

public:
    TWavSource() = default;
    ~TWavSource() override;

    /// Opens the file and checks that its samples can be converted.
    TOpenResult OpenFile(const QString &fileName);
    const platform::TWavFormat &WavFormat() const { return m_format; }
    QAudioFormat OutputFormat() const { return m_output; }
    /// Bytes of converted output per second of sound.
    qint64 OutputBytesPerSecond() const;
    /// Length of one pass through the data in milliseconds.
    qint64 LengthMs() const;
    /// Milliseconds of sound in bytes of output.
    qint64 OutputBytesToMs(qint64 bytes) const;
    /// Starts again at the first frame.
    void Rewind();
    void SetLooping(bool looping) { m_looping = looping; }
    bool Looping() const { return m_looping; }
    /// Whether the data has run out (never while looping over data that is still there).
    bool Exhausted() const { return m_exhausted; }

    bool isSequential() const override { return true; }
    bool atEnd() const override { return m_exhausted; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    enum class TCoding { U8, S16, S24, S32, F32, F64, MuLaw, ALaw, ImaAdpcm };
    /// Converts frames of input into output.
    void Convert(const char *in, char *out, qint64 frames) const;
    /// Copies up to frames frames from the block holding m_frame, decoding it first; the
    /// frames copied (fewer at the block's end).
    qint64 ReadBlockFrames(char *out, qint64 frames);

    QFile m_file;
    platform::TWavFormat m_format;
    QAudioFormat m_output;
    TCoding m_coding = TCoding::S16;
    int m_inFrame = 0;   // bytes of one input frame (all channels)
    int m_outSample = 0; // bytes of one output sample (one channel)
    qint64 m_frames = 0; // whole frames in the data
    qint64 m_frame = 0;  // next frame to read
    bool m_looping = false;
    bool m_passYielded = false;
    bool m_exhausted = false;
    QByteArray m_inBuffer;
    int m_blockFrames = 1;      // output frames one input block gives
    qint64 m_decodedBlock = -1; // block held in m_decoded
    qint64 m_decodedFrames = 0; // frames decoded from it
    std::vector<std::int16_t> m_decoded;
};

/// Where a source plays. An output reads the source at the pace of its device and reports
/// how far it got; OnFinished runs when the source is exhausted and all of it was played,
/// OnFailed when the device stopped working. Neither runs after Stop.
class TSoundOutput : public QObject
{
    Q_OBJECT

public:
    /// Starts playing source (which outlives the output's play); false when the device
    /// refused to start.
    virtual bool Start(TWavSource *source) = 0;
    virtual void Stop() = 0;
    /// Milliseconds of sound played since Start (kept after Stop and after the end).
    virtual qint64 PlayedMs() const = 0;

    std::function<void()> OnFinished;
    std::function<void()> OnFailed;
};

/// Plays into nothing at the pace of the timers' clock (TTimer::ClockMs), reading the source
/// as a device would, so positions, ends, loops and files that vanish behave as with sound.
class TSilentOutput : public TSoundOutput
{
    Q_OBJECT

public:
    TSilentOutput();
    ~TSilentOutput() override;
    bool Start(TWavSource *source) override;
    void Stop() override;
    qint64 PlayedMs() const override;
    static constexpr int kTickMs = 10;

private:
    void Step();

    std::unique_ptr<TTimer> m_timer;
    TWavSource *m_source = nullptr;
    bool m_running = false;
    qint64 m_lastClock = 0;
    qint64 m_elapsedMs = 0;
    qint64 m_consumed = 0; // output bytes read from the source
};

/// Plays on the default audio device through QAudioSink.
class TDeviceOutput : public TSoundOutput
{
    Q_OBJECT

public:
    TDeviceOutput();
    ~TDeviceOutput() override;
    bool Start(TWavSource *source) override;
    void Stop() override;
    qint64 PlayedMs() const override;

private:
    void StateChanged();
    void DevicesChanged();

    std::unique_ptr<QAudioSink> m_sink;
    QByteArray m_deviceId;
    TWavSource *m_source = nullptr;
    qint64 m_playedMs = 0; // frozen when the sink stops
};

/// Makes the output for a source's format. The default plays on the audio device when one
/// exists and silently otherwise; SetSoundOutputFactory replaces it (nullptr restores it).
using TSoundOutputFactory = std::function<std::unique_ptr<TSoundOutput>(const QAudioFormat &)>;
void SetSoundOutputFactory(TSoundOutputFactory factory);
/// A factory that always plays silently (for programs and tests that must stay quiet).
TSoundOutputFactory SilentOutputFactory();

/// One file being played: its source and its output.
class TWavPlayback : public QObject
{
    Q_OBJECT

public:
    TWavPlayback() = default;
    ~TWavPlayback() override;

    TOpenResult Open(const QString &fileName);
    /// Starts from the beginning; false when no output could play it.
    bool Play(bool looping);
    void Stop();
    bool Playing() const { return m_playing; }
    /// Position in milliseconds: how much of the current pass was played (the length once
    /// a play ended), 0 before the first play.
    qint64 PositionMs() const;
    qint64 LengthMs() const { return m_source.LengthMs(); }
    const TWavSource &Source() const { return m_source; }

    /// The play ended by itself: true when it played to the end, false when the device
    /// failed. Not called for Stop.
    std::function<void(bool completed)> OnEnded;

private:
    void Ended(bool completed);

    TWavSource m_source;
    std::unique_ptr<TSoundOutput> m_output;
    bool m_playing = false;
    qint64 m_endPosition = -1;
};

/// The simple sound call: plays fileName with the SND_… flags. An empty name stops the
/// current sound. SND_NOSTOP refuses while a sound plays; otherwise a new sound replaces
/// the current one. A file that cannot be played gives the default sound unless
/// SND_NODEFAULT. SND_LOOP always plays asynchronously (a looping synchronous sound would
/// never return); without SND_ASYNC the call returns when the sound ended, or at the
/// latest a second after its length in real time. Returns whether a sound was started (or
/// stopped).
bool PlaySound(const QString &fileName, unsigned flags);
/// Whether a sound of PlaySound is playing.
bool SoundPlaying();
/// How many times the default sound was given (for diagnostics and tests).
int DefaultSoundCount();

} // namespace sound
} // namespace jxt
