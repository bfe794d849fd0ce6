// SPDX-License-Identifier: MIT
// What a screen reader finds on a form that holds every palette component: each one with a
// role and a name, and the lists and tabs with their items as named, selectable children.
#include "controls/JXDriveTab.h"
#include "controls/JXFontCombo.h"
#include "controls/JXIcoBox.h"
#include "controls/JXPicBox.h"
#include "controls/JXPicClip.h"
#include "host/controls/Forms.h"
#include "host/designer/DesignRegistry.h"
#include "package/JXTools.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QTest>

#include <map>

using namespace jxt;

namespace {

// Every interface below node, by the object it stands for (items, which have none, under
// their own key), found the way a screen reader finds them: through the children.
void Walk(QAccessibleInterface *node, std::map<QObject *, QAccessibleInterface *> &found)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        if (!child)
            continue;
        if (child->object())
            found[child->object()] = child;
        Walk(child, found);
    }
}

// The children of a component's interface that are its items.
std::vector<QAccessibleInterface *> Items(QObject *component, QAccessible::Role role)
{
    std::vector<QAccessibleInterface *> items;
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(component);
    if (!node)
        return items;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface *child = node->child(i); child && child->role() == role) {
            items.push_back(child);
            EXPECT_EQ(node->indexOfChild(child), i);
            EXPECT_EQ(child->parent(), node);
        }
    return items;
}

} // namespace

TEST(AccessibleComponents, EveryPaletteComponentHasARoleAndAName)
{
    ClearRegistry();
    JXTools::Register();
    const std::vector<TComponentClass> classes = RegisteredComponents(JXTools::kPalettePage);
    ASSERT_FALSE(classes.empty());
    TForm form;
    form.SetBounds(0, 0, 640, 480);
    std::vector<TComponent *> components;
    for (const TComponentClass &cls : classes) {
        TComponent *component = cls.create(&form);
        if (auto *control = qobject_cast<TControl *>(component))
            control->SetParent(&form);
        components.push_back(component);
    }
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    std::map<QObject *, QAccessibleInterface *> tree;
    Walk(QAccessible::queryAccessibleInterface(&form), tree);
    for (TComponent *component : components) {
        SCOPED_TRACE(component->metaObject()->className());
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(component);
        ASSERT_NE(node, nullptr);
        EXPECT_FALSE(node->text(QAccessible::Name).isEmpty());
        EXPECT_NE(node->role(), QAccessible::NoRole);
        // What is shown is reached by the walk; the non-visual ones are hidden at run time.
        if (component->isVisible()) {
            EXPECT_NE(tree.find(component), tree.end()) << "not in the accessibility tree";
        }
    }
    // A name given through Qt wins over the component's own.
    components.front()->setAccessibleName(QStringLiteral("Bild"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(components.front())->text(QAccessible::Name),
              QStringLiteral("Bild"));
    form.Hide();
}

TEST(AccessibleComponents, PictureAndIconBoxItemsAreNamedSelectableListItems)
{
    TForm form;
    form.SetBounds(0, 0, 400, 300);
    auto *pictures = new TJXPicBox(&form);
    pictures->SetParent(&form);
    pictures->SetBounds(0, 0, 300, 120);
    pictures->Items()->Add(QStringLiteral("C:\\Bilder\\rot.bmp"));
    pictures->Items()->Add(QStringLiteral("C:\\Bilder\\blau.bmp"));
    auto *icons = new TJXIcoBox(&form);
    icons->SetParent(&form);
    icons->SetBounds(0, 130, 300, 120);
    icons->Items()->Add(QStringLiteral("0"));
    icons->Items()->Add(QStringLiteral("1"));
    icons->Items()->Add(QStringLiteral("2"));
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    EXPECT_EQ(QAccessible::queryAccessibleInterface(pictures)->role(), QAccessible::List);
    auto items = Items(pictures, QAccessible::ListItem);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->text(QAccessible::Name), QStringLiteral("rot.bmp"));
    EXPECT_EQ(items[1]->text(QAccessible::Name), QStringLiteral("blau.bmp"));
    EXPECT_TRUE(items[1]->state().selectable);
    EXPECT_FALSE(items[1]->state().selected);
    pictures->SetItemIndex(1);
    EXPECT_TRUE(items[1]->state().selected);
    EXPECT_FALSE(items[0]->state().selected);
    // Each item is where its cell is on screen, and found there.
    const QRect cell = items[1]->rect();
    EXPECT_FALSE(cell.isEmpty());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(pictures)->childAt(cell.center().x(),
                                                                       cell.center().y()),
              items[1]);

    items = Items(icons, QAccessible::ListItem);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[2]->text(QAccessible::Name), QStringLiteral("2"));
    // Items that went away are no longer offered.
    icons->Items()->Delete(2);
    EXPECT_EQ(Items(icons, QAccessible::ListItem).size(), 2u);
    EXPECT_FALSE(items[2]->isValid());
    form.Hide();
}

TEST(AccessibleComponents, DriveTabsAreTabsAndTheFontListIsNamed)
{
    TForm form;
    form.SetBounds(0, 0, 400, 300);
    auto *drives = new TJXDriveTab(&form);
    drives->SetParent(&form);
    drives->SetBounds(0, 0, 300, 30);
    auto *fonts = new TJXFontCombo(&form);
    fonts->SetName(QStringLiteral("Schriften"));
    fonts->SetParent(&form);
    fonts->SetBounds(0, 40, 200, 24);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    QAccessibleInterface *tabList = QAccessible::queryAccessibleInterface(drives);
    EXPECT_EQ(tabList->role(), QAccessible::PageTabList);
    const auto tabs = Items(drives, QAccessible::PageTab);
    ASSERT_EQ(int(tabs.size()), drives->Tabs()->Count());
    ASSERT_FALSE(tabs.empty());
    for (int i = 0; i < int(tabs.size()); ++i) {
        EXPECT_EQ(tabs[std::size_t(i)]->text(QAccessible::Name), drives->Tabs()->Get(i));
        EXPECT_EQ(tabs[std::size_t(i)]->state().selected, i == drives->TabIndex());
    }

    // The inner Qt box, which takes the focus, carries the component's name.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(fonts->ComboBox())->text(QAccessible::Name),
              QStringLiteral("Schriften"));
    form.Hide();
}

TEST(AccessibleComponents, PictureClipIsANamedGraphic)
{
    TJXPicClip clip;
    clip.SetName(QStringLiteral("Kacheln"));
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(&clip);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->role(), QAccessible::Graphic);
    EXPECT_EQ(node->text(QAccessible::Name), QStringLiteral("Kacheln"));
    clip.SetHint(QStringLiteral("Spielkarten"));
    EXPECT_EQ(node->text(QAccessible::Name), QStringLiteral("Spielkarten"));
}
