// SPDX-License-Identifier: MIT
#include "services/WavSound.h"

#include "host/core/Timer.h"
#include "platform/RegularFile.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioSink>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <limits>

namespace jxt::sound {

namespace {

// Frames converted in one go; bounds the read buffer.
constexpr qint64 kChunkFrames = 4096;
// Channel counts and rates an audio device can be asked for.
constexpr int kMaxChannels = 32;
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 768000;

TSoundOutputFactory &Factory()
{
    static TSoundOutputFactory factory;
    return factory;
}

std::unique_ptr<TSoundOutput> DefaultOutput(const QAudioFormat &)
{
    // JXT_SILENT_SOUND=1 keeps a program quiet (headless runs, screenshots).
    if (qEnvironmentVariableIntValue("JXT_SILENT_SOUND") == 0 &&
        !QMediaDevices::audioOutputs().isEmpty())
        return std::make_unique<TDeviceOutput>();
    return std::make_unique<TSilentOutput>();
}

} // namespace

// TWavSource

TWavSource::~TWavSource() = default;

TOpenResult TWavSource::OpenFile(const QString &fileName)
{
    close();
    m_file.close();
    m_format = platform::TWavFormat();
    m_frames = m_frame = 0;
    m_exhausted = true;
    switch (platform::OpenRegularFile(fileName, m_file)) {
    case platform::TFileAccess::Ok: break;
    case platform::TFileAccess::Missing: return TOpenResult::Missing;
    default: return TOpenResult::Unreadable;
    }
    if (platform::ReadWavFormat(m_file, m_format) != platform::TWavRead::Ok) {
        m_file.close();
        return TOpenResult::Malformed;
    }
    const platform::TWavFormat &f = m_format;
    int bytes = f.BitsPerSample / 8;
    bool known = f.BitsPerSample % 8 == 0;
    if (known && f.SampleTag == platform::kWaveFormatPcm) {
        switch (f.BitsPerSample) {
        case 8: m_coding = TCoding::U8; break;
        case 16: m_coding = TCoding::S16; break;
        case 24: m_coding = TCoding::S24; break;
        case 32: m_coding = TCoding::S32; break;
        default: known = false;
        }
    } else if (f.BitsPerSample == 8 && (f.SampleTag == platform::kWaveFormatMuLaw ||
                                        f.SampleTag == platform::kWaveFormatALaw)) {
        // Telephone codings are decoded here: audio outputs take only linear samples.
        m_coding = f.SampleTag == platform::kWaveFormatMuLaw ? TCoding::MuLaw : TCoding::ALaw;
    } else if (f.SampleTag == platform::kWaveFormatImaAdpcm && f.BitsPerSample == 4 &&
               platform::ImaAdpcmBlockFrames(f.BlockAlign, f.Channels) > 0) {
        // Blocks of 4-bit codes, decoded a block at a time to 16-bit samples.
        m_coding = TCoding::ImaAdpcm;
        known = true;
    } else if (known && f.SampleTag == platform::kWaveFormatIeeeFloat) {
        if (f.BitsPerSample == 32)
            m_coding = TCoding::F32;
        else if (f.BitsPerSample == 64)
            m_coding = TCoding::F64;
        else
            known = false;
    } else {
        known = false;
    }
    if (!known || f.Channels < 1 || f.Channels > kMaxChannels || f.SamplesPerSec < kMinRate ||
        f.SamplesPerSec > kMaxRate || f.BlockAlign < f.Channels * bytes) {
        m_file.close();
        return TOpenResult::Unsupported;
    }
    m_inFrame = f.BlockAlign;
    m_output = QAudioFormat();
    m_output.setChannelCount(f.Channels);
    m_output.setSampleRate(f.SamplesPerSec);
    switch (m_coding) {
    case TCoding::U8: m_output.setSampleFormat(QAudioFormat::UInt8); break;
    case TCoding::S16:
    case TCoding::MuLaw:
    case TCoding::ALaw:
    case TCoding::ImaAdpcm: m_output.setSampleFormat(QAudioFormat::Int16); break;
    case TCoding::S24:
    case TCoding::S32: m_output.setSampleFormat(QAudioFormat::Int32); break;
    case TCoding::F32:
    case TCoding::F64: m_output.setSampleFormat(QAudioFormat::Float); break;
    }
    m_outSample = m_output.bytesPerSample();
    m_decodedBlock = -1;
    if (m_coding == TCoding::ImaAdpcm) {
        // Whole blocks, then the whole groups of a last block the data cuts short.
        m_blockFrames = platform::ImaAdpcmBlockFrames(f.BlockAlign, f.Channels);
        const qint64 rest = f.DataPresent % m_inFrame;
        const qint64 head = 4 * f.Channels;
        m_frames = f.DataPresent / m_inFrame * m_blockFrames +
                   (rest >= head ? 1 + (rest - head) / head * 8 : 0);
        // The last block is padded to its full size; the "fact" chunk tells the real end.
        if (f.FactFrames >= 0)
            m_frames = std::min(m_frames, f.FactFrames);
    } else {
        m_blockFrames = 1;
        m_frames = f.DataPresent / m_inFrame;
    }
    m_exhausted = m_frames == 0;
    m_passYielded = false;
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    return TOpenResult::Ok;
}

void TWavSource::Rewind()
{
    m_frame = 0;
    m_passYielded = false;
    m_exhausted = !m_file.isOpen() || m_frames == 0;
}

qint64 TWavSource::OutputBytesPerSecond() const
{
    return qint64(m_outSample) * m_format.Channels * m_format.SamplesPerSec;
}

qint64 TWavSource::LengthMs() const
{
    const qint64 rate = m_format.SamplesPerSec;
    return rate > 0 ? (m_frames * 1000 + rate / 2) / rate : 0;
}

qint64 TWavSource::OutputBytesToMs(qint64 bytes) const
{
    const qint64 perSecond = OutputBytesPerSecond();
    return perSecond > 0 ? bytes * 1000 / perSecond : 0;
}

qint64 TWavSource::bytesAvailable() const
{
    if (m_exhausted)
        return 0;
    if (m_looping)
        return std::numeric_limits<int>::max();
    return (m_frames - m_frame) * m_outSample * m_format.Channels;
}

qint64 TWavSource::readData(char *data, qint64 maxSize)
{
    const qint64 outFrame = qint64(m_outSample) * m_format.Channels;
    if (outFrame <= 0)
        return 0;
    qint64 written = 0;
    while (!m_exhausted && written + outFrame <= maxSize) {
        if (m_frame >= m_frames) {
            // A loop starts again only after a pass that gave something, so data that
            // vanished cannot make this spin.
            if (m_looping && m_passYielded) {
                m_frame = 0;
                m_passYielded = false;
                continue;
            }
            m_exhausted = true;
            break;
        }
        const qint64 frames =
            std::min({(maxSize - written) / outFrame, m_frames - m_frame, kChunkFrames});
        qint64 gotFrames = 0;
        if (m_coding == TCoding::ImaAdpcm) {
            gotFrames = ReadBlockFrames(data + written, frames);
        } else {
            m_inBuffer.resize(qsizetype(frames * m_inFrame));
            qint64 got = -1;
            if (m_file.seek(m_format.DataOffset + m_frame * m_inFrame))
                got = m_file.read(m_inBuffer.data(), frames * m_inFrame);
            gotFrames = got > 0 ? got / m_inFrame : 0;
            if (gotFrames < frames)
                m_frames = m_frame + gotFrames; // the file was cut short: its data ends here
            Convert(m_inBuffer.constData(), data + written, gotFrames);
        }
        m_frame += gotFrames;
        written += gotFrames * outFrame;
        if (gotFrames > 0)
            m_passYielded = true;
    }
    return written;
}

qint64 TWavSource::ReadBlockFrames(char *out, qint64 frames)
{
    const int channels = m_format.Channels;
    const qint64 block = m_frame / m_blockFrames;
    if (block != m_decodedBlock) {
        m_inBuffer.resize(m_inFrame);
        qint64 got = -1;
        if (m_file.seek(m_format.DataOffset + block * m_inFrame))
            got = m_file.read(m_inBuffer.data(), m_inFrame);
        m_decoded.resize(std::size_t(m_blockFrames) * std::size_t(channels));
        m_decodedFrames = got > 0
                              ? platform::DecodeImaAdpcmBlock(
                                    reinterpret_cast<const std::uint8_t *>(m_inBuffer.constData()),
                                    int(got), channels, m_decoded.data(), m_blockFrames)
                              : 0;
        m_decodedBlock = block;
        // A block the file no longer holds in full ends the data.
        if (m_decodedFrames < m_blockFrames)
            m_frames = std::min(m_frames, block * m_blockFrames + m_decodedFrames);
    }
    const qint64 first = m_frame - block * m_blockFrames;
    const qint64 n = std::min(frames, m_decodedFrames - first);
    if (n <= 0)
        return 0;
    std::memcpy(out, m_decoded.data() + first * channels, std::size_t(n * channels) * 2);
    return n;
}

void TWavSource::Convert(const char *in, char *out, qint64 frames) const
{
    const auto *src = reinterpret_cast<const uchar *>(in);
    const int channels = m_format.Channels;
    const int inBytes = m_format.BitsPerSample / 8;
    for (qint64 i = 0; i < frames; ++i) {
        const uchar *frame = src + i * m_inFrame;
        for (int c = 0; c < channels; ++c) {
            const uchar *s = frame + c * inBytes;
            switch (m_coding) {
            case TCoding::U8: *out = char(*s); break;
            case TCoding::S16: qToUnaligned(qFromLittleEndian<qint16>(s), out); break;
            case TCoding::MuLaw: qToUnaligned(qint16(platform::MuLawToLinear(*s)), out); break;
            case TCoding::ALaw: qToUnaligned(qint16(platform::ALawToLinear(*s)), out); break;
            case TCoding::ImaAdpcm: break; // decoded by blocks in ReadBlockFrames
            case TCoding::S24: {
                const quint32 v = quint32(s[0]) << 8 | quint32(s[1]) << 16 | quint32(s[2]) << 24;
                qToUnaligned(qint32(v), out);
                break;
            }
            case TCoding::S32: qToUnaligned(qFromLittleEndian<qint32>(s), out); break;
            case TCoding::F32: {
                const quint32 bits = qFromLittleEndian<quint32>(s);
                float v;
                std::memcpy(&v, &bits, sizeof v);
                qToUnaligned(v, out);
                break;
            }
            case TCoding::F64: {
                const quint64 bits = qFromLittleEndian<quint64>(s);
                double v;
                std::memcpy(&v, &bits, sizeof v);
                qToUnaligned(float(v), out);
                break;
            }
            }
            out += m_outSample;
        }
    }
}

// TSilentOutput

TSilentOutput::TSilentOutput() : m_timer(std::make_unique<TTimer>())
{
    m_timer->SetEnabled(false);
    m_timer->SetInterval(kTickMs);
    m_timer->OnTimer = [this](TObject *) { Step(); };
}

TSilentOutput::~TSilentOutput()
{
    m_timer->OnTimer = nullptr;
}

bool TSilentOutput::Start(TWavSource *source)
{
    m_source = source;
    m_running = true;
    m_lastClock = TTimer::ClockMs();
    m_elapsedMs = 0;
    m_consumed = 0;
    m_timer->SetEnabled(true);
    return true;
}

void TSilentOutput::Stop()
{
    m_timer->SetEnabled(false);
    m_running = false;
}

qint64 TSilentOutput::PlayedMs() const
{
    return m_source ? m_source->OutputBytesToMs(m_consumed) : 0;
}

void TSilentOutput::Step()
{
    if (!m_running)
        return;
    const qint64 now = TTimer::ClockMs();
    // A clock that jumps (a manual clock taking over or leaving) moves the sound on by at
    // most a second.
    m_elapsedMs += std::clamp<qint64>(now - m_lastClock, 0, 1000);
    m_lastClock = now;
    const qint64 frame = qint64(m_source->OutputFormat().bytesPerFrame());
    qint64 due = m_elapsedMs * m_source->OutputBytesPerSecond() / 1000;
    due -= frame > 0 ? due % frame : 0;
    char buffer[16384];
    while (m_consumed < due) {
        const qint64 n = m_source->read(buffer, std::min<qint64>(sizeof buffer, due - m_consumed));
        if (n <= 0)
            break;
        m_consumed += n;
    }
    if (m_source->Exhausted()) {
        Stop();
        if (OnFinished)
            OnFinished();
    }
}

// TDeviceOutput

TDeviceOutput::TDeviceOutput() = default;

TDeviceOutput::~TDeviceOutput()
{
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink->stop();
    }
}

bool TDeviceOutput::Start(TWavSource *source)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(source->OutputFormat()))
        return false;
    m_source = source;
    m_deviceId = device.id();
    m_sink = std::make_unique<QAudioSink>(device, source->OutputFormat());
    connect(m_sink.get(), &QAudioSink::stateChanged, this, [this] { StateChanged(); });
    auto *devices = new QMediaDevices(this);
    connect(devices, &QMediaDevices::audioOutputsChanged, this, [this] { DevicesChanged(); });
    m_playedMs = 0;
    m_sink->start(source);
    if (m_sink->state() == QAudio::StoppedState && m_sink->error() != QAudio::NoError) {
        m_sink->disconnect(this);
        m_sink.reset();
        m_source = nullptr;
        return false;
    }
    return true;
}

void TDeviceOutput::Stop()
{
    if (m_sink && m_source) {
        m_playedMs = m_sink->processedUSecs() / 1000;
        m_sink->disconnect(this);
        m_sink->stop();
    }
    m_source = nullptr;
}

qint64 TDeviceOutput::PlayedMs() const
{
    return m_sink && m_source ? m_sink->processedUSecs() / 1000 : m_playedMs;
}

void TDeviceOutput::StateChanged()
{
    if (!m_sink || !m_source)
        return;
    const QAudio::State state = m_sink->state();
    if (state == QAudio::IdleState && m_source->Exhausted()) {
        Stop();
        if (OnFinished)
            OnFinished();
    } else if (state == QAudio::StoppedState && m_sink->error() != QAudio::NoError &&
               m_sink->error() != QAudio::UnderrunError) {
        Stop();
        if (OnFailed)
            OnFailed();
    }
}

void TDeviceOutput::DevicesChanged()
{
    if (!m_sink || !m_source)
        return;
    const auto outputs = QMediaDevices::audioOutputs();
    const bool present = std::any_of(outputs.begin(), outputs.end(), [this](const QAudioDevice &d) {
        return d.id() == m_deviceId;
    });
    if (!present) {
        Stop();
        if (OnFailed)
            OnFailed();
    }
}

void SetSoundOutputFactory(TSoundOutputFactory factory)
{
    Factory() = std::move(factory);
}

TSoundOutputFactory SilentOutputFactory()
{
    return [](const QAudioFormat &) { return std::make_unique<TSilentOutput>(); };
}

// TWavPlayback

TWavPlayback::~TWavPlayback()
{
    if (m_output)
        m_output->Stop();
}

TOpenResult TWavPlayback::Open(const QString &fileName)
{
    Stop();
    m_endPosition = -1;
    return m_source.OpenFile(fileName);
}

bool TWavPlayback::Play(bool looping)
{
    Stop();
    if (!m_source.isOpen())
        return false;
    m_source.SetLooping(looping);
    m_source.Rewind();
    // The old output may be the one whose end is being reported right now.
    if (m_output)
        m_output.release()->deleteLater();
    const QAudioFormat format = m_source.OutputFormat();
    m_output = Factory() ? Factory()(format) : DefaultOutput(format);
    bool started = m_output && m_output->Start(&m_source);
    if (!started) {
        // A device that refuses to start is treated as no device at all.
        if (m_output)
            m_output.release()->deleteLater();
        m_output = std::make_unique<TSilentOutput>();
        m_source.Rewind();
        started = m_output->Start(&m_source);
    }
    m_output->OnFinished = [this] { Ended(true); };
    m_output->OnFailed = [this] { Ended(false); };
    m_endPosition = -1;
    m_playing = started;
    return started;
}

void TWavPlayback::Stop()
{
    if (!m_playing)
        return;
    m_endPosition = PositionMs();
    m_playing = false;
    if (m_output)
        m_output->Stop();
}

qint64 TWavPlayback::PositionMs() const
{
    if (m_endPosition >= 0)
        return m_endPosition;
    if (!m_output)
        return 0;
    const qint64 played = m_output->PlayedMs();
    const qint64 length = LengthMs();
    if (m_source.Looping())
        return length > 0 ? played % length : 0;
    return std::min(played, length);
}

void TWavPlayback::Ended(bool completed)
{
    if (!m_playing)
        return;
    m_endPosition = completed ? LengthMs() : PositionMs();
    m_playing = false;
    if (OnEnded)
        OnEnded(completed);
}

// The simple sound call

namespace {

struct TSoundState
{
    QPointer<TWavPlayback> playback;
    int defaults = 0;
    int plays = 0;
};

TSoundState &State()
{
    static TSoundState state;
    return state;
}

TWavPlayback *Playback()
{
    TSoundState &s = State();
    if (!s.playback) {
        // Owned by the application, so it goes before the audio system does.
        s.playback = new TWavPlayback;
        s.playback->setParent(QCoreApplication::instance());
    }
    return s.playback;
}

void DefaultSound()
{
    ++State().defaults;
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::beep();
}

} // namespace

bool PlaySound(const QString &fileName, unsigned flags)
{
    TSoundState &s = State();
    if (fileName.isEmpty()) {
        if (s.playback)
            s.playback->Stop();
        return true;
    }
    if ((flags & SND_NOSTOP) && SoundPlaying())
        return false;
    TWavPlayback *playback = Playback();
    playback->OnEnded = nullptr;
    playback->Stop();
    const bool looping = flags & SND_LOOP;
    if (playback->Open(fileName) != TOpenResult::Ok || !playback->Play(looping)) {
        if (flags & SND_NODEFAULT)
            return false;
        DefaultSound();
        return true;
    }
    const int play = ++s.plays;
    if (looping || (flags & SND_ASYNC))
        return true;

    // Synchronous: wait for the end, with a bound in real time so that a clock that does
    // not move (or a device that never reports) cannot hold the caller for ever.
    QEventLoop loop;
    QPointer<TWavPlayback> guard(playback);
    playback->OnEnded = [&loop](bool) { loop.quit(); };
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
    bound.start(int(std::min<qint64>(playback->LengthMs() + 1000, 24 * 3600 * 1000)));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (guard && s.plays == play) {
        guard->OnEnded = nullptr;
        guard->Stop();
    }
    return true;
}

bool SoundPlaying()
{
    return State().playback && State().playback->Playing();
}

int DefaultSoundCount()
{
    return State().defaults;
}

} // namespace jxt::sound
