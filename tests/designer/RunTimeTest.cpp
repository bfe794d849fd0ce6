// SPDX-License-Identifier: MIT
// Only a Designer form window designs: forms loaded with QUiLoader, built by code from uic
// and shown in Designer's preview hold run-time components.
#include "DesignerCore.h"

#include "controls/JXDriveTab.h"
#include "controls/JXFontCombo.h"
#include "display/JXGauge.h"
#include "effects/JXFillImage.h"
#include "host/core/Component.h"
#include "package/JXDesignerWidgets.h"
#include "ui_RunTimeForm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QUiLoader>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>

#include <memory>

using namespace jxt;

namespace {

QString RunTimeFormText()
{
    QFile file(QStringLiteral(JXT_TEST_DATA_DIR "/designer/RunTimeForm.ui"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
}

bool Designing(QWidget *widget)
{
    auto *component = qobject_cast<TComponent *>(widget);
    return component && component->ComponentState().Contains(csDesigning);
}

/// Pixels of the fill image's dashed design frame on its surface: opaque black ones on the
/// top row (without a fill style the image leaves the rest of its surface clear).
int FramePixels(QWidget *fill)
{
    auto *control = qobject_cast<TControl *>(fill);
    control->Repaint();
    const QImage surface = control->Surface().convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int x = 0; x < surface.width(); ++x)
        count += surface.pixel(x, 0) == qRgba(0, 0, 0, 255) ? 1 : 0;
    return count;
}

const char *const kComponents[] = {"HiddenGauge", "Fill", "Lcd", "Copy", "Find", "Fonts", "Drives"};

/// Checks a run-time form: every component runs and has been loaded once the event loop has
/// turned (the font list and the drive tabs are filled then), the hidden gauge stays hidden,
/// and nothing draws a design frame.
void ExpectRunTime(QWidget *form)
{
    form->show();
    // The components' loads are queued; only those run here (Designer's preview window would
    // also take window activation events, which its form editor does not expect in a test).
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    for (const char *name : kComponents) {
        QWidget *w = form->findChild<QWidget *>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_FALSE(Designing(w)) << name;
        EXPECT_TRUE(qobject_cast<TComponent *>(w)->LoadedDone()) << name;
    }
    auto *fonts = form->findChild<TJXFontCombo *>(QStringLiteral("Fonts"));
    EXPECT_GT(fonts->Items()->Count(), 0);
    EXPECT_EQ(fonts->Text(), QStringLiteral("DejaVu Sans"));
    EXPECT_GT(form->findChild<TJXDriveTab *>(QStringLiteral("Drives"))->Tabs()->Count(), 0);
    QWidget *gauge = form->findChild<QWidget *>(QStringLiteral("HiddenGauge"));
    EXPECT_FALSE(gauge->isVisible());
    EXPECT_FALSE(gauge->property("Visible").toBool());
    EXPECT_TRUE(form->findChild<QWidget *>(QStringLiteral("Lcd"))->isVisible());
    // Non-visual components stay out of sight.
    EXPECT_FALSE(form->findChild<QWidget *>(QStringLiteral("Copy"))->isVisible());
    EXPECT_EQ(FramePixels(form->findChild<QWidget *>(QStringLiteral("Fill"))), 0);
}

} // namespace

TEST(DesignerRunTime, QUiLoaderGivesRunTimeComponents)
{
    test::DesignerCore(); // the plugin is loaded (and Designer exists) in this program
    QUiLoader loader;
    ASSERT_TRUE(loader.availableWidgets().contains(QStringLiteral("jxt::ui::TJXGauge")));
    QFile file(QStringLiteral(JXT_TEST_DATA_DIR "/designer/RunTimeForm.ui"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> form(loader.load(&file));
    ASSERT_NE(form, nullptr) << loader.errorString().toStdString();
    ExpectRunTime(form.get());
}

TEST(DesignerRunTime, CodeFromUicGivesRunTimeComponents)
{
    QWidget form;
    Ui::RunTimeForm ui;
    ui.setupUi(&form);
    ExpectRunTime(&form);
    EXPECT_EQ(ui.Copy->DestAsGiven(), QStringLiteral("/tmp/b"));
}

TEST(DesignerRunTime, OnlyTheFormWindowDesigns)
{
    test::TFormWindow fw = test::OpenForm(RunTimeFormText());
    fw->show();
    QWidget *gauge = test::FindWidget(fw.get(), QStringLiteral("HiddenGauge"));
    QWidget *fill = test::FindWidget(fw.get(), QStringLiteral("Fill"));
    ASSERT_TRUE(gauge && fill);
    EXPECT_TRUE(Designing(gauge));
    EXPECT_TRUE(Designing(fill));
    // In the designer the invisible gauge shows, and the fill image shows where it is.
    EXPECT_TRUE(gauge->isVisible());
    EXPECT_FALSE(gauge->property("Visible").toBool());
    EXPECT_GT(FramePixels(fill), 10);

    // Designer's preview of the same form runs.
    QDesignerFormWindowManagerInterface *manager = test::DesignerCore()->formWindowManager();
    const QWidgetList before = QApplication::topLevelWidgets();
    manager->action(QDesignerFormWindowManagerInterface::DefaultPreviewAction)->trigger();
    QWidget *preview = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (!before.contains(top) && top->findChild<QWidget *>(QStringLiteral("HiddenGauge")))
            preview = top;
    ASSERT_NE(preview, nullptr);
    ExpectRunTime(preview);
    manager->closeAllPreviews();
}
