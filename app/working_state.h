#pragma once

// The working state as a count of holds: on from the first hold taken until
// the last one is let go. A part of a run that ends (the scan inside
// command-line mode, the wait for the first scan) lets go of its own hold
// only, so it can never switch the state off under a part still running.

#include <functional>

namespace quorvell::app {

class WorkingState {
public:
    // switched(true) when the first hold is taken, switched(false) when the
    // last one goes.
    explicit WorkingState(std::function<void(bool on)> switched);

    class Hold {
    public:
        Hold() = default; // holds nothing
        Hold(Hold&& other) noexcept;
        Hold& operator=(Hold&& other) noexcept;
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

        void release();
        bool held() const { return state_ != nullptr; }

    private:
        friend class WorkingState;
        explicit Hold(WorkingState* state) : state_(state) {}
        WorkingState* state_ = nullptr;
    };

    [[nodiscard]] Hold hold();
    bool held() const { return holds_ > 0; }

private:
    void letGo();

    std::function<void(bool)> switched_;
    int holds_ = 0;
};

} // namespace quorvell::app
