// SPDX-License-Identifier: MIT
#include "host/core/Thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QSocketNotifier>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <mutex>

#include <sys/eventfd.h>
#include <unistd.h>

namespace jxt {

namespace {

/// One call waiting for the user-interface thread. A request without a method and with
/// `release` set asks that thread to delete a finished self-freeing thread.
struct TSyncRequest
{
    std::function<void()> method;
    TThread *owner = nullptr;
    TThread *release = nullptr;
    bool done = false;
    std::exception_ptr error;
};

/// The queue of Synchronize calls, shared by all threads. The condition is signalled when a
/// call is queued, when one is done and when a thread finishes. The eventfd wakes the
/// interface thread's event loop: a worker writes to it after queueing, and the notifier
/// reading it runs the queue there.
struct TSyncQueue
{
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<TSyncRequest *> pending;
    std::deque<TSyncRequest *> releases; // finished self-freeing threads to delete
    int wakeFd = -1;
    QSocketNotifier *notifier = nullptr; // lives on the interface thread
};

/// The queue is never destroyed: a self-freeing worker may still be leaving Post when the
/// process exits, and destroying the mutex and condition under it would be a race.
TSyncQueue &Queue()
{
    static auto *queue = new TSyncQueue;
    return *queue;
}

/// WaitFor calls running on the interface thread: while one runs, no thread is deleted
/// (it may be the one being awaited).
int g_waiting = 0;

bool OnMainThread()
{
    return !QCoreApplication::instance() ||
           QThread::currentThread() == QCoreApplication::instance()->thread();
}

/// Creates the wake-up notifier once, on the interface thread (a socket notifier belongs to
/// the thread that creates it). The notifier goes with the application object.
void EnsureWaker()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || !OnMainThread())
        return;
    TSyncQueue &q = Queue();
    int fd;
    {
        std::lock_guard<std::mutex> lock(q.mutex);
        if (q.notifier)
            return;
        if (q.wakeFd < 0)
            q.wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        fd = q.wakeFd;
    }
    if (fd < 0)
        return; // WaitFor still pumps the queue; only idle wake-ups are lost
    auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [fd] {
        std::uint64_t count = 0;
        while (read(fd, &count, sizeof count) == sizeof count) {
        }
        TThread::CheckSynchronize();
    });
    QObject::connect(notifier, &QObject::destroyed, [] {
        std::lock_guard<std::mutex> lock(Queue().mutex);
        Queue().notifier = nullptr;
    });
    std::lock_guard<std::mutex> lock(q.mutex);
    q.notifier = notifier;
}

/// Queues a request and wakes the interface thread.
void Post(TSyncRequest *request)
{
    TSyncQueue &q = Queue();
    int fd;
    {
        std::lock_guard<std::mutex> lock(q.mutex);
        if (request)
            q.pending.push_back(request);
        fd = q.wakeFd;
    }
    q.changed.notify_all();
    if (fd >= 0) {
        const std::uint64_t one = 1;
        // A full counter (never reached in practice) already means "wake up".
        [[maybe_unused]] const ssize_t written = write(fd, &one, sizeof one);
    }
}

} // namespace

TThread::TThread(bool createSuspended)
{
    if (!createSuspended)
        Start();
}

TThread::~TThread()
{
    // The worker is blocked in a call that is running this destructor: it would wait for a
    // call that can never return to a living object. No recovery is sound, so say so plainly.
    if (m_syncDepth.load() > 0)
        qFatal("TThread deleted from inside its own synchronized call");
    if (m_started && !Finished()) {
        Terminate();
        WaitFor();
    }
    Join();
}

void TThread::Start()
{
    if (m_started)
        return;
    EnsureWaker();
    m_started = true;
    m_thread = std::thread([this] { Run(); });
}

void TThread::Join()
{
    if (!m_thread.joinable())
        return;
    if (m_thread.get_id() == std::this_thread::get_id())
        m_thread.detach(); // deleted by its own worker: it ends right after this
    else
        m_thread.join();
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
    // A self-freeing object is deleted on the interface thread once its request is queued,
    // and the worker touches nothing of it from then on. The worker detaches itself before
    // Finished is published, so a WaitFor that sees Finished never joins it and nothing has
    // to join it when the process ends before the interface thread gets to the request.
    // The queue owns the request.
    TSyncRequest *release = nullptr;
    if (m_freeOnTerminate) {
        release = new TSyncRequest;
        release->release = this;
    }
    {
        std::lock_guard<std::mutex> lock(Queue().mutex);
        if (release) {
            m_thread.detach();
            Queue().releases.push_back(release);
        }
        m_finished.store(true, std::memory_order_release);
    }
    Queue().changed.notify_all();
    if (release)
        Post(nullptr);
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
    request.owner = this;
    Post(&request);
    TSyncQueue &q = Queue();
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
    while (g_waiting == 0) {
        TSyncRequest *release = nullptr;
        {
            std::lock_guard<std::mutex> lock(q.mutex);
            if (q.releases.empty())
                break;
            release = q.releases.front();
            q.releases.pop_front();
        }
        delete release->release;
        delete release;
        ran = true;
    }
    for (;;) {
        TSyncRequest *request = nullptr;
        {
            std::lock_guard<std::mutex> lock(q.mutex);
            if (q.pending.empty())
                break;
            request = q.pending.front();
            q.pending.pop_front();
        }
        ran = true;
        std::exception_ptr error;
        TThread *owner = request->owner;
        ++owner->m_syncDepth;
        try {
            request->method();
        } catch (...) {
            error = std::current_exception();
        }
        // The owner cannot have gone meanwhile: it waits for this call, so deleting it from
        // inside would have thrown in WaitFor.
        --owner->m_syncDepth;
        {
            std::lock_guard<std::mutex> lock(q.mutex);
            request->error = error;
            request->done = true;
        }
        q.changed.notify_all();
    }
    return ran;
}

int TThread::WaitFor()
{
    if (!m_started)
        return m_returnValue;
    if (m_syncDepth.load() > 0 && OnMainThread())
        throw EThread(QStringLiteral("A thread cannot be awaited from inside its own "
                                     "synchronized call"));
    TSyncQueue &q = Queue();
    if (OnMainThread()) {
        ++g_waiting;
        struct TLeave
        {
            ~TLeave() { --g_waiting; }
        } leave;
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
    Join();
    return m_returnValue;
}

} // namespace jxt
