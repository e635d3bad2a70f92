#include "grid/table/gridnavigation.h"

#include <algorithm>

#include "grid/table/basegrid.h"

namespace varnok {

GridNavigation::GridNavigation(const TBaseGrid& grid, const GridGeometry& geometry)
    : m_grid(grid), m_geometry(geometry)
{
}

GridCell GridNavigation::ClampToNormal(GridCell cell) const
{
    const int lastCol = m_grid.GetColCountEx() - 1;
    const int lastRow = m_grid.GetRowCountEx() - 1;
    return {std::clamp(cell.Col, std::min(m_grid.GetFixedColsEx(), lastCol), lastCol),
            std::clamp(cell.Row, std::min(m_grid.GetFixedRowsEx(), lastRow), lastRow)};
}

NavigationMove GridNavigation::Move(GridCell from, NavigationKey key, bool ctrl) const
{
    const int page = m_geometry.FullyVisibleRowCount();
    GridCell target = from;
    int pageScroll = 0;
    switch (key) {
    case NavigationKey::Up:
        --target.Row;
        break;
    case NavigationKey::Down:
        ++target.Row;
        break;
    case NavigationKey::Left:
        --target.Col;
        break;
    case NavigationKey::Right:
        ++target.Col;
        break;
    case NavigationKey::PageUp:
        target.Row -= page;
        pageScroll = -page;
        break;
    case NavigationKey::PageDown:
        target.Row += page;
        pageScroll = page;
        break;
    case NavigationKey::Home:
        target.Col = 0;
        if (ctrl) {
            target.Row = 0;
        }
        break;
    case NavigationKey::End:
        target.Col = m_grid.GetColCountEx();
        if (ctrl) {
            target.Row = m_grid.GetRowCountEx();
        }
        break;
    }
    const GridCell cell = ClampToNormal(target);
    const int pageTop = std::clamp(m_geometry.TopRow() + pageScroll, m_geometry.MinTopRow(),
                                   m_geometry.MaxTopRow());
    return {cell, m_geometry.TopRowToShow(cell.Row, pageTop)};
}

} // namespace varnok
