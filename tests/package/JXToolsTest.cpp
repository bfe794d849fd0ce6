// SPDX-License-Identifier: MIT
// Registration of the components and editors, the About property editor, the about form
// and the palette bitmaps.
#include "package/JXTools.h"

#include "display/JXLCDPanel.h"
#include "editors/HintProperty.h"
#include "editors/JXAboutProperty.h"
#include "editors/JXAnimProperty.h"
#include "editors/JXFillStyleProperty.h"
#include "editors/JXTVersionForm.h"
#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "host/designer/DesignRegistry.h"
#include "package/JXDesignerWidgets.h"
#include "package/UnitRegistration.h"
#include "util/JXVersions.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMetaProperty>
#include <QPointer>
#include <QSet>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::PixelAt;

/// A component that publishes the About property of a unit whose date has two lines.
class TJXAboutTwoLines : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    JXT_ABOUT(JXPanelVersion)

public:
    using TComponent::TComponent;
};

/// One with a one-line date.
class TJXAboutOneLine : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    JXT_ABOUT(JXLCDPanelVersion)

public:
    using TComponent::TComponent;
};

namespace {

class JXToolsRegistry : public ::testing::Test
{
protected:
    void SetUp() override { ClearRegistry(); }
    void TearDown() override { ClearRegistry(); }
};

/// What the about form showed while it was open.
struct TShownAbout
{
    int requests = 0;
    QString formClass;
    QString version;
    QString className;
    QString stand;
    bool ownedByApplication = false;
    QPointer<TForm> form;
};

/// Opens the About editor of component and records the about form while it is shown;
/// the form is closed with its OK button.
TShownAbout OpenAbout(TComponent *component)
{
    TShownAbout shown;
    test::Dialogs()->Responder = [&](TDialogRequest &r) {
        ++shown.requests;
        if (r.kind != TDialogRequest::ModalForm)
            return -1;
        auto *form = dynamic_cast<TfrmJXTVersion *>(r.form);
        if (!form)
            return -1;
        shown.formClass = r.className;
        shown.version = form->lblJXTVersion->Caption();
        shown.className = form->lblClassName->Caption();
        shown.stand = form->lblStand->Caption();
        shown.ownedByApplication = form->Owner() == Application();
        shown.form = form;
        form->btnOKButton->Click();
        return -1;
    };
    auto editor = CreatePropertyEditor(component, QStringLiteral("About_JXTools"));
    EXPECT_NE(editor, nullptr);
    if (editor)
        editor->Edit();
    test::Dialogs()->Responder = nullptr;
    return shown;
}

} // namespace

TEST_F(JXToolsRegistry, RegisterPutsThePageAndTheAboutEditorOnce)
{
    JXTools::Register();
    EXPECT_TRUE(RegisteredPages().contains(QStringLiteral("JX Tools")));
    const auto classes = RegisteredComponents(QStringLiteral("JX Tools"));
    const auto editors = RegisteredEditors();
    ASSERT_FALSE(editors.empty());
    EXPECT_EQ(editors.front().propertyType, QStringLiteral("TJXAboutString"));
    EXPECT_EQ(editors.front().componentClass, nullptr);
    EXPECT_EQ(editors.front().propertyName, QStringLiteral("About_JXTools"));
    EXPECT_EQ(editors.front().editorName, QStringLiteral("TJXAboutProperty"));

    ASSERT_FALSE(classes.empty());
    EXPECT_NE(FindRegisteredClass(QStringLiteral("TJXLCDPanel")), nullptr);
    bool hasLcd = false;
    for (const TComponentClass &c : classes)
        hasLcd = hasLcd || c.Name() == QStringLiteral("TJXLCDPanel");
    EXPECT_TRUE(hasLcd);

    // The registered classes follow the palette order.
    int last = -1;
    for (const TComponentClass &c : classes) {
        const int index = JXTools::PaletteClassNames().indexOf(c.Name());
        EXPECT_GT(index, last) << c.Name().toStdString();
        last = index;
    }

    // Registering again adds nothing.
    JXTools::Register();
    EXPECT_EQ(RegisteredComponents(QStringLiteral("JX Tools")).size(), classes.size());
    EXPECT_EQ(RegisteredEditors().size(), editors.size());
    EXPECT_EQ(RegisteredPages().count(QStringLiteral("JX Tools")), 1);
}

TEST(JXTools, PaletteOrderHasTheTwentyNineClasses)
{
    const QStringList &names = JXTools::PaletteClassNames();
    ASSERT_EQ(names.size(), 29);
    EXPECT_EQ(names.front(), QStringLiteral("TJXAnimate"));
    EXPECT_EQ(names.indexOf(QStringLiteral("TJXLCDPanel")), 8);
    EXPECT_EQ(names.back(), QStringLiteral("TJXPrinter"));
    EXPECT_FALSE(names.contains(QStringLiteral("TJXDirList")));
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 29);
}

TEST_F(JXToolsRegistry, AboutEditorOffersOnlyADialogAndAFixedText)
{
    JXTools::Register();
    TJXAboutOneLine one;
    TJXAboutTwoLines two;
    for (TComponent *c : {static_cast<TComponent *>(&one), static_cast<TComponent *>(&two)}) {
        auto editor = CreatePropertyEditor(c, QStringLiteral("About_JXTools"));
        ASSERT_NE(editor, nullptr);
        EXPECT_NE(dynamic_cast<TJXAboutProperty *>(editor.get()), nullptr);
        EXPECT_EQ(editor->GetAttributes(), TPropertyAttributes{paDialog});
        EXPECT_EQ(editor->GetValue(), QStringLiteral("Klick me.."));
    }
    // The property itself still holds the unit's date, and writing it changes nothing.
    auto editor = CreatePropertyEditor(&two, QStringLiteral("About_JXTools"));
    EXPECT_EQ(editor->GetStrValue(), QStringLiteral("14.12.96^M(Beta)"));
    editor->SetValue(QStringLiteral("other"));
    EXPECT_EQ(editor->GetStrValue(), QStringLiteral("14.12.96^M(Beta)"));
}

TEST_F(JXToolsRegistry, EditShowsTheAboutFormAndFreesIt)
{
    JXTools::Register();
    TJXAboutOneLine component;
    const TShownAbout shown = OpenAbout(&component);
    EXPECT_EQ(shown.requests, 1);
    EXPECT_EQ(shown.formClass, QStringLiteral("TfrmJXTVersion"));
    EXPECT_EQ(shown.version, QStringLiteral("JXTools V 3.0d"));
    EXPECT_EQ(shown.className, QStringLiteral("TJXAboutOneLine"));
    EXPECT_EQ(shown.stand, QStringLiteral("Stand : 15.11.96"));
    EXPECT_TRUE(shown.ownedByApplication);
    EXPECT_TRUE(shown.form.isNull());
    for (int i = 0; i < Application()->ComponentCount(); ++i)
        EXPECT_EQ(dynamic_cast<TfrmJXTVersion *>(Application()->Components(i)), nullptr);
}

TEST_F(JXToolsRegistry, AboutOfTheLcdPanelNamesItsClassAndDate)
{
    JXTools::Register();
    TJXLCDPanel panel;
    const TShownAbout shown = OpenAbout(&panel);
    EXPECT_EQ(shown.className, QStringLiteral("TJXLCDPanel"));
    EXPECT_EQ(shown.stand, QStringLiteral("Stand : 15.11.96"));

    // A registered class is created through the registry with its About property first.
    const TComponentClass *cls = FindRegisteredClass(QStringLiteral("TJXLCDPanel"));
    ASSERT_NE(cls, nullptr);
    std::unique_ptr<TComponent> made(cls->create(nullptr));
    const QMetaObject *meta = made->metaObject();
    EXPECT_EQ(QString::fromLatin1(meta->property(meta->propertyOffset()).name()),
              QStringLiteral("About_JXTools"));
}

TEST_F(JXToolsRegistry, LineBreakMarkBecomesLineFeedAndCarriageReturn)
{
    JXTools::Register();
    TJXAboutTwoLines component;
    const TShownAbout shown = OpenAbout(&component);
    EXPECT_EQ(shown.className, QStringLiteral("TJXAboutTwoLines"));
    EXPECT_EQ(shown.stand, QStringLiteral("Stand : 14.12.96\n\r(Beta)"));
}

TEST(JXAboutProperty, EditWithoutAComponentStillOpensAndCloses)
{
    TJXAboutProperty editor({}, QStringLiteral("About_JXTools"));
    QString className = QStringLiteral("unset");
    test::Dialogs()->Responder = [&](TDialogRequest &r) {
        auto *form = dynamic_cast<TfrmJXTVersion *>(r.form);
        if (form)
            className = form->lblClassName->Caption();
        return mrOk;
    };
    editor.Edit();
    EXPECT_EQ(className, QString());
    EXPECT_EQ(test::Dialogs()->Shown().size(), 1u);
}

TEST(JXTVersionForm, LayoutOfTheAboutForm)
{
    TfrmJXTVersion form;
    EXPECT_EQ(form.Caption(), QStringLiteral("JXTools AboutDialog"));
    EXPECT_EQ(form.ClientWidth(), 330);
    EXPECT_EQ(form.ClientHeight(), 274);
    EXPECT_EQ(form.BorderStyle(), bsNone);
    EXPECT_EQ(form.Position(), poScreenCenter);
    EXPECT_EQ(form.Color(), clBtnFace);

    EXPECT_EQ(form.Panel1->Parent(), &form);
    EXPECT_EQ(form.Panel1->BoundsRect(), Rect(0, 0, 330, 274));
    EXPECT_EQ(form.Panel1->BevelWidth(), 2);
    EXPECT_EQ(form.Panel->Parent(), form.Panel1);
    EXPECT_EQ(form.Panel->BoundsRect(), Bounds(8, 8, 313, 258));
    EXPECT_EQ(form.Panel->BevelInner(), bvRaised);
    EXPECT_EQ(form.Panel->BevelOuter(), bvLowered);
    EXPECT_EQ(form.Panel->Color(), clWhite);

    EXPECT_EQ(form.imgProgramIcon->BoundsRect(), Bounds(8, 8, 97, 97));
    EXPECT_TRUE(form.imgProgramIcon->Center());
    EXPECT_TRUE(form.imgProgramIcon->Stretch());
    EXPECT_EQ(form.lblJXTVersion->BoundsRect(), Bounds(108, 6, 199, 35));
    EXPECT_EQ(form.lblClassName->BoundsRect(), Bounds(108, 76, 199, 25));
    EXPECT_EQ(form.lblStand->BoundsRect(), Bounds(108, 108, 199, 41));
    EXPECT_EQ(form.btnOKButton->BoundsRect(), Bounds(114, 219, 84, 27));
    EXPECT_TRUE(form.lblClassName->WordWrap());
    for (TLabel *label : {form.lblJXTVersion, form.lblClassName, form.lblStand}) {
        EXPECT_EQ(label->Parent(), form.Panel);
        EXPECT_EQ(label->Alignment(), taCenter);
        EXPECT_EQ(label->Font()->Name(), QStringLiteral("Arial"));
        EXPECT_TRUE(label->Font()->Style().Contains(fsBold));
    }
    EXPECT_EQ(form.lblJXTVersion->Font()->Height(), -25);
    EXPECT_EQ(form.lblClassName->Font()->Height(), -22);
    EXPECT_EQ(form.lblStand->Font()->Height(), -15);
    EXPECT_EQ(form.btnOKButton->Kind(), bkOK);
}

TEST(JXTVersionForm, LabelsStayInPlaceAndShowCentredText)
{
    TfrmJXTVersion form;
    form.lblStand->SetCaption(QStringLiteral("Stand : 14.12.96\n\r(Beta)"));
    EXPECT_EQ(form.lblStand->BoundsRect(), Bounds(108, 108, 199, 41));
    form.lblStand->Repaint();
    const QImage &s = form.lblStand->Surface();
    // Two lines of black text on the white panel colour, both centred.
    EXPECT_GT(CountColor(s, 0x000000, 0, 0, 199, 18), 0);
    EXPECT_GT(CountColor(s, 0x000000, 0, 18, 199, 41), 0);
    EXPECT_EQ(CountColor(s, 0x000000, 0, 0, 40, 41), 0);
    EXPECT_EQ(CountColor(s, 0x000000, 160, 0, 199, 41), 0);
    EXPECT_EQ(PixelAt(s, 2, 2), 0xFFFFFF);
}

TEST(JXTVersionForm, ProgramIconShowsTheLitLogo)
{
    const auto logo = MakeJXToolsLogo();
    ASSERT_EQ(logo->Width(), 97);
    ASSERT_EQ(logo->Height(), 97);
    const QImage &img = logo->Image();
    // Lit segments of the "J" (right side) and the "X" (its centre), on the dark glass.
    EXPECT_GT(CountColor(img, 0x40FF60, 12, 14, 46, 70), 100);
    EXPECT_EQ(PixelAt(img, 46 + 22, 14 + 28), 0x40FF60);
    EXPECT_EQ(PixelAt(img, 48, 8), 0x103810);

    TfrmJXTVersion form;
    form.imgProgramIcon->Repaint();
    EXPECT_EQ(PixelAt(form.imgProgramIcon->Surface(), 68, 42), 0x40FF60);
}

TEST(JXTVersionForm, OkButtonEndsTheModalForm)
{
    TfrmJXTVersion form;
    test::Dialogs()->Responder = [&](TDialogRequest &) {
        form.btnOKButton->Click();
        return -1;
    };
    EXPECT_EQ(form.ShowModal(), mrOk);
}

TEST(PaletteBitmaps, EveryPaletteClassHasASixteenColourBitmap)
{
    for (const QString &name : JXTools::PaletteClassNames()) {
        const QString resource = name.toUpper();
        SCOPED_TRACE(resource.toStdString());
        QFile file(QStringLiteral(":/jxt/") + resource + QStringLiteral(".bmp"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 54);
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(quint8(bytes[28]), 4); // bits per pixel

        TBitmap bitmap;
        bitmap.LoadFromResourceName(resource);
        EXPECT_EQ(bitmap.Width(), 24);
        EXPECT_EQ(bitmap.Height(), 24);
        QSet<int> colours;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                colours.insert(PixelAt(bitmap.Image(), x, y));
        EXPECT_LE(colours.size(), 16);
        EXPECT_GE(colours.size(), 3); // a picture, not a blank
        // The bottom-left pixel, the transparent colour, is the silver background.
        EXPECT_EQ(bitmap.TransparentColor(), TColor(0xC0C0C0));
    }
}

TEST_F(JXToolsRegistry, EveryRegisteredClassHasItsBitmap)
{
    JXTools::Register();
    for (const TComponentClass &c : RegisteredComponents(JXTools::kPalettePage)) {
        TBitmap bitmap;
        EXPECT_NO_THROW(bitmap.LoadFromResourceName(c.Name())) << c.Name().toStdString();
        EXPECT_EQ(bitmap.Width(), 24);
    }
    TBitmap missing;
    EXPECT_THROW(missing.LoadFromResourceName(QStringLiteral("TJXDIRLIST")), Exception);
}

#include "JXToolsTest.moc"

TEST_F(JXToolsRegistry, HintEditorIsBoundToTheHintOfEveryControl)
{
    JXTools::Register();
    const TRegisteredEditor *hintEditor = nullptr;
    for (const TRegisteredEditor &editor : RegisteredEditors()) {
        if (editor.editorName == QStringLiteral("THintProperty"))
            hintEditor = &editor;
    }
    ASSERT_NE(hintEditor, nullptr);
    EXPECT_EQ(hintEditor->componentClass, &TControl::staticMetaObject);
    EXPECT_EQ(hintEditor->propertyName, QStringLiteral("Hint"));
    // The services take their places on the page.
    for (const char *name : {"TJXCopy", "TJXFind", "TJXHint", "TJXINI", "TJXPrinter"})
        EXPECT_NE(FindRegisteredClass(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(FindRegisteredClass(QStringLiteral("TJXDirList")), nullptr);
}

TEST(JXTools, PictureComponentsAndTheirEditorsAreRegistered)
{
    JXTools::Register();
    const auto classes = RegisteredComponents(QStringLiteral("JX Tools"));
    QStringList names;
    for (const TComponentClass &c : classes)
        names << c.Name();
    EXPECT_LT(names.indexOf(QStringLiteral("TJXPicClip")),
              names.indexOf(QStringLiteral("TJXScrollText")));
    EXPECT_EQ(names.indexOf(QStringLiteral("TJXPicBox")) + 1,
              names.indexOf(QStringLiteral("TJXIcoBox")));
    EXPECT_GT(names.indexOf(QStringLiteral("TJXPicBox")),
              names.indexOf(QStringLiteral("TJXPanel")));
    for (const char *name : {"TJXPICBOX", "TJXICOBOX", "TJXPICCLIP"}) {
        TBitmap palette;
        palette.LoadFromResourceName(QLatin1String(name));
        EXPECT_EQ(palette.Width(), 24) << name;
    }
    // The icon file property is bound whatever the case of its name.
    std::unique_ptr<TComponent> icons(
        FindRegisteredClass(QStringLiteral("TJXIcoBox"))->create(nullptr));
    std::unique_ptr<TComponent> pictures(
        FindRegisteredClass(QStringLiteral("TJXPicBox"))->create(nullptr));
    auto iconEditor = CreatePropertyEditor(icons.get(), QStringLiteral("IconFileName"));
    auto patternEditor = CreatePropertyEditor(pictures.get(), QStringLiteral("PicPattern"));
    ASSERT_TRUE(iconEditor && patternEditor);
    EXPECT_EQ(iconEditor->GetAttributes(), TPropertyAttributes{paDialog});
    EXPECT_EQ(patternEditor->GetAttributes(), TPropertyAttributes{paDialog});
    EXPECT_EQ(CreatePropertyEditor(icons.get(), QStringLiteral("About_JXTools"))->GetValue(),
              QStringLiteral("Klick me.."));
}

TEST(JXTools, WavePlayerAndItsFileEditorAreRegistered)
{
    JXTools::Register();
    QStringList names;
    for (const TComponentClass &c : RegisteredComponents(QStringLiteral("JX Tools")))
        names << c.Name();
    const int wav = names.indexOf(QStringLiteral("TJXWAV"));
    ASSERT_GE(wav, 0);
    EXPECT_EQ(names.value(wav - 1), QStringLiteral("TJX3D"));
    EXPECT_EQ(names.value(wav + 1), QStringLiteral("TJXGauge"));
    TBitmap palette;
    palette.LoadFromResourceName(QStringLiteral("TJXWAV"));
    EXPECT_EQ(palette.Width(), 24);
    std::unique_ptr<TComponent> player(
        FindRegisteredClass(QStringLiteral("TJXWAV"))->create(nullptr));
    auto editor = CreatePropertyEditor(player.get(), QStringLiteral("FileName"));
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->GetAttributes(), TPropertyAttributes{paDialog});
}

TEST(JXTools, FormBackgroundAndApplicationComponentTakeTheirPlaces)
{
    JXTools::Register();
    QStringList names;
    for (const TComponentClass &c : RegisteredComponents(JXTools::kPalettePage))
        names << c.Name();
    EXPECT_EQ(names.indexOf(QStringLiteral("TJXGrabBar")) + 1,
              names.indexOf(QStringLiteral("TJXApp")));
    EXPECT_EQ(names.indexOf(QStringLiteral("TJXApp")) + 1,
              names.indexOf(QStringLiteral("TJXCopy")));
    EXPECT_EQ(names.indexOf(QStringLiteral("TJXFind")) + 1,
              names.indexOf(QStringLiteral("TJXForm")));
    EXPECT_EQ(names.indexOf(QStringLiteral("TJXForm")) + 1,
              names.indexOf(QStringLiteral("TJXFillImage")));
    // Forms made in Designer construct them on their parent widget, owned by the form.
    TForm form;
    std::unique_ptr<QWidget> app(ui::WidgetFactories().at(QStringLiteral("TJXApp"))(&form));
    std::unique_ptr<QWidget> background(ui::WidgetFactories().at(QStringLiteral("TJXForm"))(&form));
    EXPECT_EQ(static_cast<TJXForm *>(background.get())->Form(), &form);
    EXPECT_EQ(static_cast<TJXApp *>(app.get())->Owner(), &form);
    background->setProperty("RBFromColor", QStringLiteral("clRed"));
    EXPECT_EQ(static_cast<TJXForm *>(background.get())->RBFromColor(), clRed);
}

TEST_F(JXToolsRegistry, EveryEditorIsBoundInItsOrderAndReachesItsProperty)
{
    JXTools::Register();
    struct TRow
    {
        const char *type;
        const QMetaObject *cls;
        const char *property;
        const char *editor;
    };
    const TRow rows[] = {
        {"TJXAboutString", nullptr, "About_JXTools", "TJXAboutProperty"},
        {"TBitmap", &TJXAnimate::staticMetaObject, "Picture", "TJXAnimProperty"},
        {"TFStyle", &TJXForm::staticMetaObject, "FillStyle", "TJXFillStyleProperty"},
        {"string", &TJXWAV::staticMetaObject, "Filename", "TWaveFileProperty"},
        {"string", &TJXIcoBox::staticMetaObject, "IconFilename", "TIcoFileProperty"},
        {"string", &TJXPicBox::staticMetaObject, "PicPattern", "TPicPatternProperty"},
        {"string", &TControl::staticMetaObject, "Hint", "THintProperty"},
    };
    const auto &editors = RegisteredEditors();
    ASSERT_EQ(editors.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].editor);
        EXPECT_EQ(editors[i].propertyType, QString::fromLatin1(rows[i].type));
        EXPECT_EQ(editors[i].componentClass, rows[i].cls);
        EXPECT_EQ(editors[i].propertyName, QString::fromLatin1(rows[i].property));
        EXPECT_EQ(editors[i].editorName, QString::fromLatin1(rows[i].editor));
    }
    // The property types match what the components declare.
    TForm form;
    TJXAnimate animate(&form);
    TJXForm background(&form);
    EXPECT_NE(dynamic_cast<TJXAnimProperty *>(
                  CreatePropertyEditor(&animate, QStringLiteral("Picture")).get()),
              nullptr);
    EXPECT_NE(dynamic_cast<TJXFillStyleProperty *>(
                  CreatePropertyEditor(&background, QStringLiteral("FillStyle")).get()),
              nullptr);
    EXPECT_NE(
        dynamic_cast<THintProperty *>(CreatePropertyEditor(&animate, QStringLiteral("Hint")).get()),
        nullptr);
}

TEST_F(JXToolsRegistry, EachUnitRegistersItsComponentAlone)
{
    JXPicBox::Register();
    EXPECT_EQ(RegisteredComponents(JXTools::kPalettePage).size(), 1U);
    ASSERT_EQ(RegisteredEditors().size(), 1U);
    EXPECT_EQ(RegisteredEditors()[0].editorName, QStringLiteral("TPicPatternProperty"));
    JXIcoBox::Register();
    EXPECT_EQ(RegisteredEditors().back().editorName, QStringLiteral("TIcoFileProperty"));
    JXHintED::Register();
    EXPECT_EQ(RegisteredEditors().back().editorName, QStringLiteral("THintProperty"));
    EXPECT_EQ(RegisteredComponents(JXTools::kPalettePage).size(), 2U); // the editor alone

    // The picture clip's unit uses its own page, which it keeps.
    JXPiClip::Register();
    ASSERT_EQ(RegisteredComponents(QStringLiteral("JX-Soft")).size(), 1U);
    EXPECT_EQ(RegisteredComponents(QStringLiteral("JX-Soft"))[0].Name(),
              QStringLiteral("TJXPicClip"));

    // The directory list is registered by its own unit only.
    JXDirList::Register();
    EXPECT_NE(FindRegisteredClass(QStringLiteral("TJXDirList")), nullptr);

    // With the package's registration after all units nothing is added twice.
    for (void (*unit)() :
         {JXAnimate::Register,  JXScrollText::Register, JXStars::Register,   JXBounce::Register,
          JX3D::Register,       JXWAV::Register,        JXGauge::Register,   JXLCDPanel::Register,
          JXDOTPanel::Register, JX3dLabel::Register,    JXPanel::Register,   Jxfntcbo::Register,
          Jxdrvtab::Register,   Jxbibtn::Register,      Jxabtn::Register,    JXBlinker::Register,
          JXGrabBa::Register,   JXApp::Register,        Jxcopy::Register,    JXFind::Register,
          JXForm::Register,     JXFillImage::Register,  JXFxImage::Register, JXHint::Register,
          JXIni::Register,      JXPrint::Register})
        unit();
    JXTools::Register();
    QStringList classes;
    for (const TComponentClass &c : RegisteredComponents(JXTools::kPalettePage))
        classes << c.Name();
    EXPECT_EQ(classes.size(), 29); // 28 of the palette and the directory list
    EXPECT_TRUE(classes.contains(QStringLiteral("TJXDirList")));
    EXPECT_FALSE(classes.contains(QStringLiteral("TJXPicClip")));
    EXPECT_EQ(RegisteredEditors().size(), 7U);
}
