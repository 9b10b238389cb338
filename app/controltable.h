#pragma once

#include <array>

enum class ControlKind { Label, TextBox, Button };

// One control of the main window, placed in twips from the client area's top-left corner.
struct ControlRow
{
    const char *name;
    ControlKind kind;
    const char *caption; // UTF-8
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    const char *spokenName; // UTF-8; what a screen reader announces for a box without a caption
};

inline constexpr int twipsPerPixel = 15;

constexpr int pixels(int twips)
{
    return twips / twipsPerPixel;
}

inline constexpr int clientWidthTwips = 3615;
inline constexpr int clientHeightTwips = 7065;

// Every control of the main window, top to bottom and left to right.
extern const std::array<ControlRow, 39> form1Controls;
