#include "read/TwoFaceAngles.h"

#include "model/AngleConversions.h"

#include <cmath>

namespace traverse {

namespace {
constexpr double kFullCircle = 1296000.0; // seconds
constexpr double kHalfCircle = 648000.0;

double FoldSeconds(double s) {
    s = std::fmod(s, kFullCircle);
    if (s < 0.0) s += kFullCircle;
    if (s >= kFullCircle) s -= kFullCircle;
    return s;
}

double PackSeconds(double s) {
    int deg = static_cast<int>(s / 3600.0);
    s -= deg * 3600.0;
    int min = static_cast<int>(s / 60.0);
    s -= min * 60.0;
    return PackDms(deg, min, s);
}

double Seconds(double packed) { return DmsToSeconds(UnpackDms(packed)); }
} // namespace

double TwoFaceHorizontalAngle(double h1, double h2, double h3, double h4) {
    double left = FoldSeconds(Seconds(h2) - Seconds(h1));
    double right = FoldSeconds(Seconds(h3) - Seconds(h4));
    // The two faces on either side of 0: average across it.
    if (std::fabs(left - right) > kHalfCircle) (left < right ? left : right) += kFullCircle;
    return PackSeconds(FoldSeconds((left + right) * 0.5));
}

double TwoFaceZenithAngle(double v2, double v3) {
    if (v2 == 0.0 && v3 == 0.0) return 900000.0;
    if (v3 == 0.0) return v2;
    if (v2 == 0.0) return PackSeconds(kFullCircle - Seconds(v3));
    return PackSeconds(FoldSeconds(Seconds(v2) - Seconds(v3)) * 0.5);
}

FaceAngles HorizontalFaces(double h1, double h2, double h3, double h4) {
    FaceAngles f;
    f.left = FoldSeconds(Seconds(h2) - Seconds(h1));
    f.right = FoldSeconds(Seconds(h3) - Seconds(h4));
    f.difference = std::fabs(f.left - f.right);
    if (f.difference > kHalfCircle) f.difference = kFullCircle - f.difference;
    return f;
}

std::optional<double> DoubleIndexError(double v2, double v3) {
    if (v2 == 0.0 || v3 == 0.0) return std::nullopt;
    return FoldSeconds(Seconds(v2) + Seconds(v3) + kHalfCircle) - kHalfCircle;
}

std::string SecondsAsDms(double seconds) {
    const long long tenths = std::llround(std::fabs(seconds) * 10.0); // round, then split
    const long long whole = tenths / 10;
    std::string sec = std::to_string(whole % 60);
    if (whole % 60 < 10) sec.insert(0, "0");
    if (tenths % 10 != 0) sec += "." + std::to_string(tenths % 10);
    std::string min = std::to_string(whole / 60 % 60);
    if (whole / 60 % 60 < 10) min.insert(0, "0");
    return (seconds < 0.0 && tenths != 0 ? "-" : "") + std::to_string(whole / 3600) + "°" + min +
           "′" + sec + "″";
}

} // namespace traverse
