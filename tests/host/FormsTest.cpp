// SPDX-License-Identifier: MIT
#include "host/Dialogs.h"
#include "host/Forms.h"
#include "host/Timer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>

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
    EXPECT_EQ(MessageBox(QStringLiteral("Nochmal?"), QStringLiteral("Frage"), MB_RETRYCANCEL), IDRETRY);
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
    ASSERT_TRUE(PromptForFileName(name, QStringLiteral("Wave|*.wav"), QString(), QStringLiteral("Öffnen"), false));
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

TEST(Timer, ZeroIntervalNeverFiresAndRealTimerTicks)
{
    TTimer timer;
    int ticks = 0;
    timer.OnTimer = [&](TObject *sender) {
        EXPECT_EQ(sender, &timer);
        ++ticks;
    };
    timer.SetInterval(0);
    EXPECT_FALSE(timer.Active());
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60)
        Application()->ProcessMessages();
    EXPECT_EQ(ticks, 0);

    timer.SetInterval(10);
    EXPECT_TRUE(timer.Active());
    clock.restart();
    while (ticks < 3 && clock.elapsed() < 2000)
        Application()->ProcessMessages();
    EXPECT_GE(ticks, 3);
    timer.SetEnabled(false);
    const int stopped = ticks;
    clock.restart();
    while (clock.elapsed() < 40)
        Application()->ProcessMessages();
    EXPECT_EQ(ticks, stopped);
    timer.Tick();
    EXPECT_EQ(ticks, stopped + 1);
}
