// SPDX-License-Identifier: MIT
// TThread: a worker thread that runs Execute once. Calls that must touch the user interface
// go through Synchronize, which runs them on the user-interface thread (while that thread
// processes messages, or waits for a thread with WaitFor) and returns when they are done.
//
// The worker is a std::thread and every hand-off between it and the interface thread goes
// through one mutex and an eventfd, so thread checkers see each of them; no Qt object is
// shared across the threads.
#pragma once

#include "base/Export.h"
#include "host/core/Object.h"
#include "host/core/SysUtils.h"

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <thread>

namespace jxt {

/// Raised for a misuse of a thread that would otherwise hang.
class JXT_EXPORT EThread : public Exception
{
public:
    using Exception::Exception;
};

/// A worker thread that runs Execute once (see the notes above).
class JXT_EXPORT TThread : public TObject
{
public:
    /// A suspended thread does not run until Start (or Resume) is called.
    explicit TThread(bool createSuspended);
    /// Asks a running thread to stop and waits for it (pumping its Synchronize calls).
    ~TThread() override;
    TThread(const TThread &) = delete;
    TThread &operator=(const TThread &) = delete;

    /// Starts a suspended thread; does nothing once it runs.
    void Start();
    /// The same as Start.
    void Resume() { Start(); }
    /// Sets the stop request that Execute polls through Terminated.
    void Terminate() { m_terminated.store(true, std::memory_order_release); }
    /// Whether Terminate was called.
    bool Terminated() const { return m_terminated.load(std::memory_order_acquire); }
    /// True once Execute has returned and OnTerminate has run.
    bool Finished() const { return m_finished.load(std::memory_order_acquire); }
    /// Whether the thread has not been started yet.
    bool Suspended() const { return !m_started; }
    /// With FreeOnTerminate the thread object deletes itself on the user-interface thread
    /// after it has finished (the next time that thread processes messages).
    bool FreeOnTerminate() const { return m_freeOnTerminate; }
    void SetFreeOnTerminate(bool value) { m_freeOnTerminate = value; }
    /// Waits until the thread has finished, running its Synchronize calls meanwhile when
    /// called on the user-interface thread. Returns ReturnValue. Called from inside one of
    /// this thread's own Synchronize calls it would wait for itself: it throws EThread.
    int WaitFor();
    /// The thread's result, which Execute sets; default 0.
    int ReturnValue() const { return m_returnValue; }
    void SetReturnValue(int value) { m_returnValue = value; }
    /// The exception that ended Execute, if one did.
    std::exception_ptr FatalException() const { return m_fatal; }

    /// Runs on the user-interface thread after Execute returns. It is read there only, so
    /// that thread may change it while the worker runs.
    TNotifyEvent OnTerminate;

    /// Runs every pending Synchronize call; the user-interface thread calls it while it
    /// processes messages. Returns whether any call ran.
    static bool CheckSynchronize();

protected:
    /// The thread's work. It should return soon after Terminated becomes true.
    virtual void Execute() = 0;
    /// Runs method on the user-interface thread and waits for it; an exception it throws is
    /// thrown again here. On the user-interface thread itself the method runs at once.
    void Synchronize(const std::function<void()> &method);
    /// Calls OnTerminate through Synchronize.
    virtual void DoTerminate();

private:
    void Run();
    void Join();
    std::thread m_thread;
    std::atomic<int> m_syncDepth{0}; // this thread's Synchronize calls running right now
    std::atomic<bool> m_terminated{false};
    std::atomic<bool> m_finished{false};
    bool m_started = false;
    bool m_freeOnTerminate = false;
    int m_returnValue = 0;
    std::exception_ptr m_fatal;
};

} // namespace jxt
