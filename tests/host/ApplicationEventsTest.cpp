// SPDX-License-Identifier: MIT
// The application's events: activation, minimising and restoring the main form, input
// messages (once per input, droppable), idle turns, exceptions, help, hints and the icon.
#include "host/controls/Forms.h"

#include "TestSupport.h"

#include "host/controls/ExtCtrls.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace jxt;

namespace {

// Every test leaves the application's handlers as it found them (empty).
class ApplicationEvents : public ::testing::Test
{
protected:
    void TearDown() override
    {
        TApplication *app = Application();
        app->OnActivate = nullptr;
        app->OnDeactivate = nullptr;
        app->OnException = nullptr;
        app->OnHelp = nullptr;
        app->OnHint = nullptr;
        app->OnIdle = nullptr;
        app->OnMessage = nullptr;
        app->OnMinimize = nullptr;
        app->OnRestore = nullptr;
        app->OnShowHint = nullptr;
        app->SetMainForm(nullptr);
    }

    static void SendState(Qt::ApplicationState state)
    {
        QApplicationStateChangeEvent event(state);
        QCoreApplication::sendEvent(qApp, &event);
    }
};

} // namespace

TEST_F(ApplicationEvents, ActivationChangesFireOncePerChange)
{
    int activated = 0;
    int deactivated = 0;
    Application()->OnActivate = [&](TObject *) { ++activated; };
    Application()->OnDeactivate = [&](TObject *) { ++deactivated; };
    SendState(Qt::ApplicationInactive);
    SendState(Qt::ApplicationActive);
    SendState(Qt::ApplicationActive);
    SendState(Qt::ApplicationHidden);
    SendState(Qt::ApplicationInactive);
    EXPECT_EQ(activated, 1);
    EXPECT_EQ(deactivated, 1);
}

TEST_F(ApplicationEvents, MainFormMinimisedAndRestored)
{
    TForm form;
    Application()->SetMainForm(&form);
    std::vector<QString> seen;
    Application()->OnMinimize = [&](TObject *) { seen.push_back(QStringLiteral("min")); };
    Application()->OnRestore = [&](TObject *) { seen.push_back(QStringLiteral("restore")); };
    Application()->Minimize();
    EXPECT_EQ(form.WindowState(), wsMinimized);
    form.SetWindowState(wsMinimized); // no change, no event
    Application()->Restore();
    EXPECT_EQ(form.WindowState(), wsNormal);
    TForm other; // another form's state is not the application's
    other.SetWindowState(wsMinimized);
    EXPECT_EQ(seen, (std::vector<QString>{QStringLiteral("min"), QStringLiteral("restore")}));
}

TEST_F(ApplicationEvents, OnMessageHearsEachInputOnceAndMayDropIt)
{
    TForm form;
    form.SetBounds(0, 0, 200, 200);
    auto *outer = new TPanel(&form);
    outer->SetParent(&form);
    outer->SetBounds(0, 0, 150, 150);
    auto *inner = new TPanel(&form);
    inner->SetParent(outer);
    inner->SetBounds(10, 10, 50, 50);
    form.Show();
    int downs = 0;
    inner->OnMouseDown = [&](TObject *, TMouseButton, TShiftState, int, int) { ++downs; };

    std::vector<unsigned> messages;
    QObject *receiver = nullptr;
    bool drop = false;
    Application()->OnMessage = [&](TMsg &msg, bool &handled) {
        messages.push_back(msg.Message);
        receiver = msg.Receiver;
        handled = drop;
    };
    // A press nobody takes travels up through the parents; it is one message all the same.
    QTest::mousePress(inner, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseRelease(inner, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(messages, (std::vector<unsigned>{WM_RBUTTONDOWN, WM_RBUTTONUP}));
    EXPECT_EQ(receiver, inner);
    EXPECT_EQ(downs, 1);

    drop = true;
    QTest::mousePress(inner, Qt::LeftButton, {}, QPoint(5, 5), 50);
    EXPECT_EQ(messages.back(), WM_LBUTTONDOWN);
    EXPECT_EQ(downs, 1); // the control never saw it
    form.Hide();
}

TEST_F(ApplicationEvents, OnIdleRunsWhenTheLoopRunsOutOfWork)
{
    int calls = 0;
    bool keepBusy = false;
    Application()->OnIdle = [&](TObject *sender, bool &done) {
        EXPECT_EQ(sender, Application());
        EXPECT_TRUE(done);
        ++calls;
        done = !keepBusy;
    };
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_GE(calls, 1);

    // A handler that is not done is called again at once, not only when events arrive.
    const int before = calls;
    keepBusy = true;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_GT(calls - before, 5);
}

TEST_F(ApplicationEvents, ExceptionsGoToTheHandlerOrAreShown)
{
    Application()->SetTitle(QStringLiteral("Prüfling"));
    test::Dialogs()->Clear();
    Application()->HandleException(nullptr, EConvertError(QStringLiteral("Keine Zahl")));
    ASSERT_EQ(test::Dialogs()->Shown().size(), 1u);
    EXPECT_EQ(test::Dialogs()->Shown()[0].text, QStringLiteral("Keine Zahl"));
    EXPECT_EQ(test::Dialogs()->Shown()[0].caption, QStringLiteral("Prüfling"));
    EXPECT_EQ(test::Dialogs()->Shown()[0].flags, MB_OK | MB_ICONSTOP);

    QString caught;
    TObject *from = nullptr;
    TPanel sender;
    Application()->OnException = [&](TObject *s, const Exception &e) {
        from = s;
        caught = e.Message();
    };
    Application()->HandleException(&sender, Exception(QStringLiteral("Fehler")));
    EXPECT_EQ(caught, QStringLiteral("Fehler"));
    EXPECT_EQ(from, &sender);
    EXPECT_EQ(test::Dialogs()->Shown().size(), 1u);
    Application()->SetTitle(QString());
}

TEST_F(ApplicationEvents, HelpHintsAndIcon)
{
    EXPECT_FALSE(Application()->HelpCommand(1, 42));
    Application()->OnHelp = [](quint16 command, qintptr data, bool &callHelp) {
        callHelp = !(command == 1 && data == 42);
        return false;
    };
    EXPECT_TRUE(Application()->HelpCommand(1, 42));
    EXPECT_FALSE(Application()->HelpCommand(2, 0));

    int hints = 0;
    Application()->OnHint = [&](TObject *) { ++hints; };
    Application()->SetHint(QStringLiteral("Speichern"));
    Application()->SetHint(QStringLiteral("Speichern"));
    EXPECT_EQ(hints, 1);
    Application()->SetHint(QString());

    QString text = QStringLiteral("Öffnen");
    THintInfo info;
    EXPECT_TRUE(Application()->DoShowHint(text, info));
    Application()->OnShowHint = [](QString &hint, bool &canShow, THintInfo &hintInfo) {
        hint += QStringLiteral("!");
        hintInfo.HintMaxWidth = 80;
        canShow = false;
    };
    EXPECT_FALSE(Application()->DoShowHint(text, info));
    EXPECT_EQ(text, QStringLiteral("Öffnen!"));
    EXPECT_EQ(info.HintMaxWidth, 80);

    TIcon icon;
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::red);
    icon.SetImage(image);
    Application()->SetIcon(&icon);
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_EQ(Application()->Icon()->Width(), 16);
    Application()->SetIcon(nullptr);
    EXPECT_TRUE(Application()->Icon()->Empty());
}

TEST_F(ApplicationEvents, HintsAskOnShowHintBeforeTheyAreShown)
{
    TForm form;
    auto *panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetHint(QStringLiteral("Speichern"));
    panel->SetShowHint(true);
    TControl *about = nullptr;
    bool allow = false;
    Application()->OnShowHint = [&](QString &hint, bool &canShow, THintInfo &info) {
        about = info.HintControl;
        hint = QStringLiteral("Speichern (Strg+S)");
        canShow = allow;
    };
    EXPECT_FALSE(ShowHintFor(panel));
    EXPECT_EQ(about, panel);
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    allow = true;
    ASSERT_TRUE(ShowHintFor(panel));
    ASSERT_NE(ActiveHintWindow(), nullptr);
    EXPECT_EQ(ActiveHintWindow()->Caption(), QStringLiteral("Speichern (Strg+S)"));
    CancelHint();
}
