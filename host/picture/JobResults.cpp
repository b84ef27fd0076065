// Reading a job's posts back from its construction, and numbering them from the table.
#include "host/picture/JobResults.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>

namespace host {
namespace {

constexpr int kApproachColour = 12;
constexpr int kContactColour = 11;
constexpr int kTopColour = 13;

// Locations closer than this (in drawing units) are the same post.
constexpr double kSamePlace = 1e-6;

bool SamePlace(HostVector3 a, HostVector3 b) {
    return std::fabs(a.x - b.x) <= kSamePlace && std::fabs(a.y - b.y) <= kSamePlace &&
           std::fabs(a.z - b.z) <= kSamePlace;
}
bool SamePlan(HostVector3 a, HostVector3 b) {
    return std::fabs(a.x - b.x) <= kSamePlace && std::fabs(a.y - b.y) <= kSamePlace;
}

struct Construction {
    std::vector<LineGeometry> approaches;
    std::vector<LineGeometry> contacts;
    std::vector<HostVector3> points;
};

Construction Collect(const Drawing& drawing) {
    Construction found;
    drawing.ForEach([&](const Entity& entity) {
        if (entity.layer != kResultLayer) return;
        if (const auto* line = std::get_if<LineGeometry>(&entity.geometry)) {
            if (entity.color == kApproachColour) found.approaches.push_back(*line);
            if (entity.color == kContactColour) found.contacts.push_back(*line);
        } else if (const auto* point = std::get_if<PointGeometry>(&entity.geometry)) {
            if (entity.color == kTopColour) found.points.push_back(point->at);
        }
    });
    return found;
}

// Keeps one result per location, the latest.
void Keep(std::vector<PostResult>& results, PostResult result) {
    for (PostResult& earlier : results)
        if (SamePlace(earlier.location, result.location)) {
            earlier = std::move(result);
            return;
        }
    results.push_back(std::move(result));
}

}  // namespace

std::vector<PostResult> ReadPostResults(const Drawing& drawing) {
    const Construction found = Collect(drawing);
    std::vector<PostResult> results;
    std::vector<bool> claimed(found.points.size(), false);
    for (const LineGeometry& approach : found.approaches) {
        PostResult result{approach.start, PostOutcome::NoContact, 0.0, ""};
        const HostVector3 chosen = approach.end;
        for (const LineGeometry& contact : found.contacts)
            if (SamePlace(contact.start, chosen)) result.outcome = PostOutcome::Raised;
        if (result.outcome == PostOutcome::Raised) {
            // The top stands above the chosen point by the deflector's length.
            for (std::size_t i = 0; i < found.points.size(); ++i) {
                if (claimed[i] || !SamePlan(found.points[i], chosen) ||
                    found.points[i].z <= chosen.z)
                    continue;
                claimed[i] = true;
                result.height = found.points[i].z;
                break;
            }
        }
        Keep(results, result);
    }
    for (std::size_t i = 0; i < found.points.size(); ++i)
        if (!claimed[i]) Keep(results, {found.points[i], PostOutcome::OwnZ, found.points[i].z, ""});
    return results;
}

std::vector<TablePost> ReadTablePosts(std::string_view text) {
    std::vector<TablePost> posts;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string line(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (const std::size_t comment = line.find(';'); comment != std::string::npos)
            line.erase(comment);
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos ||
            std::toupper(static_cast<unsigned char>(line[first])) != 'P' || line.size() < first + 5)
            continue;
        TablePost post;
        if (std::sscanf(line.c_str() + first + 5, "%d %d %d %lf %lf %lf", &post.section, &post.row,
                        &post.column, &post.location.x, &post.location.y, &post.location.z) == 6)
            posts.push_back(post);
    }
    return posts;
}

void LabelPosts(std::vector<PostResult>& results, const std::vector<TablePost>& posts) {
    for (PostResult& result : results)
        for (const TablePost& post : posts)
            if (SamePlace(post.location, result.location)) {
                result.label = "S" + std::to_string(post.section) + " R" +
                               std::to_string(post.row) + " C" + std::to_string(post.column);
                break;
            }
}

}  // namespace host
