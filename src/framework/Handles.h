#pragma once
// RAII owners of handles and GDI objects, each with its matching release
// call, and a guard that puts back what SelectObject replaced.
#include <windows.h>

// Owns a kernel handle (file, event, thread, ...) and closes it with
// CloseHandle. Both NULL and INVALID_HANDLE_VALUE mean "none".
class CHandle {
 public:
  CHandle() = default;
  explicit CHandle(HANDLE h) : handle(h) {}
  ~CHandle() { Close(); }
  CHandle(const CHandle&) = delete;
  CHandle& operator=(const CHandle&) = delete;
  CHandle(CHandle&& other) noexcept : handle(other.Release()) {}
  CHandle& operator=(CHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle = other.Release();
    }
    return *this;
  }

  HANDLE Get() const { return handle; }
  bool Valid() const { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
  HANDLE Release() {
    HANDLE h = handle;
    handle = nullptr;
    return h;
  }
  // Closes now; false (with the last error set) when CloseHandle fails.
  bool Close() {
    if (!Valid()) return true;
    BOOL ok = CloseHandle(handle);
    handle = nullptr;
    return ok != FALSE;
  }

 private:
  HANDLE handle = nullptr;
};

// Owns one handle of type H and frees it with Free (a function returning
// BOOL or LONG that takes the handle). Used for the owners below, each with
// its matching release call.
template <class H, auto Free>
class CUniqueHandle {
 public:
  CUniqueHandle() = default;
  explicit CUniqueHandle(H h) : handle(h) {}
  ~CUniqueHandle() { Reset(); }
  CUniqueHandle(const CUniqueHandle&) = delete;
  CUniqueHandle& operator=(const CUniqueHandle&) = delete;
  CUniqueHandle(CUniqueHandle&& other) noexcept : handle(other.Release()) {}
  CUniqueHandle& operator=(CUniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  H Get() const { return handle; }
  bool Valid() const { return handle != nullptr; }
  H Release() {
    H h = handle;
    handle = nullptr;
    return h;
  }
  void Reset(H h = nullptr) {
    if (handle != nullptr) Free(handle);
    handle = h;
  }

 private:
  H handle = nullptr;
};

using CRegKey = CUniqueHandle<HKEY, RegCloseKey>;
using CMenuOwner = CUniqueHandle<HMENU, DestroyMenu>;
// A DC made by CreateDC or CreateCompatibleDC; never one from GetDC.
using CCreatedDC = CUniqueHandle<HDC, DeleteDC>;

// A font, brush, pen, bitmap, region or palette, freed with DeleteObject.
template <class H>
using CGdiObject = CUniqueHandle<H, DeleteObject>;
using CFontOwner = CGdiObject<HFONT>;
using CBrushOwner = CGdiObject<HBRUSH>;
using CPenOwner = CGdiObject<HPEN>;
using CBitmapOwner = CGdiObject<HBITMAP>;

// A window's DC from GetDC, given back with ReleaseDC.
class CWindowDC {
 public:
  explicit CWindowDC(HWND w) : window(w), dc(GetDC(w)) {}
  ~CWindowDC() {
    if (dc != nullptr) ReleaseDC(window, dc);
  }
  CWindowDC(const CWindowDC&) = delete;
  CWindowDC& operator=(const CWindowDC&) = delete;
  HDC Get() const { return dc; }

 private:
  HWND window;
  HDC dc;
};

// Selects a GDI object into a DC and puts the previous one back, so the
// owner of the selected object can delete it afterwards.
class CSelectObject {
 public:
  CSelectObject(HDC d, HGDIOBJ object) : dc(d), previous(object ? SelectObject(d, object) : nullptr) {}
  ~CSelectObject() {
    if (previous != nullptr && previous != HGDI_ERROR) SelectObject(dc, previous);
  }
  CSelectObject(const CSelectObject&) = delete;
  CSelectObject& operator=(const CSelectObject&) = delete;

 private:
  HDC dc;
  HGDIOBJ previous;
};
