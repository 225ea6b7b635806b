// Downloads one document into a file with the HTTP client (file mode) and
// with a plain blocking recv loop, alternately, and prints the throughput of
// both and their ratio. The server is http_test_server.py, which passes its
// port in TESSALY_HTTP_PORT.
//   http_bench [SIZE_BYTES] [RUNS]
#include <winsock.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "update/http_client.h"
#include "update/http_request.h"
#include "update/stdio_file.h"
#include "update/win/socket_handle.h"
#include "update/win/winsock_transport.h"

namespace {

using tessaly::win::UniqueSocket;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The client's request over a blocking socket, then recv of 16383 bytes at a
// time; what follows the header goes to the file through the same stdio
// calls the client uses. Returns the body size.
long long PlainDownload(int port, const std::string& path, const std::string& fileName) {
  UniqueSocket s(socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<u_short>(port));
  to.sin_addr.s_addr = inet_addr("127.0.0.1");
  if (!s || connect(s.Get(), reinterpret_cast<const sockaddr*>(&to), sizeof(to)) != 0)
    throw std::runtime_error("cannot connect");
  tessaly::THeaderInfo info;
  info.LocalProgram = "Tessaly 2.0";
  std::string request = tessaly::BuildGetRequest({"", path, "127.0.0.1", false}, info).Text();
  send(s.Get(), request.data(), static_cast<int>(request.size()), 0);
  tessaly::StdioFile file = tessaly::CreateNewFile(fileName);
  std::vector<char> chunk(16383);
  std::string header;
  bool inBody = false;
  long long body = 0;
  for (int n; (n = recv(s.Get(), chunk.data(), static_cast<int>(chunk.size()), 0)) > 0;) {
    const char* data = chunk.data();
    if (!inBody) {
      header.append(data, static_cast<std::size_t>(n));
      std::size_t end = header.find("\r\n\r\n");
      if (end == std::string::npos) continue;
      inBody = true;
      std::size_t taken = n - (header.size() - end - 4);
      data += taken;
      n -= static_cast<int>(taken);
    }
    std::fwrite(data, 1, static_cast<std::size_t>(n), file.get());
    body += n;
  }
  tessaly::CloseWrittenFile(std::move(file), fileName);
  return body;
}

long long ClientDownload(const std::string& url, const std::string& fileName) {
  tessaly::THttpClient client(tessaly::win::CreateWinsockTransport());
  client.HeaderInfo.LocalProgram = "Tessaly 2.0";
  client.TimeOut = 25000;
  client.InputFileMode = true;
  client.Body = fileName;
  client.Get(url);
  return client.BytesReceived();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const long long size = argc > 1 ? std::atoll(argv[1]) : 50LL * 1024 * 1024;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  const char* portText = std::getenv("TESSALY_HTTP_PORT");
  if (!portText) {
    std::fprintf(stderr, "run through http_test_server.py\n");
    return 2;
  }
  const int port = std::atoi(portText);
  const std::string path = "/onepacket/" + std::to_string(size);
  const std::string url = "http://127.0.0.1:" + std::to_string(port) + path;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string clientFile = std::string(temp) + "http_bench_client.tmp";
  const std::string plainFile = std::string(temp) + "http_bench_plain.tmp";
  WSADATA wsa;
  WSAStartup(MAKEWORD(1, 1), &wsa);
  std::vector<double> client, plain;
  try {
    for (int i = 0; i <= runs; ++i) {  // the first round warms up
      auto start = std::chrono::steady_clock::now();
      if (ClientDownload(url, clientFile) != size) throw std::runtime_error("client: wrong size");
      double c = Seconds(start);
      start = std::chrono::steady_clock::now();
      if (PlainDownload(port, path, plainFile) != size) throw std::runtime_error("plain: wrong size");
      double p = Seconds(start);
      if (i > 0) client.push_back(c), plain.push_back(p);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  DeleteFileA(clientFile.c_str());
  DeleteFileA(plainFile.c_str());
  WSACleanup();
  const double mb = static_cast<double>(size) / (1024.0 * 1024.0);
  const double c = Median(client), p = Median(plain);
  std::printf("%.0f MB into a file, median of %d runs:\n", mb, runs);
  std::printf("  HTTP client (file mode)   %7.1f ms  %7.1f MB/s\n", c * 1000, mb / c);
  std::printf("  blocking recv loop        %7.1f ms  %7.1f MB/s\n", p * 1000, mb / p);
  std::printf("  ratio %.2fx of the blocking loop's throughput (goal 0.8x)\n", p / c);
  return 0;
}
