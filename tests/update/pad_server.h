#pragma once
// The loopback HTTP server the test run starts (pad_server.py): files put
// into its folder are served at Url(name); it logs every requested path.
#include <string>
#include <vector>

class TPadServer {
public:
  // The server of this run; fails the test when ctest started none.
  static TPadServer &Get();
  std::wstring Url(const std::string &APath) const;
  void Put(const std::string &AName, const std::string &ABytes) const;
  std::vector<std::string> Requests() const;
  int Port() const { return FPort; }

private:
  std::wstring FState;
  int FPort = 0;
};

// An address on the loopback interface where nothing listens.
std::wstring RefusingUrl();
