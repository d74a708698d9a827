#include "gallery_samples.h"

namespace {
void Links(TAdvTaskDialog &D) {
  D.SetTitle(L"Links");
  D.SetIcon(tiInformation);
  D.SetInstruction(L"Markup im Dialog");
  D.SetContent(L"Text mit <b>fett</b>, <i>kursiv</i>, <u>unterstrichen</u>, <font "
               L"color=\"clred\">rot</font> und einem <a "
               L"href=\"http://www.kalverin.de/hilfe\">Link</a>.");
  D.SetOptions({doHyperlinks});
  D.SetCommonButtons({cbOK});
  D.SetFooter(L"Mehr unter <a href=\"http://www.kalverin.de\">kalverin.de</a>");
  D.SetFooterIcon(tfiInformation);
}

void CommandLinks(TAdvTaskDialog &D) {
  D.SetTitle(L"Befehlslinks");
  D.SetIcon(tiQuestion);
  D.SetInstruction(L"Was möchten Sie mit den Änderungen tun?");
  D.CustomButtons().Add(L"&Speichern\\nÄnderungen in die Datei schreiben");
  D.CustomButtons().Add(L"&Verwerfen\\nAlle Änderungen gehen verloren");
  D.CustomButtons().Add(L"&Zurück");
  D.SetOptions({doCommandLinks, doAllowDialogCancel});
  D.SetCommonButtons({});
}

void Details(TAdvTaskDialog &D) {
  D.SetTitle(L"Details");
  D.SetIcon(tiWarning);
  D.SetInstruction(L"Datei ersetzen?");
  D.SetContent(L"Im Zielordner gibt es bereits eine Datei mit diesem Namen.");
  D.SetExpandedText(L"Quelle: liste.txt (12 KB)\\nZiel: liste.txt (9 KB)");
  D.SetExpandControlText(L"Details &ausblenden");
  D.SetCollapsControlText(L"Details &einblenden");
  D.SetVerificationText(L"&Nicht mehr fragen");
  D.RadioButtons().Add(L"Ersetzen");
  D.RadioButtons().Add(L"Umbenennen");
  D.RadioButtons().Add(L"Überspringen");
  D.SetDefaultRadioButton(201);
  D.SetCommonButtons({cbOK, cbCancel});
  D.SetFooter(L"Die Datei im Zielordner wird überschrieben.");
  D.SetFooterIcon(tfiWarning);
}

void Progress(TAdvTaskDialog &D) {
  D.SetTitle(L"Fortschritt");
  D.SetInstruction(L"Dateien werden kopiert");
  D.SetOptions({doProgressBar, doTimer});
  D.SetAutoClose(true);
  D.SetAutoCloseTimeOut(2000);
  D.OnDialogProgress = [](TComponent *, int &Pos, TTaskDialogProgressState &) { Pos += 10; };
  D.SetCommonButtons({cbCancel});
}

void LongText(TAdvTaskDialog &D) {
  D.SetTitle(L"Langer Text");
  D.SetIcon(tiInformation);
  D.SetInstruction(L"Lizenzbedingungen");
  D.SetContent(
      L"Dieses Programm wird Ihnen kostenlos zur Verfügung gestellt. Sie dürfen es auf beliebig "
      L"vielen Rechnern installieren und benutzen, privat ebenso wie in Ihrem Unternehmen, in "
      L"Schulen, Vereinen und Behörden. Eine Registrierung ist nicht erforderlich, und das "
      L"Programm sammelt keine Daten über Ihre Suchen oder über Ihren Rechner.\\n\\n"
      L"Sie dürfen das Programm unverändert weitergeben, zum Beispiel auf einer Heft-CD, in "
      L"einem Download-Portal oder auf einem USB-Stick für Freunde und Kollegen, solange Sie "
      L"dafür kein Geld verlangen, das über die Kosten des Datenträgers hinausgeht. Die "
      L"Weitergabe muss vollständig sein: Programmdatei, Hilfedatei und diese Bedingungen "
      L"gehören zusammen und dürfen nicht getrennt werden.\\n\\n"
      L"Nicht erlaubt ist es, das Programm zu verändern, zu zerlegen oder zurückzuentwickeln, "
      L"es unter anderem Namen anzubieten oder die Hinweise auf den Hersteller zu entfernen. "
      L"Ebenso wenig dürfen Sie es vermieten, verleasen oder als Teil eines kostenpflichtigen "
      L"Angebots ausgeben, ohne vorher die schriftliche Zustimmung des Herstellers eingeholt zu "
      L"haben.\\n\\n"
      L"Das Programm wurde mit großer Sorgfalt entwickelt und geprüft. Dennoch kann niemand "
      L"versprechen, dass es auf jedem Rechner fehlerfrei läuft oder für jeden Zweck geeignet "
      L"ist. Die Benutzung geschieht daher auf Ihre eigene Verantwortung. Der Hersteller haftet "
      L"nur für Schäden, die er vorsätzlich oder grob fahrlässig verursacht hat, sowie nach den "
      L"zwingenden Vorschriften des Produkthaftungsgesetzes.\\n\\n"
      L"Die Suchergebnisse stammen von fremden Anbietern. Für deren Inhalte, ihre Richtigkeit "
      L"und ihre Verfügbarkeit ist allein der jeweilige Anbieter verantwortlich. Auktionen, die "
      L"Sie über das Programm finden, schließen Sie direkt mit dem Verkäufer ab; der Hersteller "
      L"dieses Programms ist daran nicht beteiligt und kann bei Streitigkeiten nicht "
      L"vermitteln.\\n\\n"
      L"Auf Wunsch prüft das Programm beim Start, ob eine neuere Version erschienen ist. Dabei "
      L"wird lediglich eine kleine Beschreibungsdatei von der Internetseite des Herstellers "
      L"geladen; persönliche Angaben werden nicht übertragen. Sie können diese Prüfung in den "
      L"Einstellungen jederzeit abschalten und bei Bedarf von Hand anstoßen.\\n\\n"
      L"Fragen zur Bedienung beantwortet die Hilfe, die Sie jederzeit mit der Taste F1 öffnen "
      L"können. Wenn Sie dort keine Antwort finden, schreiben Sie uns bitte eine E-Mail und "
      L"beschreiben Sie möglichst genau, was Sie getan haben, was Sie erwartet haben und was "
      L"stattdessen geschehen ist. Nennen Sie dabei auch die Versionsnummer des Programms, die "
      L"Sie im Fenster mit den Informationen und Einstellungen finden. Wir bemühen uns, jede "
      L"Anfrage innerhalb weniger Tage zu beantworten, können eine bestimmte Frist aber nicht "
      L"zusagen.\\n\\n"
      L"Es gilt deutsches Recht. Sollte eine dieser Bestimmungen unwirksam sein, bleiben die "
      L"übrigen davon unberührt; an die Stelle der unwirksamen Bestimmung tritt eine Regelung, "
      L"die ihrem Zweck möglichst nahe kommt. Mit der Installation oder der ersten Benutzung des "
      L"Programms erklären Sie sich mit diesen Bedingungen einverstanden.");
  D.SetCommonButtons({cbOK});
}
} // namespace

const std::vector<TGallerySample> &GallerySamples() {
  static const std::vector<TGallerySample> samples = {
      {L"Links", &Links},          {L"Befehlslinks", &CommandLinks}, {L"Details", &Details},
      {L"Fortschritt", &Progress}, {L"Langer Text", &LongText},
  };
  return samples;
}

const TGallerySample *FindGallerySample(const std::wstring &ACaption) {
  for (const TGallerySample &sample : GallerySamples())
    if (ACaption == sample.Caption) return &sample;
  return nullptr;
}

std::wstring GalleryResultText(int AResult, const TAdvTaskDialog &ADialog) {
  return L"Ergebnis: " + std::to_wstring(AResult) + L"; Radio: " +
         std::to_wstring(ADialog.RadioButtonResult()) + L"; Bestätigt: " +
         (ADialog.VerifyResult() ? L"1" : L"0");
}
