#include "app/startup_win.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return zentrava::RunApplication(instance);
}
