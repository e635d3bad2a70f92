#pragma once

#include "grid/table/gridgeometry.h"

namespace varnok {

class TBaseGrid;

// The keys that move the focus in the grid, apart from the toolkit's key codes.
enum class NavigationKey { Up, Down, Left, Right, PageUp, PageDown, Home, End };

// Where a navigation key leads: the new focused cell (or moving selection corner) and the
// top row that shows it.
struct NavigationMove {
    GridCell Cell;
    int TopRow = 0;
    bool operator==(const NavigationMove&) const = default;
};

// The arithmetic of the navigation keys, as plain code over the grid's sizes and the
// on-screen geometry. Every key lands on a normal (non-fixed) cell; a page key turns the
// page as well as moving the focus, so the focused cell keeps its place on the screen.
class GridNavigation {
public:
    /** Works on `grid`'s sizes and `geometry`'s scroll position; both must outlive it. */
    GridNavigation(const TBaseGrid& grid, const GridGeometry& geometry);

    /** The cell and top row after `key` pressed on `from` (with Ctrl for Ctrl+Home and Ctrl+End).
     */
    [[nodiscard]] NavigationMove Move(GridCell from, NavigationKey key, bool ctrl) const;
    /** The nearest normal cell, or the nearest cell when the grid has only fixed ones. */
    [[nodiscard]] GridCell ClampToNormal(GridCell cell) const;

private:
    const TBaseGrid& m_grid;
    const GridGeometry& m_geometry;
};

} // namespace varnok
