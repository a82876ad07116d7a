#pragma once
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include "controls/WinHandles.h"

// A GIF or JPEG picture from the program's resources, decoded by the system (OleLoadPicture).
ComPtr<IPicture> loadPictureResource(int resourceId);

// The picture's own size in pixels (0 × 0 without a picture).
SIZE pictureSize(IPicture* picture);

// The "Orvandel.Picture" window class: shows one picture at its own size; a click is reported to
// the parent like a notifying static control's (WM_COMMAND, STN_CLICKED).
HWND createPictureControl(HWND parent, int id, const RECT& pixels, int resourceId, const wchar_t* name,
                          DWORD extraStyle, DWORD extraExStyle);
