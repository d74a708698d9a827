#include "app/main_form.h"

#include "app/program.h"
#include "ui/application.h"

TFrmMain *FrmMain = nullptr;

TFrmMain::TFrmMain(TComponent *AOwner) : TForm(AOwner) {
  SetName(L"FrmMain");
  SetCaption(kApplicationTitle);
  SetColor(RGBColor(166, 202, 240));
  Font().SetName(L"Tahoma");
  Font().SetHeight(-11);
  Font().SetColor(clWindowText);
  SetBorderIcons(biSystemMenu | biMinimize);
  SetBounds(0, 0, Width(), Height());
  SetClientSize(328, 147);
  SetIcon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 0,
                                        0, LR_DEFAULTSIZE)));

  // Last component of the window: ends a second copy before anything else.
  SingleInstance1 = new TSingleInstance(this);
  SingleInstance1->SetName(L"SingleInstance1");
}

void TFrmMain::DoCreate() {
  FormCreate(this);
  TForm::DoCreate();
}

void TFrmMain::DoClose(TCloseAction &AAction) {
  FormClose(this, AAction);
  TForm::DoClose(AAction);
}

void TFrmMain::FormCreate(TComponent *) {
  // 1. Help file beside the program.
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring help = path;
  size_t dot = help.find_last_of(L'.');
  size_t slash = help.find_last_of(L"\\/");
  if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash))
    help.erase(dot);
  Application->SetHelpFile(help + L".CHM");
  // 2. The outer size stays as designed.
  SetConstraints({Width(), Height(), Width(), Height()});
}

void TFrmMain::FormClose(TComponent *, TCloseAction &) {}
