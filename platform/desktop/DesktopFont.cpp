// The dialog font and its character cell.
#include "platform/desktop/DesktopFont.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace desktop {
namespace {

// The face used when the template's own is not installed (the Windows dialog faces never are).
constexpr const char* kFallbackFace = "DejaVu Sans";

}  // namespace

QFont DialogQFont(const platform::DialogFont& font) {
    const QString face = QString::fromStdString(font.face);
    QFont chosen(QFontDatabase::hasFamily(face) ? face : QString(kFallbackFace));
    chosen.setPointSize(font.points > 0 ? font.points : 8);
    return chosen;
}

platform::CharacterCell MeasureCell(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // The native framework's rounding of the average over 52 letters.
    return {(letters / 26 + 1) / 2, metrics.height()};
}

}  // namespace desktop
