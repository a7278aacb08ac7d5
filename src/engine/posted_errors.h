#pragma once
// Error messages raised on the engine's worker, kept until whoever owns the user interface
// shows them on its own thread: the frames keep flowing while a box is open.

#include <deque>
#include <mutex>
#include <string>

class PostedErrors {
public:
    // Any thread.
    void Post(const std::string& text);
    // Shows every posted message through ShowError, oldest first, and forgets them. Called
    // by the user interface owner on its own thread.
    void ShowAll();
    bool Empty() const;

private:
    mutable std::mutex mutex_;
    std::deque<std::string> texts_;
};
