#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/settings.h"
#include "framework/registry.h"
#include "framework/win/controls.h"
#include "framework/win/form.h"
#include "framework/win/progress_bar.h"
#include "framework/win/static_controls.h"
#include "update/http_client.h"

namespace tessaly {

// Set when the user agrees to install a downloaded update at once; the main
// window clears it before it opens the update window and ends the program
// when it finds it set afterwards.
extern bool InstallRequested;

// The update window: asks the update server whether a newer version exists
// (HttpClient1), refreshes the program's two web addresses from the answer,
// downloads the new version into "update.exe" beside the program
// (HttpClient2) and starts it on request.
//
// Both clients' Get keep the message loop turning, so the timer, the Cancel
// button, the close box and the client events all run while a Get is on the
// stack: every handler works through the checking and downloading flags and
// the clients' Abort.
class TfrmUpdate : public win::Form {
 public:
  TfrmUpdate(Registry& registry, WebAddresses& addresses);
  ~TfrmUpdate() override;

 protected:
  void FormClose() override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void CreateControls();
  void CreateClients();

  // Handlers.
  void btnCheckNowClick();
  void Timer1Timer();
  void HttpClient1Success();
  void HttpClient2PacketRecvd(std::int64_t received, std::int64_t total);
  void HttpClient2Success();
  void ReportConnectFailure();
  void ReportDownloadFailure();
  void StoreServerUrls(const std::vector<std::string>& items);

  void StartDownload(const std::string& url);
  void SetTimer1Enabled(bool enabled);
  int Notice(const std::string& text, UINT flags);

  Registry& registry_;
  WebAddresses& addresses_;
  std::string programDirectory_;  // ends with "\"
  bool checking = false;
  bool downloading = false;
  bool closed_ = false;

  std::unique_ptr<win::Memo> Memo1;
  std::unique_ptr<win::ProgressBar> ProgressBar1;
  std::unique_ptr<win::FixedLabel> Label1;
  std::unique_ptr<win::Button> btnCheckNow;
  std::unique_ptr<THttpClient> HttpClient1;
  std::unique_ptr<THttpClient> HttpClient2;
};

}  // namespace tessaly
