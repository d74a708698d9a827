// The document comes over plain HTTP: it must not make the check fetch
// anything else or expand entities without bound.
#include <doctest.h>

#include <algorithm>

#include "base/exception.h"
#include "check_harness.h"
#include "pad_server.h"

namespace {
const std::vector<std::wstring> LoadFailure{
    L"Die Versionsinformationen konnten nicht geladen werden."};

// A PAD document whose program name is AName, behind the DTD ADoctype.
std::string WithDoctype(const std::string &ADoctype, const std::string &AName) {
  TPad pad;
  pad.Name = AName;
  std::string xml = pad.Xml();
  return "<?xml version=\"1.0\"?>\r\n" + ADoctype + "\r\n" + xml.substr(xml.find("<XML_DIZ_INFO>"));
}

bool Requested(const std::string &APath) {
  std::vector<std::string> log = TPadServer::Get().Requests();
  return std::find(log.begin(), log.end(), APath) != log.end();
}

void ExpectLoadFailure(const std::string &ADocument) {
  for (bool show : {true, false}) {
    TCheckRun run;
    run.Answer = IDNO;
    run.CheckBytes(ADocument, show);
    CHECK(run.Dialogs.empty());
    CHECK(run.Boxes == (show ? LoadFailure : std::vector<std::wstring>{}));
  }
}
} // namespace

TEST_CASE("external entities and DTDs are never fetched") {
  const TPadServer &server = TPadServer::Get();
  server.Put("geheim.txt", "kalverin Tastenfang");
  server.Put("pad.dtd", "<!ENTITY name \"kalverin Tastenfang\">");
  const std::string entity = WideToUtf8(server.Url("geheim.txt"));
  const std::string dtd = WideToUtf8(server.Url("pad.dtd"));

  ExpectLoadFailure(
      WithDoctype("<!DOCTYPE XML_DIZ_INFO [<!ENTITY name SYSTEM \"" + entity + "\">]>", "&name;"));
  ExpectLoadFailure(WithDoctype("<!DOCTYPE XML_DIZ_INFO SYSTEM \"" + dtd + "\">", "&name;"));
  ExpectLoadFailure(WithDoctype("<!DOCTYPE XML_DIZ_INFO SYSTEM \"" + dtd + "\">", "Tastenfang"));
  CHECK_FALSE(Requested("/geheim.txt"));
  CHECK_FALSE(Requested("/pad.dtd"));
}

TEST_CASE("entities that expand without bound fail the load") {
  // A billion "lol": ten times ten, nine levels deep.
  std::string doctype = "<!DOCTYPE XML_DIZ_INFO [<!ENTITY lol0 \"lol\">";
  for (int level = 1; level <= 9; ++level) {
    const std::string name = "lol" + std::to_string(level),
                      inner = "&lol" + std::to_string(level - 1) + ";";
    doctype.append("<!ENTITY ").append(name).append(" \"");
    for (int i = 0; i < 10; ++i)
      doctype.append(inner);
    doctype.append("\">");
  }
  doctype += "]>";
  ExpectLoadFailure(WithDoctype(doctype, "&lol9;"));
}

TEST_CASE("a document with a DTD of its own is refused") {
  // Not a PAD document as published; refused before any entity is read.
  ExpectLoadFailure(
      WithDoctype("<!DOCTYPE XML_DIZ_INFO [<!ENTITY name \"kalverin Tastenfang\">]>", "&name;"));
  ExpectLoadFailure(WithDoctype("<!DOCTYPE XML_DIZ_INFO>", "kalverin Tastenfang"));
}
