// SPDX-License-Identifier: MIT
// TJXFontCombo: the list of screen fonts, the linked control driven by real key and mouse
// events, Escape, the shared filters of the font enumeration, and the first show.
#include "controls/JXFontCombo.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontDatabase>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

using namespace jxt;

namespace {

const QString kSans = QStringLiteral("Liberation Sans");
const QString kMono = QStringLiteral("Liberation Mono");

struct TFontForm
{
    TForm form;
    TPanel *panel;
    TJXFontCombo *combo;
    TFontForm()
    {
        form.SetBounds(0, 0, 300, 200);
        panel = new TPanel(&form);
        panel->SetParent(&form);
        panel->SetBounds(0, 40, 300, 100);
        panel->Font()->SetName(kSans);
        combo = new TJXFontCombo(&form);
        combo->SetParent(&form);
        combo->SetBounds(0, 0, 200, 24);
        form.show();
        Loaded(&form);
    }
};

QSet<QString> SetOf(const QStringList &list)
{
    return QSet<QString>(list.begin(), list.end());
}

// Restores the shared filters after each test.
class JXFontComboFilters : public ::testing::Test
{
protected:
    void TearDown() override
    {
        fontCharSet = ALL;
        fontPitch = piALL;
        fontTrueTypeOnly = false;
    }
};

} // namespace

TEST(JXFontCombo, ListsTheScreenFontsSortedOnce)
{
    TFontForm f;
    const TStrings *items = f.combo->Items();
    ASSERT_GT(items->Count(), 1);
    EXPECT_EQ(items->Count(), Screen()->Fonts().size());
    for (int i = 1; i < items->Count(); ++i)
        EXPECT_LE(items->Get(i - 1).compare(items->Get(i), Qt::CaseInsensitive), 0);
    EXPECT_FALSE(f.combo->Sorted());
    EXPECT_EQ(f.combo->ComboBox()->count(), items->Count());
}

TEST(JXFontCombo, LinkedControlFollowsTheChoiceAndEscapeGoesBack)
{
    TFontForm f;
    int changes = 0;
    f.combo->OnChange = [&](TObject *) { ++changes; };
    int keyDowns = 0;
    f.combo->OnKeyDown = [&](TObject *, int &, TShiftState) { ++keyDowns; };
    QSignalSpy spy(f.combo, &TJXFontCombo::onChange);

    f.combo->SetControl(f.panel);
    EXPECT_EQ(f.combo->SelFont(), kSans);
    EXPECT_EQ(f.combo->Text(), kSans);

    // The next font by keyboard goes to the panel at once.
    f.combo->SetFocus();
    QTest::keyClick(f.combo->ComboBox(), Qt::Key_Down);
    const QString next = f.combo->Text();
    EXPECT_NE(next, kSans);
    EXPECT_EQ(f.panel->Font()->Name(), next);
    EXPECT_EQ(f.combo->SelFont(), kSans);

    // A font chosen with the mouse from the open list.
    int dropDowns = 0;
    f.combo->OnDropDown = [&](TObject *) { ++dropDowns; };
    QTest::mouseClick(f.combo->ComboBox(), Qt::LeftButton);
    ASSERT_TRUE(f.combo->DroppedDown());
    EXPECT_EQ(dropDowns, 1);
    QAbstractItemView *view = f.combo->ComboBox()->view();
    const int mono = f.combo->Items()->IndexOf(kMono);
    ASSERT_GE(mono, 0);
    const QRect cell = view->visualRect(view->model()->index(mono, 0));
    // The mouse points at the font in the open list, Return takes it.
    QTest::mouseMove(view->viewport(), cell.center());
    EXPECT_EQ(view->currentIndex().row(), mono);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_FALSE(f.combo->DroppedDown());
    EXPECT_EQ(f.combo->Text(), kMono);
    EXPECT_EQ(f.panel->Font()->Name(), kMono);

    const int changesBefore = changes;
    QTest::keyClick(f.combo->ComboBox(), Qt::Key_Escape);
    EXPECT_EQ(f.combo->Text(), kSans);
    EXPECT_EQ(f.panel->Font()->Name(), kSans);
    EXPECT_EQ(changes, changesBefore + 1);
    EXPECT_EQ(spy.count(), changes);
    EXPECT_EQ(keyDowns, 2); // Down and Escape, each once
}

TEST(JXFontCombo, UnknownOrVanishedNamesChangeNothing)
{
    TFontForm f;
    f.combo->SetSelFont(kMono);
    EXPECT_EQ(f.combo->Text(), kMono);
    f.combo->SetSelFont(QStringLiteral("No Such Font Family"));
    EXPECT_EQ(f.combo->Text(), kMono);
    EXPECT_EQ(f.combo->SelFont(), QStringLiteral("No Such Font Family"));
    // Escape then finds nothing to go back to and leaves the choice.
    QTest::keyClick(f.combo->ComboBox(), Qt::Key_Escape);
    EXPECT_EQ(f.combo->Text(), kMono);
    // Names match ignoring case.
    f.combo->SetItemIndex(QStringLiteral("liberation SANS"));
    EXPECT_EQ(f.combo->Text(), kSans);

    // The linked control going away unlinks it.
    f.combo->SetControl(f.panel);
    f.panel->Free();
    EXPECT_EQ(f.combo->Control(), nullptr);
    QTest::keyClick(f.combo->ComboBox(), Qt::Key_Down);
}

TEST_F(JXFontComboFilters, FontsAreEnumeratedWithTheSharedFilters)
{
    TJXFontCombo a, b;
    const QStringList all = a.FontNames();
    ASSERT_FALSE(all.isEmpty());
    EXPECT_EQ(a.FontNames(), all); // a fresh enumeration, same result
    EXPECT_TRUE(all.contains(kSans));
    EXPECT_TRUE(all.contains(kMono));

    a.SetPitch(piFIXED);
    const QStringList fixed = a.FontNames();
    b.SetPitch(piVARIABLE);
    // The last assignment in any combo applies to all.
    const QStringList variable = a.FontNames();
    EXPECT_EQ(b.FontNames(), variable);
    EXPECT_TRUE(fixed.contains(kMono));
    EXPECT_FALSE(fixed.contains(kSans));
    EXPECT_TRUE(variable.contains(kSans));
    for (const QString &name : fixed)
        EXPECT_TRUE(QFontDatabase::isFixedPitch(name)) << name.toStdString();
    EXPECT_TRUE(SetOf(fixed).intersects(SetOf(variable)) == false);
    EXPECT_EQ(SetOf(fixed) + SetOf(variable), SetOf(all));

    b.SetPitch(piALL);
    a.SetCharSet(ANSI);
    EXPECT_TRUE(a.FontNames().contains(kSans));
    a.SetCharSet(SYMBOL);
    EXPECT_FALSE(a.FontNames().contains(kSans));
    a.SetCharSet(OEM);
    EXPECT_TRUE(a.FontNames().contains(QStringLiteral("DejaVu Sans Mono")));

    a.SetCharSet(ALL);
    a.SetTrueTypeOnly(true);
    const QStringList outline = a.FontNames();
    for (const QString &name : outline)
        EXPECT_TRUE(QFontDatabase::isSmoothlyScalable(name)) << name.toStdString();
    EXPECT_TRUE(outline.contains(kSans));

    // Changing the character set or the outline filter empties the list already read.
    TStrings *list = a.Fonts();
    ASSERT_GT(list->Count(), 0);
    a.SetCharSet(ANSI);
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(fontCharSet, ANSI);
    EXPECT_TRUE(fontTrueTypeOnly);
}

// Made in code and placed in a plain widget, the combo lists the fonts when first shown,
// without anyone calling Loaded.
TEST(JXFontCombo, ListsTheFontsWhenFirstShownInAPlainWidget)
{
    QWidget host;
    host.resize(300, 40);
    auto *combo = new TJXFontCombo;
    combo->setParent(&host);
    combo->SetBounds(0, 0, 200, 24);
    EXPECT_EQ(combo->Items()->Count(), 0);
    host.show();
    EXPECT_EQ(combo->Items()->Count(), Screen()->Fonts().size());
    EXPECT_GT(combo->Items()->Count(), 1);
    EXPECT_FALSE(combo->LoadedDone());
}
