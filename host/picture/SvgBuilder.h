// A small writer of SVG markup: the elements the drawing's picture uses, with every text
// escaped and every number written briefly.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace host {

// A point on the picture, in pixels from its top left corner.
struct PicturePoint {
    double x = 0.0;
    double y = 0.0;
};

class SvgBuilder {
public:
    SvgBuilder(double width, double height, std::string_view background);

    // A group with a class and an optional tooltip; closed by EndGroup.
    void BeginGroup(std::string_view className, std::string_view tooltip = "");
    void EndGroup();

    // `style` is the element's presentation attributes, e.g. R"(stroke="#fff" fill="none")".
    void Line(PicturePoint a, PicturePoint b, std::string_view style);
    void Polyline(const std::vector<PicturePoint>& points, std::string_view style);
    void Polygon(const std::vector<PicturePoint>& points, std::string_view style);
    void Circle(PicturePoint centre, double radius, std::string_view style);
    void Rect(PicturePoint corner, double width, double height, std::string_view style);
    void Text(PicturePoint at, std::string_view text, double size, std::string_view style);

    // The finished document.
    [[nodiscard]] std::string Finish();

    // `text` with the characters markup reserves written as entities.
    [[nodiscard]] static std::string Escaped(std::string_view text);
    // A number with at most two decimals, as SVG reads it.
    [[nodiscard]] static std::string Number(double value);

private:
    static std::string Points(const std::vector<PicturePoint>& points);

    std::string text_;
    int openGroups_ = 0;
};

}  // namespace host
