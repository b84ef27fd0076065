// The recording table: forwards every call and records its name in order.
#include "HostFixture.h"
#include "RecordingHostApi.h"

namespace host::testing {
namespace {

class RecordingHostApiTest : public HostFixture {};

TEST_F(RecordingHostApiTest, RecordsCallsInOrderAndForwardsResults) {
    host_.ActiveDrawing().Add(PointGeometry{{4, 5, 6}}, 1, 1);
    RecordingHostApi recorder(api_);
    HostApi& api = *recorder.api();
    const HostHandle first = api.HostFirstEntity(api.HostDrawing());
    HostPointObject* point = api.HostGetPoint(first);
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->z, 6);
    api.HostFree(point);
    api.HostUnselectAll();
    EXPECT_EQ(recorder.Calls(),
              (std::vector<std::string>{"HostDrawing", "HostFirstEntity", "HostGetPoint",
                                        "HostFree", "HostUnselectAll"}));
    EXPECT_EQ(recorder.CallsOf({"HostFree", "HostDrawing"}),
              (std::vector<std::string>{"HostDrawing", "HostFree"}));
    EXPECT_EQ(recorder.CountOf("HostGetPoint"), 1u);
    recorder.ClearCalls();
    EXPECT_TRUE(recorder.Calls().empty());
    EXPECT_EQ(Outstanding(), 0u);
}

}  // namespace
}  // namespace host::testing
