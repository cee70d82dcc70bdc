// What a command changed of what the user sees. A command changes the state and returns the parts
// of the screen that no longer show it; the shell brings them up to date in one place
// (ApplyOutcome), in one order, so that no command has to know what shows its result.
#pragma once

enum Shown : unsigned {
    kShownNothing = 0,
    // Another table is shown (a chart read, built or restored, another page): a fresh table
    // picture, drawn whole from the top-left corner, then the scroll bars, the rulers and the canvas
    // focused and taking input.
    kShownTable = 1u << 0,
    // A fresh grid has been drawn into the pictures ("New"): the canvas shows them as they are,
    // then the scroll bars, the rulers and the canvas focused and taking input.
    kShownGrid = 1u << 1,
    // Cells of the table shown changed: the parts that changed are drawn again.
    kShownCells = 1u << 2,
    // The whole table picture is drawn again (Select all, an undone build of another size).
    kShownWholeTable = 1u << 3,
    // What the rulers show changed (the table's size, the ruler style).
    kShownRulers = 1u << 4,
    // The view of another page: the pictures follow the canvas's size at the page's zoom.
    kShownView = 1u << 5,
    // The canvas takes the keyboard again.
    kShownFocus = 1u << 6,
    // The menu bar is built again (its language, the favourite background, the recent charts).
    kShownMenuBar = 1u << 7,
    // The pages: the page bar's tabs, and whether it shows.
    kShownPages = 1u << 8,
    // The controls are placed again.
    kShownLayout = 1u << 9,
};

// The view's zoom asked for: a percent, kZoomToWidth (-1), or this for the chart's whole extent.
constexpr int kZoomWholeExtent = -2;

// The title, the menu and toolbar states and the status bar follow from the state alone and cost
// nothing when unchanged: they are brought up to date after every outcome.
struct Outcome {
    unsigned shown = kShownNothing;
    // A zoom for the view (0 for none), about a pixel of the canvas.
    int zoom = 0;
    int zoomX = 0;
    int zoomY = 0;

    Outcome() = default;
    Outcome(unsigned parts) : shown(parts) {}
    Outcome& operator|=(Outcome other) {
        shown |= other.shown;
        if (other.zoom != 0) {
            zoom = other.zoom;
            zoomX = other.zoomX;
            zoomY = other.zoomY;
        }
        return *this;
    }
    bool Has(Shown part) const { return (shown & part) != 0; }
};

inline Outcome operator|(Outcome a, Outcome b) {
    return a |= b;
}
