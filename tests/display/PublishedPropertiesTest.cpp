// SPDX-License-Identifier: MIT
// The published properties of every display component, through the meta-object system:
// enumerations and colours are set by name, colours keep system colours, bad texts are
// refused, no enumeration or colour is published as a bare number, and values that change by
// themselves emit their notify signals.
#include "display/JX3dLabel.h"
#include "display/JXBlinker.h"
#include "display/JXDOTPanel.h"
#include "display/JXGauge.h"
#include "display/JXLCDPanel.h"
#include "display/JXPanel.h"
#include "display/JXScrollText.h"
#include "host/graphics/ColorValue.h"

#include <gtest/gtest.h>

#include <QMetaEnum>
#include <QMetaProperty>
#include <QSignalSpy>

#include <functional>
#include <memory>
#include <vector>

using namespace jxt;

namespace {

struct TComponentMaker
{
    const char *name;
    std::function<TComponent *()> make;
};

const std::vector<TComponentMaker> &Components()
{
    static const std::vector<TComponentMaker> list = {
        {"TJXScrollText", [] { return new TJXScrollText; }},
        {"TJXGauge", [] { return new TJXGauge; }},
        {"TJXLCDPanel", [] { return new TJXLCDPanel; }},
        {"TJXDOTPanel", [] { return new TJXDOTPanel; }},
        {"TJX3dLabel", [] { return new TJX3dLabel; }},
        {"TJXPanel", [] { return new TJXPanel; }},
        {"TJXBlinker", [] { return new TJXBlinker; }},
    };
    return list;
}

/// The properties a class declares itself or publishes again (QObject's and QWidget's left out).
std::vector<QMetaProperty> Published(const QMetaObject *meta)
{
    std::vector<QMetaProperty> result;
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
        result.push_back(meta->property(i));
    return result;
}

bool IsColor(const QMetaProperty &p)
{
    return p.metaType() == QMetaType::fromType<TColorValue>();
}

} // namespace

TEST(PublishedProperties, EveryEnumerationIsSetByEachOfItsNames)
{
    int enumProperties = 0;
    for (const TComponentMaker &maker : Components()) {
        std::unique_ptr<TComponent> c(maker.make());
        for (const QMetaProperty &p : Published(c->metaObject())) {
            if (!p.isEnumType())
                continue;
            ++enumProperties;
            const QMetaEnum e = p.enumerator();
            ASSERT_TRUE(e.isValid()) << maker.name << "." << p.name();
            for (int k = 0; k < e.keyCount(); ++k) {
                SCOPED_TRACE(std::string(maker.name) + "." + p.name() + " = " + e.key(k));
                EXPECT_TRUE(c->setProperty(p.name(), QString::fromLatin1(e.key(k))));
                EXPECT_EQ(c->property(p.name()).toInt(), e.value(k));
            }
            // A name of no enumerator is refused.
            const int before = c->property(p.name()).toInt();
            EXPECT_FALSE(c->setProperty(p.name(), QStringLiteral("noSuchValue")));
            EXPECT_EQ(c->property(p.name()).toInt(), before);
        }
    }
    EXPECT_GE(enumProperties, 15);
}

TEST(PublishedProperties, NoEnumerationOrColourIsABareNumber)
{
    for (const TComponentMaker &maker : Components()) {
        std::unique_ptr<TComponent> c(maker.make());
        for (const QMetaProperty &p : Published(c->metaObject())) {
            const QByteArray name = p.name();
            SCOPED_TRACE(std::string(maker.name) + "." + name.constData());
            if (name.endsWith("Color") && !name.startsWith("Parent")) {
                EXPECT_TRUE(IsColor(p)) << p.typeName();
            }
            if (name == "Align" || name == "Alignment" || name.endsWith("Style") ||
                name == "Kind" || (name.startsWith("Bevel") && name != "BevelWidth")) {
                EXPECT_TRUE(p.isEnumType()) << p.typeName();
            }
        }
    }
}

TEST(PublishedProperties, ColoursAreSetByNameRgbTextOrNumberAndKeepSystemColours)
{
    int colourProperties = 0;
    for (const TComponentMaker &maker : Components()) {
        std::unique_ptr<TComponent> c(maker.make());
        for (const QMetaProperty &p : Published(c->metaObject())) {
            if (!IsColor(p))
                continue;
            ++colourProperties;
            SCOPED_TRACE(std::string(maker.name) + "." + p.name());
            const auto value = [&] { return TColor(c->property(p.name()).value<TColorValue>()); };

            EXPECT_TRUE(c->setProperty(p.name(), QStringLiteral("clBtnFace")));
            EXPECT_EQ(value(), clBtnFace); // still the system colour, not its RGB
            EXPECT_EQ(c->property(p.name()).toString(), QStringLiteral("clBtnFace"));
            EXPECT_TRUE(c->setProperty(p.name(), QStringLiteral("clwindow")));
            EXPECT_EQ(value(), clWindow);
            EXPECT_TRUE(c->setProperty(p.name(), QStringLiteral("#FF8000")));
            EXPECT_EQ(value(), RGB(0xFF, 0x80, 0x00));
            EXPECT_EQ(c->property(p.name()).toString(), QStringLiteral("#FF8000"));
            EXPECT_TRUE(c->setProperty(p.name(), QStringLiteral("$00123456")));
            EXPECT_EQ(value(), 0x123456);
            EXPECT_TRUE(c->setProperty(p.name(), int(clRed)));
            EXPECT_EQ(value(), clRed);
            EXPECT_EQ(c->property(p.name()).toString(), QStringLiteral("clRed"));
            EXPECT_TRUE(c->setProperty(p.name(), QColor(1, 2, 3)));
            EXPECT_EQ(value(), RGB(1, 2, 3));

            // Texts that are no colour are refused and change nothing.
            for (const char *bad :
                 {"clNoSuchColour", "#12345", "#1234567", "#GG0000", "", "12abc"}) {
                EXPECT_FALSE(c->setProperty(p.name(), QString::fromLatin1(bad))) << bad;
                EXPECT_EQ(value(), RGB(1, 2, 3)) << bad;
            }
        }
    }
    EXPECT_GE(colourProperties, 17);
}

TEST(PublishedProperties, ColourTextsRoundTrip)
{
    for (TColor color : {clBlack, clWhite, clRed, clBtnFace, clInfoBk, clNone, clDefault,
                         TColor(0x00A0B0C0), TColor(0x02010203)}) {
        const QString text = TColorValue(color).ToString();
        TColor back = 0x7777;
        ASSERT_TRUE(TColorValue::FromString(text, back)) << text.toStdString();
        EXPECT_EQ(back, color) << text.toStdString();
    }
}

TEST(PublishedProperties, ValuesThatChangeByThemselvesAreAnnounced)
{
    TJXGauge meter;
    meter.SetBoxColor(clGreen);
    meter.SetProgress(50);
    QSignalSpy progress(&meter, &TJXGauge::progressChanged);
    meter.JXOnTime(); // the meter falls back by itself
    ASSERT_EQ(progress.count(), 1);
    EXPECT_EQ(progress.at(0).at(0).toInt(), 45);
    meter.SetProgress(45); // no change, no signal
    EXPECT_EQ(progress.count(), 1);

    TJXScrollText text;
    text.SetBounds(0, 0, 80, 20);
    text.SetCaption(QStringLiteral("Hello"));
    QSignalSpy moved(&text, &TJXScrollText::textPositionChanged);
    QSignalSpy scrolled(&text, &TJXScrollText::onScroll);
    const int before = text.TextX();
    text.JXOnTime();
    EXPECT_EQ(scrolled.count(), 1);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_NE(text.property("TextX").toInt(), before);

    TJXDOTPanel dots;
    dots.SetInterval(100);
    QSignalSpy stepped(&dots, &TJXDOTPanel::scrollPositionChanged);
    QSignalSpy dotScrolled(&dots, &TJXDOTPanel::onScroll);
    dots.JXOnTime();
    EXPECT_EQ(stepped.count(), 1);
    EXPECT_EQ(dotScrolled.count(), 1);
}
