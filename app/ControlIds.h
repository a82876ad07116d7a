#pragma once
// Control identifiers of the main window that tools outside the program (and its end-to-end
// tests) may look controls up by.
enum MainWindowControlId {
  kIdStart = 101,
  kIdClose = 102,
  kIdOptionRemove = 110,
  kIdOptionRestore = 111,
  kIdFrameRemove = 120,
  kIdFrameRestore = 121,
  kIdPanelRemove = 130,
  kIdPanelRestore = 131,
  kIdRemoveInfo = 140,
  kIdRestoreInfo = 141,
  kIdRemoveRestartNote = 150,
  kIdRestoreRestartNote = 151,
  kIdMakerLink = 160,
};

// The About window's controls that open a page.
enum AboutWindowControlId {
  kIdAboutTitle = 201,
  kIdAboutLogo = 202,
  kIdDonateLogo = 203,
  kIdDonateText = 204,
};
