#include "app/event_yield.h"
#include "app/main_window.h"
#include "session/runs.h"

namespace quorvell::app {

// A missing texture unticked: switched off in every map, and nothing else.
// When that fails the check marks and the missing textures are read again.
void Form1::switchOffMissing(const session::MissingTexture& texture) {
    if (working()) {
        missing_->showAgain();
        return;
    }
    runOperation(
        [this, texture] {
            EventYield yield;
            const YieldInUse inUse(yield_, yield);
            session::RunContext context = runContext(BarRule::Toggle, yield);
            session::runBatch(List3.paths(),
                              patching::BatchIndex(session::switchedOffRows({texture})), false,
                              context, "switched off " + texture.name);
            missing_->remove(texture.name);
        },
        FailurePolicy::Marks::Rescanned);
}

} // namespace quorvell::app
