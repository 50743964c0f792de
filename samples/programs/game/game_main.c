/* The game program of the sample disc's items: a window with the item's title and its animation, closed by
 * Esc. "/marker=FOLDER" writes FOLDER\<program>.txt (title, program path, working folder) and ends at once,
 * without a window, so that tests can see that the menu started it. */
#include <wchar.h>

#include "../common/sample_common.h"
#include "game.h"

#define CLIENT_WIDTH 640
#define CLIENT_HEIGHT 400

static const struct GameItem* g_item;
static unsigned g_tick;

/* Items that run from the disc leave a small INI file in the Windows folder, as their originals did. */
static void LeaveTestFile(void) {
  if (!g_item->test_file) return;
  wchar_t windows[SAMPLE_PATH], path[SAMPLE_PATH], runs[16];
  GetWindowsDirectoryW(windows, ARRAYSIZE(windows));
  SampleJoin(path, ARRAYSIZE(path), windows, g_item->test_file);
  const UINT before = GetPrivateProfileIntW(L"Game", L"Runs", 0, path);
  _snwprintf(runs, ARRAYSIZE(runs), L"%u", before + 1);
  runs[ARRAYSIZE(runs) - 1] = 0;
  WritePrivateProfileStringW(L"Game", L"Title", g_item->title, path);
  WritePrivateProfileStringW(L"Game", L"Runs", runs, path);
}

static int WriteMarker(const wchar_t* folder, const wchar_t* stem) {
  wchar_t path[SAMPLE_PATH], program[SAMPLE_PATH], cwd[SAMPLE_PATH], name[128];
  static wchar_t text[4 * SAMPLE_PATH];
  if (!SampleMakeFolders(folder)) return 2;
  _snwprintf(name, ARRAYSIZE(name), L"%ls.txt", stem);
  name[ARRAYSIZE(name) - 1] = 0;
  SampleJoin(path, ARRAYSIZE(path), folder, name);
  GetModuleFileNameW(NULL, program, ARRAYSIZE(program));
  GetCurrentDirectoryW(ARRAYSIZE(cwd), cwd);
  _snwprintf(text, ARRAYSIZE(text), L"title=%ls\r\nprogram=%ls\r\nfolder=%ls\r\n", g_item->title, program,
             cwd);
  text[ARRAYSIZE(text) - 1] = 0;
  return SampleWriteText(path, text) ? 0 : 2;
}

static void DrawTitle(HDC dc, const RECT* area) {
  SetBkMode(dc, TRANSPARENT);
  HFONT big =
      CreateFontW(44, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Tahoma");
  HFONT small =
      CreateFontW(18, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Tahoma");
  HGDIOBJ old = SelectObject(dc, big);
  RECT line = {area->left, 14, area->right, 64};
  RECT shadow = {line.left + 2, line.top + 2, line.right + 2, line.bottom + 2};
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextW(dc, g_item->title, -1, &shadow, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, g_item->ink);
  DrawTextW(dc, g_item->title, -1, &line, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, small);
  RECT sub = {area->left, 64, area->right, 88};
  DrawTextW(dc, g_item->subtitle, -1, &sub, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  RECT hint = {area->left, area->bottom - 24, area->right - 8, area->bottom};
  DrawTextW(dc, L"Esc \u2013 konec / quit", -1, &hint, DT_RIGHT | DT_SINGLELINE);
  SelectObject(dc, old);
  DeleteObject(big);
  DeleteObject(small);
}

static void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT area;
  GetClientRect(window, &area);
  /* Drawn off screen first, so the animation does not flicker. */
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
  HGDIOBJ old = SelectObject(memory, bitmap);
  DrawScene(memory, &area, g_item, g_tick);
  DrawTitle(memory, &area);
  BitBlt(dc, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(window, &ps);
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_TIMER:
      ++g_tick;
      InvalidateRect(window, NULL, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_KEYDOWN:
      if (w == VK_ESCAPE) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      KillTimer(window, 1);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, w, l);
  }
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR command_line, int show) {
  (void)previous;
  (void)command_line;
  static wchar_t stem[128];
  SampleArgsInit();
  SampleExeStem(stem, ARRAYSIZE(stem));
  g_item = FindGameItem(stem);
  LeaveTestFile();
  const wchar_t* marker = SampleSwitchValue(L"marker");
  if (marker) return WriteMarker(marker, stem);

  WNDCLASSW type = {0};
  type.lpfnWndProc = WindowProc;
  type.hInstance = instance;
  type.hCursor = LoadCursor(NULL, IDC_ARROW);
  type.hIcon = LoadIcon(NULL, IDI_APPLICATION);
  type.lpszClassName = L"NorvaSampleGame";
  RegisterClassW(&type);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame = {0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
  AdjustWindowRect(&frame, style, FALSE);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HWND window =
      CreateWindowW(type.lpszClassName, g_item->title, style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                    (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, NULL, NULL, instance, NULL);
  if (!window) return 2;
  ShowWindow(window, show);
  SetTimer(window, 1, 33, NULL);
  MSG message;
  while (GetMessageW(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
