// SPDX-License-Identifier: MIT
// The designer's editor of the wave player's file name.
#include "editors/WaveFileProperty.h"

#include "TestSupport.h"
#include "host/controls/Dialogs.h"
#include "services/JXWAV.h"
#include "services/WavSound.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

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

/// One second of 8-bit mono sound at 8000 samples per second, as a canonical wave file.
QByteArray OneSecondOfSound()
{
    const QByteArray samples(8000, '\x80');
    QByteArray fmt = U16(1) + U16(1) + U32(8000) + U32(8000) + U16(1) + U16(8);
    QByteArray body =
        QByteArray("WAVEfmt ") + U32(16) + fmt + "data" + U32(quint32(samples.size())) + samples;
    return QByteArray("RIFF") + U32(quint32(body.size())) + body;
}

/// Routes every play to the silent output; dialogs are scripted.
class WaveFilePropertyTest : public ::testing::Test
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
    QString OneSecond() const { return Write(QStringLiteral("one.wav"), OneSecondOfSound()); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(WaveFilePropertyTest, PicksWaveFilesAndShowsWhyOneIsRefused)
{
    TJXWAV wav;
    const QString good = OneSecond();
    const QString bad = Write(QStringLiteral("bad.wav"), "RIFF");
    TWaveFileProperty editor({&wav}, QStringLiteral("FileName"));
    EXPECT_TRUE(editor.GetAttributes().Contains(paDialog));
    test::Dialogs()->Responder = [&](TDialogRequest &r) {
        if (r.kind != TDialogRequest::OpenFile)
            return -1;
        EXPECT_EQ(r.filter, QStringLiteral("Wave Dateien (*.wav)|*.WAV|All files (*.*)|*.*"));
        r.fileName = good;
        return int(mrOk);
    };
    editor.Edit();
    EXPECT_EQ(wav.FileName(), good);
    EXPECT_EQ(wav.SamplesPerSec(), 8000);
    // A file that is no wave file: the reason is shown, the name kept.
    test::Dialogs()->Responder = [&](TDialogRequest &r) {
        if (r.kind != TDialogRequest::OpenFile)
            return -1;
        EXPECT_EQ(r.fileName, good);
        r.fileName = bad;
        return int(mrOk);
    };
    editor.Edit();
    EXPECT_EQ(wav.FileName(), bad);
    EXPECT_TRUE(test::Dialogs()->Texts().contains(QStringLiteral("This is not a WAVE file.")));
    // Cancelled: nothing changes.
    test::Dialogs()->Responder = [](TDialogRequest &) { return int(mrCancel); };
    editor.Edit();
    EXPECT_EQ(wav.FileName(), bad);
}
