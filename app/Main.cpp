// Program entry: start-up in its fixed order, the main window, shutdown.
#include "app/App.h"
#include "app/MainWindow.h"

#include <memory>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    static auto app = std::make_unique<App>();
    RunMainWindow(*app);
    return 0;
}
