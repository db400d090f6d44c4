#pragma once
// Reports the mouse clicks on a widget that has no clicked signal of its own (the
// destination labels, which become links after a make).

#include <QEvent>
#include <QObject>
#include <functional>

namespace quillery::app {

class ClickFilter final : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void()> onClick)
        : QObject(parent), onClick_(std::move(onClick)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) onClick_();
        return false;
    }

private:
    std::function<void()> onClick_;
};

}  // namespace quillery::app
