// Start under every failure and every change by another program that the in-memory registry can
// inject, one at each call Start makes, and under lasting refusals such as a key's access list.
// Whatever happens the program goes on, shows the box of the outcome, and the window then offers
// what the registry says.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/MemoryRegistry.h"
#include "tests/SwitchDoubles.h"

namespace {
using namespace switchtest;
using Op = MemoryRegistry::Op;

// The handler key as the registry holds it, in words.
std::string stateOf(const MemoryRegistry& registry) {
  if (!registry.keyExists(HKEY_CLASSES_ROOT, kHandlerKey)) return "no key";
  const auto value = registry.value(HKEY_CLASSES_ROOT, kHandlerKey, "");
  if (!value) return "a key without its value";
  return "type " + std::to_string(value->type) + ": " + std::string(value->data.begin(), value->data.end());
}

void install(MemoryRegistry& registry) {
  registry.putValue(HKEY_CLASSES_ROOT, kHandlerKey, "", REG_SZ,
                    std::vector<BYTE>(kClassIdStored.begin(), kClassIdStored.end()));
}

void arrange(MemoryRegistry& registry, bool present) {
  registry.putKey(HKEY_CLASSES_ROOT, "SystemFileAssociations\\.avi\\shellex");
  if (present) install(registry);
}

struct Outcome {
  bool escaped = false;
  std::vector<Shown> shown;
  std::optional<PreviewMode> offered;
};

Outcome start(MemoryRegistry& registry, PreviewMode mode) {
  RecordingPresenter messages;
  RecordingView view;
  const modCore core(registry, messages);
  Outcome run;
  try {
    core.ApplyAVIPreviewMode(mode, view);
  } catch (...) {
    run.escaped = true;
  }
  run.shown = messages.shown;
  run.offered = view.offered();
  return run;
}

// What every Start gives: no error escapes, one box and no handle left open. With only failures
// (nobody else changing the key) the success box comes exactly when the change was made, and a
// failure leaves the key as it was: a restore leaves nothing half-written.
void expectReported(const Outcome& run, const MemoryRegistry& registry, PreviewMode mode, const std::string& before,
                    const std::string& what, bool othersChangedIt = false) {
  ASSERT_FALSE(run.escaped) << what;
  ASSERT_EQ(run.shown.size(), 1u) << what;
  EXPECT_EQ(registry.openHandles(), 0u) << what;
  const Shown& box = run.shown[0];
  const bool succeeded = box.style == kInformationStyle;
  EXPECT_EQ(box.prompt, mode == Remove ? (succeeded ? kRemoved : kRemoveFailed) : (succeeded ? kRestored : kRestoreFailed))
      << what;
  EXPECT_EQ(box.caption, succeeded ? L"Success!" : L"Orvandel") << what;
  EXPECT_TRUE(succeeded || box.style == kExclamationStyle) << what;
  if (othersChangedIt) return;
  const std::string changed = mode == Remove ? "no key" : "type 1: " + kClassIdStored;
  EXPECT_EQ(stateOf(registry), succeeded ? changed : before) << what;
}

// The calls (all but closing) that Start makes in the mode the window offers, when nothing fails.
size_t callsOfStart(bool present) {
  MemoryRegistry registry;
  arrange(registry, present);
  size_t calls = 0;
  registry.setHook([&](Op, const std::string&) {
    ++calls;
    return static_cast<LONG>(ERROR_SUCCESS);
  });
  start(registry, present ? Remove : Restore);
  return calls;
}

TEST(SwitchFaults, EachCallOfStartFailingInTurn) {
  for (bool present : {true, false}) {
    const PreviewMode mode = present ? Remove : Restore;
    for (size_t failing = 0, calls = callsOfStart(present); failing < calls; ++failing) {
      for (LONG code : {ERROR_ACCESS_DENIED, ERROR_FILE_NOT_FOUND, ERROR_KEY_DELETED, ERROR_OUTOFMEMORY,
                        ERROR_CANTWRITE}) {
        MemoryRegistry registry;
        arrange(registry, present);
        const std::string before = stateOf(registry);
        size_t call = 0;
        bool lastCallFailed = false;  // the final reading of the state, when it is the one
        registry.setHook([&](Op, const std::string&) -> LONG {
          lastCallFailed = call++ == failing;
          return lastCallFailed ? code : ERROR_SUCCESS;
        });
        const Outcome run = start(registry, mode);
        const std::string what = (present ? "remove" : "restore") + std::string(", call ") +
                                 std::to_string(failing) + " fails with " + std::to_string(code);
        expectReported(run, registry, mode, before, what);
        const bool readable = !lastCallFailed && registry.keyExists(HKEY_CLASSES_ROOT, kHandlerKey);
        EXPECT_EQ(run.offered, readable ? Remove : Restore) << what;
      }
    }
  }
}

TEST(SwitchFaults, AnotherProgramChangingTheKeyAtAnyCallOfStart) {
  for (bool present : {true, false}) {
    const PreviewMode mode = present ? Remove : Restore;
    // Changing it at the first call is changing it between the window's reading and Start.
    for (size_t changing = 0, calls = callsOfStart(present); changing < calls; ++changing) {
      MemoryRegistry registry;
      arrange(registry, present);
      size_t call = 0;
      registry.setHook([&](Op, const std::string&) {
        if (call++ == changing) {
          if (present) registry.removeKeyTree(HKEY_CLASSES_ROOT, kHandlerKey);
          else install(registry);
        }
        return static_cast<LONG>(ERROR_SUCCESS);
      });
      const Outcome run = start(registry, mode);
      const std::string what = (present ? "removed" : "created") + std::string(" at call ") + std::to_string(changing);
      expectReported(run, registry, mode, {}, what, true);
      EXPECT_EQ(run.offered, registry.keyExists(HKEY_CLASSES_ROOT, kHandlerKey) ? Remove : Restore) << what;
    }
  }
}

TEST(SwitchFaults, LastingRefusals) {
  struct Refusal {
    const char* name;
    std::vector<Op> ops;
  } refusals[] = {
      {"an access list denying reading and writing", {Op::Open, Op::Create, Op::SetValue}},
      {"read-only", {Op::Create, Op::DeleteKey, Op::SetValue}},
      {"deleting denied", {Op::DeleteKey}},
      {"creating denied", {Op::Create}},
      {"storing refused", {Op::SetValue}},
      {"opening failing", {Op::Open}},
  };
  for (const Refusal& refusal : refusals) {
    for (bool present : {true, false}) {
      MemoryRegistry registry;
      arrange(registry, present);
      const std::string before = stateOf(registry);
      registry.setHook([&](Op op, const std::string& path) -> LONG {
        const bool refused = std::find(refusal.ops.begin(), refusal.ops.end(), op) != refusal.ops.end();
        return refused && path.find("PropertyHandler") != std::string::npos ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
      });
      RecordingPresenter none;
      const modCore core(registry, none);
      // Start does what the window offered when it opened: an unreadable key counts as absent.
      const PreviewMode mode = core.AVIPreviewKeyExists() ? Remove : Restore;
      const Outcome run = start(registry, mode);
      const std::string what = refusal.name + std::string(present ? ", key present" : ", key absent");
      expectReported(run, registry, mode, before, what);
      EXPECT_EQ(run.offered, core.AVIPreviewKeyExists() ? Remove : Restore) << what;
      if (present && refusal.ops[0] == Op::Open) {
        EXPECT_EQ(run.offered, Restore) << what;  // a key that can't be read counts as absent
      }
    }
  }
}
}  // namespace

namespace {
// A restore whose write fails takes away only a key it made: one that another program made and
// filled in the meantime stays as that program left it.
TEST(SwitchFaults, AFailedRestoreLeavesAKeyAnotherProgramFilledMeanwhile) {
  MemoryRegistry registry;
  arrange(registry, false);
  registry.setHook([&](Op op, const std::string&) -> LONG {
    if (op == Op::Create && !registry.keyExists(HKEY_CLASSES_ROOT, kHandlerKey)) install(registry);
    return op == Op::SetValue ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
  });
  const Outcome run = start(registry, Restore);
  EXPECT_FALSE(run.escaped);
  ASSERT_EQ(run.shown.size(), 1u);
  EXPECT_EQ(run.shown[0].prompt, kRestoreFailed);
  registry.setHook(nullptr);
  EXPECT_EQ(stateOf(registry), "type 1: " + kClassIdStored);
  EXPECT_EQ(run.offered, Remove);
}
}  // namespace
