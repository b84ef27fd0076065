// Reading a job's posts back from its construction, and numbering them from the table.
#include "host/picture/JobResults.h"

#include <algorithm>
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

// The add-in draws a post's entities from the same numbers, so they meet exactly; a table
// definition's post is matched to its result within this distance (drawing units).
constexpr double kSamePlace = 1e-6;

using Place = std::tuple<double, double, double>;
Place PlaceOf(HostVector3 p) { return {p.x, p.y, p.z}; }
// A location on a grid of kSamePlace, so that nearly equal locations share a key.
std::tuple<long long, long long, long long> Cell(HostVector3 p) {
    const auto on = [](double c) { return std::llround(std::clamp(c / kSamePlace, -9e18, 9e18)); };
    return {on(p.x), on(p.y), on(p.z)};
}

struct Construction {
    std::vector<LineGeometry> approaches;
    std::multimap<Place, std::size_t> contactsFrom;  // start of each contact line
    std::vector<HostVector3> points;
};

Construction Collect(const Drawing& drawing) {
    Construction found;
    drawing.ForEach([&](const Entity& entity) {
        if (entity.layer != kResultLayer) return;
        if (const auto* line = std::get_if<LineGeometry>(&entity.geometry)) {
            if (entity.color == kApproachColour) found.approaches.push_back(*line);
            if (entity.color == kContactColour)
                found.contactsFrom.emplace(PlaceOf(line->start), found.contactsFrom.size());
        } else if (const auto* point = std::get_if<PointGeometry>(&entity.geometry)) {
            if (entity.color == kTopColour) found.points.push_back(point->at);
        }
    });
    return found;
}

// One result per location, the latest, in the order the locations first appeared.
class Results {
public:
    void Keep(PostResult result) {
        const auto [at, added] = index_.emplace(PlaceOf(result.location), results_.size());
        if (added)
            results_.push_back(std::move(result));
        else
            results_[at->second] = std::move(result);
    }
    std::vector<PostResult> Take() { return std::move(results_); }

private:
    std::map<Place, std::size_t> index_;
    std::vector<PostResult> results_;
};

}  // namespace

std::vector<PostResult> ReadPostResults(const Drawing& drawing) {
    const Construction found = Collect(drawing);
    // Tops stand straight above the chosen point (by the deflector's length): keyed by x and y.
    std::multimap<std::pair<double, double>, std::size_t> pointsAt;
    for (std::size_t i = 0; i < found.points.size(); ++i)
        pointsAt.emplace(std::pair{found.points[i].x, found.points[i].y}, i);
    std::vector<bool> claimed(found.points.size(), false);
    Results results;
    for (const LineGeometry& approach : found.approaches) {
        PostResult result{approach.start, PostOutcome::NoContact, 0.0, ""};
        const HostVector3 chosen = approach.end;
        if (found.contactsFrom.contains(PlaceOf(chosen))) {
            result.outcome = PostOutcome::Raised;
            const auto [first, last] = pointsAt.equal_range({chosen.x, chosen.y});
            for (auto it = first; it != last; ++it) {
                if (claimed[it->second] || found.points[it->second].z <= chosen.z) continue;
                claimed[it->second] = true;
                result.height = found.points[it->second].z;
                break;
            }
        }
        results.Keep(result);
    }
    for (std::size_t i = 0; i < found.points.size(); ++i)
        if (!claimed[i]) results.Keep({found.points[i], PostOutcome::OwnZ, found.points[i].z, ""});
    return results.Take();
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
    // The first post of the table at a location names it, as the table's lookups do.
    std::map<std::tuple<long long, long long, long long>, const TablePost*> byCell;
    for (const TablePost& post : posts) byCell.emplace(Cell(post.location), &post);
    for (PostResult& result : results) {
        const auto found = byCell.find(Cell(result.location));
        if (found == byCell.end()) continue;
        const TablePost& post = *found->second;
        result.label = "S" + std::to_string(post.section) + " R" + std::to_string(post.row) + " C" +
                       std::to_string(post.column);
    }
}

}  // namespace host
