#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace testSupport {

// Runs `open`, which shows a modal dialog and returns when it closes, and
// `inside` with that dialog as soon as it shows; `inside` must close it.
inline void WhileModal(const std::function<void()>& open, const std::function<void(QWidget&)>& inside)
{
    bool reached = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        reached = true;
        inside(*modal);
    });
    open();
    EXPECT_TRUE(reached) << "no modal dialog showed";
}

// The control (or window) of this internal name inside parent, as the
// tests find every control (docs/names.md); the test fails without one.
template <typename Control = QWidget>
Control& Named(const QObject& parent, const char* name)
{
    auto* found = parent.findChild<Control*>(QString::fromLatin1(name));
    if (!found) {
        ADD_FAILURE() << "no " << name << " in " << parent.objectName().toStdString();
        throw std::runtime_error(name);
    }
    return *found;
}

// Clicks the button of this internal name inside a dialog.
inline void ClickChild(QWidget& dialog, const char* name)
{
    auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

} // namespace testSupport
