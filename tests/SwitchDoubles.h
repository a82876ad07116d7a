#pragma once
// What the switch reports to, recorded: the window's state as SyncMainWindow last left it, and
// the message boxes it showed.
#include <optional>
#include <string>
#include <vector>

#include "app/modCore.h"

namespace switchtest {

struct Shown {
  std::wstring prompt, caption;
  UINT style;
};

class RecordingPresenter final : public MessagePresenter {
 public:
  std::vector<Shown> shown;
  void show(HWND, const std::wstring& prompt, const std::wstring& caption, UINT style) override {
    shown.push_back({prompt, caption, style});
  }
};

class RecordingView final : public PreviewModeView {
 public:
  void enableOption(PreviewMode mode, bool enabled) override { option_[mode] = enabled; }
  void enableFrame(PreviewMode mode, bool enabled) override { frame_[mode] = enabled; }
  void enableInfo(PreviewMode mode, bool enabled) override { info_[mode] = enabled; }
  void setRestartNoteColour(PreviewMode mode, COLORREF colour) override { note_[mode] = colour; }
  void selectOption(PreviewMode mode) override { selected_ = mode; }
  HWND messageOwner() const override { return nullptr; }

  // The one change the window offers, or nothing when its parts disagree about it.
  std::optional<PreviewMode> offered() const {
    if (selected_ < 0) return std::nullopt;
    const int on = selected_, off = 1 - selected_;
    const bool consistent = option_[on] && frame_[on] && info_[on] && !option_[off] && !frame_[off] && !info_[off] &&
                            note_[on] == RGB(128, 0, 0) && note_[off] == RGB(128, 128, 128);
    if (!consistent) return std::nullopt;
    return static_cast<PreviewMode>(selected_);
  }

 private:
  bool option_[2] = {true, true}, frame_[2] = {true, true}, info_[2] = {true, true};
  COLORREF note_[2] = {0, 0};
  int selected_ = -1;
};

// The boxes the switch shows.
const std::wstring kRemoved = L"AVI Previewing has been successfully removed.";
const std::wstring kRestored = L"AVI Previewing has been successfully restored.";
const std::wstring kRemoveFailed =
    L"AVI Previewing wasn't disabled.\r\n\r\nThere was an error while trying to remove the AVI Previewing\r\n"
    L"feature. Do you have administrator priviledges?";
const std::wstring kRestoreFailed =
    L"AVI Previewing wasn't restored.\r\n\r\nThere was an error while trying to restore the AVI Previewing\r\n"
    L"feature. Do you have administrator priviledges?";

const char kHandlerKey[] = "SystemFileAssociations\\.avi\\shellex\\PropertyHandler";
const std::string kClassIdStored = std::string("{87D62D94-71B3-4b9a-9489-5FE6850DC73E}") + '\0';

}  // namespace switchtest
