#pragma once

// Which row a grid re-reads on one idle tick. Rows are taken in list order from the refresh cursor;
// only rows that intersect the visible area count, one per tick; a pass ends at the end of the list
// or at the first row below the visible area, and the next pass starts at the top. The row being
// edited counts as the row of its tick but is not re-read, unless the grid always refreshes.

// A row's geometry as the refresh sees it: the grid row's height (0: hidden) and its rectangle in
// column 1 (top..bottom, bottom exclusive; an empty rectangle has top == bottom).
struct ZRRowSpan {
    int height = 0;
    int top = 0;
    int bottom = 0;
};

// The grid's drawing area.
struct ZRRefreshArea {
    int width = 0;
    int top = 0;
    int bottom = 0; // exclusive
};

// cursor: where the pass goes on (last: none); wrapped: the mark shared by all grids, set when a
// pass starts over and cleared when a row is chosen; spanOf(it) gives a row's geometry; edited: the
// row being edited (last: none). Answers the row to re-read now, or last.
template <class Iter, class SpanOf>
Iter ZRPickRefreshRow(Iter first, Iter last, Iter& cursor, bool& wrapped, const ZRRefreshArea& area,
                      SpanOf&& spanOf, Iter edited, bool alwaysRefresh) {
    Iter chosen = last;
    if (area.width > 0 && area.bottom > area.top) {
        while (cursor != last) {
            Iter row = cursor++;
            ZRRowSpan span = spanOf(row);
            if (span.height <= 0)
                continue; // hidden
            if (span.bottom <= span.top) {
                // No rectangle: before anything was refreshed in this pass it lies above the view,
                // after that below it.
                if (wrapped)
                    continue;
                cursor = last;
                break;
            }
            if (span.top >= area.bottom) {
                cursor = last; // below the view: the pass ends
                break;
            }
            if (span.bottom <= area.top)
                continue; // above the view
            chosen = row;
            break;
        }
    }
    if (chosen != last) {
        wrapped = false;
        if (chosen == edited && !alwaysRefresh)
            chosen = last;
    }
    if (cursor == last) {
        cursor = first;
        wrapped = true;
    }
    return chosen;
}
