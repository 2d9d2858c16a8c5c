#pragma once

#include <functional>
#include <string>

// What the two panes of the project status bar show: the open project's
// folder and its name. While a menu of the menu bar is open the bar shows
// the menu prompts instead; the project texts are kept and come back when
// the menu closes. Texts are UTF-8, ready for the control.
class CStatusPanes {
public:
    static constexpr int kPaneCount = 2;
    // Minimum widths in characters: average ones for the path, widest ones
    // for the name.
    static constexpr int kMinimumChars = 10;

    struct Metrics {
        int averageCharWidth = 0;
        int maxCharWidth = 0;
        std::function<int(const std::string&)> textWidth;
    };
    struct Layout {
        std::string text;
        int width = 0;
        bool visible = false;
    };

    // Pane 0 says that no project is open; pane 1 is hidden.
    CStatusPanes();

    // An empty path stands for "no project" and shows that text instead.
    void ShowProject(const std::string& path, const std::string& name);
    // Stores the text a pane should show. Returns true when the bar must be
    // updated now, false in menu mode (the text is applied on leaving it)
    // and for an index beyond the panes, which is ignored.
    bool SetPaneText(int index, std::string text);
    const std::string& GetPaneText(int index) const;

    void EnterMenuMode() { m_menuMode = true; }
    void ExitMenuMode() { m_menuMode = false; }
    bool InMenuMode() const { return m_menuMode; }

    // An empty pane vanishes (width 0); others are as wide as their text,
    // but not narrower than the minimum.
    Layout GetLayout(int index, const Metrics& metrics) const;

private:
    std::string m_texts[kPaneCount];
    bool m_menuMode = false;
};
