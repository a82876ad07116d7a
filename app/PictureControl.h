#pragma once
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include "controls/WinHandles.h"

// A GIF or JPEG picture from the program's resources, decoded by the system (OleLoadPicture).
ComPtr<IPicture> loadPictureResource(int resourceId);

// The picture's own size in pixels (0 × 0 without a picture).
SIZE pictureSize(IPicture* picture);

// What a control that shows what lies beneath it sends its parent before drawing itself: the
// parent draws the siblings beneath into the DC (wParam, in the control's coordinates; lParam is
// the control). Windows' own transparency of siblings is not dependable under every system.
constexpr UINT kPaintBeneathMessage = WM_APP + 1;

// The "Orvandel.Picture" window class: shows one picture at its own size over what lies beneath
// it; a click is reported to the parent like a notifying static control's (WM_COMMAND, STN_CLICKED).
HWND createPictureControl(HWND parent, int id, const RECT& pixels, int resourceId, const wchar_t* name);

// The "Orvandel.Label" window class: a label without a background of its own, drawn over what
// lies beneath it; its text is the window text (DrawText flags as given).
HWND createTransparentLabel(HWND parent, int id, const RECT& pixels, const wchar_t* text, HFONT font,
                            COLORREF colour, UINT drawFlags);
