#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/registry.h"
#include "framework/win/controls.h"
#include "framework/win/form.h"
#include "framework/win/progress_bar.h"
#include "framework/win/static_controls.h"
#include "update/http_client.h"
#include "update/web_addresses.h"

namespace tessaly {

// The update window: asks the update server whether a newer version exists
// (HttpClient1), refreshes the program's two web addresses from the answer,
// downloads the new version into "update.exe" beside the program
// (HttpClient2) and starts it on request.
//
// "Check Now" runs the check in order: the query, the decision on its
// answer, the download, its signature (HttpClient3), the install question;
// each step begins once the one before has ended. Both clients' Get keep the message loop turning, so the
// timer, the Cancel button, the close box and the clients' failure events
// run while a Get is on the stack: they work through the checking and
// downloading flags and the clients' Abort, and a step finds the window
// closed when one of them ended the check.
class TfrmUpdate : public win::Form {
 public:
  // The version and beta number the query tells the server.
  TfrmUpdate(Registry& registry, WebAddresses& addresses, std::string versionText, int betaNumber);
  ~TfrmUpdate() override;

  // ShowModal's result when the user agreed to install the downloaded
  // update and update.exe was started: the program is to end.
  static constexpr int kInstallStarted = IDOK;

 protected:
  void FormClose() override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void CreateControls();
  void CreateClients();

  // Handlers.
  void btnCheckNowClick();
  void Timer1Timer();
  // The decision on the query's answer: the download address when the user
  // wants the offered update, nothing when the check ends here.
  std::optional<std::string> HttpClient1Success();
  void HttpClient2PacketRecvd(std::int64_t received, std::int64_t total);
  // The install question on a finished download, once its signature holds.
  void HttpClient2Success();
  // Fetches the download's signature (its address with ".sig", HttpClient3)
  // and checks it over update.exe as written, against the built-in key.
  bool DownloadIsSigned();
  // Deletes update.exe, says why and closes the window.
  void RefuseUnsigned();
  void ReportConnectFailure();
  void ReportDownloadFailure();
  void StoreServerUrls(const std::vector<std::string>& items);

  // The query and the download: each returns once its Get has, true when the
  // server answered with a success status.
  bool RunQuery();
  bool RunDownload(const std::string& url);
  // One Get, to its end: true after a success event; otherwise the check has
  // ended, reportFailure having told the user when no event did.
  bool RunGet(THttpClient& client, const std::string& url, void (TfrmUpdate::*reportFailure)());
  void SetTimer1Enabled(bool enabled);
  int Notice(const std::string& text, UINT flags);

  Registry& registry_;
  WebAddresses& addresses_;
  const std::string versionText_;
  const int betaNumber_;
  std::string programDirectory_;  // ends with "\"
  std::string downloadUrl_;
  bool checking = false;
  bool downloading = false;
  bool closed_ = false;
  bool answered_ = false;  // the running Get ended with a success event

  std::unique_ptr<win::Memo> Memo1;
  std::unique_ptr<win::ProgressBar> ProgressBar1;
  std::unique_ptr<win::FixedLabel> Label1;
  std::unique_ptr<win::Button> btnCheckNow;
  std::unique_ptr<THttpClient> HttpClient1;
  std::unique_ptr<THttpClient> HttpClient2;
  std::unique_ptr<THttpClient> HttpClient3;
};

}  // namespace tessaly
