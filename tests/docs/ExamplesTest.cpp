// SPDX-License-Identifier: MIT
// The examples of the reference run as they are shown: each one on a fresh form, in a folder
// that holds the files it names, with the dialogs scripted and the sound silent.
#include "TestSupport.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "host/graphics/Graphics.h"
#include "services/WavSound.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <functional>

// The examples, one per component (clang-format lays such a list out differently each run).
// clang-format off
#define JXT_EXAMPLES(X) \
    X(JXLCDPanel) X(JXDOTPanel) X(JXGauge) X(JXPanel) X(JX3dLabel) X(JXScrollText) \
    X(JXBlinker) X(JX3D) X(JXStars) X(JXBounce) X(JXAnimate) X(JXFillImage) \
    X(JXForm) X(JXFxImage) X(JXPicBox) X(JXIcoBox) X(JXPicClip) X(JXFontCombo) \
    X(JXDriveTab) X(JXBiBtn) X(JXAutoButton) X(JXGrabBar) X(JXINI) X(JXHint) \
    X(JXApp) X(JXWAV) X(JXPrinter) X(JXCopy) X(JXFind) X(JXDirList)
// clang-format on

#define JXT_DECLARE(name) void Example##name(jxt::TForm *form);
JXT_EXAMPLES(JXT_DECLARE)

using namespace jxt;

namespace {

struct TExample
{
    const char *className;
    std::function<void(TForm *)> run;
};

#define JXT_ENTRY(name) TExample{"T" #name, &Example##name},
const TExample kExamples[] = {JXT_EXAMPLES(JXT_ENTRY)};

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

/// The files the examples name: pictures of a few cells and a short wave file.
void WriteExampleFiles(const QDir &dir)
{
    TBitmap picture;
    picture.SetSize(64, 32);
    picture.Canvas()->FillSolid(Rect(0, 0, 64, 32), clTeal);
    for (const char *name : {"spinner.bmp", "splash.bmp", "cells.bmp"})
        picture.SaveToFile(dir.filePath(QString::fromLatin1(name)));
    const QByteArray samples(800, '\x80');
    const QByteArray fmt = U16(1) + U16(1) + U32(8000) + U32(8000) + U16(1) + U16(8);
    const QByteArray body =
        QByteArray("WAVEfmt ") + U32(16) + fmt + "data" + U32(quint32(samples.size())) + samples;
    QFile wave(dir.filePath(QStringLiteral("gong.wav")));
    ASSERT_TRUE(wave.open(QIODevice::WriteOnly));
    wave.write(QByteArray("RIFF") + U32(quint32(body.size())) + body);
}

class ExamplesTest : public ::testing::TestWithParam<TExample>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        WriteExampleFiles(QDir(m_dir.path()));
        test::InstallScriptedDialogs();
        sound::SetSoundOutputFactory(sound::SilentOutputFactory());
    }
    void TearDown() override
    {
        sound::PlaySound(QString(), 0);
        sound::SetSoundOutputFactory(nullptr);
        QCoreApplication::sendPostedEvents();
        QDir::setCurrent(m_previous);
    }

    QTemporaryDir m_dir;
    QString m_previous;
};

} // namespace

TEST_P(ExamplesTest, RunsAndMakesItsComponent)
{
    const TExample &example = GetParam();
    TForm form;
    form.SetBounds(0, 0, 400, 300);
    ASSERT_NO_THROW(example.run(&form));
    form.Show();
    QCoreApplication::processEvents();
    bool found = false;
    for (int i = 0; i < form.ComponentCount(); ++i)
        found = found || form.Components(i)->ClassName() == QLatin1String(example.className);
    EXPECT_TRUE(found) << example.className << " is not among the form's components";
}

INSTANTIATE_TEST_SUITE_P(Reference, ExamplesTest, ::testing::ValuesIn(kExamples),
                         [](const ::testing::TestParamInfo<TExample> &info) {
                             return std::string(info.param.className);
                         });
