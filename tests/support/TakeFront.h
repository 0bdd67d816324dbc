#pragma once
// The next scripted answer of a queue, or `none` once the script has run out.

#include <deque>

namespace ohmora::test {

template <class T> T takeFront(std::deque<T>& queue, const T& none) {
    if (queue.empty()) {
        return none;
    }
    const T front = queue.front();
    queue.pop_front();
    return front;
}

} // namespace ohmora::test
