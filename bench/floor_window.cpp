// The start-up floor of the benchmark: the least a program can do that
// shows Tastenfang's main window the way its start-up order fixes it, in
// plain Win32 without the program's framework. It carries the program's
// resources (common controls 6 manifest, icon, button pictures), starts COM
// and GDI+, asks the shell for the settings folder, reads the settings, makes
// the window's controls with their fonts and gives the combo box the focus.
// What it needs beyond the bare window is what the platform itself costs.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <initializer_list>

namespace {
struct TStartupInput {
  UINT32 Version = 1;
  void *DebugCallback = nullptr;
  BOOL SuppressBackgroundThread = TRUE;
  BOOL SuppressExternalCodecs = FALSE;
};
struct TStartupOutput {
  void *Hook = nullptr;
  void *Unhook = nullptr;
};
using TGdiplusStartup = int(WINAPI *)(ULONG_PTR *, const TStartupInput *, TStartupOutput *);
using TGdiplusShutdown = void(WINAPI *)(ULONG_PTR);

LRESULT CALLBACK WndProc(HWND AWnd, UINT AMsg, WPARAM AW, LPARAM AL) {
  if (AMsg == WM_CTLCOLORSTATIC || AMsg == WM_CTLCOLORBTN) {
    static HBRUSH sky = CreateSolidBrush(RGB(166, 202, 240));
    SetBkMode(HDC(AW), TRANSPARENT);
    return LRESULT(sky);
  }
  if (AMsg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(AWnd, AMsg, AW, AL);
}

HFONT Tahoma(int AHeight, bool AUnderline = false) {
  return CreateFontW(-AHeight, 0, 0, 0, FW_NORMAL, FALSE, AUnderline, FALSE, DEFAULT_CHARSET, 0,
                     0, DEFAULT_QUALITY, 0, L"Tahoma");
}
} // namespace

int WINAPI wWinMain(HINSTANCE AInstance, HINSTANCE, PWSTR, int) {
  // The program's start steps: libraries from the system folder only.
  using TSetDefaultDllDirectories = BOOL(WINAPI *)(DWORD);
  if (auto setDefault = reinterpret_cast<TSetDefaultDllDirectories>(reinterpret_cast<void *>(
          GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories"))))
    setDefault(0x00000800); // LOAD_LIBRARY_SEARCH_SYSTEM32
  SetDllDirectoryW(L"");
  CoInitialize(nullptr);
  ULONG_PTR token = 0;
  TGdiplusShutdown shutdown = nullptr;
  if (HMODULE gdiplus = LoadLibraryExW(L"gdiplus.dll", nullptr, 0x00000800)) {
    auto startup = reinterpret_cast<TGdiplusStartup>(
        reinterpret_cast<void *>(GetProcAddress(gdiplus, "GdiplusStartup")));
    shutdown = reinterpret_cast<TGdiplusShutdown>(
        reinterpret_cast<void *>(GetProcAddress(gdiplus, "GdiplusShutdown")));
    TStartupInput input;
    TStartupOutput output;
    if (!startup || startup(&token, &input, &output) != 0) shutdown = nullptr;
  }
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES |
                                            ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);

  WNDCLASSW wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = AInstance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = CreateSolidBrush(RGB(166, 202, 240));
  wc.lpszClassName = L"FloorWindow";
  RegisterClassW(&wc);
  RECT frame{0, 0, 328, 147};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME |
                      WS_CLIPCHILDREN;
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND wnd = CreateWindowExW(0, wc.lpszClassName, L"Floor", style, 0, 0,
                             frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                             AInstance, nullptr);
  HICON icon = LoadIconW(AInstance, L"MAINICON");
  SendMessageW(wnd, WM_SETICON, ICON_BIG, LPARAM(icon));
  SendMessageW(wnd, WM_SETICON, ICON_SMALL, LPARAM(icon));

  HFONT font = Tahoma(11), big = Tahoma(21), link = Tahoma(11, true);
  struct TChild {
    const wchar_t *Class, *Text;
    DWORD Style;
    int Left, Top, Width, Height;
    HFONT Font;
  } children[] = {
      {L"COMBOBOX", L"", WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 8, 75, 233,
       263, font},
      {L"BUTTON", L"Suchen", WS_TABSTOP | BS_PUSHBUTTON, 247, 73, 75, 25, font},
      {L"BUTTON", L"Immer im Vordergrund", WS_TABSTOP | BS_AUTOCHECKBOX, 8, 102, 136, 17, font},
      {L"BUTTON", L"Auktionen mit Tippfehler", WS_TABSTOP | BS_AUTORADIOBUTTON, 8, 52, 136, 17,
       font},
      {L"BUTTON", L"Auktionen ohne Tippfehler", WS_TABSTOP | BS_AUTORADIOBUTTON, 173, 52, 147,
       17, font},
      {L"STATIC", L"", SS_ICON, 8, 8, 32, 32, font},
      {L"STATIC", L"Tippfehlersuche bei eBay", 0, 49, 11, 236, 25, big},
      {L"BUTTON", L"", BS_BITMAP | BS_FLAT, 256, 118, 23, 22, font},
      {L"BUTTON", L"", BS_BITMAP | BS_FLAT, 278, 118, 23, 22, font},
      {L"BUTTON", L"", BS_BITMAP | BS_FLAT, 300, 118, 23, 22, font},
      {L"STATIC", L"Mehr Auktionstools auf", 0, 8, 127, 110, 13, font},
      {L"STATIC", L"http://www.kalverin.de", SS_NOTIFY, 125, 127, 122, 13, link},
  };
  const wchar_t *glyphs[] = {L"BTN_UPDATE", L"BTN_INFO", L"BTN_HELP"};
  int glyph = 0;
  HWND made[12] = {};
  for (int i = 0; i < 12; ++i) {
    const TChild &c = children[i];
    HWND child = CreateWindowExW(0, c.Class, c.Text, WS_CHILD | WS_VISIBLE | c.Style, c.Left,
                                 c.Top, c.Width, c.Height, wnd, nullptr, AInstance, nullptr);
    SendMessageW(child, WM_SETFONT, WPARAM(c.Font), FALSE);
    if (c.Style == SS_ICON) SendMessageW(child, STM_SETICON, WPARAM(icon), 0);
    if (c.Style & BS_BITMAP)
      SendMessageW(child, BM_SETIMAGE, IMAGE_BITMAP,
                   LPARAM(LoadImageW(AInstance, glyphs[glyph++], IMAGE_BITMAP, 0, 0,
                                     LR_LOADTRANSPARENT)));
    made[i] = child;
  }
  HWND combo = made[0];
  SendMessageW(made[3], BM_SETCHECK, BST_CHECKED, 0);

  // The settings: the shell's folder, then the stored state.
  wchar_t folder[MAX_PATH + 1] = {};
  ITEMIDLIST *list = nullptr;
  if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &list)) && list) {
    SHGetPathFromIDListW(list, folder);
    CoTaskMemFree(list);
  }
  // The program's own settings file when the benchmark put this beside it.
  wchar_t ini[MAX_PATH + 20], value[2048];
  GetModuleFileNameW(nullptr, ini, MAX_PATH);
  lstrcpyW(wcsrchr(ini, L'\\') + 1, L"Tastenfang.ini");
  for (const wchar_t *key : {L"Left", L"Top", L"Width", L"Height", L"WindowState", L"RadNormal",
                             L"ChkStayOnTop"})
    GetPrivateProfileStringW(L"FrmMain", key, L"", value, 2048, ini);
  GetPrivateProfileStringW(L"Cbx", L"0", L"", value, 2048, ini);
  GetPrivateProfileStringW(L"FrmInfo", L"ChkAutoCheckUpdates", L"", value, 2048, ini);

  ShowWindow(wnd, SW_SHOWNORMAL);
  SetFocus(combo);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (shutdown) shutdown(token);
  CoUninitialize();
  return 0;
}
