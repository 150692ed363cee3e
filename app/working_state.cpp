#include "app/working_state.h"

#include <utility>

namespace quorvell::app {

WorkingState::WorkingState(std::function<void(bool on)> switched)
    : switched_(std::move(switched)) {}

WorkingState::Hold WorkingState::hold() {
    if (holds_++ == 0) {
        switched_(true);
    }
    return Hold(this);
}

void WorkingState::letGo() {
    if (--holds_ == 0) {
        switched_(false);
    }
}

WorkingState::Hold::Hold(Hold&& other) noexcept : state_(std::exchange(other.state_, nullptr)) {}

WorkingState::Hold& WorkingState::Hold::operator=(Hold&& other) noexcept {
    if (this != &other) {
        release();
        state_ = std::exchange(other.state_, nullptr);
    }
    return *this;
}

WorkingState::Hold::~Hold() {
    release();
}

void WorkingState::Hold::release() {
    if (WorkingState* state = std::exchange(state_, nullptr)) {
        state->letGo();
    }
}

} // namespace quorvell::app
