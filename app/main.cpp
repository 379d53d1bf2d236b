#include "app/DemoMain.h"

int main(int argc, char** argv) {
    ProgramInstance instance{argc, argv};
    return DemoMain(&instance);
}
