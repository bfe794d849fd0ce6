// SPDX-License-Identifier: MIT
// What screen readers find on a form that holds every display component: the accessibility
// tree reaches each one with its role, its name (caption or text) and, where it shows a
// number, the value interface; none of them takes keyboard focus.
#include "display/JX3dLabel.h"
#include "display/JXDOTPanel.h"
#include "display/JXGauge.h"
#include "display/JXLCDPanel.h"
#include "display/JXPanel.h"
#include "display/JXScrollText.h"
#include "host/controls/Forms.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QTest>

#include <map>

using namespace jxt;

namespace {

struct TDisplayForm
{
    TForm form;
    TJXLCDPanel *lcd = Add<TJXLCDPanel>();
    TJXDOTPanel *dots = Add<TJXDOTPanel>();
    TJXGauge *gauge = Add<TJXGauge>();
    TJXPanel *panel = Add<TJXPanel>();
    TJX3dLabel *label = Add<TJX3dLabel>();
    TJXScrollText *scroller = Add<TJXScrollText>();

    TDisplayForm()
    {
        form.SetBounds(10, 10, 400, 300);
        lcd->SetCaption(QStringLiteral("12:34"));
        dots->SetCaption(QStringLiteral("DOT TEXT"));
        gauge->SetShowPeak(false);
        gauge->SetMaxValue(200);
        gauge->SetProgress(50);
        panel->Timer()->SetEnabled(false); // the caption stays as set
        panel->SetCaption(QStringLiteral("Montag"));
        label->SetCaption(QStringLiteral("Raised"));
        scroller->SetInterval(0);
        scroller->SetCaption(QStringLiteral("News"));
        form.Show();
    }

    template <class T> T *Add()
    {
        auto *c = new T(&form);
        c->SetParent(&form);
        return c;
    }
};

// Every interface below root, by the object it stands for, found the way a screen reader
// finds them: through the children of each interface.
void Walk(QAccessibleInterface *node, std::map<QObject *, QAccessibleInterface *> &found)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        if (!child)
            continue;
        found[child->object()] = child;
        Walk(child, found);
    }
}

std::map<QObject *, QAccessibleInterface *> Tree(TForm &form)
{
    std::map<QObject *, QAccessibleInterface *> found;
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&form);
    if (root)
        Walk(root, found);
    return found;
}

} // namespace

TEST(Accessibility, TreeGivesEveryComponentItsRoleAndName)
{
    TDisplayForm f;
    const auto tree = Tree(f.form);
    struct TExpected
    {
        QObject *object;
        QAccessible::Role role;
        QString name;
    };
    const TExpected expected[] = {
        {f.lcd, QAccessible::StaticText, QStringLiteral("12:34")},
        {f.dots, QAccessible::StaticText, QStringLiteral("DOT TEXT")},
        {f.gauge, QAccessible::ProgressBar, QStringLiteral("25%")},
        {f.panel, QAccessible::StaticText, QStringLiteral("Montag")},
        {f.label, QAccessible::StaticText, QStringLiteral("Raised")},
        {f.scroller, QAccessible::StaticText, QStringLiteral("News")},
    };
    for (const TExpected &e : expected) {
        SCOPED_TRACE(e.object->metaObject()->className());
        const auto it = tree.find(e.object);
        ASSERT_NE(it, tree.end()) << "not in the accessibility tree";
        EXPECT_EQ(it->second->role(), e.role);
        EXPECT_EQ(it->second->text(QAccessible::Name), e.name);
        EXPECT_FALSE(it->second->state().focusable);
    }
    // Only the gauge shows a number; the texts offer no value interface.
    EXPECT_EQ(tree.at(f.lcd)->valueInterface(), nullptr);
    EXPECT_EQ(tree.at(f.label)->valueInterface(), nullptr);
}

TEST(Accessibility, InterfacesFollowTheComponentsState)
{
    TDisplayForm f;
    QAccessibleInterface *gauge = QAccessible::queryAccessibleInterface(f.gauge);
    ASSERT_NE(gauge, nullptr);
    QAccessibleValueInterface *value = gauge->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 50);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 200);
    // The interface is created once and cached; it must still tell the current figures.
    f.gauge->SetMinValue(100);
    f.gauge->SetProgress(150);
    EXPECT_EQ(value->currentValue().toInt(), 150);
    EXPECT_EQ(value->minimumValue().toInt(), 100);
    EXPECT_EQ(gauge->text(QAccessible::Name), QStringLiteral("50%"));
    EXPECT_EQ(gauge->text(QAccessible::Value), QStringLiteral("150"));

    QAccessibleInterface *lcd = QAccessible::queryAccessibleInterface(f.lcd);
    f.lcd->SetCaption(QStringLiteral("56:78"));
    EXPECT_EQ(lcd->text(QAccessible::Name), QStringLiteral("56:78"));
    // A name given through Qt wins over the caption, as for Qt's own widgets.
    f.lcd->setAccessibleName(QStringLiteral("Uhr"));
    EXPECT_EQ(lcd->text(QAccessible::Name), QStringLiteral("Uhr"));

    // Items written line by line are read as one text, as they scroll.
    f.dots->Items()->Clear();
    f.dots->Items()->Add(QStringLiteral("ONE"));
    f.dots->Items()->Add(QStringLiteral("TWO"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(f.dots)->text(QAccessible::Name),
              QStringLiteral("ONE TWO"));
}

TEST(Accessibility, PanelChartIsAChartWithItsNewestSample)
{
    TDisplayForm f;
    f.panel->SetLoadSources([] { return 37; }, nullptr);
    f.panel->SetStyle(sgCPU);
    f.panel->JXOnTime();
    QAccessibleInterface *panel = QAccessible::queryAccessibleInterface(f.panel);
    EXPECT_EQ(panel->role(), QAccessible::Chart);
    EXPECT_EQ(panel->text(QAccessible::Name), QStringLiteral("cpu 37%"));
    ASSERT_NE(panel->valueInterface(), nullptr);
    EXPECT_EQ(panel->valueInterface()->currentValue().toInt(), 37);
    EXPECT_EQ(panel->valueInterface()->maximumValue().toInt(), 100);
}

TEST(Accessibility, DisplaysTakeNoFocusFromAClickOrTab)
{
    TDisplayForm f;
    for (QWidget *w :
         std::initializer_list<QWidget *>{f.lcd, f.dots, f.gauge, f.panel, f.label, f.scroller}) {
        SCOPED_TRACE(w->metaObject()->className());
        EXPECT_EQ(w->focusPolicy(), Qt::NoFocus);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_FALSE(w->hasFocus());
    }
}
