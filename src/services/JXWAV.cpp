// SPDX-License-Identifier: MIT
// TJXWAV: the media device, the simple sound call, the status timer, reading the format and
// painting the sample preview.
#include "services/JXWAV.h"

#include "host/core/Events.h"

#include "host/controls/Dialogs.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/RegularFile.h"
#include "platform/WavHeader.h"
#include "services/WavSound.h"

#include <QFile>
#include <QPointer>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace jxt {

namespace {

// Device identifiers are handed out in turn, skipping 0, which means "none".
std::uint16_t NextDeviceId()
{
    static std::uint16_t last = 0;
    if (++last == 0)
        ++last;
    return last;
}

int ClampToInt(qint64 value)
{
    return int(std::clamp<qint64>(value, 0, std::numeric_limits<int>::max()));
}

/// Reads the byte the preview shows for a file offset. Inside the data of a wave file whose
/// samples it knows, that is the first channel's sample of the frame holding the offset,
/// scaled to the range of an 8-bit sample (0..255, silence 128); elsewhere in such a file it
/// is silence. In any other file it is the raw byte.
class TPreviewReader
{
public:
    explicit TPreviewReader(QFile &file) : m_file(file)
    {
        const qint64 start = file.pos();
        if (platform::ReadWavFormat(file, m_format) == platform::TWavRead::Ok) {
            const int bits = m_format.BitsPerSample;
            const bool pcm = m_format.SampleTag == platform::kWaveFormatPcm &&
                             (bits == 8 || bits == 16 || bits == 24 || bits == 32);
            const bool ieee =
                m_format.SampleTag == platform::kWaveFormatIeeeFloat && (bits == 32 || bits == 64);
            m_decoded = (pcm || ieee) && m_format.BlockAlign >= bits / 8;
            m_float = ieee;
        }
        file.seek(start);
    }

    int ByteAt(qint64 offset)
    {
        if (!m_decoded)
            return Raw(offset);
        const qint64 inData = offset - m_format.DataOffset;
        if (inData < 0 || inData >= m_format.DataPresent)
            return 128;
        const qint64 frameStart =
            m_format.DataOffset + inData / m_format.BlockAlign * m_format.BlockAlign;
        const int bytes = m_format.BitsPerSample / 8;
        uchar s[8] = {};
        if (!m_file.seek(frameStart) || m_file.read(reinterpret_cast<char *>(s), bytes) != bytes)
            return 128;
        if (m_float) {
            double v;
            if (bytes == 4) {
                float f;
                const quint32 b = qFromLittleEndian<quint32>(s);
                std::memcpy(&f, &b, sizeof f);
                v = f;
            } else {
                const quint64 b = qFromLittleEndian<quint64>(s);
                std::memcpy(&v, &b, sizeof v);
            }
            if (!std::isfinite(v))
                return 128;
            return std::clamp(int(std::lround(v * 128.0)) + 128, 0, 255);
        }
        switch (bytes) {
        case 1: return s[0];
        default:
            // The most significant byte (the last, little-endian) carries the shape.
            return int(qint8(s[bytes - 1])) + 128;
        }
    }

private:
    int Raw(qint64 offset)
    {
        char c = 0;
        if (!m_file.seek(offset) || !m_file.getChar(&c))
            return 128;
        return uchar(c);
    }

    QFile &m_file;
    platform::TWavFormat m_format;
    bool m_decoded = false;
    bool m_float = false;
};

} // namespace

TJXWAV::TJXWAV(TComponent *owner)
    : TCustomControl(owner), m_timer(std::make_unique<TTimer>()),
      m_device(std::make_unique<sound::TWavPlayback>())
{
    setFocusPolicy(Qt::NoFocus);
    SetBounds(Left(), Top(), 25, 25);
    TCustomControl::SetColor(clBlack);
    m_timer->OnTimer = [this](TObject *) { JXOnTime(); };
    SetInterval(100);
    m_device->OnEnded = [this](bool completed) { DeviceEnded(completed); };
}

TJXWAV::~TJXWAV()
{
    m_timer->SetEnabled(false);
    m_timer->OnTimer = nullptr;
    m_device->OnEnded = nullptr;
    m_device->Stop();
    m_deviceId = 0;
}

TAccessibleInfo TJXWAV::AccessibleInfo() const
{
    return {QAccessible::Graphic, platform::ExtractFileName(m_fileName)};
}

void TJXWAV::SetColor(TColor value)
{
    TCustomControl::SetColor(value);
    Invalidate();
}

void TJXWAV::SetFileName(const QString &value)
{
    m_fileName = value;
    AccessibleNameChanged();
    // The control shows the new name even when its format cannot be read.
    Invalidate();
    GetFormatInfo(value);
    Refresh();
}

void TJXWAV::SetInterval(int value)
{
    if (value > 0 && value < 20)
        value = 20;
    m_interval = value;
    m_timer->SetInterval(std::max(0, value));
    m_timer->SetEnabled(value > 0);
}

void TJXWAV::GetFormatInfo(const QString &fileName)
{
    m_formatTag = 0;
    m_channels = 0;
    m_samplesPerSec = 0;
    m_dataSize = 0;
    m_playTime = 0;
    if (!platform::FileExists(fileName))
        return;
    QFile file;
    if (platform::OpenRegularFile(fileName, file) != platform::TFileAccess::Ok)
        throw Exception(QStringLiteral("Failed to open file."));
    platform::TWavFormat format;
    switch (platform::ReadWavFormat(file, format)) {
    case platform::TWavRead::NotWave: throw Exception(QStringLiteral("This is not a WAVE file."));
    case platform::TWavRead::NoFormat:
        throw Exception(QStringLiteral("WAVE file has no \\\"fmt\\\" chunk"));
    case platform::TWavRead::ShortFormat:
        throw Exception(QStringLiteral("Failed to read format chunk."));
    case platform::TWavRead::NoData:
        throw Exception(QStringLiteral("WAVE file has no data chunk."));
    case platform::TWavRead::EmptyData:
        throw Exception(QStringLiteral("The data chunk contains no data."));
    case platform::TWavRead::Ok: break;
    }
    // The fields are set only for a file read to the end, so a failure leaves them all 0.
    m_formatTag = format.FormatTag;
    m_channels = format.Channels;
    m_samplesPerSec = format.SamplesPerSec;
    m_dataSize = ClampToInt(format.DataPresent);
    if (format.AvgBytesPerSec != 0)
        m_playTime = float(double(m_dataSize) / double(format.AvgBytesPerSec));
}

void TJXWAV::OpenMedia()
{
    // Setting the time format needs an open device; with none the command fails.
    m_mciFlags = MCI_NOTIFY | MCI_SET_TIME_FORMAT;
    m_mciResult = m_deviceId ? 0 : MCIERR_INVALID_DEVICE_ID;
    // A device still open is closed first rather than left open and forgotten.
    CloseMedia();
    m_mciFlags = MCI_WAIT | MCI_OPEN_ELEMENT | MCI_OPEN_TYPE;
    switch (m_device->Open(m_fileName)) {
    case sound::TOpenResult::Ok:
        m_mciResult = 0;
        m_deviceId = NextDeviceId();
        break;
    case sound::TOpenResult::Missing: m_mciResult = MCIERR_FILE_NOT_FOUND; break;
    default: m_mciResult = MCIERR_INVALID_FILE; break;
    }
}

void TJXWAV::Play()
{
    if (m_deviceId)
        CloseMedia();
    if (m_silence)
        return;
    if (!m_deviceId)
        OpenMedia();
    if (!m_deviceId)
        return;
    m_mciFlags = MCI_NOTIFY;
    if (m_device->Play(false)) {
        m_mciResult = 0;
        m_notifyPending = true;
    } else {
        m_mciResult = MCIERR_HARDWARE;
    }
}

void TJXWAV::CloseMedia()
{
    if (!m_deviceId)
        return;
    m_mciFlags = MCI_WAIT;
    m_device->Stop();
    m_mciResult = 0;
    m_deviceId = 0;
    if (m_notifyPending) {
        m_notifyPending = false;
        PostNotify(MCI_NOTIFY_ABORTED);
    }
}

int TJXWAV::GetLength()
{
    m_mciFlags = MCI_WAIT | MCI_STATUS_ITEM;
    if (!m_deviceId) {
        m_mciResult = MCIERR_INVALID_DEVICE_ID;
        return 0;
    }
    m_mciResult = 0;
    return ClampToInt(m_device->LengthMs());
}

int TJXWAV::Position() const
{
    return m_deviceId ? ClampToInt(m_device->PositionMs()) : 0;
}

bool TJXWAV::PlayWAV(const QString &fileName, TwFlags flags)
{
    if (m_silence)
        return false;
    return sound::PlaySound(fileName, GetFlagWord(flags));
}

void TJXWAV::StartLoop(const QString &fileName)
{
    PlayWAV(fileName, TwFlags(ASYNC) | NODEFAULT | LOOP);
}

void TJXWAV::StopWav()
{
    PlayWAV(QString(), TwFlags());
}

void TJXWAV::Beep()
{
    if (!m_silence)
        sound::PlaySound(QStringLiteral("#"), sound::SND_ASYNC);
}

std::uint16_t TJXWAV::GetFlagWord(TwFlags flags)
{
    std::uint16_t word = sound::SND_SYNC;
    if (flags & ASYNC)
        word |= sound::SND_ASYNC;
    if (flags & NODEFAULT)
        word |= sound::SND_NODEFAULT;
    if (flags & LOOP)
        word |= sound::SND_LOOP;
    if (flags & NOSTOP)
        word |= sound::SND_NOSTOP;
    return word;
}

void TJXWAV::MMNotify(int wParam)
{
    switch (wParam) {
    case MCI_NOTIFY_SUCCESSFUL: m_notifyValue = nvSuccessful; break;
    case MCI_NOTIFY_SUPERSEDED: m_notifyValue = nvSuperseded; break;
    case MCI_NOTIFY_ABORTED: m_notifyValue = nvAborted; break;
    case MCI_NOTIFY_FAILURE: m_notifyValue = nvFailure; break;
    default: break;
    }
    FireEvent(this, OnNotify, &TJXWAV::onNotify, this, m_notifyValue);
}

void TJXWAV::PostNotify(int wParam)
{
    QMetaObject::invokeMethod(
        this, [this, wParam] { MMNotify(wParam); }, Qt::QueuedConnection);
}

void TJXWAV::DeviceEnded(bool completed)
{
    if (!m_notifyPending)
        return;
    m_notifyPending = false;
    PostNotify(completed ? MCI_NOTIFY_SUCCESSFUL : MCI_NOTIFY_FAILURE);
}

void TJXWAV::JXOnTime()
{
    m_timer->SetEnabled(false);
    m_position = Position();
    m_length = GetLength();
    QPointer<TJXWAV> self(this);
    if (!FireEvent(this, OnShowStatus, &TJXWAV::onShowStatus, this, m_position, m_length))
        return;
    if (self)
        m_timer->SetEnabled(m_interval > 0);
}

void TJXWAV::Paint()
{
    if (!Visible() && !ComponentState().Contains(csDesigning))
        return;
    TCanvas *c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    if (!platform::FileExists(m_fileName))
        return;
    c->SetFont(Font());
    c->TextOut(0, 0, m_fileName);

    QFile file;
    if (platform::OpenRegularFile(m_fileName, file) != platform::TFileAccess::Ok)
        return;
    const qint64 size = file.size();
    const int width = Width();
    const int height = Height();
    if (width <= 0)
        return;
    // A file with fewer bytes than the control has columns is drawn a byte per column.
    const qint64 step = std::max<qint64>(1, size / width);
    const int mid = height / 2;

    c->Pen()->SetColor(TColor(0x0000FF));
    c->MoveTo(0, mid);
    c->LineTo(width, mid);

    TPreviewReader reader(file);
    c->Pen()->SetColor(TColor(0x00FF00));
    c->MoveTo(0, mid);
    qint64 offset = 45;
    int x = 0;
    do {
        if (offset < size) {
            const int v = reader.ByteAt(offset);
            c->LineTo(x, (v - 128) * height / 256 + mid);
        }
        ++x;
        offset += step;
    } while (offset < size);
}

} // namespace jxt
