// Process entry: one instance, settings read before the main window exists,
// then the message loop. The command line is not read.
#include <windows.h>

#include "app/frm_main.h"
#include "app/res/resource.h"
#include "app/settings.h"
#include "app/single_instance.h"
#include "framework/win/application.h"
#include "framework/win/win32_registry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (tessaly::ActivateRunningInstance()) return 0;
  try {
    tessaly::win::Application app(MAKEINTRESOURCEA(IDI_TESSALY));
    app.Execute([&app] {
      tessaly::win::Win32Registry registry;
      app.ShowMainForm = true;
      if (!tessaly::ReadShowMainFormAtStart(registry)) app.ShowMainForm = false;
      tessaly::ReadStoredAddresses(registry, tessaly::Addresses());
      app.SetTitle("Tessaly 2");
      tessaly::TfrmMain frmMain(registry);
      app.Run(frmMain);
    });
  } catch (const std::exception& e) {
    // Only the application window itself failed: there is nothing to own the box.
    tessaly::win::Application::ShowException(e);
  }
  return 0;
}
