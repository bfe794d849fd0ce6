// SPDX-License-Identifier: MIT
// Our widgets in Designer's real property sheet and property editor: each property once, in
// types Designer edits (colours, fonts, pictures), component references left to code, and
// paths kept as the user typed them when the form is saved.
#include "DesignerCore.h"

#include "JXDesignerPlugin.h"
#include "host/core/Component.h"
#include "host/designer/DesignRegistry.h"
#include "package/JXDesignerWidgets.h"
#include "package/JXTools.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QSet>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerPropertyEditorInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>

#include <mutex>

using namespace jxt;

namespace {

/// A form with one of each palette class, named after the class without its "T".
QString PaletteFormText()
{
    QString body;
    int x = 0;
    for (const QString &cls : JXTools::PaletteClassNames()) {
        body += QStringLiteral("  <widget class=\"jxt::ui::%1\" name=\"%2\">\n"
                               "   <property name=\"geometry\">\n"
                               "    <rect><x>%3</x><y>10</y><width>60</width><height>40</height>"
                               "</rect>\n   </property>\n  </widget>\n")
                    .arg(cls, cls.mid(1))
                    .arg(x);
        x += 5;
    }
    return test::FormText(body);
}

/// Messages Qt sends while a function runs.
QStringList MessagesDuring(const std::function<void()> &run)
{
    static QStringList *sink = nullptr;
    QStringList messages;
    sink = &messages;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
            if (sink)
                sink->append(text);
        });
    run();
    qInstallMessageHandler(previous);
    sink = nullptr;
    return messages;
}

QString TypeOf(QDesignerPropertySheetExtension *sheet, const QString &name)
{
    return QString::fromLatin1(sheet->property(sheet->indexOf(name)).metaType().name());
}

} // namespace

TEST(DesignerPropertySheet, EachPropertyIsListedOnceAndNoneIsUnsupported)
{
    test::TFormWindow fw = test::OpenForm(PaletteFormText());
    QDesignerPropertyEditorInterface *editor = test::DesignerCore()->propertyEditor();
    ASSERT_NE(editor, nullptr);
    for (const QString &cls : JXTools::PaletteClassNames()) {
        SCOPED_TRACE(cls.toStdString());
        QWidget *w = test::FindWidget(fw.get(), cls.mid(1));
        ASSERT_NE(w, nullptr);
        const QStringList listed = test::ListedProperties(w);
        EXPECT_EQ(QSet<QString>(listed.begin(), listed.end()).size(), listed.size());
        const QMetaObject *meta = w->metaObject();
        // Where the class publishes its own, QWidget's counterpart is not listed.
        for (const auto &[qt, ours] :
             std::vector<std::pair<QString, QString>>{{"enabled", "Enabled"},
                                                      {"font", "Font"},
                                                      {"toolTip", "Hint"},
                                                      {"cursor", "Cursor"}}) {
            if (meta->indexOfProperty(ours.toLatin1()) >= 0) {
                EXPECT_FALSE(listed.contains(qt)) << qt.toStdString();
                EXPECT_TRUE(listed.contains(ours)) << ours.toStdString();
            }
        }
        // References to other components are left to code.
        for (const char *reference : {"PopupMenu", "Control", "Image", "WindowA", "WindowB",
                                      "CopyProgressGauge", "FileProgressGauge", "TaskBarPopupMenu"})
            EXPECT_FALSE(listed.contains(QString::fromLatin1(reference))) << reference;
        EXPECT_TRUE(listed.contains(QStringLiteral("About_JXTools")));
        // Designer's property editor takes every listed property.
        const QStringList messages = MessagesDuring([&] { editor->setObject(w); });
        for (const QString &message : messages) {
            EXPECT_FALSE(message.contains(QLatin1String("not supported"))) << message.toStdString();
        }
    }
    editor->setObject(nullptr);
}

TEST(DesignerPropertySheet, ColoursFontsAndPicturesInDesignersTypes)
{
    test::TFormWindow fw = test::OpenForm(PaletteFormText());
    struct TTyped
    {
        const char *widget;
        const char *property;
        const char *type;
    };
    const TTyped typed[] = {
        {"JXGauge", "BoxColor", "QColor"},
        {"JXGauge", "Font", "QFont"},
        {"JXLCDPanel", "LCDHiColor", "QColor"},
        {"JXBiBtn", "Font", "QFont"},
        {"JXFontCombo", "Font", "QFont"},
        {"JXAutoButton", "Font", "QFont"},
        {"JXPicBox", "Font", "QFont"},
        {"JXHint", "Font", "QFont"},
        {"JXPrinter", "TopFont", "QFont"},
        {"JXAnimate", "Picture", "qdesigner_internal::PropertySheetPixmapValue"},
        {"JXAutoButton", "Glyph", "qdesigner_internal::PropertySheetPixmapValue"},
        {"JXDOTPanel", "DOTImage", "qdesigner_internal::PropertySheetPixmapValue"},
        {"JXPicBox", "BackPic", "qdesigner_internal::PropertySheetPixmapValue"},
        {"JXIcoBox", "BacKPic", "qdesigner_internal::PropertySheetPixmapValue"},
        {"JXBiBtn", "PictureON", "qdesigner_internal::PropertySheetPixmapValue"},
        {"JXForm", "FillBitmap", "qdesigner_internal::PropertySheetPixmapValue"},
        {"JXApp", "Icon", "qdesigner_internal::PropertySheetPixmapValue"},
        {"JXCopy", "Source", "qdesigner_internal::PropertySheetStringValue"},
        {"JXINI", "SaveWinPos", "qdesigner_internal::PropertySheetEnumValue"},
        {"JXWAV", "FormatTag", "int"},
        {"JXWAV", "PlayTime", "double"},
    };
    for (const TTyped &t : typed) {
        SCOPED_TRACE(std::string(t.widget) + "." + t.property);
        QWidget *w = test::FindWidget(fw.get(), QString::fromLatin1(t.widget));
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(test::ListedProperties(w).contains(QString::fromLatin1(t.property)));
        EXPECT_EQ(TypeOf(test::PropertySheet(w), QString::fromLatin1(t.property)),
                  QString::fromLatin1(t.type));
    }
    // A colour shows as its colour.
    QWidget *gauge = test::FindWidget(fw.get(), QStringLiteral("JXGauge"));
    QDesignerPropertySheetExtension *sheet = test::PropertySheet(gauge);
    EXPECT_EQ(sheet->property(sheet->indexOf(QStringLiteral("BoxColor"))).value<QColor>(),
              QColor(0, 0, 128));
}

TEST(DesignerPropertySheet, PathsKeepTheSpellingTypedWhenTheFormIsSaved)
{
    const QString body = QStringLiteral(
        "  <widget class=\"jxt::ui::TJXCopy\" name=\"Copy\">\n"
        "   <property name=\"Source\"><string notr=\"true\">/tmp/a/*.txt</string></property>\n"
        "   <property name=\"Dest\"><string notr=\"true\">/tmp/b</string></property>\n"
        "  </widget>\n"
        "  <widget class=\"jxt::ui::TJXFind\" name=\"Find\">\n"
        "   <property name=\"FilePattern\"><string notr=\"true\">*.cpp</string></property>\n"
        "   <property name=\"StartPath\"><string notr=\"true\">/home/user/src</string></property>\n"
        "  </widget>\n");
    test::TFormWindow fw = test::OpenForm(test::FormText(body));
    const QString saved = fw->contents();
    for (const char *kept : {"/tmp/a/*.txt</string>", "/tmp/b</string>", ">*.cpp</string>",
                             ">/home/user/src</string>"})
        EXPECT_TRUE(saved.contains(QString::fromLatin1(kept))) << kept;
    EXPECT_FALSE(saved.contains(QStringLiteral("/TMP")));
    EXPECT_FALSE(saved.contains(QStringLiteral("*.CPP")));
}
