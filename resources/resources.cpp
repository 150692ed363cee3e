#include "resources/resources.h"

#include <QtCore/QtGlobal>

// Q_INIT_RESOURCE declares a function at the scope it is used in, so it must
// be expanded outside any namespace.
static void initQuorvellResources() {
    Q_INIT_RESOURCE(resources);
}

namespace quorvell::resources {

void init() {
    initQuorvellResources();
}

} // namespace quorvell::resources
