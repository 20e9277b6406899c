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

struct ScreenRect
{
    double left = 0, top = 0, width = 0, height = 0;
    bool operator==(const ScreenRect &) const = default;
};

// Brings a normal window back onto a screen of the given size (all in
// twips): too wide -> left edge, screen width; too tall -> top, 0.8 of the
// screen height; right or bottom edge less than 100 twips from the screen's
// left or top -> to that edge; beyond the right or bottom -> pulled back.
ScreenRect keepOnScreen(ScreenRect window, double screenWidth, double screenHeight);
