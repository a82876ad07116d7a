#include "controls/ComApartment.h"

#include <windows.h>
#include <objbase.h>

#include "base/SystemLibrary.h"

namespace {
class Apartment {
 public:
  Apartment() : ole32_(loadSystemLibrary(L"ole32.dll")) {
    const auto initialise = libraryFunction<Initialise>(ole32_.get(), "CoInitializeEx");
    uninitialise_ = libraryFunction<Uninitialise>(ole32_.get(), "CoUninitialize");
    // S_FALSE (already in one) is entered too, and left as often; a thread already in the
    // multithreaded apartment (RPC_E_CHANGED_MODE) stays where it is.
    entered_ = initialise && uninitialise_ &&
               SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }
  ~Apartment() {
    if (entered_) uninitialise_();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;

 private:
  using Initialise = HRESULT(WINAPI*)(LPVOID, DWORD);
  using Uninitialise = void(WINAPI*)();

  UniqueModule ole32_;  // released after the apartment is left
  Uninitialise uninitialise_ = nullptr;
  bool entered_ = false;
};
}  // namespace

void enterSingleThreadedApartment() { static Apartment apartment; }
