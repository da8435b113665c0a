// PLACEHOLDER: not implemented yet; replaced by the real GDI layer.
#include "platform/Win32.h"
HBITMAP CreateDIBSection(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD) { return nullptr; }
HDC CreateCompatibleDC(HDC) { return nullptr; }
HGDIOBJ SelectObject(HDC, HGDIOBJ) { return nullptr; }
BOOL DeleteObject(HGDIOBJ) { return FALSE; }
BOOL DeleteDC(HDC) { return FALSE; }
BOOL GdiFlush() { return TRUE; }
int GetObjectA(HANDLE, int, LPVOID) { return 0; }
int GetDIBits(HDC, HBITMAP, UINT, UINT, LPVOID, LPBITMAPINFO, UINT) { return 0; }
int SetDIBitsToDevice(HDC, int, int, DWORD, DWORD, int, int, UINT, UINT, const void*, const BITMAPINFO*, UINT) { return 0; }
COLORREF SetPixel(HDC, int, int, COLORREF) { return CLR_INVALID; }
COLORREF GetPixel(HDC, int, int) { return CLR_INVALID; }
HRGN CreateRectRgn(int, int, int, int) { return nullptr; }
int SelectClipRgn(HDC, HRGN) { return ERROR; }
HPEN CreatePen(int, int, COLORREF) { return nullptr; }
BOOL MoveToEx(HDC, int, int, LPPOINT) { return FALSE; }
BOOL LineTo(HDC, int, int) { return FALSE; }
HGDIOBJ GetStockObject(int) { return nullptr; }
HDC GetDC(HWND) { return nullptr; }
int ReleaseDC(HWND, HDC) { return 0; }
