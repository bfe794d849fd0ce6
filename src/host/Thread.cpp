// SPDX-License-Identifier: MIT
#include "host/Thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <mutex>

namespace jxt {

namespace {

/// One call waiting for the user-interface thread.
struct TSyncRequest
{
    std::function<void()> method;
    bool done = false;
    std::exception_ptr error;
};

/// The queue of Synchronize calls, shared by all threads. The condition is signalled when a
/// call is queued, when one is done and when a thread finishes.
struct TSyncQueue
{
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<TSyncRequest *> pending;
};

TSyncQueue &Queue()
{
    static TSyncQueue queue;
    return queue;
}

bool OnMainThread()
{
    return !QCoreApplication::instance() ||
           QThread::currentThread() == QCoreApplication::instance()->thread();
}

} // namespace

TThread::TThread(bool createSuspended)
{
    m_thread.reset(QThread::create([this] { Run(); }));
    if (!createSuspended)
        Start();
}

TThread::~TThread()
{
    if (m_started && !Finished()) {
        Terminate();
        WaitFor();
    }
    if (m_thread)
        m_thread->wait();
}

void TThread::Start()
{
    if (m_started)
        return;
    m_started = true;
    m_thread->start();
}

void TThread::Run()
{
    try {
        Execute();
    } catch (...) {
        m_fatal = std::current_exception();
    }
    try {
        DoTerminate();
    } catch (...) {
        if (!m_fatal)
            m_fatal = std::current_exception();
    }
    {
        std::lock_guard<std::mutex> lock(Queue().mutex);
        m_finished.store(true, std::memory_order_release);
    }
    Queue().changed.notify_all();
    if (m_freeOnTerminate) {
        // The object is deleted on the user-interface thread once the worker has ended.
        if (QCoreApplication *app = QCoreApplication::instance()) {
            TThread *self = this;
            QMetaObject::invokeMethod(
                app, [self] { delete self; }, Qt::QueuedConnection);
        }
    }
}

void TThread::DoTerminate()
{
    // OnTerminate is read on the interface thread only, so that thread may change or clear
    // it while the worker runs.
    Synchronize([this] {
        if (OnTerminate)
            OnTerminate(this);
    });
}

void TThread::Synchronize(const std::function<void()> &method)
{
    if (!method)
        return;
    if (OnMainThread()) {
        method();
        return;
    }
    TSyncRequest request;
    request.method = method;
    TSyncQueue &q = Queue();
    {
        std::lock_guard<std::mutex> lock(q.mutex);
        q.pending.push_back(&request);
    }
    q.changed.notify_all();
    if (QCoreApplication *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            app, [] { TThread::CheckSynchronize(); }, Qt::QueuedConnection);
    std::unique_lock<std::mutex> lock(q.mutex);
    q.changed.wait(lock, [&] { return request.done; });
    if (request.error)
        std::rethrow_exception(request.error);
}

bool TThread::CheckSynchronize()
{
    if (!OnMainThread())
        return false;
    TSyncQueue &q = Queue();
    bool ran = false;
    for (;;) {
        TSyncRequest *request = nullptr;
        {
            std::lock_guard<std::mutex> lock(q.mutex);
            if (q.pending.empty())
                break;
            request = q.pending.front();
            q.pending.pop_front();
        }
        std::exception_ptr error;
        try {
            request->method();
        } catch (...) {
            error = std::current_exception();
        }
        {
            std::lock_guard<std::mutex> lock(q.mutex);
            request->error = error;
            request->done = true;
        }
        q.changed.notify_all();
        ran = true;
    }
    return ran;
}

int TThread::WaitFor()
{
    if (!m_started)
        return m_returnValue;
    TSyncQueue &q = Queue();
    if (OnMainThread()) {
        for (;;) {
            CheckSynchronize();
            std::unique_lock<std::mutex> lock(q.mutex);
            if (Finished())
                break;
            q.changed.wait(lock, [&] { return Finished() || !q.pending.empty(); });
            if (Finished())
                break;
        }
    } else {
        std::unique_lock<std::mutex> lock(q.mutex);
        q.changed.wait(lock, [&] { return Finished(); });
    }
    m_thread->wait();
    return m_returnValue;
}

} // namespace jxt
