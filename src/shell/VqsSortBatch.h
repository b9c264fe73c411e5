// A stretch of row insertions into a tree view that are appended rather than placed, with
// redraw off; when the outermost batch on the view ends, the rows are sorted once into tree
// order, unless no tree changed meanwhile. Batches on one view nest.
#pragma once

#include "shell/VqsRedrawSwitch.h"

class VqsTreeView;

class VqsSortBatch {
public:
    explicit VqsSortBatch(VqsTreeView* view);
    ~VqsSortBatch();
    VqsSortBatch(const VqsSortBatch&) = delete;
    VqsSortBatch& operator=(const VqsSortBatch&) = delete;

    // TRUE when a row inserted now must go to its place: the view does not keep its rows in
    // tree order, or no batch is open on it.
    static BOOL InsertInPlace(VqsTreeView* view);
    // Sorts the view's rows into tree order, the sort column given as `column`.
    static void SortInTreeOrder(VqsTreeView* view, int column);

private:
    VqsTreeView* m_pView;
    VqsRedrawSwitch m_redraw;
};
