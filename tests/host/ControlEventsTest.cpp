// SPDX-License-Identifier: MIT
// Events of controls as handlers and as Qt signals, dragging between controls, the 3D look
// inherited from the parent, and the tab order.
#include "host/controls/Controls.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <vector>

using namespace jxt;

namespace {

void SendMouse(QWidget *w, QEvent::Type type, QPoint globalPos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(w->mapFromGlobal(globalPos)), QPointF(globalPos), button, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

/// A form with two panels side by side, shown (so screen positions mean something).
struct TwoPanels
{
    TForm form;
    TPanel *left = new TPanel(&form);
    TPanel *right = new TPanel(&form);
    TwoPanels()
    {
        form.SetBounds(0, 0, 300, 200);
        left->SetParent(&form);
        left->SetBounds(10, 10, 100, 100);
        right->SetParent(&form);
        right->SetBounds(150, 10, 100, 100);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    QPoint At(TControl *c, int x, int y) const { return c->mapToGlobal(QPoint(x, y)); }
};

} // namespace

TEST(ControlEvents, HandlerThenSignalWithTheSameArguments)
{
    TwoPanels f;
    TPanel &panel = *f.left;
    std::vector<std::string> order;
    panel.OnMouseDown = [&](TObject *sender, TMouseButton b, TShiftState s, int x, int y) {
        EXPECT_EQ(sender, &panel);
        EXPECT_EQ(b, mbRight);
        EXPECT_TRUE(s.Contains(ssShift));
        EXPECT_EQ(x, 3);
        EXPECT_EQ(y, 4);
        order.push_back("handler");
    };
    const auto connection =
        QObject::connect(&panel, &TControl::onMouseDown,
                         [&](TObject *sender, TMouseButton b, TShiftState s, int x, int y) {
                             EXPECT_EQ(sender, &panel);
                             EXPECT_EQ(b, mbRight);
                             EXPECT_TRUE(s.Contains(ssShift));
                             EXPECT_EQ(x, 3);
                             EXPECT_EQ(y, 4);
                             order.push_back("signal");
                         });
    QTest::mousePress(&panel, Qt::RightButton, Qt::ShiftModifier, QPoint(3, 4));
    QTest::mouseRelease(&panel, Qt::RightButton, Qt::ShiftModifier, QPoint(3, 4));
    EXPECT_EQ(order, (std::vector<std::string>{"handler", "signal"}));
    panel.OnMouseDown = nullptr;
    QObject::disconnect(connection);

    QSignalSpy clicks(&panel, &TControl::onClick);
    QSignalSpy ups(&panel, &TControl::onMouseUp);
    QSignalSpy moves(&panel, &TControl::onMouseMove);
    QSignalSpy doubles(&panel, &TControl::onDblClick);
    QSignalSpy resizes(&panel, &TControl::onResize);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseMove(&panel, QPoint(6, 6));
    QTest::mouseDClick(&panel, Qt::LeftButton, {}, QPoint(5, 5));
    panel.SetBounds(10, 10, 60, 60);
    EXPECT_GE(ups.count(), 1);
    EXPECT_GE(moves.count(), 1);
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_GE(resizes.count(), 1);
}

TEST(ControlEvents, KeyHandlersChangeTheKeyThroughTheSignalsPointer)
{
    TPanel panel;
    int seenBySignal = 0;
    panel.OnKeyDown = [](TObject *, int &key, TShiftState) { key = Qt::Key_B; };
    QObject::connect(&panel, &TWinControl::onKeyDown, [&](TObject *, int *key, TShiftState) {
        seenBySignal = *key;
        *key = 0;
    });
    QChar typed;
    QObject::connect(&panel, &TWinControl::onKeyPress,
                     [&](TObject *, QChar *key) { typed = *key; });
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&panel, &press);
    EXPECT_EQ(seenBySignal, int(Qt::Key_B)); // the handler's change reaches the signal
    EXPECT_EQ(typed, QChar('a'));
}

TEST(ControlEvents, AHandlerThatFreesTheControlSuppressesTheSignal)
{
    auto *panel = new TPanel;
    QPointer<TPanel> guard(panel);
    bool signalled = false;
    QObject::connect(panel, &TControl::onClick, [&](TObject *) { signalled = true; });
    panel->OnClick = [panel](TObject *) { panel->Free(); };
    panel->Click();
    EXPECT_TRUE(guard.isNull());
    EXPECT_FALSE(signalled);
}

TEST(ControlEvents, AutomaticDragDropsOnAControlThatAcceptsIt)
{
    TwoPanels f;
    f.left->SetDragMode(dmAutomatic);
    f.left->SetDragCursor(crHandPoint);
    std::vector<TDragState> states;
    TObject *seenSource = nullptr;
    f.right->OnDragOver = [&](TObject *, TObject *source, int, int, TDragState state,
                              bool &accept) {
        EXPECT_TRUE(accept); // starts true for a control with a handler
        states.push_back(state);
        seenSource = source;
    };
    QPoint dropped(-1, -1);
    f.right->OnDragDrop = [&](TObject *, TObject *source, int x, int y) {
        EXPECT_EQ(source, f.left);
        dropped = QPoint(x, y);
    };
    TObject *endTarget = &f.form;
    QPoint endAt;
    f.left->OnEndDrag = [&](TObject *, TObject *target, int x, int y) {
        endTarget = target;
        endAt = QPoint(x, y);
    };
    QSignalSpy started(f.left, &TControl::onStartDrag);
    QSignalSpy downs(f.left, &TControl::onMouseDown);

    SendMouse(f.left, QEvent::MouseButtonPress, f.At(f.left, 5, 5), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(f.left->Dragging());
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(downs.count(), 0); // the drag took the press
    SendMouse(f.left, QEvent::MouseMove, f.At(f.right, 20, 30), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(f.left->cursor().shape(), Qt::PointingHandCursor);
    SendMouse(f.left, QEvent::MouseMove, f.At(f.right, 21, 31), Qt::NoButton, Qt::LeftButton);
    SendMouse(f.left, QEvent::MouseButtonRelease, f.At(f.right, 22, 32), Qt::LeftButton,
              Qt::NoButton);

    EXPECT_FALSE(f.left->Dragging());
    EXPECT_EQ(states, (std::vector<TDragState>{dsDragEnter, dsDragMove}));
    EXPECT_EQ(seenSource, f.left);
    EXPECT_EQ(dropped, QPoint(22, 32));
    EXPECT_EQ(endTarget, f.right);
    EXPECT_EQ(endAt, QPoint(22, 32));
    EXPECT_EQ(f.left->cursor().shape(), Qt::ArrowCursor);
}

TEST(ControlEvents, ADragNobodyTakesEndsWithoutTarget)
{
    TwoPanels f;
    // The right panel refuses through its signal; the form has no drag handler at all.
    QObject::connect(
        f.right, &TControl::onDragOver,
        [](TObject *, TObject *, int, int, TDragState, bool *accept) { *accept = false; });
    bool dropped = false;
    f.right->OnDragDrop = [&](TObject *, TObject *, int, int) { dropped = true; };
    TObject *endTarget = &f.form;
    f.left->OnEndDrag = [&](TObject *, TObject *target, int, int) { endTarget = target; };
    TDragObject carried;
    TObject *source = nullptr;
    f.left->OnStartDrag = [&](TObject *, TDragObject *&object) { object = &carried; };
    QObject::connect(f.right, &TControl::onDragOver,
                     [&](TObject *, TObject *s, int, int, TDragState, bool *) { source = s; });

    f.left->BeginDrag(true);
    SendMouse(f.left, QEvent::MouseMove, f.At(f.right, 5, 5), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(f.left->cursor().shape(), Qt::ForbiddenCursor);
    EXPECT_EQ(source, &carried); // the drag object stands for the source
    SendMouse(f.left, QEvent::MouseButtonRelease, f.At(f.right, 5, 5), Qt::LeftButton,
              Qt::NoButton);
    EXPECT_FALSE(dropped);
    EXPECT_EQ(endTarget, nullptr);

    // A drag that waits for the threshold and never reaches it is a plain click.
    int clicks = 0;
    f.left->OnClick = [&](TObject *) { ++clicks; };
    f.left->OnMouseDown = [&](TObject *, TMouseButton, TShiftState, int, int) {
        f.left->BeginDrag(false, 5);
    };
    SendMouse(f.left, QEvent::MouseButtonPress, f.At(f.left, 5, 5), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(f.left->Dragging());
    SendMouse(f.left, QEvent::MouseMove, f.At(f.left, 6, 6), Qt::NoButton, Qt::LeftButton);
    SendMouse(f.left, QEvent::MouseButtonRelease, f.At(f.left, 6, 6), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(f.left->Dragging());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(endTarget, nullptr);
}

TEST(ControlEvents, LeavingATargetTellsItAndATargetFreedMeanwhileIsForgotten)
{
    TwoPanels f;
    std::vector<TDragState> rightStates;
    f.right->OnDragOver = [&](TObject *, TObject *, int, int, TDragState s, bool &) {
        rightStates.push_back(s);
    };
    TObject *endTarget = &f.form;
    f.left->OnEndDrag = [&](TObject *, TObject *target, int, int) { endTarget = target; };
    f.left->BeginDrag(true);
    SendMouse(f.left, QEvent::MouseMove, f.At(f.right, 5, 5), Qt::NoButton, Qt::LeftButton);
    SendMouse(f.left, QEvent::MouseMove, f.At(f.left, 5, 5), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(rightStates, (std::vector<TDragState>{dsDragEnter, dsDragLeave}));

    SendMouse(f.left, QEvent::MouseMove, f.At(f.right, 6, 6), Qt::NoButton, Qt::LeftButton);
    const QPoint over = f.At(f.right, 6, 6);
    f.right->Free();
    SendMouse(f.left, QEvent::MouseButtonRelease, over, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(f.left->Dragging());
    EXPECT_EQ(endTarget, nullptr); // not the freed control
}

TEST(ControlEvents, Ctl3DFollowsTheParentUntilSetOwnValue)
{
    TForm form;
    TPanel panel(&form);
    panel.SetParent(&form);
    TPanel inner(&form);
    inner.SetParent(&panel);
    EXPECT_TRUE(inner.Ctl3D());
    form.SetCtl3D(false);
    EXPECT_FALSE(panel.Ctl3D());
    EXPECT_FALSE(inner.Ctl3D()); // through the panel
    inner.SetCtl3D(true);
    EXPECT_FALSE(inner.ParentCtl3D());
    form.SetCtl3D(true);
    form.SetCtl3D(false);
    EXPECT_TRUE(inner.Ctl3D());
    inner.SetParentCtl3D(true);
    EXPECT_FALSE(inner.Ctl3D());
}

TEST(ControlEvents, TabOrderMovesControlsAndDrivesTheFocusChain)
{
    TForm form;
    std::vector<TPanel *> panels;
    for (int i = 0; i < 3; ++i) {
        auto *p = new TPanel(&form);
        p->SetParent(&form);
        p->SetTabStop(true);
        panels.push_back(p);
    }
    EXPECT_EQ(panels[0]->TabOrder(), 0);
    EXPECT_EQ(panels[2]->TabOrder(), 2);
    panels[2]->SetTabOrder(0);
    EXPECT_EQ(panels[2]->TabOrder(), 0);
    EXPECT_EQ(panels[0]->TabOrder(), 1);
    EXPECT_EQ(panels[1]->TabOrder(), 2);
    EXPECT_EQ(panels[2]->nextInFocusChain(), panels[0]);
    EXPECT_EQ(panels[0]->nextInFocusChain(), panels[1]);
    panels[0]->SetTabOrder(99); // held at the end
    EXPECT_EQ(panels[0]->TabOrder(), 2);
    panels[1]->Free();
    EXPECT_EQ(form.TabCount(), 2);
    EXPECT_EQ(panels[0]->TabOrder(), 1);
    TPanel loose;
    EXPECT_EQ(loose.TabOrder(), -1);

    // TabStop switches only the Tab key's part of the focus policy.
    panels[0]->SetTabStop(false);
    EXPECT_EQ(panels[0]->focusPolicy(), Qt::ClickFocus);
    loose.setFocusPolicy(Qt::NoFocus);
    loose.SetTabStop(false);
    EXPECT_EQ(loose.focusPolicy(), Qt::NoFocus);
}
