// Tarvello Alfa 0.5: the program's entry.
#include "app/desktop_app.h"
#include "ui/win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return app::RunDesktop(); }
