// SPDX-License-Identifier: MIT
// Data safety of loading 3D models from files: FIFOs, endless devices and files larger than
// any model are refused at once with the library's error, and the model stays as it was.
#include "effects/JX3D.h"

#include "ChildProcess.h"
#include "SafetySupport.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace jxt;

namespace {

class JX3DSafetyTest : public jxt::test::TSafetyTest
{
};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#    if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#    else
constexpr bool kAddressSanitizer = false;
#    endif
#else
constexpr bool kAddressSanitizer = false;
#endif

/// Keeps a child that would read without end from taking the machine's memory (the address
/// sanitizer reserves far more address space than it uses, so it goes without the limit).
bool LimitMemory()
{
    if (kAddressSanitizer)
        return true;
    const rlim_t bytes = rlim_t(2) << 30;
    struct rlimit limit = {bytes, bytes};
    return ::setrlimit(RLIMIT_AS, &limit) == 0;
}

} // namespace

TEST_F(JX3DSafetyTest, PipesDevicesAndHugeFilesAreRefusedAndTheModelStays)
{
    ASSERT_EQ(::mkfifo(Host("pipe.3d").constData(), 0644), 0);
    Symlink("/dev/zero", "zero.3d");
    // A sparse file larger than any model may be: refused without reading it.
    Write("huge.3d", "P 0,0,0\r\n");
    ASSERT_EQ(::truncate(Host("huge.3d").constData(), qint64(256) << 20), 0);
    EXPECT_EQ(jxt::test::RunChecksInChild(
                  [&] {
                      ::alarm(20);
                      TJX3D v;
                      v.SetBounds(0, 0, 90, 70);
                      for (const char *name : {"pipe.3d", "zero.3d", "huge.3d"}) {
                          EXPECT_THROW(v.LoadFromFile(HostPath(name)), EInOutError) << name;
                          EXPECT_EQ(v.PointCount(), 8) << name; // the default cube stays
                      }
                      EXPECT_THROW(v.LoadFromFile(QStringLiteral("T:\\zero.3d")), EInOutError);
                  },
                  LimitMemory),
              0);
}
