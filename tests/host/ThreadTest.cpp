// SPDX-License-Identifier: MIT
// Worker threads: Synchronize runs on the user-interface thread in order, termination is
// requested and polled, OnTerminate follows Execute, and self-freeing threads go away.
#include "host/core/Thread.h"

#include "host/controls/Forms.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <vector>

using namespace jxt;

namespace {

class Counting : public TThread
{
public:
    explicit Counting(int steps) : TThread(true), m_steps(steps) {}
    ~Counting() override
    {
        Terminate();
        WaitFor();
    }
    std::vector<int> seen; // filled on the user-interface thread only
    std::vector<bool> onUiThread;
    std::atomic<int> executed{0};
    static std::atomic<int> destroyed;

protected:
    void Execute() override
    {
        for (int i = 0; i < m_steps && !Terminated(); ++i) {
            ++executed;
            Synchronize([this, i] {
                seen.push_back(i);
                onUiThread.push_back(QThread::currentThread() ==
                                     QCoreApplication::instance()->thread());
            });
        }
    }

private:
    int m_steps;
};

std::atomic<int> Counting::destroyed{0};

class SelfFreeing : public TThread
{
public:
    explicit SelfFreeing(std::atomic<int> *gone) : TThread(true), m_gone(gone)
    {
        SetFreeOnTerminate(true);
    }
    ~SelfFreeing() override { ++*m_gone; }

protected:
    void Execute() override {}

private:
    std::atomic<int> *m_gone;
};

class Throwing : public TThread
{
public:
    Throwing() : TThread(true) {}
    ~Throwing() override { WaitFor(); }
    bool caught = false;

protected:
    void Execute() override
    {
        try {
            Synchronize([] { throw std::runtime_error("in the interface"); });
        } catch (const std::runtime_error &) {
            caught = true;
        }
        throw std::logic_error("out of Execute");
    }
};

} // namespace

TEST(Thread, SynchronizeRunsOnTheInterfaceThreadInOrder)
{
    Counting t(50);
    bool terminated = false;
    t.OnTerminate = [&](TObject *sender) {
        EXPECT_EQ(sender, &t);
        EXPECT_EQ(t.seen.size(), 50u);
        terminated = true;
    };
    EXPECT_TRUE(t.Suspended());
    QThread::msleep(5);
    EXPECT_EQ(t.executed, 0); // suspended: nothing runs before Start
    t.Start();
    // The interface stays live: the calls are carried out while it processes messages.
    while (!t.Finished())
        Application()->ProcessMessages();
    ASSERT_EQ(t.seen.size(), 50u);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(t.seen[std::size_t(i)], i);
        EXPECT_TRUE(t.onUiThread[std::size_t(i)]);
    }
    EXPECT_TRUE(terminated);
}

TEST(Thread, TerminateStopsAndWaitForPumpsPendingCalls)
{
    Counting t(1000000);
    t.Start();
    while (t.executed < 3)
        TThread::CheckSynchronize();
    t.Terminate();
    EXPECT_TRUE(t.Terminated());
    t.WaitFor(); // would hang if the pending Synchronize were not run here
    EXPECT_TRUE(t.Finished());
    EXPECT_LT(t.executed, 1000000);
    EXPECT_EQ(int(t.seen.size()), t.executed.load());
}

TEST(Thread, DestroyingARunningThreadStopsIt)
{
    auto t = std::make_unique<Counting>(1000000);
    t->Start();
    while (t->executed < 2)
        TThread::CheckSynchronize();
    t.reset(); // must not hang nor leave the worker running
    SUCCEED();
}

TEST(Thread, FreeOnTerminateDeletesOnTheInterfaceThread)
{
    std::atomic<int> gone{0};
    auto *t = new SelfFreeing(&gone);
    t->Start();
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (gone == 0 && std::chrono::steady_clock::now() < until)
        Application()->ProcessMessages();
    EXPECT_EQ(gone, 1);
}

TEST(Thread, ExceptionsCrossBackAndEndExecute)
{
    Throwing t;
    t.Start();
    t.WaitFor();
    EXPECT_TRUE(t.caught);
    ASSERT_TRUE(t.FatalException());
    EXPECT_THROW(std::rethrow_exception(t.FatalException()), std::logic_error);
}

TEST(Thread, AwaitingItselfFromItsOwnCallThrowsInsteadOfHanging)
{
    class SelfWaiting : public TThread
    {
    public:
        SelfWaiting() : TThread(true) {}
        ~SelfWaiting() override { WaitFor(); }
        bool refused = false;

    protected:
        void Execute() override
        {
            Synchronize([this] {
                try {
                    WaitFor();
                } catch (const EThread &) {
                    refused = true;
                }
            });
        }
    };
    SelfWaiting t;
    t.Start();
    t.WaitFor();
    EXPECT_TRUE(t.refused);
}
