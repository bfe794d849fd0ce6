// SPDX-License-Identifier: MIT
#include "host/controls/Forms.h"
#include "host/controls/Dialogs.h"
#include "host/core/Timer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QTest>

#include <vector>

using namespace jxt;

namespace {

/// Installs a scripted dialog service for one test and puts the previous one back after.
class ScriptedScope
{
public:
    ScriptedScope()
    {
        auto s = std::make_unique<TScriptedDialogs>();
        dialogs = s.get();
        m_previous = SetDialogService(std::move(s));
    }
    ~ScriptedScope() { SetDialogService(std::move(m_previous)); }
    TScriptedDialogs *dialogs;

private:
    std::unique_ptr<TDialogService> m_previous;
};

} // namespace

TEST(Dialogs, MessagesAreRecordedAndAnsweredFromTheScript)
{
    ScriptedScope scope;
    ShowMessage(QStringLiteral("Hallo Welt"));
    scope.dialogs->Answer(mrNo);
    EXPECT_EQ(MessageDlg(QStringLiteral("Überschreiben?"), mtConfirmation, {mbYes, mbNo}), mrNo);
    EXPECT_EQ(MessageDlg(QStringLiteral("Weiter?"), mtConfirmation, {mbYes, mbNo}), mrYes);
    EXPECT_EQ(MessageBox(QStringLiteral("Nochmal?"), QStringLiteral("Frage"), MB_RETRYCANCEL),
              IDRETRY);
    ASSERT_EQ(scope.dialogs->Shown().size(), 4u);
    EXPECT_EQ(scope.dialogs->Texts(),
              (QStringList{QStringLiteral("Hallo Welt"), QStringLiteral("Überschreiben?"),
                           QStringLiteral("Weiter?"), QStringLiteral("Nochmal?")}));
    EXPECT_EQ(scope.dialogs->Shown()[1].type, mtConfirmation);
    EXPECT_EQ(scope.dialogs->Shown()[3].caption, QStringLiteral("Frage"));
}

TEST(Dialogs, FileDialogsTakeTheResponderChoice)
{
    ScriptedScope scope;
    scope.dialogs->Responder = [](TDialogRequest &r) {
        if (r.kind != TDialogRequest::OpenFile)
            return -1;
        r.fileName = QStringLiteral("/tmp/chosen.wav");
        return mrOk;
    };
    QString name;
    ASSERT_TRUE(PromptForFileName(name, QStringLiteral("Wave|*.wav"), QString(),
                                  QStringLiteral("Öffnen"), false));
    EXPECT_EQ(name, QStringLiteral("/tmp/chosen.wav"));
    QString dir;
    EXPECT_FALSE(SelectDirectory(QStringLiteral("Ordner"), QStringLiteral("/"), dir));
}

TEST(Forms, ShowModalReturnsTheResultTheResponderChose)
{
    ScriptedScope scope;
    TForm form;
    form.SetCaption(QStringLiteral("Einstellungen"));
    scope.dialogs->Responder = [&](TDialogRequest &r) {
        EXPECT_EQ(r.kind, TDialogRequest::ModalForm);
        EXPECT_EQ(r.form, &form);
        r.form->SetModalResult(mrOk);
        return -1;
    };
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_EQ(scope.dialogs->Shown().front().className, QStringLiteral("TForm"));
    EXPECT_EQ(scope.dialogs->Shown().front().caption, QStringLiteral("Einstellungen"));
}

TEST(Forms, CloseAsksCloseQueryAndOnClose)
{
    TForm form;
    form.Show();
    bool allow = false;
    int closes = 0;
    form.OnCloseQuery = [&](TObject *, bool &canClose) { canClose = allow; };
    form.OnClose = [&](TObject *, TCloseAction &) { ++closes; };
    form.Close();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(closes, 0);
    allow = true;
    form.Close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(closes, 1);
}

TEST(Forms, CaFreeDeletesTheFormLater)
{
    QPointer<TForm> form = new TForm;
    form->OnClose = [](TObject *, TCloseAction &action) { action = caFree; };
    form->Show();
    form->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
}

TEST(Screen, CursorOverridesAndRestores)
{
    ASSERT_EQ(Screen()->Cursor(), crDefault);
    Screen()->SetCursor(crHourGlass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen()->SetCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_GT(Screen()->Fonts().size(), 0);
}

TEST(Application, TerminateIsSeenByLoops)
{
    Application()->ResetTerminated();
    EXPECT_FALSE(Application()->Terminated());
    Application()->Terminate();
    EXPECT_TRUE(Application()->Terminated());
    Application()->ResetTerminated();
    EXPECT_FALSE(Application()->ExeName().isEmpty());
}

TEST(Timer, ManualClockRunsTicksInTimeOrder)
{
    TManualTimerClock clock;
    std::vector<QString> log;
    TTimer fast, slow, off;
    fast.SetInterval(10);
    slow.SetInterval(25);
    off.SetInterval(0);
    fast.OnTimer = [&](TObject *sender) {
        EXPECT_EQ(sender, &fast);
        log.push_back(QStringLiteral("fast@%1").arg(clock.Now()));
    };
    slow.OnTimer = [&](TObject *) { log.push_back(QStringLiteral("slow@%1").arg(clock.Now())); };
    off.OnTimer = [&](TObject *) { log.push_back(QStringLiteral("off")); };
    EXPECT_TRUE(fast.Active());
    EXPECT_FALSE(off.Active()) << "an interval of 0 never counts";

    clock.Advance(9);
    EXPECT_TRUE(log.empty());
    clock.Advance(51);
    EXPECT_EQ(log, (std::vector<QString>{"fast@10", "fast@20", "slow@25", "fast@30", "fast@40",
                                         "fast@50", "slow@50", "fast@60"}));

    // Disabling stops the ticks; enabling again starts a whole new period.
    log.clear();
    fast.SetEnabled(false);
    EXPECT_FALSE(fast.Active());
    clock.Advance(24);
    EXPECT_EQ(log, (std::vector<QString>{"slow@75"}));
    fast.SetEnabled(true);
    clock.Advance(9);
    EXPECT_EQ(log.size(), 1u);
    clock.Advance(1);
    EXPECT_EQ(log.back(), QStringLiteral("fast@94"));
}

TEST(Timer, ManualClockSurvivesHandlersThatChangeOrFreeTimers)
{
    TManualTimerClock clock;
    auto *doomed = new TTimer;
    doomed->SetInterval(5);
    int doomedTicks = 0;
    doomed->OnTimer = [&](TObject *) { ++doomedTicks; };
    TTimer killer;
    killer.SetInterval(12);
    int killerTicks = 0;
    killer.OnTimer = [&](TObject *) {
        ++killerTicks;
        delete doomed;
        doomed = nullptr;
        // A handler that restarts its own timer, as the components do around their steps.
        killer.SetEnabled(false);
        killer.SetInterval(100);
        killer.SetEnabled(true);
    };
    clock.Advance(200);
    EXPECT_EQ(doomedTicks, 2); // at 5 and 10, freed at 12
    EXPECT_EQ(killerTicks, 2); // at 12 and 112
}

TEST(HostMachineTimer, RealTimerTicksWithoutAManualClock)
{
    TTimer timer;
    int ticks = 0;
    timer.OnTimer = [&](TObject *) { ++ticks; };
    {
        // Timers started under a manual clock go back to real time when it ends.
        TManualTimerClock clock;
        timer.SetInterval(5);
        EXPECT_TRUE(timer.Active());
    }
    EXPECT_TRUE(timer.Active());
    // The one test on the real clock: a short period, waited for only until it ticked.
    QElapsedTimer elapsed;
    elapsed.start();
    while (ticks < 2 && elapsed.elapsed() < 2000)
        Application()->ProcessMessages();
    EXPECT_GE(ticks, 2);
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Active());
    const int stopped = ticks;
    timer.Tick();
    EXPECT_EQ(ticks, stopped + 1);
}

TEST(Form, BecomingTheActiveWindowFiresOnActivate)
{
    TForm form;
    TForm other;
    std::vector<QString> events;
    form.OnActivate = [&](TObject *) { events.push_back(QStringLiteral("activate")); };
    form.OnDeactivate = [&](TObject *) { events.push_back(QStringLiteral("deactivate")); };
    form.Show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    other.Show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(events, (std::vector<QString>{"activate", "deactivate"}));
    form.Hide();
    other.Hide();
}
