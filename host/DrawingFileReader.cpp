// Reads a drawing file into a drawing, refusing the whole file at its first malformed line.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <set>
#include <utility>

#include "host/DrawingFile.h"
#include "platform/InputFile.h"

namespace host {
namespace {

// The fields of one line: words separated by blanks, and optionally a free text at the end.
class Fields {
public:
    explicit Fields(std::string_view line) : rest_(line) {}

    // The next word, or empty at the end of the line.
    std::string_view Word() {
        SkipBlanks();
        const std::size_t end = rest_.find_first_of(" \t");
        const std::string_view word = rest_.substr(0, end);
        rest_.remove_prefix(word.size());
        return word;
    }
    // The free text after the words: everything after the one blank that follows the last word.
    std::string_view Rest() {
        if (!rest_.empty() && rest_.front() == ' ') rest_.remove_prefix(1);
        return std::exchange(rest_, {});
    }
    [[nodiscard]] bool AtEnd() {
        SkipBlanks();
        return rest_.empty();
    }

private:
    void SkipBlanks() {
        const std::size_t start = rest_.find_first_not_of(" \t");
        rest_.remove_prefix(start == std::string_view::npos ? rest_.size() : start);
    }
    std::string_view rest_;
};

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    platform::Expected<Drawing> Run() {
        if (!NextLine() || Fields(line_).Word() != kDrawingExtension)
            return Fail("the file does not start with \"scprt 1\"");
        {
            Fields f(line_);
            f.Word();
            std::int64_t version = 0;
            if (!Integer(f, version) || version != 1 || !f.AtEnd())
                return Fail("unknown drawing file version (this host reads \"scprt 1\")");
        }
        while (NextLine()) {
            Fields f(line_);
            const std::string_view keyword = f.Word();
            if (keyword == "end") return Finish(f);
            if (!Record(keyword, f)) return Failure();
        }
        return Fail("the file ends without its \"end\" line");
    }

private:
    // ---- lines ----
    bool NextLine() {
        while (position_ < text_.size()) {
            std::size_t end = text_.find('\n', position_);
            if (end == std::string_view::npos) end = text_.size();
            line_ = text_.substr(position_, end - position_);
            position_ = end + 1;
            ++lineNumber_;
            if (!line_.empty() && line_.back() == '\r') line_.remove_suffix(1);
            const std::size_t first = line_.find_first_not_of(" \t");
            if (first != std::string_view::npos && line_[first] != '#') return true;
        }
        return false;
    }

    platform::Status Fail(std::string description) {
        description_ = std::move(description);
        return Failure();
    }
    platform::Status Failure() {
        // An empty file is wrong on its first line.
        return platform::Status::Failure(description_, {std::max(lineNumber_, 1)});
    }
    bool Wrong(std::string description) {
        description_ = std::move(description);
        return false;
    }

    // ---- fields ----
    bool Integer(Fields& f, std::int64_t& value) {
        const std::string_view word = f.Word();
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        return !word.empty() && error == std::errc{} && end == word.data() + word.size();
    }
    bool Number(Fields& f, double& value) {
        const std::string_view word = f.Word();
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        return !word.empty() && error == std::errc{} && end == word.data() + word.size() &&
               std::isfinite(value);
    }
    bool Vector(Fields& f, HostVector3& v) {
        return Number(f, v.x) && Number(f, v.y) && Number(f, v.z);
    }
    bool Numbers(Fields& f, double* values, int count) {
        for (int i = 0; i < count; ++i)
            if (!Number(f, values[i])) return false;
        return true;
    }
    bool Ranged(Fields& f, std::int64_t& value, std::int64_t low, std::int64_t high) {
        return Integer(f, value) && value >= low && value <= high;
    }
    bool Ended(Fields& f, std::string_view what) {
        return f.AtEnd() || Wrong("unexpected text after the " + std::string(what));
    }

    // ---- records ----
    bool Record(std::string_view keyword, Fields& f) {
        if (keyword == "current") return Current(f);
        if (keyword == "views") return ViewNumbers(f);
        if (keyword == "view") return ViewRecord(f);
        if (keyword == "layer") return LayerRecord(f);
        if (keyword == "font")
            return Wrong("a \"font\" line belongs directly after a \"text\" line");
        for (HostKind kind : {HostKind::Point, HostKind::Line, HostKind::Polyline, HostKind::Arc,
                              HostKind::Curve, HostKind::Surface, HostKind::Text})
            if (keyword == KindName(kind)) return EntityRecord(kind, f);
        return Wrong("unknown record \"" + std::string(keyword) + "\"");
    }

    bool Current(Fields& f) {
        std::int64_t color = 0, layer = 0;
        if (!Ranged(f, color, 0, kColorCount - 1) || !Ranged(f, layer, 0, kLayerCount - 1))
            return Wrong("expected \"current <colour 0-255> <layer 0-999>\"");
        drawing_.SetCurrentColor(int(color));
        drawing_.SetCurrentLayer(int(layer));
        return Ended(f, "current colour and layer");
    }

    bool ViewNumbers(Fields& f) {
        std::int64_t current = 0, construction = 0;
        if (!Ranged(f, current, 1, INT16_MAX) || !Ranged(f, construction, 1, INT16_MAX))
            return Wrong("expected \"views <current view> <construction view>\"");
        viewsLine_ = lineNumber_;
        currentView_ = int(current);
        constructionView_ = int(construction);
        return Ended(f, "view numbers");
    }

    bool ViewRecord(Fields& f) {
        std::int64_t number = 0;
        View view;
        if (!Ranged(f, number, 1, INT16_MAX) || !Numbers(f, view.matrix.data(), 16))
            return Wrong("expected \"view <number 1-32767> <16 numbers> <name>\"");
        view.name = f.Rest();
        if (view.name.size() > kMaxViewName) return Wrong("a view name has at most 31 characters");
        if (!viewsListed_) {
            views_.clear();
            viewsListed_ = true;
        }
        if (!views_.emplace(int(number), std::move(view)).second)
            return Wrong("view " + std::to_string(number) + " is listed twice");
        return true;
    }

    bool LayerRecord(Fields& f) {
        std::int64_t number = 0;
        const bool numbered = Ranged(f, number, 0, kLayerCount - 1);
        const std::string_view state = f.Word();
        if (!numbered || (state != "shown" && state != "hidden"))
            return Wrong("expected \"layer <number 0-999> shown|hidden <name>\"");
        Layer layer{std::string(f.Rest()), state == "shown"};
        if (layer.name.size() > kMaxLayerName)
            return Wrong("a layer name has at most 59 characters");
        if (!listedLayers_.insert(int(number)).second)
            return Wrong("layer " + std::to_string(number) + " is listed twice");
        drawing_.SetLayer(int(number), std::move(layer));
        return true;
    }

    bool EntityRecord(HostKind kind, Fields& f) {
        std::int64_t color = 0, layer = 0;
        if (!Ranged(f, color, 0, kColorCount - 1) || !Ranged(f, layer, 0, kLayerCount - 1))
            return Wrong(std::string("expected \"") + KindName(kind) +
                         " <colour 0-255> <layer 0-999> ...\"");
        std::optional<EntityGeometry> geometry = Geometry(kind, f);
        if (!geometry) return false;
        if (const platform::Status valid = CheckGeometry(*geometry); !valid)
            return Wrong(std::string("the ") + KindName(kind) + " is not valid: " + valid.Reason());
        drawing_.Add(std::move(*geometry), int(color), int(layer));
        return true;
    }

    std::optional<EntityGeometry> Geometry(HostKind kind, Fields& f) {
        const std::string name = KindName(kind);
        const auto shape = [&](const char* fields) {
            Wrong("expected \"" + name + " <colour> <layer> " + fields + "\"");
            return std::nullopt;
        };
        switch (kind) {
            case HostKind::Point: {
                PointGeometry g;
                if (!Vector(f, g.at) || !f.AtEnd()) return shape("x y z");
                return g;
            }
            case HostKind::Line: {
                LineGeometry g;
                if (!Vector(f, g.start) || !Vector(f, g.end) || !f.AtEnd())
                    return shape("x1 y1 z1 x2 y2 z2");
                return g;
            }
            case HostKind::Arc: {
                ArcGeometry g;
                if (!Vector(f, g.center) || !Vector(f, g.axis) || !Vector(f, g.startDir) ||
                    !Number(f, g.sweep) || !Number(f, g.radius) || !f.AtEnd())
                    return shape("<centre> <axis> <start direction> <sweep> <radius>");
                return g;
            }
            case HostKind::Polyline:
            case HostKind::Curve: {
                std::int64_t count = 0;
                if (!Ranged(f, count, 2, std::int64_t(kMaxEntityPoints)) || !f.AtEnd())
                    return shape("<number of points, at least 2>");
                std::vector<HostVector3> points;
                if (!PointLines(std::size_t(count), points)) return std::nullopt;
                if (kind == HostKind::Curve) return CurveGeometry{std::move(points)};
                return PolylineGeometry{std::move(points)};
            }
            case HostKind::Surface: {
                std::int64_t rows = 0, columns = 0, form = 0, options = 0;
                if (!Ranged(f, rows, 2, INT32_MAX) || !Ranged(f, columns, 2, INT32_MAX) ||
                    !Ranged(f, form, kHostSurfacePointGrid, kHostSurfacePointGrid) ||
                    !Ranged(f, options, 0, UINT32_MAX) || !f.AtEnd())
                    return shape("<rows> <columns> 1 <options>");
                if (std::uint64_t(rows) * std::uint64_t(columns) > kMaxEntityPoints)
                    return Wrong("the surface has more points than the host accepts"), std::nullopt;
                SurfaceGeometry g{
                    int(rows), int(columns), std::uint32_t(form), std::uint32_t(options), {}};
                if (!PointLines(std::size_t(rows * columns), g.points)) return std::nullopt;
                return g;
            }
            case HostKind::Text: {
                TextGeometry g;
                if (!Vector(f, g.position) || !Number(f, g.height) || !Number(f, g.slant) ||
                    !Numbers(f, g.matrix.data(), 16))
                    return shape("<position> <height> <slant> <16 numbers> <text>");
                g.text = f.Rest();
                if (!OptionalFont(g)) return std::nullopt;
                return g;
            }
        }
        return std::nullopt;
    }

    // The `count` point lines that follow a polyline, curve or surface line.
    bool PointLines(std::size_t count, std::vector<HostVector3>& points) {
        const int owner = lineNumber_;
        while (points.size() < count) {
            HostVector3 p;
            const bool more = NextLine();
            Fields f(line_);
            if (!more || !Vector(f, p) || !f.AtEnd())
                return Wrong("expected point " + std::to_string(points.size() + 1) + " of " +
                             std::to_string(count) + " (\"x y z\") of the entity on line " +
                             std::to_string(owner));
            points.push_back(p);
        }
        return true;
    }

    // A "font" line directly after a text gives that text its font.
    bool OptionalFont(TextGeometry& text) {
        const std::size_t saved = position_;
        const int savedNumber = lineNumber_;
        const std::string_view savedLine = line_;
        if (!NextLine() || Fields(line_).Word() != "font") {
            position_ = saved;
            lineNumber_ = savedNumber;
            line_ = savedLine;
            return true;
        }
        Fields f(line_);
        f.Word();
        std::int64_t v[13];
        for (std::int64_t& value : v)
            if (!Ranged(f, value, INT32_MIN, INT32_MAX))
                return Wrong("expected \"font <13 whole numbers> <face name>\"");
        for (int i = 5; i < 13; ++i)
            if (v[i] < 0 || v[i] > 255) return Wrong("font fields 6 to 13 are bytes (0-255)");
        const std::string_view face = f.Rest();
        HostLogFont font{int(v[0]),           int(v[1]),
                         int(v[2]),           int(v[3]),
                         int(v[4]),           std::uint8_t(v[5]),
                         std::uint8_t(v[6]),  std::uint8_t(v[7]),
                         std::uint8_t(v[8]),  std::uint8_t(v[9]),
                         std::uint8_t(v[10]), std::uint8_t(v[11]),
                         std::uint8_t(v[12]), {}};
        if (face.size() >= sizeof font.faceName || face.find('\0') != std::string_view::npos)
            return Wrong("a font face name has at most 31 characters");
        face.copy(font.faceName, face.size());
        text.font = font;
        return true;
    }

    platform::Expected<Drawing> Finish(Fields& f) {
        if (!f.AtEnd()) return Fail("unexpected text after \"end\"");
        if (NextLine()) return Fail("unexpected line after \"end\"");
        if (viewsListed_) drawing_.SetViews(views_);
        if (viewsLine_ != 0 && (!drawing_.SetCurrentView(currentView_) ||
                                !drawing_.SetConstructionView(constructionView_))) {
            lineNumber_ = viewsLine_;
            return Fail("the current or construction view is not listed");
        }
        return std::move(drawing_);
    }

    std::string_view text_;
    std::size_t position_ = 0;
    std::string_view line_;
    int lineNumber_ = 0;
    std::string description_;

    Drawing drawing_;
    std::set<int> listedLayers_;
    std::map<int, View> views_;
    bool viewsListed_ = false;
    int viewsLine_ = 0;
    int currentView_ = 1;
    int constructionView_ = 1;
};

}  // namespace

platform::Expected<Drawing> ReadDrawing(std::string_view text) { return Parser(text).Run(); }

platform::Expected<Drawing> ReadDrawingFile(const std::filesystem::path& path) {
    const platform::Expected<std::string> file = platform::ReadInputFile(path);
    if (!file) return platform::Status::Failure(file.Describe());
    return ReadDrawing(*file);
}

}  // namespace host
