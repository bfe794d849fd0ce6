// SPDX-License-Identifier: MIT
// Every palette component among Qt's own widgets: its size hints and the room a box layout and
// a grid layout give it. With JXT_PRINT_LAYOUT_SIZES=1 the test prints the sizes as a table
// (class, sizeHint, minimumSizeHint, the size a QVBoxLayout gives it in a window of the
// layout's own size hint, and the sizes a QVBoxLayout and a QGridLayout give it squeezed to
// the smallest window the layout allows).
#include "host/controls/Controls.h"
#include "host/designer/DesignRegistry.h"
#include "package/JXTools.h"

#include <gtest/gtest.h>

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <cstdio>
#include <memory>
#include <optional>

using namespace jxt;

namespace {

QString SizeText(const QSize &s)
{
    return QStringLiteral("%1 x %2").arg(s.width()).arg(s.height());
}

enum class TLayoutKind { Box, Grid };

/// Puts a new component of the class between two labels, sizes the window to the layout's
/// hint or squeezes it to the smallest size the layout allows, and paints the component. Returns
/// the size it was given, or nothing for a component that is not shown at run time.
std::optional<QSize> SizeInLayout(const TComponentClass &cls, TLayoutKind kind, bool squeeze,
                                  QSize *hint, QSize *least)
{
    QWidget host;
    TComponent *component = cls.create(nullptr);
    if (kind == TLayoutKind::Box) {
        auto *box = new QVBoxLayout(&host);
        box->addWidget(new QLabel(QStringLiteral("above")));
        box->addWidget(component);
        box->addWidget(new QLabel(QStringLiteral("below")));
    } else {
        auto *grid = new QGridLayout(&host);
        grid->addWidget(new QLabel(QStringLiteral("name")), 0, 0);
        grid->addWidget(component, 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("a neighbour below")), 1, 0, 1, 2);
    }
    if (squeeze)
        host.resize(1, 1);
    else
        host.adjustSize();
    host.show();
    host.layout()->activate();
    *hint = component->sizeHint();
    *least = component->minimumSizeHint();
    auto *control = qobject_cast<TControl *>(component);
    if (!control || !component->isVisible())
        return std::nullopt;
    control->Repaint();
    return control->size();
}

} // namespace

TEST(LayoutSizes, EveryComponentGetsRoomForItsContentInBoxAndGridLayouts)
{
    ClearRegistry();
    JXTools::Register();
    const std::vector<TComponentClass> classes = RegisteredComponents(JXTools::kPalettePage);
    ASSERT_EQ(int(classes.size()), int(JXTools::PaletteClassNames().size()));
    const bool print = qEnvironmentVariableIntValue("JXT_PRINT_LAYOUT_SIZES") == 1;
    if (print)
        std::printf("%-15s %-11s %-15s %-11s %-15s %-15s\n", "class", "sizeHint", "minimumSizeHint",
                    "in a box", "squeezed in box", "squeezed in grid");
    for (const TComponentClass &cls : classes) {
        const QString name = cls.Name();
        SCOPED_TRACE(name.toStdString());
        QSize hint, least, gridHint, gridLeast, naturalHint, naturalLeast;
        const std::optional<QSize> natural =
            SizeInLayout(cls, TLayoutKind::Box, false, &naturalHint, &naturalLeast);
        const std::optional<QSize> box = SizeInLayout(cls, TLayoutKind::Box, true, &hint, &least);
        const std::optional<QSize> grid =
            SizeInLayout(cls, TLayoutKind::Grid, true, &gridHint, &gridLeast);
        auto given = [](const std::optional<QSize> &s) {
            return s ? SizeText(*s) : QStringLiteral("hidden");
        };
        if (print)
            std::printf("%-15s %-11s %-15s %-11s %-15s %-15s\n", qPrintable(name),
                        qPrintable(SizeText(hint)), qPrintable(SizeText(least)),
                        qPrintable(given(natural)), qPrintable(given(box)),
                        qPrintable(given(grid)));
        ASSERT_EQ(box.has_value(), grid.has_value());
        ASSERT_EQ(box.has_value(), natural.has_value());
        if (!box)
            continue; // shown only as an icon at design time: it takes no room at run time
        const QSize inBox = *box, inGrid = *grid;
        // Hints from the content, the same in either layout.
        EXPECT_TRUE(hint.isValid());
        EXPECT_GT(least.width(), 0);
        EXPECT_GT(least.height(), 0);
        EXPECT_GE(hint.width(), least.width());
        EXPECT_GE(hint.height(), least.height());
        EXPECT_EQ(gridHint, hint);
        EXPECT_EQ(gridLeast, least);
        EXPECT_EQ(naturalHint, hint);
        // At the layout's own size the component gets its hint's height.
        EXPECT_GE(natural->width(), least.width());
        EXPECT_GE(natural->height(), hint.height());
        // Squeezed as far as the layout goes, each still has room for all of its content.
        EXPECT_GE(inBox.width(), least.width());
        EXPECT_GE(inBox.height(), least.height());
        EXPECT_GE(inGrid.width(), least.width());
        EXPECT_GE(inGrid.height(), least.height());
    }
    ClearRegistry();
}
