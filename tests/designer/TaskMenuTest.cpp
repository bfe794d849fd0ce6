// SPDX-License-Identifier: MIT
// Every registered property editor opens from the widget's context menu in Designer, runs
// through the dialog service, and what it changes is saved with the form and can be undone.
#include "DesignerCore.h"

#include "JXTaskMenu.h"
#include "TestSupport.h"
#include "editors/HintProperty.h"
#include "editors/JXAnimPropertyForm.h"
#include "editors/JXFillStylePropertyForm.h"
#include "editors/JXTVersionForm.h"
#include "effects/JXAnimate.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "package/JXDesignerWidgets.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerTaskMenuExtension>

using namespace jxt;
using jxt::test::Dialogs;

namespace {

QString Widget(const char *cls, const char *name, const QString &properties = QString())
{
    return QStringLiteral("  <widget class=\"jxt::ui::%1\" name=\"%2\">\n"
                          "   <property name=\"geometry\"><rect><x>10</x><y>10</y>"
                          "<width>100</width><height>60</height></rect></property>\n%3"
                          "  </widget>\n")
        .arg(QString::fromLatin1(cls), QString::fromLatin1(name), properties);
}

QStringList ActionTexts(QObject *widget)
{
    QStringList texts;
    if (QDesignerTaskMenuExtension *menu = test::TaskMenu(widget))
        for (QAction *action : menu->taskActions())
            texts << action->text();
    return texts;
}

/// Triggers the context menu entry of widget with that text.
void Trigger(QObject *widget, const QString &text)
{
    QDesignerTaskMenuExtension *menu = test::TaskMenu(widget);
    ASSERT_NE(menu, nullptr);
    for (QAction *action : menu->taskActions())
        if (action->text() == text) {
            action->trigger();
            return;
        }
    FAIL() << "no entry " << text.toStdString();
}

/// The saved form's property element of a widget (name="..."), up to its end.
QString SavedProperty(const QString &contents, const QString &widget, const QString &property)
{
    const int at = contents.indexOf(QStringLiteral("name=\"%1\"").arg(widget));
    if (at < 0)
        return QString();
    const int end = contents.indexOf(QStringLiteral("</widget>"), at);
    const QString part = contents.mid(at, end - at);
    const int p = part.indexOf(QStringLiteral("<property name=\"%1\"").arg(property));
    if (p < 0)
        return QString();
    return part.mid(p, part.indexOf(QStringLiteral("</property>"), p) - p);
}

class DesignerTaskMenu : public ::testing::Test
{
protected:
    void SetUp() override { test::InstallScriptedDialogs(); }
    void TearDown() override { Dialogs()->Responder = nullptr; }
};

} // namespace

TEST_F(DesignerTaskMenu, EveryRegisteredEditorIsAnEntry)
{
    const QString body = Widget("TJXAnimate", "Animation") + Widget("TJXForm", "Background") +
                         Widget("TJXWAV", "Player") + Widget("TJXIcoBox", "Icons") +
                         Widget("TJXPicBox", "Pictures") + Widget("TJXGauge", "Gauge") +
                         Widget("TJXCopy", "Copy");
    test::TFormWindow fw = test::OpenForm(test::FormText(body));
    const auto entries = [&](const char *name) {
        return ActionTexts(test::FindWidget(fw.get(), QString::fromLatin1(name)));
    };
    EXPECT_EQ(entries("Animation"), (QStringList{"About_JXTools...", "Picture...", "Hint..."}));
    EXPECT_EQ(entries("Background"),
              (QStringList{"About_JXTools...", "FillStyle...", "Farben..."}));
    EXPECT_EQ(entries("Player"),
              (QStringList{"About_JXTools...", "FileName...", "Hint...", "Farben..."}));
    EXPECT_EQ(entries("Icons"), (QStringList{"About_JXTools...", "IconFileName...", "Farben..."}));
    EXPECT_EQ(entries("Pictures"), (QStringList{"About_JXTools...", "PicPattern...", "Farben..."}));
    EXPECT_EQ(entries("Gauge"), (QStringList{"About_JXTools...", "Hint...", "Farben..."}));
    EXPECT_EQ(entries("Copy"), (QStringList{"About_JXTools..."}));
    // A double click runs the editor of the widget's main property.
    EXPECT_EQ(test::TaskMenu(test::FindWidget(fw.get(), QStringLiteral("Animation")))
                  ->preferredEditAction()
                  ->text(),
              QStringLiteral("Picture..."));
}

TEST_F(DesignerTaskMenu, TheAboutFormOpensFromTheMenuAndFromItsPropertyAndChangesNothing)
{
    test::TFormWindow fw = test::OpenForm(test::FormText(Widget("TJXLCDPanel", "Lcd")));
    QWidget *lcd = test::FindWidget(fw.get(), QStringLiteral("Lcd"));
    QString shownClass, shownStand;
    Dialogs()->Responder = [&](TDialogRequest &r) {
        if (auto *about = dynamic_cast<TfrmJXTVersion *>(r.form)) {
            shownClass = about->lblClassName->Caption();
            shownStand = about->lblStand->Caption();
        }
        return -1;
    };
    const int commands = fw->commandHistory()->count();
    Trigger(lcd, QStringLiteral("About_JXTools..."));
    EXPECT_EQ(shownClass, QStringLiteral("TJXLCDPanel"));
    EXPECT_EQ(shownStand, QStringLiteral("Stand : 15.11.96"));
    EXPECT_EQ(fw->commandHistory()->count(), commands);

    // Typing into the entry in the property editor opens it too; the entry stays.
    shownClass.clear();
    fw->cursor()->setWidgetProperty(lcd, QStringLiteral("About_JXTools"), QStringLiteral("x"));
    QApplication::processEvents();
    EXPECT_EQ(shownClass, QStringLiteral("TJXLCDPanel"));
    EXPECT_EQ(lcd->property("About_JXTools").toString(), QStringLiteral("Klick me.."));
}

TEST_F(DesignerTaskMenu, TheHintEditorsTextIsSavedAndUndone)
{
    test::TFormWindow fw = test::OpenForm(test::FormText(
        Widget("TJXGauge", "Gauge",
               QStringLiteral("   <property name=\"Hint\"><string>alt</string></property>\n"))));
    QWidget *gauge = test::FindWidget(fw.get(), QStringLiteral("Gauge"));
    Dialogs()->Responder = [](TDialogRequest &r) {
        auto *dialog = dynamic_cast<THintStringEditDialog *>(r.form);
        if (!dialog)
            return -1;
        dialog->Memo->Editor()->setPlainText(QStringLiteral("neu\nzweite Zeile"));
        return int(mrOk);
    };
    Trigger(gauge, QStringLiteral("Hint..."));
    EXPECT_EQ(gauge->property("Hint").toString(), QStringLiteral("neu\r\nzweite Zeile"));
    const QString saved = SavedProperty(fw->contents(), "Gauge", "Hint");
    EXPECT_TRUE(saved.contains(QStringLiteral("neu"))) << saved.toStdString();
    EXPECT_FALSE(saved.contains(QStringLiteral("notr"))); // a hint is text to translate
    fw->commandHistory()->undo();
    EXPECT_EQ(gauge->property("Hint").toString(), QStringLiteral("alt"));
    fw->commandHistory()->redo();
    EXPECT_EQ(gauge->property("Hint").toString(), QStringLiteral("neu\r\nzweite Zeile"));
}

TEST_F(DesignerTaskMenu, TheAnimationEditorsPictureIsKeptInAFileBesideTheForm)
{
    QTemporaryDir dir;
    TBitmap frames(300, 100);
    frames.Canvas()->FillSolid(Rect(0, 0, 300, 100), clRed);
    const QString framesFile = dir.filePath(QStringLiteral("frames.bmp"));
    frames.SaveToFile(framesFile);
    const QString props =
        QStringLiteral("   <property name=\"Picture\"><pixmap>%1</pixmap></property>\n"
                       "   <property name=\"Cols\"><number>3</number></property>\n")
            .arg(framesFile);
    test::TFormWindow fw = test::OpenForm(test::FormText(Widget("TJXAnimate", "Animation", props)),
                                          dir.filePath(QStringLiteral("form.ui")));
    auto *animate =
        qobject_cast<TJXAnimate *>(test::FindWidget(fw.get(), QStringLiteral("Animation")));
    ASSERT_NE(animate, nullptr);
    ASSERT_EQ(animate->Picture()->Width(), 300);

    QString offeredFile;
    Dialogs()->Responder = [&](TDialogRequest &r) {
        if (auto *editor = dynamic_cast<TfrmAnimEd *>(r.form)) {
            editor->FormActivate();
            editor->ColPlus1Click();
            return int(mrOk);
        }
        if (r.kind == TDialogRequest::SaveFile) {
            offeredFile = r.fileName;
            r.fileName = dir.filePath(QStringLiteral("walk.bmp"));
            return int(mrOk);
        }
        return -1;
    };
    Trigger(animate, QStringLiteral("Picture..."));
    EXPECT_EQ(offeredFile, dir.filePath(QStringLiteral("Animation_Picture.bmp")));
    EXPECT_EQ(animate->Cols(), 4);
    EXPECT_EQ(animate->Picture()->Width(), 400);
    TBitmap written;
    written.LoadFromFile(dir.filePath(QStringLiteral("walk.bmp")));
    EXPECT_EQ(written.Width(), 400);
    const QString contents = fw->contents();
    EXPECT_TRUE(
        SavedProperty(contents, "Animation", "Picture").contains(QStringLiteral("walk.bmp")));
    EXPECT_TRUE(SavedProperty(contents, "Animation", "Cols").contains(QStringLiteral("<number>4")));

    // One command undoes both.
    fw->commandHistory()->undo();
    EXPECT_EQ(animate->Cols(), 3);
    EXPECT_EQ(animate->Picture()->Width(), 300);

    // Without a file for the picture only the other changes are made.
    Dialogs()->Responder = [&](TDialogRequest &r) {
        if (auto *editor = dynamic_cast<TfrmAnimEd *>(r.form)) {
            editor->FormActivate();
            editor->ColPlus1Click();
            return int(mrOk);
        }
        return r.kind == TDialogRequest::SaveFile ? int(mrCancel) : -1;
    };
    Trigger(animate, QStringLiteral("Picture..."));
    EXPECT_EQ(animate->Cols(), 4);
    EXPECT_EQ(animate->Picture()->Width(), 300);
}

TEST_F(DesignerTaskMenu, FillStyleAndFileEditorsAreSavedWithTheirKinds)
{
    const QString body = Widget("TJXForm", "Background") + Widget("TJXWAV", "Player") +
                         Widget("TJXIcoBox", "Icons") + Widget("TJXPicBox", "Pictures");
    test::TFormWindow fw = test::OpenForm(test::FormText(body));
    Dialogs()->Responder = [](TDialogRequest &r) {
        if (auto *editor = dynamic_cast<TfrmFillStyleEd *>(r.form)) {
            editor->FormActivate();
            editor->rbvRAINBOW->Click();
            return int(mrOk);
        }
        switch (r.kind) {
        case TDialogRequest::OpenFile:
            r.fileName = r.filter.contains(QLatin1String("Wave"))
                             ? QStringLiteral("/tmp/Klang.wav")
                             : QStringLiteral("/tmp/Bilder.dll");
            return int(mrOk);
        case TDialogRequest::SelectDirectory:
            r.fileName = QStringLiteral("/tmp/Bilder");
            return int(mrOk);
        default: return -1;
        }
    };
    Trigger(test::FindWidget(fw.get(), QStringLiteral("Background")),
            QStringLiteral("FillStyle..."));
    Trigger(test::FindWidget(fw.get(), QStringLiteral("Player")), QStringLiteral("FileName..."));
    Trigger(test::FindWidget(fw.get(), QStringLiteral("Icons")), QStringLiteral("IconFileName..."));
    Trigger(test::FindWidget(fw.get(), QStringLiteral("Pictures")),
            QStringLiteral("PicPattern..."));
    const QString contents = fw->contents();
    EXPECT_TRUE(
        SavedProperty(contents, "Background", "FillStyle").contains(QStringLiteral("vRAINBOW")));
    const QString file = SavedProperty(contents, "Player", "FileName");
    EXPECT_TRUE(file.contains(QStringLiteral("notr=\"true\">/tmp/Klang.wav<")))
        << file.toStdString();
    EXPECT_TRUE(SavedProperty(contents, "Icons", "IconFileName")
                    .contains(QStringLiteral("notr=\"true\">/tmp/Bilder.dll<")));
    EXPECT_TRUE(SavedProperty(contents, "Pictures", "PicPattern")
                    .contains(QStringLiteral("notr=\"true\">/tmp/Bilder\\*.*<")));
}

TEST_F(DesignerTaskMenu, ColoursChosenByNameAreSavedAsColoursNotText)
{
    test::TFormWindow fw = test::OpenForm(test::FormText(Widget("TJXGauge", "Gauge")));
    QWidget *gauge = test::FindWidget(fw.get(), QStringLiteral("Gauge"));
    Dialogs()->Responder = [](TDialogRequest &r) {
        auto *dialog = dynamic_cast<designer::TColorPropertyDialog *>(r.form);
        if (!dialog)
            return -1;
        dialog->Editor(QStringLiteral("BoxColor"))->setCurrentText(QStringLiteral("clBtnFace"));
        dialog->Editor(QStringLiteral("Color"))->setCurrentText(QStringLiteral("#102030"));
        return int(mrOk);
    };
    Trigger(gauge, QStringLiteral("Farben..."));
    auto *component = qobject_cast<TJXGauge *>(gauge);
    EXPECT_EQ(component->BoxColor(), clBtnFace);
    EXPECT_EQ(component->Color(), RGB(0x10, 0x20, 0x30));
    const QString contents = fw->contents();
    const QString box = SavedProperty(contents, "Gauge", "BoxColor");
    EXPECT_TRUE(box.contains(QStringLiteral("<color alpha=\"239\">"))) << box.toStdString();
    EXPECT_FALSE(box.contains(QStringLiteral("<string")));
    EXPECT_TRUE(
        SavedProperty(contents, "Gauge", "Color").contains(QStringLiteral("<red>16</red>")));
    fw->commandHistory()->undo();
    EXPECT_EQ(component->BoxColor(), clNavy);
}
