// The add-in's application object, made when the library is loaded and gone when it is unloaded.
#include "core/addin/AddinApp.h"

AddinApp::AddinApp() : Application("Tavroset") { SetRegistryKey(kRegistryKey); }

namespace core::addin {
namespace {

const AddinApp theApp;

}  // namespace

const AddinApp& TheAddinApp() { return theApp; }

}  // namespace core::addin
