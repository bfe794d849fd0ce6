// SPDX-License-Identifier: MIT
// The control's properties and QWidget's own calls are one state, and a plain QWidget parent
// gives its palette, font and tooltip rule to the controls that follow their parent.
#include "host/controls/Controls.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QTest>
#include <QTimer>

using namespace jxt;
using jxt::test::PixelAt;

namespace {

QFont QtFont(const QString &family, int points)
{
    QFont f(family);
    f.setPointSize(points);
    return f;
}

} // namespace

TEST(ControlState, EnabledIsTheWidgetsOwnFlagBothWays)
{
    TCustomControl c;
    c.setEnabled(false);
    EXPECT_FALSE(c.Enabled());
    c.SetEnabled(true);
    EXPECT_TRUE(c.isEnabled());
    c.SetEnabled(false);
    EXPECT_FALSE(c.isEnabled());
    c.setEnabled(true);
    EXPECT_TRUE(c.Enabled());

    // In a disabled parent the control keeps its own Enabled but is not enabled.
    QWidget host;
    c.setParent(&host);
    host.setEnabled(false);
    EXPECT_TRUE(c.Enabled());
    EXPECT_FALSE(c.isEnabled());
    c.setParent(nullptr);
}

TEST(ControlState, ControlInADisabledParentPaintsAsDisabled)
{
    // A radio button fills a disabled circle with the button face instead of the window
    // colour.
    QWidget host;
    auto *inHost = new TRadioButton;
    inHost->setParent(&host);
    inHost->SetBounds(0, 0, 60, 20);
    QWidget ownHost;
    auto *own = new TRadioButton;
    own->setParent(&ownHost);
    own->SetBounds(0, 0, 60, 20);
    own->SetEnabled(false);
    own->Repaint();
    inHost->Repaint();
    EXPECT_EQ(PixelAt(inHost->Surface(), 6, 10), clWhite);
    host.setEnabled(false);
    EXPECT_TRUE(inHost->PaintPending());
    inHost->Repaint();
    EXPECT_EQ(PixelAt(inHost->Surface(), 6, 10), 0xC0C0C0);
    EXPECT_EQ(inHost->Surface(), own->Surface());
}

TEST(ControlState, ShowAndHideSetVisible)
{
    TForm form;
    auto *c = new TCustomControl(&form);
    c->SetParent(&form);
    c->SetAlign(alTop);
    c->SetHeight(10);
    auto *below = new TCustomControl(&form);
    below->SetParent(&form);
    below->SetAlign(alTop);
    below->SetHeight(10);
    EXPECT_EQ(below->Top(), 10);

    c->hide();
    EXPECT_FALSE(c->Visible());
    EXPECT_EQ(below->Top(), 0); // the parent realigned as for SetVisible(false)
    c->show();
    EXPECT_TRUE(c->Visible());
    EXPECT_EQ(below->Top(), 10);
    c->setVisible(false);
    EXPECT_FALSE(c->Visible());

    // Moving to another parent, which Qt does by hiding, changes nothing of Visible.
    c->SetVisible(true);
    QWidget other;
    c->setParent(&other);
    EXPECT_TRUE(c->Visible());
    c->SetParent(&form);
    EXPECT_TRUE(c->Visible());
}

TEST(ControlState, ToolTipIsTheShownHint)
{
    TCustomControl c;
    c.SetHint(QStringLiteral("Hilfe"));
    EXPECT_TRUE(c.toolTip().isEmpty()); // ShowHint is off
    c.SetShowHint(true);
    EXPECT_EQ(c.toolTip(), QStringLiteral("Hilfe"));

    c.SetShowHint(false);
    c.setToolTip(QStringLiteral("x"));
    EXPECT_EQ(c.Hint(), QStringLiteral("x"));
    EXPECT_TRUE(c.ShowHint());
    EXPECT_FALSE(c.ParentShowHint());
    c.setToolTip(QString());
    EXPECT_TRUE(c.Hint().isEmpty());
}

TEST(ControlState, FontIsTheWidgetsFontBothWays)
{
    TCustomControl c;
    c.Font()->SetName(QStringLiteral("Courier New"));
    c.Font()->SetSize(12);
    EXPECT_EQ(c.font(), c.Font()->ToQFont());
    EXPECT_EQ(c.font().pixelSize(), 16);

    QFont bold = QtFont(QStringLiteral("Times New Roman"), 9);
    bold.setBold(true);
    c.setFont(bold);
    EXPECT_EQ(c.Font()->Name(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(c.Font()->Size(), 9);
    EXPECT_TRUE(c.Font()->Style().Contains(fsBold));
    EXPECT_FALSE(c.ParentFont());
    // The widget's font is then the one the control draws with.
    EXPECT_EQ(c.font(), c.Font()->ToQFont());

    // Setting the same font again keeps the face name the control was given.
    c.setFont(c.font());
    EXPECT_EQ(c.Font()->Name(), QStringLiteral("Times New Roman"));
}

TEST(ControlState, ColorIsThePalettesWindowBothWays)
{
    TCustomControl c;
    c.SetColor(clRed);
    EXPECT_EQ(c.palette().color(QPalette::Window), QColor(Qt::red));
    QPalette p = c.palette();
    p.setColor(QPalette::Window, QColor(0, 0, 255));
    c.setPalette(p);
    EXPECT_EQ(c.Color(), clBlue);
    c.SetBounds(0, 0, 4, 4);
    c.Repaint();
    EXPECT_EQ(PixelAt(c.Surface(), 1, 1), clBlue);

    // A system colour is resolved through the current palette, and again when it changes
    // (Qt tells the widgets of shown windows).
    QWidget window;
    auto *inWindow = new TCustomControl;
    inWindow->setParent(&window);
    inWindow->SetColor(clWindow);
    window.show();
    EXPECT_EQ(inWindow->palette().color(QPalette::Window), QColor(Qt::white));
    const QPalette saved = QApplication::palette();
    QColor darkWindow;
    QTimer::singleShot(0, [&] {
        QPalette dark = QApplication::palette();
        dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
        QApplication::setPalette(dark);
        QApplication::processEvents(); // the change reaches widgets as a posted event
        darkWindow = inWindow->palette().color(QPalette::Window);
        QApplication::setPalette(saved);
        QApplication::processEvents();
        QApplication::quit();
    });
    QApplication::exec();
    EXPECT_EQ(darkWindow, QColor(0x20, 0x20, 0x20));
    EXPECT_EQ(inWindow->Color(), clWindow);
    EXPECT_EQ(inWindow->palette().color(QPalette::Window), QColor(Qt::white));
}

TEST(ControlState, PlainWidgetParentGivesPaletteFontAndTooltips)
{
    QWidget form;
    QPalette grey = form.palette();
    grey.setColor(QPalette::Window, QColor(0xA0, 0xA0, 0xA0));
    form.setPalette(grey);
    form.setFont(QtFont(QStringLiteral("Arial"), 11));

    auto *c = new TCustomControl;
    c->SetHint(QStringLiteral("Hilfe"));
    c->setParent(&form);
    EXPECT_EQ(c->Color(), TColor(0xA0A0A0));
    EXPECT_EQ(c->Font()->Size(), 11);
    EXPECT_EQ(c->Font()->Name(), QStringLiteral("Arial"));
    EXPECT_TRUE(c->ShowHint());
    EXPECT_EQ(c->toolTip(), QStringLiteral("Hilfe"));

    // Later changes of the parent reach the control, which repaints in the new colour.
    grey.setColor(QPalette::Window, QColor(0x30, 0x40, 0x50));
    form.setPalette(grey);
    EXPECT_EQ(c->Color(), TColor(0x504030));
    form.setFont(QtFont(QStringLiteral("Courier New"), 14));
    EXPECT_EQ(c->Font()->Size(), 14);
    EXPECT_EQ(c->Font()->Name(), QStringLiteral("Courier New"));
    c->SetBounds(0, 0, 4, 4);
    c->Repaint();
    EXPECT_EQ(PixelAt(c->Surface(), 1, 1), 0x504030);

    // A control with colour and font of its own keeps them.
    c->SetColor(clYellow);
    c->Font()->SetSize(8);
    form.setPalette(QPalette(QColor(Qt::green)));
    form.setFont(QtFont(QStringLiteral("Arial"), 20));
    EXPECT_EQ(c->Color(), clYellow);
    EXPECT_EQ(c->Font()->Size(), 8);
    // Turned on again, they take the parent's at once.
    c->SetParentColor(true);
    c->SetParentFont(true);
    EXPECT_EQ(c->Color(), QColorToColor(form.palette().color(QPalette::Window)));
    EXPECT_EQ(c->Font()->Size(), 20);
}

TEST(ControlState, ChildrenFollowAControlParentsColourFontAndShowHint)
{
    TForm form;
    auto *panel = new TCustomControl(&form);
    panel->SetParent(&form);
    auto *c = new TCustomControl(&form);
    c->SetParent(panel);
    form.SetColor(clTeal);
    EXPECT_EQ(panel->Color(), clTeal);
    EXPECT_EQ(c->Color(), clTeal); // through the panel
    EXPECT_EQ(c->palette().color(QPalette::Window), ColorToQColor(clTeal));
    c->SetHint(QStringLiteral("Hilfe"));
    form.SetShowHint(true);
    EXPECT_TRUE(c->ShowHint());
    EXPECT_EQ(c->toolTip(), QStringLiteral("Hilfe"));
    form.SetShowHint(false);
    EXPECT_TRUE(c->toolTip().isEmpty());
}

TEST(ControlState, WindowsFaceNamesAreTheWidgetsFamily)
{
    const struct
    {
        const char *name;
        const char *family;
    } kFaces[] = {
        {"MS Sans Serif", "Liberation Sans"},
        {"Arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
    };
    for (const auto &face : kFaces) {
        TCustomControl c;
        c.Font()->SetName(QString::fromLatin1(face.name));
        const QString family = QString::fromLatin1(face.family);
        EXPECT_EQ(QFontInfo(c.font()).family(), family) << face.name;
        EXPECT_EQ(QFontInfo(c.Font()->ToQFont()).family(), family) << face.name;
        // Any QFont of the application with the face name draws with the same family.
        EXPECT_EQ(QFontInfo(QFont(QString::fromLatin1(face.name))).family(), family) << face.name;
        EXPECT_EQ(FontFamily(QString::fromLatin1(face.name)), family) << face.name;
    }
}
