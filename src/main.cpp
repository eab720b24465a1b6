#include "app/application.h"

int main(int argc, char** argv) {
    return tindrel::run_application(argc, argv);
}
