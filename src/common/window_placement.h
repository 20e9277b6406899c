#pragma once
// Window placement strings of section "Окна": left;top;width;height;state,
// position and size in twips (15 per pixel at 96 dpi, so stored placements
// keep their meaning), state 0 normal, 1 minimised, 2 maximised.

#include <QString>

#include <optional>

constexpr int kTwipsPerPixel = 15;

struct WindowPlacement
{
    std::optional<double> left, top, width, height;
    std::optional<int> state;
};

QString placementString(double left, double top, double width, double height, int state);

// Fewer than five fields: nothing (the window is left as it is). A field that
// does not convert stays empty and the others still apply.
std::optional<WindowPlacement> parsePlacement(const QString &text);
