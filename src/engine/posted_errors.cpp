#include "engine/posted_errors.h"

#include "common/messages.h"

void PostedErrors::Post(const std::string& text)
{
    std::lock_guard lock(mutex_);
    texts_.push_back(text);
}

void PostedErrors::ShowAll()
{
    std::deque<std::string> texts;
    {
        // Never hold the lock across a message box: the worker may post meanwhile.
        std::lock_guard lock(mutex_);
        texts.swap(texts_);
    }
    for (const std::string& text : texts)
        ShowError(text);
}

bool PostedErrors::Empty() const
{
    std::lock_guard lock(mutex_);
    return texts_.empty();
}
