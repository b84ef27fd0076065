// Writes a drawing as a drawing file; doubles in their shortest form that reads back exactly.
#include <charconv>

#include "host/DrawingFile.h"
#include "platform/FileReplace.h"

namespace host {
namespace {

class Writer {
public:
    Writer& Word(std::string_view word) {
        Space();
        out_ += word;
        return *this;
    }
    Writer& Number(double value) {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        return Word({buffer, std::size_t(end - buffer)});
    }
    Writer& Integer(long long value) { return Word(std::to_string(value)); }
    Writer& Vector(HostVector3 v) { return Number(v.x).Number(v.y).Number(v.z); }
    // A free text at the end of the line (a name); nothing is written for an empty one.
    Writer& Rest(std::string_view text) {
        if (!text.empty()) out_.append(" ").append(text);
        return *this;
    }
    void EndLine() {
        out_ += '\n';
        atLineStart_ = true;
    }
    [[nodiscard]] std::string Take() { return std::move(out_); }

private:
    void Space() {
        if (!atLineStart_) out_ += ' ';
        atLineStart_ = false;
    }
    std::string out_;
    bool atLineStart_ = true;
};

void WritePoints(Writer& w, const std::vector<HostVector3>& points) {
    for (const HostVector3& p : points) {
        w.Vector(p);
        w.EndLine();
    }
}

void WriteEntity(Writer& w, const Entity& e) {
    w.Word(KindName(KindOf(e.geometry))).Integer(e.color).Integer(e.layer);
    struct Visitor {
        Writer& w;
        void operator()(const PointGeometry& g) { w.Vector(g.at).EndLine(); }
        void operator()(const LineGeometry& g) { w.Vector(g.start).Vector(g.end).EndLine(); }
        void operator()(const ArcGeometry& g) {
            w.Vector(g.center).Vector(g.axis).Vector(g.startDir).Number(g.sweep).Number(g.radius);
            w.EndLine();
        }
        void operator()(const PolylineGeometry& g) {
            w.Integer(long(g.vertices.size())).EndLine();
            WritePoints(w, g.vertices);
        }
        void operator()(const CurveGeometry& g) {
            w.Integer(long(g.controlPoints.size())).EndLine();
            WritePoints(w, g.controlPoints);
        }
        void operator()(const SurfaceGeometry& g) {
            w.Integer(g.rows).Integer(g.columns).Integer(g.form).Integer(g.options).EndLine();
            WritePoints(w, g.points);
        }
        void operator()(const TextGeometry& g) {
            w.Vector(g.position).Number(g.height).Number(g.slant);
            for (double m : g.matrix) w.Number(m);
            w.Rest(g.text).EndLine();
            if (!g.font) return;
            const HostLogFont& f = *g.font;
            w.Word("font").Integer(f.height).Integer(f.width).Integer(f.escapement);
            w.Integer(f.orientation).Integer(f.weight).Integer(f.italic).Integer(f.underline);
            w.Integer(f.strikeOut).Integer(f.charSet).Integer(f.outPrecision);
            w.Integer(f.clipPrecision).Integer(f.quality).Integer(f.pitchAndFamily);
            w.Rest(f.faceName).EndLine();
        }
    };
    std::visit(Visitor{w}, e.geometry);
}

}  // namespace

std::string WriteDrawing(const Drawing& drawing) {
    Writer w;
    w.Word(kDrawingExtension).Integer(1).EndLine();
    w.Word("current").Integer(drawing.CurrentColor()).Integer(drawing.CurrentLayer()).EndLine();
    for (const auto& [number, view] : drawing.Views()) {
        w.Word("view").Integer(number);
        for (double m : view.matrix) w.Number(m);
        w.Rest(view.name).EndLine();
    }
    w.Word("views").Integer(drawing.CurrentView()).Integer(drawing.ConstructionView()).EndLine();
    for (const auto& [number, layer] : drawing.Layers())
        w.Word("layer")
            .Integer(number)
            .Word(layer.visible ? "shown" : "hidden")
            .Rest(layer.name)
            .EndLine();
    drawing.ForEach([&](const Entity& e) { WriteEntity(w, e); });
    w.Word("end").EndLine();
    return w.Take();
}

platform::Status WriteDrawingFile(const Drawing& drawing, const std::filesystem::path& path) {
    // Replaced safely: a full disk never leaves a truncated drawing in place of the old one.
    const platform::Status replaced = platform::ReplaceFileContents(path, WriteDrawing(drawing));
    if (!replaced) return platform::Status::Failure(replaced.Describe());
    return {};
}

}  // namespace host
