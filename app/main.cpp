#include "app/app_main.h"
#include "base/standard_output.h"

int main(int argc, char** argv) {
    const int status = quorvell::app::runQuorvell(argc, argv);
    return quorvell::checkedStandardOutput("quorvell", status);
}
