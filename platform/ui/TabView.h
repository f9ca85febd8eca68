// Pages shown one at a time under a row of tabs. The pages stay their makers' own: when the tab
// view goes, the pages still alive are handed back unparented instead of deleted.
#pragma once

#include <QTabWidget>

#include <string>

namespace platform::ui {

class TabView : public QTabWidget {
public:
    explicit TabView(QWidget* parent = nullptr);
    ~TabView() override;

    // Answers the page's index.
    int AddPage(QWidget* page, const std::string& label);
    int PageCount() const { return count(); }
    QWidget* Page(int index) const { return widget(index); }
    std::string PageLabel(int index) const;
    int CurrentPage() const { return currentIndex(); }
    // False for an index out of range.
    bool SetCurrentPage(int index);
    // The font of the tabs, in tenths of a point; false (font unchanged) for a size or face that
    // gives no font.
    bool SetTabFont(int tenthsOfPoint, const std::string& face);

protected:
    // Another page became the current one (-1 when the last page went).
    virtual void OnPageChanged(int index);
};

} // namespace platform::ui
