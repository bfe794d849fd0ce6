// SPDX-License-Identifier: MIT
#include "host/designer/DesignRegistry.h"
#include "host/controls/Controls.h"
#include "host/core/About.h"

#include <gtest/gtest.h>

#include <QMetaProperty>

using namespace jxt;

namespace {

const TJXAboutString kSampleVersion = "01.02.03^M(Test)";

class SampleA : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    JXT_ABOUT(kSampleVersion)
public:
    using TGraphicControl::TGraphicControl;
};

class SampleB : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
public:
    using TComponent::TComponent;
    QString Title() const { return m_title; }
    void SetTitle(const QString &t) { m_title = t; }

private:
    QString m_title;
};

class Tagging : public TStringProperty
{
public:
    using TStringProperty::TStringProperty;
    QString GetValue() const override { return QStringLiteral("tagged"); }
};

class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override { ClearRegistry(); }
    void TearDown() override { ClearRegistry(); }
};

} // namespace

TEST_F(RegistryTest, PagesKeepOrderAndIgnoreRepeatedClasses)
{
    RegisterComponents(QStringLiteral("Page"), {ClassOf<SampleB>(), ClassOf<SampleA>()});
    RegisterComponents(QStringLiteral("Page"), {ClassOf<SampleA>()});
    RegisterComponents(QStringLiteral("Other"), {ClassOf<SampleB>()});
    const auto classes = RegisteredComponents(QStringLiteral("Page"));
    ASSERT_EQ(classes.size(), 2u);
    EXPECT_EQ(classes[0].Name(), QStringLiteral("SampleB"));
    EXPECT_EQ(classes[1].Name(), QStringLiteral("SampleA"));
    EXPECT_TRUE(RegisteredComponents(QStringLiteral("Other")).empty());
    ASSERT_NE(FindRegisteredClass(QStringLiteral("SampleA")), nullptr);
    std::unique_ptr<TComponent> made(
        FindRegisteredClass(QStringLiteral("SampleA"))->create(nullptr));
    EXPECT_EQ(made->ClassName(), QStringLiteral("SampleA"));
}

TEST_F(RegistryTest, EditorsMatchTypeClassAndNameMostRecentFirst)
{
    RegisterPropertyEditor(QStringLiteral("string"), nullptr, QString(),
                           QStringLiteral("TStringProperty"), EditorOf<TStringProperty>());
    RegisterPropertyEditor(QStringLiteral("string"), &SampleB::staticMetaObject,
                           QStringLiteral("Title"), QStringLiteral("Tagging"), EditorOf<Tagging>());
    RegisterPropertyEditor(QStringLiteral("string"), &SampleB::staticMetaObject,
                           QStringLiteral("Title"), QStringLiteral("Tagging"), EditorOf<Tagging>());
    EXPECT_EQ(RegisteredEditors().size(), 2u);

    SampleA a;
    a.SetCaption(QStringLiteral("Hi"));
    SampleB b;
    b.SetTitle(QStringLiteral("T"));
    auto ea = CreatePropertyEditor(&a, QStringLiteral("Caption"));
    ASSERT_TRUE(ea);
    EXPECT_EQ(ea->GetValue(), QStringLiteral("Hi"));
    EXPECT_EQ(ea->GetComponent(0), &a);
    ea->SetValue(QStringLiteral("Ho"));
    EXPECT_EQ(a.Caption(), QStringLiteral("Ho"));
    auto eb = CreatePropertyEditor(&b, QStringLiteral("Title"));
    ASSERT_TRUE(eb);
    EXPECT_EQ(eb->GetValue(), QStringLiteral("tagged"));
    EXPECT_FALSE(CreatePropertyEditor(&b, QStringLiteral("Missing")));
}

TEST_F(RegistryTest, AboutPropertyIsFirstReadOnlyAndCut)
{
    SampleA a;
    const QMetaObject *m = a.metaObject();
    EXPECT_STREQ(m->property(m->propertyOffset()).name(), "About_JXTools");
    a.setProperty("About_JXTools", QVariant::fromValue(TJXAboutString("changed")));
    EXPECT_EQ(a.property("About_JXTools").toString(), QStringLiteral("01.02.03^M(Test)"));
    RegisterPropertyEditor(QStringLiteral("TJXAboutString"), nullptr,
                           QStringLiteral("About_JXTools"), QStringLiteral("Tagging"),
                           EditorOf<Tagging>());
    EXPECT_TRUE(CreatePropertyEditor(&a, QStringLiteral("About_JXTools")));
    EXPECT_EQ(TJXAboutString(QString(50, QLatin1Char('x'))).size(), 40);
}

#include "DesignRegistryTest.moc"
