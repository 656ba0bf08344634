#include "win/palette/palette_window.h"

#include <fstream>
#include <utility>
#include <vector>

#include "automation/error.h"
#include "automation/error_rules.h"

namespace nimbo::win::palette {

namespace {
constexpr const wchar_t* kPaletteClass = L"NimboPalette";
}  // namespace

LRESULT CALLBACK Palette::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    auto* palette = reinterpret_cast<Palette*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (palette != nullptr && palette->site_) {
      RECT client{};
      GetClientRect(window, &client);
      // A window procedure lets nothing escape: the failure is kept for whoever resized.
      try {
        palette->site_->MoveTo(client);
      } catch (...) {
        palette->layoutFailure_ = automation::CurrentError();
      }
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

Palette::Palette(const CLSID& controlClass, int width, int height, bool hidden) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (!GetClassInfoExW(GetModuleHandleW(nullptr), kPaletteClass, &windowClass)) {
    windowClass.lpfnWndProc = &Palette::WindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kPaletteClass;
    RegisterClassExW(&windowClass);
  }
  RECT frame{0, 0, width, height};
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOOLWINDOW);
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kPaletteClass, L"VeskNIMBO", style, 10, 10,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) throw automation::AutomationError(1, "The palette could not be made");
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (!hidden) ShowWindow(window_, SW_SHOWNORMAL);
  RECT client{};
  GetClientRect(window_, &client);
  const control::PixelsPerInch dpi = control::ScreenPixelsPerInch();
  control::Placement whole{0, 0, static_cast<float>(control::PixelsToTwips(client.right, dpi.x)),
                           static_cast<float>(control::PixelsToTwips(client.bottom, dpi.y))};
  site_ = control::OleControlSite::Create(window_, controlClass, "DockControl1", whole);
  site_->MoveTo(client);
  UpdateWindow(window_);
}

Palette::~Palette() {
  automation::TrapSilently([&] { Close(); });
}

void Palette::ResizeClient(int width, int height) {
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
  layoutFailure_.reset();
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (layoutFailure_) throw *std::exchange(layoutFailure_, std::nullopt);
}

void Palette::Show() {
  ShowWindow(window_, SW_SHOWNORMAL);
}

void Palette::Hide() {
  ShowWindow(window_, SW_HIDE);
}

void Palette::Close() {
  if (com::ComPtr<control::OleControlSite> site = std::move(site_)) site->Close();
  if (window_ != nullptr) DestroyWindow(std::exchange(window_, nullptr));
}

bool Palette::SaveScreenshot(const std::string& path) const {
  RECT client{};
  GetClientRect(window_, &client);
  const int width = client.right;
  const int height = client.bottom;
  HDC source = GetDC(window_);
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as a BMP file keeps its rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool captured = false;
  if (bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    captured = BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory, previous);
  }
  const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  const size_t imageBytes = rowBytes * static_cast<size_t>(height);
  bool written = false;
  if (captured) {
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = static_cast<DWORD>(header.bfOffBits + imageBytes);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(&header), sizeof(header));
    file.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    file.write(static_cast<const char*>(bits), static_cast<std::streamsize>(imageBytes));
    written = file.good();
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window_, source);
  return written;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace nimbo::win::palette
