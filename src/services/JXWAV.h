// SPDX-License-Identifier: MIT
// TJXWAV: a small control that plays wave files, reports the play position and the end of
// play as events, reads the format of its file and draws a rough preview of the samples.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"
#include "host/core/About.h"
#include "host/core/Timer.h"
#include "host/graphics/ColorValue.h"
#include "util/JXVersions.h"

#include <QFlags>

#include <cstdint>
#include <functional>
#include <memory>

namespace jxt {

namespace sound {
class TWavPlayback;
}

/// Media device command flags and notification codes, with their Windows values.
constexpr std::uint32_t MCI_NOTIFY = 0x1, MCI_WAIT = 0x2, MCI_OPEN_ELEMENT = 0x200,
                        MCI_SET_TIME_FORMAT = 0x400, MCI_STATUS_ITEM = 0x100,
                        MCI_OPEN_TYPE = 0x2000;
constexpr int MCI_NOTIFY_SUCCESSFUL = 1, MCI_NOTIFY_SUPERSEDED = 2, MCI_NOTIFY_ABORTED = 4,
              MCI_NOTIFY_FAILURE = 8;
/// Result codes of the media device commands (0 is success).
constexpr int MCIERR_INVALID_DEVICE_ID = 257, MCIERR_HARDWARE = 262, MCIERR_FILE_NOT_FOUND = 275,
              MCIERR_INVALID_FILE = 296;

/// Plays wave files in two ways. The media device (OpenMedia, Play, CloseMedia) plays
/// FileName asynchronously and reports its end through OnNotify; while it is open the
/// status timer reports its position and length in milliseconds through OnShowStatus
/// (0 and 0 while none is open). The simple sound call (PlayWAV, StartLoop, StopWav, Beep)
/// plays any file, once or in a loop, and is shared by the whole program: a new sound
/// replaces the one playing.
///
/// Sound goes to the default audio device; where there is none (or it refuses to start), a
/// silent output keeps the time instead, so positions, ends and loops behave the same. A
/// device that disappears while playing ends the play with nvFailure; a file deleted or cut
/// short while playing ends it early.
///
/// Setting FileName reads the file's format into FormatTag, Channels, SamplesPerSec,
/// DataSize and PlayTime, and raises Exception with the reason when the file is not a
/// readable wave file; the fields are then all 0 and FileName is kept. The control paints
/// the file name and a trace of the samples: one sample of the first channel per pixel
/// column, green on Color, over a red centre line.
class JXT_EXPORT TJXWAV : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(TwFlags SNDFlags READ SNDFlagsValue WRITE SetSNDFlagsValue)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    Q_PROPERTY(bool Silence READ Silence WRITE SetSilence)
    Q_PROPERTY(quint16 FormatTag READ FormatTag WRITE SetFormatTag)
    Q_PROPERTY(quint16 Channels READ Channels WRITE SetChannels)
    Q_PROPERTY(int SamplesPerSec READ SamplesPerSec WRITE SetSamplesPerSec)
    Q_PROPERTY(int DataSize READ DataSize WRITE SetDataSize)
    Q_PROPERTY(float PlayTime READ PlayTime WRITE SetPlayTime)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_CLASSINFO("ToolTip", "Wave player with a sample preview")
    Q_CLASSINFO("WhatsThis", "Plays wave files once or in a loop, reports the play position "
                             "and the end of play, reads the file's format and draws a "
                             "preview of its samples.")
    JXT_ABOUT(JXWAVVersion)

public:
    /// The flags of the simple sound call.
    enum TwFlag {
        SYNC = 1 << 0,
        ASYNC = 1 << 1,
        NODEFAULT = 1 << 2,
        LOOP = 1 << 3,
        NOSTOP = 1 << 4
    };
    Q_DECLARE_FLAGS(TwFlags, TwFlag)
    Q_FLAG(TwFlags)
    /// How a play that was asked to notify ended.
    enum TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };
    Q_ENUM(TMPNotifyValues)

    /// The handler of OnNotify.
    using TJXNotifyEvent = std::function<void(TObject *sender, TMPNotifyValues notifyValue)>;
    /// The handler of OnShowStatus: position and length in milliseconds.
    using TJXShowStatusEvent = std::function<void(TObject *sender, int position, int length)>;

    explicit TJXWAV(TComponent *owner = nullptr);
    ~TJXWAV() override;
    TAccessibleInfo AccessibleInfo() const override;

    /// Default [ASYNC]; kept for the application, no operation reads it.
    TwFlags SNDFlags() const { return m_sndFlags; }
    void SetSNDFlags(TwFlags value) { m_sndFlags = value; }
    /// The wave file, a Windows or host path; default empty. Setting it reads the format
    /// (raising Exception for a file that is there but is no readable wave file) and
    /// repaints.
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString &value);
    /// Status timer period in milliseconds, default 100; 1..19 become 20, 0 or less stops
    /// the status events.
    int Interval() const { return m_interval; }
    void SetInterval(int value);
    /// Default false. True makes Play only close an open device, and PlayWAV, StartLoop,
    /// StopWav and Beep do nothing.
    bool Silence() const { return m_silence; }
    void SetSilence(bool value) { m_silence = value; }
    /// The format of FileName as read when it was set; writing only stores.
    //!@{
    quint16 FormatTag() const { return m_formatTag; }
    void SetFormatTag(quint16 value) { m_formatTag = value; }
    quint16 Channels() const { return m_channels; }
    void SetChannels(quint16 value) { m_channels = value; }
    int SamplesPerSec() const { return m_samplesPerSec; }
    void SetSamplesPerSec(int value) { m_samplesPerSec = value; }
    //!@}
    /// Bytes of sample data the file holds.
    int DataSize() const { return m_dataSize; }
    void SetDataSize(int value) { m_dataSize = value; }
    /// Seconds: DataSize divided by the format's bytes per second.
    float PlayTime() const { return m_playTime; }
    void SetPlayTime(float value) { m_playTime = value; }
    /// Fills the control at once with the colour and repaints; default clBlack.
    void SetColor(TColor value) override;

    /// Opens FileName on a new media device (closing one that is open).
    void OpenMedia();
    /// Plays FileName from the start on a newly opened device; the end arrives as OnNotify.
    void Play();
    /// Closes the open device; a play still running ends with nvAborted.
    void CloseMedia();
    /// Length of the open device's file in milliseconds (0 when none is open).
    int GetLength();
    /// Plays fileName with the flags through the simple sound call (an empty name stops the
    /// current sound); false when Silence is on or the sound could not be played.
    bool PlayWAV(const QString &fileName, TwFlags flags);
    /// Plays fileName asynchronously in a loop until StopWav.
    void StartLoop(const QString &fileName);
    /// Stops the sound of PlayWAV or StartLoop.
    void StopWav();
    /// Does nothing (kept for callers that wait for a sound).
    void WaitWAV() {}
    /// Plays the system's default sound.
    void Beep();
    /// The flag word of the simple sound call for flags.
    static std::uint16_t GetFlagWord(TwFlags flags);

    /// Delivers a media device notification: wParam MCI_NOTIFY_… sets the notify value
    /// (other values keep the previous one), then OnNotify runs.
    void MMNotify(int wParam);
    /// One tick of the status timer: position and length to OnShowStatus.
    void JXOnTime();

    /// Identifier of the open media device, 0 when none is open.
    std::uint16_t DeviceID() const { return m_deviceId; }
    /// Result code and flags of the last media device command.
    //!@{
    int MCIResult() const { return m_mciResult; }
    std::uint32_t MCIFlags() const { return m_mciFlags; }
    //!@}
    /// How the last play that notified ended.
    TMPNotifyValues NotifyValue() const { return m_notifyValue; }
    /// Position and length last reported by the status timer.
    //!@{
    int LastPosition() const { return m_position; }
    int LastLength() const { return m_length; }
    //!@}
    /// The status timer (enabled while Interval is above 0).
    TTimer *Timer() const { return m_timer.get(); }

    QSize sizeHint() const override { return QSize(25, 25); }
    QSize minimumSizeHint() const override { return QSize(1, 1); }

    /// A play ended (see TMPNotifyValues).
    TJXNotifyEvent OnNotify;
    /// Every status timer tick: the position and length (0 when no device is open).
    TJXShowStatusEvent OnShowStatus;

signals:
    void onNotify(jxt::TObject *sender, jxt::TJXWAV::TMPNotifyValues notifyValue);
    void onShowStatus(jxt::TObject *sender, int position, int length);

protected:
    void Paint() override;

private:
    TwFlags SNDFlagsValue() const { return m_sndFlags; }
    void SetSNDFlagsValue(TwFlags value) { m_sndFlags = value; }
    /// Reads FileName's format into the five fields (all 0 first); raises for a file that
    /// is there but is no readable wave file.
    void GetFormatInfo(const QString &fileName);
    /// Posts a notification as a device would: it arrives from the event loop.
    void PostNotify(int wParam);
    /// The open device has ended its play by itself.
    void DeviceEnded(bool completed);
    int Position() const;

    TwFlags m_sndFlags = ASYNC;
    QString m_fileName;
    int m_interval = 100;
    bool m_silence = false;
    quint16 m_formatTag = 0;
    quint16 m_channels = 0;
    int m_samplesPerSec = 0;
    int m_dataSize = 0;
    float m_playTime = 0;

    std::unique_ptr<TTimer> m_timer;
    std::unique_ptr<sound::TWavPlayback> m_device;
    std::uint16_t m_deviceId = 0;
    int m_mciResult = 0;
    std::uint32_t m_mciFlags = 0;
    bool m_notifyPending = false;
    TMPNotifyValues m_notifyValue = nvSuccessful;
    int m_position = 0;
    int m_length = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TJXWAV::TwFlags)

using TwFlag = TJXWAV::TwFlag;
using TwFlags = TJXWAV::TwFlags;
constexpr TwFlag SYNC = TJXWAV::SYNC;
constexpr TwFlag ASYNC = TJXWAV::ASYNC;
constexpr TwFlag NODEFAULT = TJXWAV::NODEFAULT;
constexpr TwFlag LOOP = TJXWAV::LOOP;
constexpr TwFlag NOSTOP = TJXWAV::NOSTOP;
using TMPNotifyValues = TJXWAV::TMPNotifyValues;
constexpr TMPNotifyValues nvSuccessful = TJXWAV::nvSuccessful;
constexpr TMPNotifyValues nvSuperseded = TJXWAV::nvSuperseded;
constexpr TMPNotifyValues nvAborted = TJXWAV::nvAborted;
constexpr TMPNotifyValues nvFailure = TJXWAV::nvFailure;

} // namespace jxt
