#include "commands/undo_steps.h"

#include <cassert>
#include <utility>

bool UndoSteps::Push(UndoStep step) {
    if (step.changes.size() > kMostChanges)
        return false;
    while (!steps_.empty() &&
           (steps_.size() >= kMostSteps || changes_ + step.changes.size() > kMostChanges)) {
        changes_ -= steps_.front().changes.size();
        steps_.pop_front();
    }
    const size_t changes = step.changes.size();
    steps_.push_back(std::move(step));
    changes_ += changes;
    return true;
}

UndoStep UndoSteps::TakeLast() {
    assert(!steps_.empty());
    UndoStep last = std::move(steps_.back());
    steps_.pop_back();
    changes_ -= last.changes.size();
    return last;
}
