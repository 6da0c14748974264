#pragma once
// Drives a modal dialog from a test: the action runs on the first modal
// widget that appears after the call, from inside its event loop.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace kvf::test {

inline void WhenModalShown(std::function<void(QWidget*)> action) {
    auto timer = std::make_shared<QTimer>();
    timer->setInterval(5);
    QObject::connect(timer.get(), &QTimer::timeout, [timer, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        timer->stop();
        action(modal);
    });
    timer->start();
}

// Runs one action on each modal widget, in order, as they come up.
inline void WhenModalsShown(std::vector<std::function<void(QWidget*)>> actions) {
    if (actions.empty()) {
        return;
    }
    auto first = actions.front();
    actions.erase(actions.begin());
    WhenModalShown([first, rest = std::move(actions)](QWidget* modal) {
        first(modal);
        WhenModalsShown(rest);
    });
}

} // namespace kvf::test
