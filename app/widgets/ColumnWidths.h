#pragma once

#include <string>
#include <vector>

// The widths of a report list's columns: each column has the width it was
// given or fitted to, except that one column takes the room the others
// leave, and a column the user has dragged keeps the user's width. What the
// user dragged is kept for the session under the list's name, so that every
// window with that list starts with it.
class CColumnWidths {
public:
    // `name` keys the widths kept for the session; `fill` is the column that
    // takes the rest of the room (-1: none); `minimumFill` its narrowest.
    CColumnWidths(std::string name, int fill, int minimumFill);

    // The width the program wants for a column (fitted to its texts, or its
    // default); a width the user has dragged wins over it.
    void SetWanted(int column, int width);
    // The user has dragged a column to this width.
    void SetDragged(int column, int width);
    bool IsDragged(int column) const;

    // The width of each column for a list whose rows are `clientWidth`
    // wide.
    std::vector<int> Layout(int clientWidth) const;

    // Forgets every dragged width of the session (for tests).
    static void ForgetSession();

private:
    int Width(int column) const;

    std::string m_name;
    int m_fill;
    int m_minimumFill;
    std::vector<int> m_wanted;
};
