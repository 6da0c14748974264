#pragma once
// TDBNavigator: the record navigator of a grid: first, prior page, prior,
// next, next page, last, insert, delete, edit, post, cancel, refresh, each
// with its hint. Which buttons show is chosen at construction.

#include <QWidget>

#include <vector>

class QToolButton;

namespace kvf {

class Prompter;
class TDataGrid;

enum class NavButton {
    First,
    PriorPage,
    Prior,
    Next,
    NextPage,
    Last,
    Insert,
    Delete,
    Edit,
    Post,
    Cancel,
    Refresh
};

class TDBNavigator : public QWidget {
    Q_OBJECT
public:
    TDBNavigator(TDataGrid& grid, Prompter& prompter, std::vector<NavButton> buttons,
                 QWidget* parent = nullptr);

    // The button, nullptr when it is not shown.
    QToolButton* Button(NavButton button) const;
    void Click(NavButton button);

    // The hint of each button.
    static QString Hint(NavButton button);

private:
    TDataGrid& grid_;
    Prompter& prompter_;
    std::vector<std::pair<NavButton, QToolButton*>> buttons_;
};

} // namespace kvf
