// SPDX-License-Identifier: MIT
// Running a piece of a test in a forked child: to kill it at a chosen moment, to give it
// resource limits of its own (a maximum file size standing in for a full disk), or to have
// several processes work on one file at once, to lower its limit of open files, or to run
// checks as an unprivileged user, so that permissions stop it even when the tests run as the
// superuser.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <functional>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace jxt::test {

/// A forked child running `body(notifyFd)`; the child may write a byte to notifyFd to tell
/// the parent it has reached a point. The child ends with body's result as exit code.
class TChild
{
public:
    explicit TChild(const std::function<int(int notifyFd)> &body)
    {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(fds[0]);
            ::_exit(body(fds[1]));
        }
        ::close(fds[1]);
        m_readFd = fds[0];
    }
    ~TChild()
    {
        if (m_pid > 0 && !m_reaped) {
            ::kill(m_pid, SIGKILL);
            Wait();
        }
        if (m_readFd >= 0)
            ::close(m_readFd);
    }
    TChild(const TChild &) = delete;
    TChild &operator=(const TChild &) = delete;

    bool Started() const { return m_pid > 0; }

    /// Waits up to timeoutMs for the child's signal byte.
    bool WaitForSignal(int timeoutMs = 20000)
    {
        struct pollfd p = {m_readFd, POLLIN, 0};
        char c;
        return ::poll(&p, 1, timeoutMs) == 1 && ::read(m_readFd, &c, 1) == 1;
    }

    /// Waits for the child's end: its exit code, or 128 + the signal that ended it.
    int Wait()
    {
        if (m_reaped)
            return m_status;
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_reaped = true;
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return m_status;
    }

    /// Kills the child with SIGKILL and reaps it.
    int Kill()
    {
        ::kill(m_pid, SIGKILL);
        return Wait();
    }

private:
    pid_t m_pid = -1;
    int m_readFd = -1;
    bool m_reaped = false;
    int m_status = -1;
};

/// Runs body in a child whose files may grow to at most maxFileSize bytes (writes beyond
/// fail with EFBIG, as on a full disk); returns body's result, or 128 + signal.
inline int RunWithFileSizeLimit(rlim_t maxFileSize, const std::function<int()> &body)
{
    TChild child([&](int) {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {maxFileSize, maxFileSize};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 99;
        return body();
    });
    return child.Started() ? child.Wait() : -1;
}

/// Runs GoogleTest checks in a forked child (after `prepare`, which may set limits); the
/// child's failures are printed as usual and make the result 1, so the caller checks
/// `EXPECT_EQ(RunChecksInChild(...), 0)`. 128 + signal when the child was killed.
inline int RunChecksInChild(const std::function<void()> &body,
                            const std::function<bool()> &prepare = {})
{
    TChild child([&](int) {
        if (prepare && !prepare())
            return 98;
        body();
        return ::testing::Test::HasFailure() ? 1 : 0;
    });
    return child.Started() ? child.Wait() : -1;
}

/// Runs body in a child whose limit of open files is `files`.
inline int RunChecksWithOpenFileLimit(rlim_t files, const std::function<void()> &body)
{
    return RunChecksInChild(body, [files] {
        struct rlimit limit = {files, files};
        return ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
    });
}

/// Runs body in a child as the user "nobody" when this process is the superuser (which no
/// permission stops), after handing the folders `folders` (host paths; not what they hold)
/// to that user; as this user otherwise. Tests of permissions run this way wherever they run.
inline int RunChecksAsUnprivileged(const QStringList &folders, const std::function<void()> &body)
{
    if (::geteuid() != 0)
        return RunChecksInChild(body);
    const struct passwd *nobody = ::getpwnam("nobody");
    if (!nobody)
        return 97;
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    for (const QString &folder : folders) {
        const QByteArray path = QFile::encodeName(folder);
        if (::lchown(path.constData(), uid, gid) != 0)
            return 96;
    }
    return RunChecksInChild(body, [uid, gid] {
        return ::setgroups(0, nullptr) == 0 && ::setgid(gid) == 0 && ::setuid(uid) == 0 &&
               ::geteuid() != 0;
    });
}

} // namespace jxt::test
