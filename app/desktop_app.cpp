#include "app/desktop_app.h"

#include "desktop/form1.h"
#include "ui/application.h"

namespace app {

std::unique_ptr<TForm1> StartDesktop() {
  ui::Application& application = ui::Application::Get();
  try {
    application.Initialize();
    application.SetTitle(kApplicationTitle);
    auto form = std::make_unique<TForm1>();
    application.SetMainForm(form.get());
    return form;
  } catch (...) {
    // A broken window description or a missing system component: say so, loudly.
    application.SetTitle(kApplicationTitle);
    application.HandleException();
    return nullptr;
  }
}

void StopDesktop() { ui::Application::Get().Shutdown(); }

int RunDesktop() {
  std::unique_ptr<TForm1> form = StartDesktop();
  if (!form) {
    StopDesktop();
    return 1;
  }
  form->ShowForm();
  int exit_code = ui::Application::Get().Run();
  form.reset();
  StopDesktop();
  return exit_code;
}

}  // namespace app
