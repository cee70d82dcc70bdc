// Program entry: start-up in its fixed order, the main window, shutdown.
#include "app/shell/WindowInit.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return RunProgram();
}
