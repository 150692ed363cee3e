#include "app/app_main.h"

int main(int argc, char** argv) {
    return quorvell::app::runQuorvell(argc, argv);
}
