// Reading a job's posts back from the construction on layer 252, numbering them from a table
// definition, and the picture holding one mark per post as well-formed XML.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "host/picture/DrawingPicture.h"
#include "host/picture/JobResults.h"

namespace host {
namespace {

constexpr int kOtherLayer = 2;

// What the add-in draws for a post at `p` by outcome (see JobResults.h).
void DrawRaised(Drawing& d, HostVector3 p, HostVector3 chosen, double length) {
    const HostVector3 contact{chosen.x, chosen.y, chosen.z + length};
    d.Add(LineGeometry{p, chosen}, 12, kResultLayer);
    d.Add(LineGeometry{chosen, contact}, 11, kResultLayer);
    d.Add(ArcGeometry{contact, {0, 0, -1}, {1, 0, 0}, 6.283185307179586, 12.5}, 10, kResultLayer);
    d.Add(PointGeometry{{chosen.x, chosen.y, chosen.z + length}}, 13, kResultLayer);
}
void DrawNoContact(Drawing& d, HostVector3 p, HostVector3 chosen) {
    d.Add(LineGeometry{p, chosen}, 12, kResultLayer);
}
void DrawOwnZ(Drawing& d, HostVector3 p) { d.Add(PointGeometry{p}, 13, kResultLayer); }

TEST(JobResults, EveryOutcomeIsReadBackAndALaterJobReplacesAnEarlierOne) {
    Drawing d;
    DrawRaised(d, {0, 0, 0}, {0, 0, 80}, 21.5);
    DrawNoContact(d, {50, 0, 0}, {50, 0, 95});
    DrawOwnZ(d, {100, 0, 3});
    // A tilted post: its top stands above its chosen point, not above its location.
    DrawRaised(d, {150, 0, 0}, {160, 0, 90}, 10);
    // Same-looking entities elsewhere are not results.
    d.Add(PointGeometry{{200, 0, 0}}, 13, kOtherLayer);
    d.Add(LineGeometry{{250, 0, 0}, {250, 0, 9}}, 12, kOtherLayer);
    // A second job: the post at 50 now gets a contact, the one at 100 keeps its own z again.
    DrawRaised(d, {50, 0, 0}, {50, 0, 70}, 21.5);
    DrawOwnZ(d, {100, 0, 3});

    const std::vector<PostResult> posts = ReadPostResults(d);
    ASSERT_EQ(posts.size(), 4u);
    struct Expected {
        HostVector3 location;
        PostOutcome outcome;
        double height;
    };
    // Posts with an approach line first, then those kept at their own z.
    const Expected expected[] = {{{0, 0, 0}, PostOutcome::Raised, 101.5},
                                 {{50, 0, 0}, PostOutcome::Raised, 91.5},
                                 {{150, 0, 0}, PostOutcome::Raised, 100},
                                 {{100, 0, 3}, PostOutcome::OwnZ, 3}};
    for (std::size_t i = 0; i < posts.size(); ++i) {
        EXPECT_EQ(posts[i].location, expected[i].location) << i;
        EXPECT_EQ(posts[i].outcome, expected[i].outcome) << i;
        EXPECT_DOUBLE_EQ(posts[i].height, expected[i].height) << i;
    }
    const PictureSummary summary = Summarise(posts);
    EXPECT_EQ(summary.programmed, 4u);
    EXPECT_EQ(summary.raised, 3u);
}

TEST(JobResults, TablePostsNumberTheResultsAtTheirLocations) {
    const std::vector<TablePost> posts = ReadTablePosts(
        "; table\r\nEndDiameter 25.0\r\n  post 1 2 3  50.0 0.0 0.0  0 0 1 ; a comment\r\n"
        "POST 1 2\nPOST 2 1 1  0 0 0 0 0 1\nPOST 9 9 9  0 0 0 0 0 1\nP\n");
    ASSERT_EQ(posts.size(), 3u);
    EXPECT_EQ(posts[0].column, 3);
    EXPECT_EQ(posts[0].location, (HostVector3{50, 0, 0}));

    Drawing d;
    DrawOwnZ(d, {0, 0, 0});
    DrawNoContact(d, {50, 0, 0}, {50, 0, 5});
    DrawOwnZ(d, {75, 0, 0});
    std::vector<PostResult> results = ReadPostResults(d);
    LabelPosts(results, posts);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].label, "S1 R2 C3");  // the no-contact line comes first in the drawing
    EXPECT_EQ(results[1].label, "S2 R1 C1");  // the first of two posts at one place
    EXPECT_EQ(results[2].label, "");
}

// Names and texts with the characters markup reserves must not break the picture.
TEST(DrawingPicture, IsWellFormedWithOneMarkPerPostInEachView) {
    Drawing d;
    d.SetLayer(3, {"Part <A> & \"B\"", true});
    d.SetLayer(4, {"hidden", false});
    d.Add(
        SurfaceGeometry{
            2, 2, kHostSurfacePointGrid, 0, {{0, 0, 10}, {100, 0, 10}, {0, 50, 20}, {100, 50, 20}}},
        5, 3);
    d.Add(TextGeometry{"a < b & c", {0, 60, 0}, 5, 0, IdentityMatrix(), std::nullopt}, 7, 3);
    d.Add(LineGeometry{{0, 0, 0}, {1, 1, 1}}, 12, 4);
    DrawRaised(d, {10, 10, 0}, {10, 10, 0.5}, 10);
    DrawNoContact(d, {60, 10, 0}, {60, 10, 12});
    DrawOwnZ(d, {200, 10, 0});

    pugi::xml_document svg;
    const std::string text = DrawingPictureSvg(d, ReadPostResults(d), "c:\\<job>.scprt");
    const pugi::xml_parse_result parsed = svg.load_string(text.c_str());
    ASSERT_TRUE(parsed) << parsed.description() << " at " << parsed.offset;
    for (const char* view : {"post", "post-side"})
        for (const char* outcome : {"raised", "no-contact", "own-z"})
            EXPECT_EQ(svg.select_nodes(
                             ("//g[@class='" + std::string(view) + " " + outcome + "']").c_str())
                          .size(),
                      1u)
                << view << " " << outcome;
    EXPECT_NE(text.find("3 Part &lt;A&gt; &amp; &quot;B&quot;"), std::string::npos);
    EXPECT_EQ(text.find("4 hidden"), std::string::npos);
}

}  // namespace
}  // namespace host
