// Reference counting and the exception family.
#include "U_Exception.h"
#include "U_Ref.h"

#include <gtest/gtest.h>

namespace {

struct Probe : U_Ref {
    explicit Probe(int* deaths) : deaths_(deaths) {}
    ~Probe() override { ++*deaths_; }
    int* deaths_;
};

TEST(U_RefTest, startsUncountedWithMarker)
{
    int deaths = 0;
    Probe* p = new Probe(&deaths);
    EXPECT_EQ(p->refCount(), 0);
    EXPECT_EQ(p->marker(), 4711);
    U_Handle<Probe> h(p);
    EXPECT_EQ(p->refCount(), 1);
}

// GCC 12 at -O2 and above follows the inlined releases of the three handles below and, not knowing
// that the count is still above zero, reports the later decrements as a use after the delete.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuse-after-free"
#endif
TEST(U_RefTest, lastHandleDeletesTheObject)
{
    int deaths = 0;
    {
        U_Handle<Probe> a(new Probe(&deaths));
        {
            U_Handle<Probe> b = a;
            EXPECT_EQ(a->refCount(), 2);
            U_Handle<U_Ref> base = b;
            EXPECT_EQ(a->refCount(), 3);
        }
        EXPECT_EQ(a->refCount(), 1);
        EXPECT_EQ(deaths, 0);
        a = nullptr;
        EXPECT_EQ(deaths, 1);
    }
    EXPECT_EQ(deaths, 1);
}
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic pop
#endif

TEST(U_RefTest, selfAssignmentKeepsTheObject)
{
    int deaths = 0;
    U_Handle<Probe> a(new Probe(&deaths));
    U_Handle<Probe>& alias = a;
    a = alias;
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(a->refCount(), 1);
}

TEST(U_ExceptionTest, userExceptionsShareOneBuffer)
{
    U_UserException first("first");
    EXPECT_STREQ(first.what(), "first");
    U_UserException second("second");
    EXPECT_STREQ(first.what(), "second");
}

TEST(U_ExceptionTest, configurationExceptionDefaults)
{
    C_ConfigurationException e("ERROR: x\n");
    EXPECT_EQ(e.code(), 10);
    EXPECT_FALSE(e.useCode());
    EXPECT_STREQ(e.what(), "ERROR: x\n");
    const U_UserException& asUser = e;
    EXPECT_STREQ(asUser.what(), "ERROR: x\n");
}

} // namespace
