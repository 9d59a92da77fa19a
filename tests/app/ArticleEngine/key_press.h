// key_press.h: key presses as a host passes them to a controller (the key
// event, then the controller's refresh), also by the first binding of a
// standard key on this platform.
#pragma once

#include <QKeyEvent>
#include <QKeySequence>
#include <QString>

#include <gtest/gtest.h>

namespace lexvane::testing {

// Answers whether the controller consumed the press.
template <class Controller>
bool pressKey(Controller& controller, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    const bool consumed = controller.keyEvent(&event);
    controller.refresh();
    return consumed;
}

template <class Controller>
bool pressStandardKey(Controller& controller, QKeySequence::StandardKey key)
{
    const QList<QKeySequence> bindings = QKeySequence::keyBindings(key);
    EXPECT_FALSE(bindings.isEmpty()) << "no binding for standard key " << int(key);
    if (bindings.isEmpty())
        return false;
    const QKeyCombination combination = bindings.front()[0];
    return pressKey(controller, combination.key(), combination.keyboardModifiers());
}

} // namespace lexvane::testing
