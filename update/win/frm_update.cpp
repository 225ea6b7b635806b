#include "update/win/frm_update.h"

#include <shellapi.h>

#include "framework/notice.h"
#include "framework/win/application.h"
#include "framework/win/program_path.h"
#include "update/update_check.h"
#include "update/update_public_key.h"
#include "update/update_signature.h"
#include "update/win/signature_check.h"
#include "update/win/winsock_transport.h"

namespace tessaly {

namespace {
constexpr const char* kLocalProgram = "Tessaly 2.0";
constexpr int kClientTimeOut = 25000;  // ms for host lookup and connecting
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 1000;
constexpr const char* kDownloadFile = "update.exe";
}  // namespace

TfrmUpdate::TfrmUpdate(Registry& registry, WebAddresses& addresses, std::string versionText, int betaNumber)
    : registry_(registry),
      addresses_(addresses),
      versionText_(std::move(versionText)),
      betaNumber_(betaNumber),
      programDirectory_(win::ProgramDirectory()) {
  CreateForm(DialogParams("TfrmUpdate", " Tessaly Update", 178, 139, true));
  CreateControls();
  CreateClients();
}

// The clients' Get has returned by now: the window closes only once the
// handler that ran it has returned to the modal loop.
TfrmUpdate::~TfrmUpdate() { SetTimer1Enabled(false); }

void TfrmUpdate::CreateControls() {
  using win::Bounds;
  // Room for a fourth line, where a wider font wraps the second.
  Memo1 = std::make_unique<win::Memo>(
      *this, Bounds{4, 4, 170, 56},
      std::vector<std::string>{"Tessaly will connect to the ", "internet to check if there is a newer",
                               "version available."});
  ProgressBar1 = std::make_unique<win::ProgressBar>(*this, Bounds{8, 62, 162, 16}, 0, 100, 5);
  Label1 = std::make_unique<win::FixedLabel>(*this, "Update Tessaly?", Bounds{2, 84, 174, 13}, SS_CENTER);
  btnCheckNow = std::make_unique<win::Button>(*this, "Check Now", Bounds{51, 104, 75, 25});
  btnCheckNow->OnClick = [this] { btnCheckNowClick(); };
  SetActiveControl(btnCheckNow->Handle());
}

void TfrmUpdate::CreateClients() {
  HttpClient1 = std::make_unique<THttpClient>(win::CreateWinsockTransport());
  HttpClient2 = std::make_unique<THttpClient>(win::CreateWinsockTransport());
  HttpClient3 = std::make_unique<THttpClient>(win::CreateWinsockTransport());
  for (THttpClient* client : {HttpClient1.get(), HttpClient2.get(), HttpClient3.get()}) {
    client->HeaderInfo.LocalProgram = kLocalProgram;
    client->TimeOut = kClientTimeOut;
    client->ReportLevel = 0;
    client->OutputFileMode = false;
  }
  HttpClient1->InputFileMode = false;
  HttpClient1->OnSuccess = [this](int) { answered_ = true; };
  HttpClient1->OnFailure = [this](int) { ReportConnectFailure(); };
  HttpClient1->OnConnectionFailed = [this] { ReportConnectFailure(); };
  HttpClient1->OnInvalidHost = [this](bool&) { ReportConnectFailure(); };
  HttpClient2->InputFileMode = true;
  HttpClient2->OnSuccess = [this](int) { answered_ = true; };
  HttpClient2->OnFailure = [this](int) { ReportDownloadFailure(); };
  HttpClient2->OnConnectionFailed = [this] { ReportDownloadFailure(); };
  HttpClient2->OnInvalidHost = [this](bool&) { ReportDownloadFailure(); };
  HttpClient2->OnPacketRecvd = [this](std::int64_t received, std::int64_t total) {
    HttpClient2PacketRecvd(received, total);
  };
  // The download's signature, kept in memory; its failures are no signature.
  HttpClient3->InputFileMode = false;
  HttpClient3->MaxTextBody = kMaxSignatureBytes;
  HttpClient3->OnSuccess = [this](int) { answered_ = true; };
}

void TfrmUpdate::SetTimer1Enabled(bool enabled) {
  if (enabled)
    SetTimer(Handle(), kTimer1, kTimer1Interval, nullptr);
  else
    KillTimer(Handle(), kTimer1);
}

int TfrmUpdate::Notice(const std::string& text, UINT flags) {
  return win::Application::ShowMessageBox(Handle(), text, kNoticeCaption, flags);
}

void TfrmUpdate::btnCheckNowClick() {
  if (checking || downloading) {
    if (checking) HttpClient1->Abort();
    if (downloading) {
      HttpClient2->Abort();
      HttpClient3->Abort();
    }
    SetTimer1Enabled(false);
    Close();
    return;
  }
  if (!RunQuery()) return;
  const std::optional<std::string> downloadUrl = HttpClient1Success();
  if (!downloadUrl) return;
  if (!RunDownload(*downloadUrl)) return;
  HttpClient2Success();
}

bool TfrmUpdate::RunQuery() {
  checking = true;
  btnCheckNow->SetText("Cancel");
  SetTimer1Enabled(true);
  const std::string url = QueryUrl(addresses_.updateUrl, versionText_, betaNumber_);
  Label1->SetText("Checking for update...");
  // A query that ends without an answer and without a failure event (the
  // time limit's abort among them) failed to connect.
  return RunGet(*HttpClient1, url, &TfrmUpdate::ReportConnectFailure);
}

bool TfrmUpdate::RunGet(THttpClient& client, const std::string& url, void (TfrmUpdate::*reportFailure)()) {
  answered_ = false;
  try {
    client.Get(url);
  } catch (const std::exception&) {
    // Reported by the client's events, or just below.
  }
  if (closed_) return false;  // a failure event, Cancel or the close box ended the check
  if (!answered_) {
    (this->*reportFailure)();
    return false;
  }
  return true;
}

void TfrmUpdate::Timer1Timer() {
  if (ProgressBar1->Position() < ProgressBar1->Maximum()) {
    ProgressBar1->StepIt();
    return;
  }
  // The 21st tick: the query has run out of time. The aborted Get ends as a
  // failed connection (btnCheckNowClick reports it once the client has not).
  Hide();
  HttpClient1->Abort();
  SetTimer1Enabled(false);
  ProgressBar1->SetPosition(0);
}

void TfrmUpdate::ReportConnectFailure() {
  HttpClient1->Abort();
  Hide();
  SetTimer1Enabled(false);
  ProgressBar1->SetPosition(0);
  // A program that is ending cancelled the exchange: nobody is left to tell.
  if (!win::Application::Ending())
    Notice("Failed to connect to update server.\nPlease try again later.", MB_OK | MB_ICONEXCLAMATION);
  Close();
}

void TfrmUpdate::ReportDownloadFailure() {
  HttpClient2->Abort();
  ProgressBar1->SetPosition(0);
  Hide();
  if (!win::Application::Ending())
    Notice("Failed to download update.\nPlease try again later.", MB_OK | MB_ICONEXCLAMATION);
  Close();
}

std::optional<std::string> TfrmUpdate::HttpClient1Success() {
  // Only a 2xx reply answers the query; the client counts 1xx as success too.
  if (!IsSuccessReply(HttpClient1->ReplyNumber())) {
    ReportConnectFailure();
    return std::nullopt;
  }
  checking = false;
  SetTimer1Enabled(false);
  ProgressBar1->SetPosition(0);
  btnCheckNow->SetText("Check Now");
  const std::vector<std::string> items = SplitReply(HttpClient1->Body);
  if (!TakeServerUrls(items, addresses_)) return std::nullopt;  // too short: the window stays open
  StoreServerUrls(items);
  if (!UpdateAvailable(items[0])) {
    Hide();
    Notice("No update available.", MB_OK);
    Close();
    return std::nullopt;
  }
  const std::string downloadUrl = DownloadUrl(items[0]);
  if (Notice("Update Available. Would you like to download it now?", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
    Close();
    return std::nullopt;
  }
  return downloadUrl;
}

void TfrmUpdate::StoreServerUrls(const std::vector<std::string>& items) { tessaly::StoreServerUrls(registry_, items); }

bool TfrmUpdate::RunDownload(const std::string& url) {
  // Only a plain http:// address with a host (the client has no TLS): a
  // reply could point anywhere, or carry a line break into the request.
  if (!IsDownloadAddress(url)) {
    ReportDownloadFailure();
    return false;
  }
  downloadUrl_ = url;
  Label1->SetText("Downloading Update...");
  btnCheckNow->SetText("Cancel");
  downloading = true;
  HttpClient2->Body = programDirectory_ + kDownloadFile;
  // A download that ends without success and without a failure event (an
  // empty address, a file that cannot be written, a host lookup that timed
  // out) would otherwise leave the window waiting for ever.
  return RunGet(*HttpClient2, url, &TfrmUpdate::ReportDownloadFailure);
}

void TfrmUpdate::HttpClient2PacketRecvd(std::int64_t received, std::int64_t total) {
  // The maximum first: a position beyond the old maximum would stop there.
  const ProgressRange range = ScaleProgress(received, total);
  ProgressBar1->SetMaximum(range.maximum);
  ProgressBar1->SetPosition(range.position);
  Label1->SetText(ProgressText(received, total));
}

void TfrmUpdate::HttpClient2Success() {
  if (!IsSuccessReply(HttpClient2->ReplyNumber())) {
    ReportDownloadFailure();
    return;
  }
  // Nothing is offered to run that the maker has not signed: the download
  // came over plain HTTP, from wherever the reply pointed.
  if (!DownloadIsSigned()) {
    RefuseUnsigned();
    return;
  }
  Hide();
  const int answer = Notice(
      "Update download sucessfull. To install the update, Tessaly must be shut down.\n"
      "If you would like to update Tessaly later, run \"update.exe\" in Tessaly's\n"
      "install directory. Would you like to update Tessaly now?",
      MB_OKCANCEL | MB_ICONQUESTION);
  if (answer == IDOK) {
    const std::string file = programDirectory_ + kDownloadFile;
    ShellExecuteA(nullptr, "open", file.c_str(), nullptr, programDirectory_.c_str(), SW_SHOW);
    EndModal(kInstallStarted);  // kept by the Close below: the outcome the main window reads
  }
  Close();
}

bool TfrmUpdate::DownloadIsSigned() {
  const std::optional<RsaPublicKey> key = ParsePublicKeyPem(kUpdatePublicKeyPem);
  answered_ = false;
  try {
    HttpClient3->Get(SignatureUrl(downloadUrl_));
  } catch (const std::exception&) {
    // No signature to be had: a missing one is no signature.
  }
  if (!answered_ || closed_ || !key || !IsSuccessReply(HttpClient3->ReplyNumber())) return false;
  const std::string& text = HttpClient3->Body;
  return win::VerifyFileSignature(programDirectory_ + kDownloadFile, std::vector<std::uint8_t>(text.begin(), text.end()),
                                  *key);
}

void TfrmUpdate::RefuseUnsigned() {
  DeleteFileA((programDirectory_ + kDownloadFile).c_str());
  Hide();
  // Cancel and the close box end the check without a word, as elsewhere.
  if (!closed_ && !win::Application::Ending())
    Notice("The downloaded update is not signed by Corvane.\nIt was deleted and will not be installed.",
           MB_OK | MB_ICONEXCLAMATION);
  Close();
}

void TfrmUpdate::FormClose() {
  // The close box cancels what runs, as "Cancel" does.
  closed_ = true;
  if (checking) HttpClient1->Abort();
  if (downloading) {
    HttpClient2->Abort();
    HttpClient3->Abort();
  }
  SetTimer1Enabled(false);
  Hide();
}

LRESULT TfrmUpdate::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      if (wp == kTimer1) {
        Timer1Timer();
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      // The text sits on the menu colour, without a frame.
      if (reinterpret_cast<HWND>(lp) == Memo1->Handle()) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetBkColor(dc, GetSysColor(COLOR_MENU));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_MENU));
      }
      break;
  }
  return Form::HandleMessage(msg, wp, lp);
}

}  // namespace tessaly
