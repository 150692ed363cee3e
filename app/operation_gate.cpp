#include "app/operation_gate.h"

#include <utility>

namespace quorvell::app {

OperationGate::OperationGate(LockMaker makeLock) : makeLock_(std::move(makeLock)) {}

bool OperationGate::run(const std::function<void()>& operation) {
    if (running_) {
        return false;
    }
    struct Running {
        OperationGate& gate;
        explicit Running(OperationGate& g) : gate(g) { gate.running_ = true; }
        ~Running() {
            gate.lock_.reset();
            gate.running_ = false;
        }
    };
    {
        const Running running(*this);
        operation();
    }
    for (auto& action : std::exchange(after_, {})) {
        action();
    }
    return true;
}

void OperationGate::afterRunning(std::function<void()> action) {
    if (!running_) {
        action();
        return;
    }
    after_.push_back(std::move(action));
}

std::unique_ptr<patching::MapsFolderLock> OperationGate::lockMaps() {
    if (!running_) {
        return makeLock_();
    }
    if (!lock_) {
        lock_ = makeLock_();
    }
    return nullptr;
}

} // namespace quorvell::app
