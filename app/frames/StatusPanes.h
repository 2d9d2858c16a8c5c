#pragma once

#include <cstddef>
#include <functional>
#include <string>

// What the panes of the project status bar show: the open project's
// folder and its name, and the operand counts of the active view. While a menu of the menu bar is open the bar shows
// the menu prompts instead; the project texts are kept and come back when
// the menu closes. Texts are UTF-8, ready for the control.
class CStatusPanes {
public:
    // The project's two panes, then the counts.
    static constexpr int kProjectPanes = 2;
    static constexpr int kCountsPane = 2;
    static constexpr int kPaneCount = 3;
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
    // The counts of the active operand view; empty hides the pane. Returns
    // whether the bar must be updated now.
    bool ShowCounts(std::string text);

    // "12 von 14 Operanden", "14 Operanden", each followed by ", 2 mehrfach
    // in der Datei" when the file names operands more than once.
    static std::string CountText(std::size_t shown, std::size_t inFile, std::size_t duplicated);

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
