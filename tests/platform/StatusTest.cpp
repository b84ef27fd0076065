// The one result shape: a status with its place and description, and a value or its reason.
#include "platform/Status.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::Expected;
using platform::Place;
using platform::Status;

TEST(StatusTest, DescribesTheReasonWithItsPlace) {
    struct Case {
        const char* name;
        Status status;
        bool ok;
        const char* described;
    } cases[] = {
        {"success", Status(), true, ""},
        {"reason alone", Status::Failure("no file"), false, "no file"},
        {"at a line", Status::Failure("unknown verb", {12}), false, "line 12: unknown verb"},
        {"at an offset", Status::Failure("bad tag", {0, 40}), false, "offset 40: bad tag"},
        {"line before offset", Status::Failure("bad", {3, 7}), false, "line 3: bad"},
        {"in a file", Status::Failure("Is a directory", {0, {}, "/tmp/x"}), false,
         "/tmp/x: Is a directory"},
        {"at a line of a file", Status::Failure("bad", {3, {}, "a.txt"}), false,
         "a.txt: line 3: bad"},
        {"a failure without a reason is still one", Status::Failure(""), false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(static_cast<bool>(c.status), c.ok) << c.name;
        EXPECT_EQ(c.status.Describe(), c.described) << c.name;
    }
}

TEST(StatusTest, AFailureKeepsTheKindOfFaultItWasGiven) {
    enum class Fault { None, Missing, Unreadable };
    struct Case {
        const char* name;
        Status status;
        Fault kind;
    } cases[] = {
        {"success", Status(), Fault::None},
        {"a failure given no kind", Status::Failure("no"), Fault::None},
        {"a failure of a kind", Status::Failure(Fault::Unreadable, "no", {2}), Fault::Unreadable},
    };
    for (const Case& c : cases) EXPECT_EQ(c.status.FaultKind<Fault>(), c.kind) << c.name;
    EXPECT_EQ(Status::Failure(Fault::Missing, "gone", {0, {}, "a.txt"}).Describe(), "a.txt: gone");
}

TEST(StatusTest, ExpectedHoldsAValueOrTheReason) {
    const Expected<std::string> value = std::string("drawing");
    ASSERT_TRUE(value);
    EXPECT_EQ(*value, "drawing");
    EXPECT_TRUE(value.GetStatus());

    const Expected<std::string> refused = Status::Failure("not well-formed", {4});
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.Describe(), "line 4: not well-formed");
    EXPECT_EQ(refused.GetStatus().Line(), 4);
}

// Taking a value that is not there, or making a failure that says nothing failed, are the
// caller's faults; the stop names them instead of reading an empty optional.
TEST(StatusDeathTest, MisusedExpectedStopsWithAHint) {
    EXPECT_DEATH(
        {
            const Expected<int> refused = Status::Failure("no");
            (void)*refused;
        },
        "check an Expected before taking its value");
    EXPECT_DEATH({ const Expected<int> odd = Status(); }, "needs a failed Status");
}

}  // namespace
