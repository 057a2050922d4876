#pragma once

#include <functional>

class QListWidget;

namespace quorvel {

// Runs `action` on a double-click on an entry of `list`, and on Enter or Return
// while the list has the focus, so that lists work without a mouse too.
void OnDoubleClickOrEnter(QListWidget* list, const std::function<void()>& action);

} // namespace quorvel
