// Starting the application and running the desktop until it is closed.
#pragma once

#include <memory>

class TForm1;

namespace app {

inline constexpr wchar_t kApplicationTitle[] = L"Tarvello Alfa 0.5";

// Initialises the application, sets its title and creates the desktop window
// as the main form (not yet shown). Failures are shown in the error box and
// yield null.
std::unique_ptr<TForm1> StartDesktop();
// Releases what StartDesktop set up, after the form is gone.
void StopDesktop();
// The whole program: start, show the desktop, run the loop, end.
int RunDesktop();

}  // namespace app
