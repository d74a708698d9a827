#include "pad_server.h"

#include <doctest.h>
#include <winsock2.h>

#include <sstream>

#include "base/exception.h"
#include "test_support.h"

TPadServer &TPadServer::Get() {
  static TPadServer server = [] {
    TPadServer s;
    s.FState = test::EnvPath("TASTENFANG_PAD_SERVER");
    if (!s.FState.empty()) s.FPort = atoi(test::ReadFileBytes(s.FState + L"\\port").c_str());
    return s;
  }();
  REQUIRE_MESSAGE(server.FPort > 0, "the loopback server of the test run is not running");
  return server;
}

std::wstring TPadServer::Url(const std::string &APath) const {
  return L"http://127.0.0.1:" + std::to_wstring(FPort) + L"/" + Utf8ToWide(APath);
}

void TPadServer::Put(const std::string &AName, const std::string &ABytes) const {
  test::WriteFileBytes(FState + L"\\www\\" + Utf8ToWide(AName), ABytes);
}

std::vector<std::string> TPadServer::Requests() const {
  std::istringstream in(test::ReadFileBytes(FState + L"\\requests.log"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

std::wstring RefusingUrl() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int len = sizeof(addr);
  bind(s, reinterpret_cast<sockaddr *>(&addr), len);
  getsockname(s, reinterpret_cast<sockaddr *>(&addr), &len);
  closesocket(s);
  WSACleanup();
  return L"http://127.0.0.1:" + std::to_wstring(ntohs(addr.sin_port)) + L"/pad/tastenfang.xml";
}
