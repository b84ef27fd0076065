// SVG elements as text.
#include "host/picture/SvgBuilder.h"

#include <charconv>
#include <cmath>

namespace host {

SvgBuilder::SvgBuilder(double width, double height, std::string_view background) {
    text_ =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        Number(width) + "\" height=\"" + Number(height) + "\" viewBox=\"0 0 " + Number(width) +
        " " + Number(height) + "\" font-family=\"DejaVu Sans, Arial, sans-serif\">\n";
    Rect({0, 0}, width, height, "fill=\"" + std::string(background) + "\"");
}

void SvgBuilder::BeginGroup(std::string_view className, std::string_view tooltip) {
    text_ += "<g class=\"" + Escaped(className) + "\">";
    if (!tooltip.empty()) text_ += "<title>" + Escaped(tooltip) + "</title>";
    text_ += "\n";
    ++openGroups_;
}

void SvgBuilder::EndGroup() {
    if (openGroups_ == 0) return;
    text_ += "</g>\n";
    --openGroups_;
}

void SvgBuilder::Line(PicturePoint a, PicturePoint b, std::string_view style) {
    text_ += "<line x1=\"" + Number(a.x) + "\" y1=\"" + Number(a.y) + "\" x2=\"" + Number(b.x) +
             "\" y2=\"" + Number(b.y) + "\" " + std::string(style) + "/>\n";
}

void SvgBuilder::Polyline(const std::vector<PicturePoint>& points, std::string_view style) {
    if (points.size() < 2) return;
    text_ +=
        "<polyline points=\"" + Points(points) + "\" fill=\"none\" " + std::string(style) + "/>\n";
}

void SvgBuilder::Polygon(const std::vector<PicturePoint>& points, std::string_view style) {
    if (points.size() < 3) return;
    text_ += "<polygon points=\"" + Points(points) + "\" " + std::string(style) + "/>\n";
}

void SvgBuilder::Circle(PicturePoint centre, double radius, std::string_view style) {
    text_ += "<circle cx=\"" + Number(centre.x) + "\" cy=\"" + Number(centre.y) + "\" r=\"" +
             Number(radius) + "\" " + std::string(style) + "/>\n";
}

void SvgBuilder::Rect(PicturePoint corner, double width, double height, std::string_view style) {
    text_ += "<rect x=\"" + Number(corner.x) + "\" y=\"" + Number(corner.y) + "\" width=\"" +
             Number(width) + "\" height=\"" + Number(height) + "\" " + std::string(style) + "/>\n";
}

void SvgBuilder::Text(PicturePoint at, std::string_view text, double size, std::string_view style) {
    text_ += "<text x=\"" + Number(at.x) + "\" y=\"" + Number(at.y) + "\" font-size=\"" +
             Number(size) + "\" " + std::string(style) + ">" + Escaped(text) + "</text>\n";
}

std::string SvgBuilder::Finish() {
    while (openGroups_ > 0) EndGroup();
    return text_ + "</svg>\n";
}

std::string SvgBuilder::Escaped(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&apos;";
                break;
            default:
                // Control characters are not allowed in XML 1.0 text.
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n')
                    escaped += ' ';
                else
                    escaped += c;
        }
    }
    return escaped;
}

std::string SvgBuilder::Number(double value) {
    if (!std::isfinite(value)) return "0";
    // to_chars: the decimal point whatever the process's locale.
    char text[64];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    if (error != std::errc{}) return "0";
    std::string number(text, end);
    while (number.ends_with('0')) number.pop_back();
    if (number.ends_with('.')) number.pop_back();
    if (number == "-0") number = "0";
    return number;
}

std::string SvgBuilder::Points(const std::vector<PicturePoint>& points) {
    std::string text;
    for (const PicturePoint& p : points) {
        if (!text.empty()) text += ' ';
        text += Number(p.x) + "," + Number(p.y);
    }
    return text;
}

}  // namespace host
